#include "ui/review/ReviewPanel.h"

#include <algorithm>

#include <QAction>
#include <QHeaderView>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

#include "ui/common/AnsiText.h"
#include "ui/review/ReviewListModel.h"

namespace tally {

namespace {
int indexOf(ReviewListId id) {
    return static_cast<int>(id);
}
}  // namespace

ReviewPanel::ReviewPanel(ProjectModel& model, QWidget* parent) : QWidget(parent), m_model(model) {
    setObjectName(QStringLiteral("picDead"));
    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("tbrDead"));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_toolbar->setMovable(false);
    for (ReviewListId id : kAllReviewLists) {
        const ReviewListInfo& info = reviewListInfo(id);
        auto* button = new QAction(fromAnsi(info.caption), this);
        button->setToolTip(fromAnsi(info.toolTip));
        button->setCheckable(true);
        button->setEnabled(false);
        connect(button, &QAction::triggered, this, [this, id] { showList(id); });
        m_toolbar->addAction(button);
        m_buttons[indexOf(id)] = button;
    }

    m_listModel = new ReviewListModel(this);
    m_list = new QTreeView(this);
    m_list->setObjectName(QStringLiteral("lvwDead"));
    m_list->setModel(m_listModel);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAlternatingRowColors(true);
    m_list->setIconSize(QSize(16, 16));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setSectionsClickable(true);
    m_list->header()->setSortIndicatorShown(false);
    m_list->header()->setStretchLastSection(true);
    m_list->header()->setSectionsMovable(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolbar);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 8, 8, 8);
    body->addWidget(m_list);
    layout->addLayout(body, 1);

    connect(m_list->header(), &QHeaderView::sectionClicked, this, &ReviewPanel::sortByColumn);
    connect(m_listModel, &ReviewListModel::checkToggleRequested, this, &ReviewPanel::toggleCheck);
    connect(m_list, &QTreeView::activated, this, [this](const QModelIndex& index) {
        if (!index.isValid() || !m_listModel->hasList()) return;
        CodeTarget target = reviewDoubleClickTarget(m_model, m_listModel->list(), index.row());
        if (target.valid) emit targetRequested(target);
    });
}

void ReviewPanel::showList(ReviewListId id) {
    m_listModel->resetData(buildReviewList(m_model, id));
    m_list->header()->setSortIndicatorShown(false);
    fitColumns();
    for (QAction* button : m_buttons) {
        button->setEnabled(true);
        button->setChecked(false);
    }
    m_buttons[indexOf(id)]->setChecked(true);
    int selected = m_listModel->list().selectedRow;
    if (selected >= 0) {
        QModelIndex cell = m_listModel->index(selected, 0);
        m_list->setCurrentIndex(cell);
        m_list->scrollTo(cell);
    } else {
        m_list->scrollToTop();
    }
}

void ReviewPanel::fitColumns() {
    // Column widths follow the texts, within limits that keep all three columns in view.
    for (int column = 0; column < 2; ++column) {
        m_list->resizeColumnToContents(column);
        int width = m_list->columnWidth(column);
        m_list->setColumnWidth(column, std::clamp(width + 24, 140, 420));
    }
}

void ReviewPanel::setButtonsEnabled(bool enabled) {
    for (QAction* button : m_buttons) button->setEnabled(enabled);
}

bool ReviewPanel::buttonsEnabled() const {
    return m_buttons[0]->isEnabled();
}

void ReviewPanel::releaseButtons() {
    for (QAction* button : m_buttons) button->setChecked(false);
}

void ReviewPanel::clearList() {
    m_listModel->clear();
    m_list->header()->setSortIndicatorShown(false);
}

void ReviewPanel::sortByColumn(int column) {
    if (!m_listModel->hasList()) return;
    m_listModel->sortByColumn(column);
    m_list->header()->setSortIndicatorShown(true);
    m_list->header()->setSortIndicator(column, Qt::AscendingOrder);
}

void ReviewPanel::toggleCheck(int row) {
    if (!toggleReviewCheck(m_model, m_listModel->list(), row)) return;
    const ReviewRow& shown = m_listModel->list().rows[row];
    bool now = shown.checked;
    switch (shown.source) {
        case ReviewSource::Routine:
            now = m_model.subs[shown.slot][shown.index].checked;
            break;
        case ReviewSource::DecVar:
            now = m_model.decVar[shown.index].checked;
            break;
        case ReviewSource::UnVar:
            now = m_model.unVar[shown.index].checked;
            break;
        default:
            break;
    }
    m_listModel->setRowChecked(row, now);
}

QAction* ReviewPanel::buttonAction(ReviewListId id) const {
    return m_buttons[indexOf(id)];
}

}  // namespace tally
