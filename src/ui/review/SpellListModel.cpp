#include "ui/review/SpellListModel.h"

#include "ui/common/AnsiText.h"
#include "ui/common/ProjectText.h"
#include "ui/common/IconLibrary.h"

namespace tally {

void SpellListModel::resetRows(const std::vector<SpellRow>* rows) {
    beginResetModel();
    m_rows = rows;
    // A file's name stands on its first row only; each row is read with its file's codec.
    m_fileOfRow.clear();
    if (rows) {
        std::string file;
        m_fileOfRow.reserve(rows->size());
        for (const SpellRow& row : *rows) {
            if (row.file.view().find_first_not_of(' ') != std::string_view::npos) file = row.file.str();
            m_fileOfRow.push_back(file);
        }
    }
    endResetModel();
}

int SpellListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_rows ? 0 : static_cast<int>(m_rows->size());
}

int SpellListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 5;
}

QVariant SpellListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const SpellRow& row = (*m_rows)[index.row()];
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        const CompactText* texts[] = {&row.file, &row.routine, &row.label, &row.value, &row.corrected};
        const std::size_t at = static_cast<std::size_t>(index.row());
        return at < m_fileOfRow.size() ? fromNamedProjectFile(m_fileOfRow[at], *texts[index.column()])
                                       : fromProject(*texts[index.column()]);
    }
    if (role == Qt::DecorationRole && index.column() == 0 && !row.icon.empty())
        return IconLibrary::icon(row.icon);
    // The tick of a corrected row, on the "Corrected Text" cell it stands for.
    if (role == Qt::CheckStateRole && index.column() == 4 && row.checked) return Qt::Checked;
    return {};
}

QVariant SpellListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const kHeaders[] = {"File", "Control/Routine", "Variable/Property", "Value/Caption",
                                           "Corrected Text"};
    return section >= 0 && section < 5 ? QString::fromLatin1(kHeaders[section]) : QVariant();
}

}  // namespace tally
