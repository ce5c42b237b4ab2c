#pragma once
// What the main window asks of the "Code View" tab. The code view panel implements it; until that
// panel exists a placeholder stands in. Every request carries plain core values: the file's full
// path, the routine combo items of that file, and where to go in it.

#include <QList>
#include <string>
#include <vector>

#include "core/review/ReviewActions.h"
#include "core/review/RoutineListing.h"

class QAction;
class QMenu;
class QWidget;

namespace tally {

class CodeViewHost {
public:
    virtual ~CodeViewHost() = default;

    // The widget of the "Code View" tab.
    virtual QWidget* widget() = 0;
    // Hands the view's pending edits back to the file text; called before another file or routine
    // is shown.
    virtual void commitPendingEdits() = 0;
    // Offers to save a changed file; called when the window closes. False when the user backed
    // out: the file and its edits stay, and the window must stay open.
    virtual bool offerToSaveChanges() = 0;
    // Called before another file (empty: another project) is shown; offers to save a changed file.
    // False when the user backed out: the file and its edits stay and nothing else is shown.
    virtual bool mayLeaveFile(const std::string& nextPath) = 0;
    // The full path of the file whose code is in memory; empty when there is none.
    virtual std::string shownFilePath() const = 0;
    // Forgets the file and its routines (a new project or scan file was opened).
    virtual void clear() = 0;
    // A file was selected in the tree: loads it, fills the routine combo with `items` and shows the
    // first item (or an empty view when there are none).
    virtual void showFile(const std::string& filePath, const std::vector<ComboItem>& items) = 0;
    // A double click elsewhere: loads the target's file, fills the combo with `items`, then shows the
    // "(Declarations)" section when target.declarations is set, otherwise the combo item whose text
    // is target.routineText (when there is none: the declarations, searched for routineText); last
    // the view is searched for target.searchText when it is not empty.
    virtual void showTarget(const CodeTarget& target, const std::vector<ComboItem>& items) = 0;
    // True when the routine combo holds no items (nothing has been shown).
    virtual bool isEmpty() const = 0;

    // The "Code View" menu for the menu bar; null when the view has no commands.
    virtual QMenu* commandMenu() { return nullptr; }
    // The view's buttons for the main toolbar, in order.
    virtual QList<QAction*> toolbarActions() { return {}; }
    // A tab of the main window was chosen; `codeViewTab` when it is this view's tab.
    virtual void tabChosen(bool codeViewTab) { (void)codeViewTab; }
};

}  // namespace tally
