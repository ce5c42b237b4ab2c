#include "ui/review/PanelRowsView.h"

#include <QHeaderView>

#include "ui/common/AnsiText.h"
#include "ui/common/ProjectText.h"
#include "ui/common/IconLibrary.h"

namespace tally {

PanelRowsView::PanelRowsView(const QStringList& headers, QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(static_cast<int>(headers.size()));
    setHeaderLabels(headers);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(16, 16));
    // The first column (the names) takes the room the others leave and elides what does not fit;
    // the others (file, line, type) are as wide as their texts, so a narrow panel still shows
    // every line number.
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    setTextElideMode(Qt::ElideRight);
    connect(this, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { emit rowActivated(indexOfTopLevelItem(item)); });
}

void PanelRowsView::resetRows(std::vector<PanelRow> rows) {
    m_rows = std::move(rows);
    clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(m_rows.size()));
    for (const PanelRow& row : m_rows) {
        auto* item = new QTreeWidgetItem;
        item->setText(0, fromProject(row.text));
        item->setIcon(0, IconLibrary::icon(row.icon));
        for (std::size_t i = 0; i < row.subItems.size() && static_cast<int>(i) + 1 < columnCount(); ++i)
            item->setText(static_cast<int>(i) + 1, fromProject(row.subItems[i]));
        if (row.bold) {
            for (int column = 0; column < columnCount(); ++column) {
                QFont font = item->font(column);
                font.setBold(true);
                item->setFont(column, font);
            }
        }
        items.append(item);
    }
    addTopLevelItems(items);
}

}  // namespace tally
