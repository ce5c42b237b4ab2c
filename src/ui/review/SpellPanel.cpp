#include "ui/review/SpellPanel.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeView>
#include <QVBoxLayout>

#include "ui/review/SpellListModel.h"

namespace tally {

SpellPanel::SpellPanel(QWidget* parent) : QWidget(parent) {
    m_model = new SpellListModel(this);
    m_list = new QTreeView(this);
    m_list->setObjectName(QStringLiteral("lvwOutPut"));
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAlternatingRowColors(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setIconSize(QSize(16, 16));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->header()->setStretchLastSection(true);
    m_list->header()->setSectionsMovable(false);
    const int widths[] = {130, 160, 140, 280};
    for (int column = 0; column < 4; ++column) m_list->setColumnWidth(column, widths[column]);

    // The rows are gathered by the parse; the check itself is not part of this version yet.
    auto* later = new QLabel(tr("The captions and strings your users read. Check Spelling (F7) stops at "
                                "each word the dictionary does not know; corrections show in the last column."),
                             this);
    later->setObjectName(QStringLiteral("spellHint"));
    later->setWordWrap(true);
    later->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(later);
    layout->addWidget(m_list);
    connect(m_list, &QTreeView::activated, this, [this](const QModelIndex& index) {
        if (index.isValid()) emit rowActivated(index.row());
    });
}

void SpellPanel::resetRows(const std::vector<SpellRow>* rows) {
    m_model->resetRows(rows);
}

}  // namespace tally
