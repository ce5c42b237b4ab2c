#include "ui/ProjectTreePanel.h"

#include <QHeaderView>

#include "ui/ProjectTreeModel.h"

namespace tally {

ProjectTreePanel::ProjectTreePanel(QWidget* parent) : QTreeView(parent) {
    setObjectName(QStringLiteral("tvwFiles"));
    m_model = new ProjectTreeModel(this);
    setModel(m_model);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The one column fills the panel, so a selected row is highlighted across it; names too long
    // for the panel are elided and shown whole in their tool tip.
    header()->setStretchLastSection(true);
    setTextElideMode(Qt::ElideRight);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (current.isValid()) emit nodeSelected(m_model->keyOf(current));
    });
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

std::string ProjectTreePanel::selectedKey() const {
    return m_model->keyOf(currentIndex());
}

QString ProjectTreePanel::rootText() const {
    return m_model->index(0, 0).data().toString();
}

}  // namespace tally
