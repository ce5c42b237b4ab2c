#include "ui/project/ProjectTreeModel.h"

#include "ui/common/AnsiText.h"
#include "ui/common/ProjectText.h"
#include "ui/common/IconLibrary.h"

namespace tally {

void ProjectTreeModel::resetTree(const ProjectTree& tree) {
    beginResetModel();
    m_entries.clear();
    m_topLevel.clear();
    std::vector<TreeLine> lines = tree.displayLines();
    m_entries.reserve(lines.size());
    std::vector<int> lastAtDepth;  // the entry most recently added at each depth
    for (const TreeLine& line : lines) {
        int position = static_cast<int>(m_entries.size());
        Entry entry{*line.node};
        lastAtDepth.resize(static_cast<std::size_t>(line.depth) + 1);
        lastAtDepth[line.depth] = position;
        std::vector<int>& siblings =
            line.depth == 0 ? m_topLevel : m_entries[lastAtDepth[line.depth - 1]].children;
        if (line.depth > 0) entry.parent = lastAtDepth[line.depth - 1];
        entry.row = static_cast<int>(siblings.size());
        siblings.push_back(position);
        m_entries.push_back(std::move(entry));
    }
    endResetModel();
}

QModelIndex ProjectTreeModel::indexOfEntry(int entry) const {
    if (entry < 0 || entry >= static_cast<int>(m_entries.size())) return {};
    return createIndex(m_entries[entry].row, 0, static_cast<quintptr>(entry));
}

std::string ProjectTreeModel::keyOf(const QModelIndex& index) const {
    if (!index.isValid()) return {};
    return m_entries[index.internalId()].node.key.str();
}

QModelIndex ProjectTreeModel::indexOfKey(const std::string& key) const {
    if (key.empty()) return {};
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].node.key == key) return indexOfEntry(static_cast<int>(i));
    return {};
}

QModelIndexList ProjectTreeModel::expandedIndexes() const {
    QModelIndexList expanded;
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].node.expanded) expanded << indexOfEntry(static_cast<int>(i));
    return expanded;
}

QModelIndex ProjectTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    const std::vector<int>& siblings =
        parent.isValid() ? m_entries[parent.internalId()].children : m_topLevel;
    if (row >= static_cast<int>(siblings.size())) return {};
    return createIndex(row, 0, static_cast<quintptr>(siblings[row]));
}

QModelIndex ProjectTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid()) return {};
    return indexOfEntry(m_entries[child.internalId()].parent);
}

int ProjectTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return static_cast<int>(m_topLevel.size());
    if (parent.column() != 0) return 0;
    return static_cast<int>(m_entries[parent.internalId()].children.size());
}

int ProjectTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant ProjectTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const TreeNode& node = m_entries[index.internalId()].node;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return fromProject(node.text);
        case Qt::DecorationRole:
            return IconLibrary::treeIcon(node.image, node.selectedImage);
        default:
            return {};
    }
}

}  // namespace tally
