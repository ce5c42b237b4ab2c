#include "ui/project/ProjectTreePanel.h"

#include <QHeaderView>

#include "ui/project/ProjectTreeModel.h"

namespace tally {

ProjectTreePanel::ProjectTreePanel(QWidget* parent) : QTreeView(parent) {
    setObjectName(QStringLiteral("tvwFiles"));
    m_model = new ProjectTreeModel(this);
    setModel(m_model);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The one column is as wide as the longest name, and at least as wide as the panel (so a
    // selected row is highlighted across it): a long name scrolls the tree sideways instead of
    // being cut off.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTextElideMode(Qt::ElideNone);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (current.isValid()) emit nodeSelected(m_model->keyOf(current));
    });
    connect(this, &QTreeView::expanded, this,
            [this](const QModelIndex& index) { emit nodeExpanded(m_model->keyOf(index), true); });
    connect(this, &QTreeView::collapsed, this,
            [this](const QModelIndex& index) { emit nodeExpanded(m_model->keyOf(index), false); });
}

void ProjectTreePanel::resizeEvent(QResizeEvent* event) {
    QTreeView::resizeEvent(event);
    header()->setMinimumSectionSize(viewport()->width());
}

void ProjectTreePanel::resetTree(const ProjectTree& tree) {
    // A reset clears the current index without a currentChanged signal.
    m_model->resetTree(tree);
    for (const QModelIndex& index : m_model->expandedIndexes()) setExpanded(index, true);
}

bool ProjectTreePanel::selectKey(const std::string& key) {
    QModelIndex index = m_model->indexOfKey(key);
    if (!index.isValid()) return false;
    setCurrentIndex(index);
    scrollTo(index);
    return true;
}

bool ProjectTreePanel::isKeyExpanded(const std::string& key) const {
    QModelIndex index = m_model->indexOfKey(key);
    return index.isValid() && isExpanded(index);
}

void ProjectTreePanel::setKeyExpanded(const std::string& key, bool expanded) {
    QModelIndex index = m_model->indexOfKey(key);
    if (index.isValid()) setExpanded(index, expanded);
}

std::string ProjectTreePanel::selectedKey() const {
    return m_model->keyOf(currentIndex());
}

QString ProjectTreePanel::rootText() const {
    return m_model->index(0, 0).data().toString();
}

}  // namespace tally
