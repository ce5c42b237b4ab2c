#pragma once
// The project tree's nodes as a Qt item model: a flat copy of the nodes in display order with their
// parent and child positions, so that the view asks only for the rows it shows.

#include <QAbstractItemModel>
#include <string>
#include <vector>

#include "core/model/ProjectTree.h"

namespace tally {

class ProjectTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    using QAbstractItemModel::QAbstractItemModel;

    // Shows `tree` in place of what was shown.
    void resetTree(const ProjectTree& tree);
    // The node key of an index; empty for an invalid index.
    std::string keyOf(const QModelIndex& index) const;
    // The index of the node with `key`; invalid when there is none.
    QModelIndex indexOfKey(const std::string& key) const;
    // The indexes of the nodes whose expanded flag is set.
    QModelIndexList expandedIndexes() const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    struct Entry {
        TreeNode node;
        int parent = -1;  // position in m_entries; -1 at the top level
        int row = 0;      // position among its siblings
        std::vector<int> children;
    };
    QModelIndex indexOfEntry(int entry) const;

    std::vector<Entry> m_entries;
    std::vector<int> m_topLevel;
};

}  // namespace tally
