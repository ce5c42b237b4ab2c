#pragma once
// The "Routines" tab: the routine list of the file selected in the tree (lvwSubs, filtered by the
// "&Routines" / "&DLL Calls" option buttons) and, for the chosen entry, the properties,
// dependencies and parameters panels. Reads the model; writes nothing.

#include <QWidget>
#include <vector>

#include "core/model/ProjectModel.h"
#include "core/review/CodeJumps.h"
#include "core/review/RoutineListing.h"
#include "core/text/NumberFormat.h"

class QRadioButton;
class QTreeWidget;
class QSplitter;

namespace tally {

class FileHeaderStrip;
class PanelRowsView;
class UserPrompts;

class RoutinesPanel : public QWidget {
    Q_OBJECT
public:
    RoutinesPanel(const ProjectModel& model, UserPrompts& prompts, NumberLocale locale,
                  QWidget* parent = nullptr);

    // Shows a hint in the header strip (lblSubFile) and nothing else.
    void showHint(const QString& text);
    QString hintText() const;
    // Empties the routine list and the three panels.
    void clearViews();
    // Lists the routines of the file at `fileRow`, selects the first entry and shows its panels.
    void showFile(int fileRow);

    RoutineFilter filter() const;
    int fileRow() const { return m_fileRow; }
    // The entry chosen in the routine list; null when none is.
    const RoutineEntry* selectedEntry() const;
    // Chooses entry `index` of the routine list as a click would.
    void chooseEntry(int index);
    // Takes the row keyed file path & combo text out of the list (the code view emptied that
    // routine) and chooses the entry before it.
    void removeRoutine(const std::string& routineKey);

signals:
    // A double click asks the code view to show this.
    void targetRequested(const tally::CodeTarget& target);

private:
    void fillList();
    void showEntry(int index);
    void clearPanels();

    const ProjectModel& m_model;
    UserPrompts& m_prompts;
    NumberLocale m_locale;

    FileHeaderStrip* m_header;
    QRadioButton* m_optRoutines;
    QRadioButton* m_optDllCalls;
    QTreeWidget* m_lvwSubs;
    PanelRowsView* m_lvwSubInfo;
    PanelRowsView* m_lvwCalledBy;
    PanelRowsView* m_lvwParams;
    QSplitter* m_panels;

    int m_fileRow = 0;
    std::vector<RoutineEntry> m_entries;
    std::string m_listedRoutine;  // the routine whose dependencies are shown
    bool m_filling = false;
};

}  // namespace tally
