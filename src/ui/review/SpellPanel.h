#pragma once
// The "Spell Check" tab: the Spell table as a list (lvwOutPut). A double click asks for the row's
// routine to be shown.

#include <QWidget>
#include <vector>

#include "core/model/Records.h"

class QTreeView;

namespace tally {

class SpellListModel;

class SpellPanel : public QWidget {
    Q_OBJECT
public:
    explicit SpellPanel(QWidget* parent = nullptr);

    // Shows `rows` (null: none) in place of what was shown; they are not copied, so whoever changes
    // or drops them calls this first.
    void resetRows(const std::vector<SpellRow>* rows);
    QTreeView* listView() const { return m_list; }

signals:
    // Row `row` was double-clicked (or Enter was pressed on it).
    void rowActivated(int row);

private:
    QTreeView* m_list;
    SpellListModel* m_model;
};

}  // namespace tally
