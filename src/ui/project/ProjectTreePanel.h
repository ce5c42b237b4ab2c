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
    // Whether the node with `key` is shown expanded, and expanding or collapsing it as a click would.
    bool isKeyExpanded(const std::string& key) const;
    void setKeyExpanded(const std::string& key, bool expanded);
    // The text of the first top-level node (the project's title); empty when there is none.
    QString rootText() const;

signals:
    // The user (or selectKey) made the node with `key` the current one.
    void nodeSelected(const std::string& key);
    // The user expanded or collapsed the node with `key`.
    void nodeExpanded(const std::string& key, bool expanded);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    ProjectTreeModel* m_model;
};

}  // namespace tally
