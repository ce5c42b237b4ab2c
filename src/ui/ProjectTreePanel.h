#pragma once
// The project tree (tvwFiles): the model's node table as a tree, each node with the icon of its
// image key (and its selected image while selected) and its expanded flag.

#include <QTreeWidget>
#include <string>

#include "core/model/ProjectTree.h"

namespace tally {

class ProjectTreePanel : public QTreeWidget {
    Q_OBJECT
public:
    explicit ProjectTreePanel(QWidget* parent = nullptr);

    // Shows `tree` in place of what was shown; nothing is selected afterwards.
    void resetTree(const ProjectTree& tree);
    // Selects the node with `key`; false when there is none.
    bool selectKey(const std::string& key);
    // The key of the selected node; empty when none is selected.
    std::string selectedKey() const;

signals:
    // The user (or selectKey) made the node with `key` the current one.
    void nodeSelected(const std::string& key);

private:
    static std::string keyOf(const QTreeWidgetItem* item);
    bool m_resetting = false;
};

}  // namespace tally
