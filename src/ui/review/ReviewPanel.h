#pragma once
// The "Code Review" tab: the review toolbar (tbrDead) with its seven list buttons and the list
// (lvwDead). Shows one list at a time, sorts it on a column click, writes check marks into the
// model and asks the code view to show an item on a double click.

#include <QWidget>
#include <array>

#include "core/model/ProjectModel.h"
#include "core/review/ReviewActions.h"
#include "core/review/ReviewList.h"

class QAction;
class QToolBar;
class QTreeView;

namespace tally {

class ReviewListModel;

class ReviewPanel : public QWidget {
    Q_OBJECT
public:
    explicit ReviewPanel(ProjectModel& model, QWidget* parent = nullptr);

    // Fills the list from the model, enables all seven buttons and presses the list's own.
    void showList(ReviewListId id);
    // Enables or disables the seven buttons.
    void setButtonsEnabled(bool enabled);
    bool buttonsEnabled() const;
    // Sets every button to unpressed.
    void releaseButtons();
    // Empties the list (a new project is being opened).
    void clearList();
    // Sorts by a column (0 to 2) as a click on its header does.
    void sortByColumn(int column);

    QAction* buttonAction(ReviewListId id) const;
    ReviewListModel* listModel() const { return m_listModel; }
    QTreeView* listView() const { return m_list; }

signals:
    // A double click asks the code view to show this.
    void targetRequested(const tally::CodeTarget& target);

private:
    void toggleCheck(int row);
    void fitColumns();

    ProjectModel& m_model;
    QToolBar* m_toolbar;
    std::array<QAction*, 7> m_buttons{};
    QTreeView* m_list;
    ReviewListModel* m_listModel;
};

}  // namespace tally
