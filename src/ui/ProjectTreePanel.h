#pragma once
// The project tree (tvwFiles): the model's node table as a tree, each node with the icon of its
// image key (and its selected image while selected) and its expanded flag.

#include <QTreeView>
#include <string>

#include "core/model/ProjectTree.h"

namespace tally {

class ProjectTreeModel;

class ProjectTreePanel : public QTreeView {
    Q_OBJECT
public:
    explicit ProjectTreePanel(QWidget* parent = nullptr);

    // Shows `tree` in place of what was shown; nothing is selected afterwards.
    void resetTree(const ProjectTree& tree);
    // Selects the node with `key`; false when there is none.
    bool selectKey(const std::string& key);
    // The key of the selected node; empty when none is selected.
    std::string selectedKey() const;
    // The text of the first top-level node (the project's title); empty when there is none.
    QString rootText() const;

signals:
    // The user (or selectKey) made the node with `key` the current one.
    void nodeSelected(const std::string& key);

private:
    ProjectTreeModel* m_model;
};

}  // namespace tally
