#include "ui/ProjectTreePanel.h"

#include <QHeaderView>
#include <QTreeWidgetItemIterator>
#include <vector>

#include "ui/AnsiText.h"
#include "ui/IconLibrary.h"

namespace tally {

namespace {
constexpr int kKeyRole = Qt::UserRole + 1;
}

ProjectTreePanel::ProjectTreePanel(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("tvwFiles"));
    setColumnCount(1);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTextElideMode(Qt::ElideMiddle);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (!m_resetting && current) emit nodeSelected(keyOf(current));
    });
}

std::string ProjectTreePanel::keyOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, kKeyRole).toByteArray().toStdString() : std::string();
}

void ProjectTreePanel::resetTree(const ProjectTree& tree) {
    m_resetting = true;
    setUpdatesEnabled(false);
    clear();
    std::vector<std::pair<QTreeWidgetItem*, bool>> expansions;
    QList<QTreeWidgetItem*> topLevel;
    std::vector<QTreeWidgetItem*> parents;  // the last item seen at each depth
    for (const TreeLine& line : tree.displayLines()) {
        const TreeNode& node = *line.node;
        auto* item = new QTreeWidgetItem;
        item->setText(0, fromAnsi(node.text));
        item->setData(0, kKeyRole, QByteArray::fromStdString(node.key));
        item->setIcon(0, IconLibrary::treeIcon(node.image, node.selectedImage));
        parents.resize(static_cast<std::size_t>(line.depth) + 1);
        parents[line.depth] = item;
        if (line.depth == 0)
            topLevel.append(item);
        else
            parents[line.depth - 1]->addChild(item);
        expansions.emplace_back(item, node.expanded);
    }
    addTopLevelItems(topLevel);
    for (auto& [item, expanded] : expansions) item->setExpanded(expanded);
    setCurrentItem(nullptr);
    setUpdatesEnabled(true);
    m_resetting = false;
}

bool ProjectTreePanel::selectKey(const std::string& key) {
    QByteArray wanted = QByteArray::fromStdString(key);
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if ((*it)->data(0, kKeyRole).toByteArray() == wanted) {
            setCurrentItem(*it);
            scrollToItem(*it);
            return true;
        }
    }
    return false;
}

std::string ProjectTreePanel::selectedKey() const {
    return keyOf(currentItem());
}

}  // namespace tally
