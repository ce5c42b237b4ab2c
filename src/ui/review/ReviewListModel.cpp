#include "ui/review/ReviewListModel.h"

#include <QFont>

#include "ui/common/AnsiText.h"
#include "ui/common/ProjectText.h"
#include "ui/common/IconLibrary.h"

namespace tally {

namespace {
QString viewText(std::string_view text) {
    return fromProject(text);
}
}  // namespace

void ReviewListModel::resetData(ReviewListData list) {
    beginResetModel();
    m_list = std::move(list);
    m_hasList = true;
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, 2);
}

void ReviewListModel::clear() {
    beginResetModel();
    m_list = ReviewListData{};
    m_hasList = false;
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, 2);
}

void ReviewListModel::sortByColumn(int column) {
    if (!m_hasList) return;
    emit layoutAboutToBeChanged();
    sortReviewRows(m_list, column + 1);
    emit layoutChanged();
}

void ReviewListModel::setRowChecked(int row, bool checked) {
    if (row < 0 || row >= rowCount()) return;
    m_list.rows[row].checked = checked;
    QModelIndex cell = index(row, 0);
    emit dataChanged(cell, cell, {Qt::CheckStateRole});
}

bool ReviewListModel::checkable() const {
    return m_hasList && reviewListInfo(m_list.id).checkBoxes;
}

int ReviewListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_list.rows.size());
}

int ReviewListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant ReviewListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const ReviewRow& row = m_list.rows[index.row()];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            if (role == Qt::ToolTipRole && index.column() != 0) return {};
            return viewText(index.column() == 0 ? row.text : index.column() == 1 ? row.column2 : row.column3);
        case Qt::DecorationRole:
            return index.column() == 0 ? QVariant(IconLibrary::icon(row.icon)) : QVariant();
        case Qt::CheckStateRole:
            if (index.column() != 0 || !checkable() || row.source == ReviewSource::Summary) return {};
            return row.checked ? Qt::Checked : Qt::Unchecked;
        case Qt::FontRole:
            if (row.source == ReviewSource::Summary) {
                QFont font;
                font.setBold(true);
                return font;
            }
            return {};
        case Qt::TextAlignmentRole:
            if (index.column() == 1 &&
                (m_list.id == ReviewListId::AllRoutines || m_list.id == ReviewListId::AllTypes))
                return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
            return {};
        default:
            return {};
    }
}

QVariant ReviewListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == 0) return viewText(kReviewColumn1Header);
    if (!m_hasList) return section == 1 ? tr("Location") : tr("File");
    const ReviewListInfo& info = reviewListInfo(m_list.id);
    return viewText(section == 1 ? info.column2Header : info.column3Header);
}

Qt::ItemFlags ReviewListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == 0 && checkable() &&
        m_list.rows[index.row()].source != ReviewSource::Summary)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool ReviewListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !index.isValid() || !(flags(index) & Qt::ItemIsUserCheckable))
        return false;
    bool wanted = value.toInt() == Qt::Checked;
    if (wanted == m_list.rows[index.row()].checked) return false;
    emit checkToggleRequested(index.row());
    return true;
}

}  // namespace tally
