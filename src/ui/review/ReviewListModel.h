#pragma once
// The rows of one review list (lvwDead) as a Qt item model: columns "Name" and the list's own
// column 2 and 3 headers, icons, and check boxes for the lists that have them.

#include <QAbstractTableModel>

#include "core/review/ReviewList.h"

namespace tally {

class ReviewListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows `list` in place of what was shown.
    void resetData(ReviewListData list);
    // Shows no list at all.
    void clear();
    const ReviewListData& list() const { return m_list; }
    bool hasList() const { return m_hasList; }
    // Sorts by column (0 to 2) with the core's rule, keeping the rows' check marks.
    void sortByColumn(int column);
    // Shows row `row`'s check mark as `checked` (after the model row was toggled).
    void setRowChecked(int row, bool checked);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // The user clicked the check box of `row`; the owner toggles the model row behind it.
    void checkToggleRequested(int row);

private:
    bool checkable() const;

    ReviewListData m_list;
    bool m_hasList = false;
};

}  // namespace tally
