#include "ui/review/RoutinesPanel.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QRadioButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/review/PropertyPanels.h"
#include "ui/codeview/FileHeaderStrip.h"
#include "ui/common/AnsiText.h"
#include "ui/common/ProjectText.h"
#include "ui/common/IconLibrary.h"
#include "ui/common/UserPrompts.h"
#include "ui/review/PanelRowsView.h"

namespace tally {

RoutinesPanel::RoutinesPanel(const ProjectModel& model, UserPrompts& prompts, NumberLocale locale,
                             QWidget* parent)
    : QWidget(parent), m_model(model), m_prompts(prompts), m_locale(locale) {
    setObjectName(QStringLiteral("picSubs"));
    m_header = new FileHeaderStrip(this);
    m_header->setObjectName(QStringLiteral("lblSubFile"));

    m_optRoutines = new QRadioButton(tr("&Routines"), this);
    m_optRoutines->setObjectName(QStringLiteral("optSubTypeRoutines"));
    m_optDllCalls = new QRadioButton(tr("&DLL Calls"), this);
    m_optDllCalls->setObjectName(QStringLiteral("optSubTypeDll"));
    m_optRoutines->setChecked(true);
    auto* options = new QButtonGroup(this);
    options->addButton(m_optRoutines);
    options->addButton(m_optDllCalls);

    m_lvwSubs = new QTreeWidget(this);
    m_lvwSubs->setObjectName(QStringLiteral("lvwSubs"));
    m_lvwSubs->setHeaderLabels({tr("Routine Name")});
    m_lvwSubs->setRootIsDecorated(false);
    m_lvwSubs->setUniformRowHeights(true);
    m_lvwSubs->setIconSize(QSize(16, 16));

    m_lvwSubInfo = new PanelRowsView({tr("Routine & File Properties")}, this);
    m_lvwSubInfo->setObjectName(QStringLiteral("lvwSubInfo"));
    m_lvwCalledBy = new PanelRowsView({tr("Dependencies"), tr("File"), tr("Line")}, this);
    m_lvwCalledBy->setObjectName(QStringLiteral("lvwCalledBy"));
    m_lvwParams = new PanelRowsView({tr("Parameters Passed In"), tr("Type")}, this);
    m_lvwParams->setObjectName(QStringLiteral("lvwParams"));

    auto* listSide = new QWidget(this);
    auto* listLayout = new QVBoxLayout(listSide);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->setSpacing(6);
    auto* optionRow = new QHBoxLayout;
    optionRow->setContentsMargins(4, 0, 0, 0);
    optionRow->setSpacing(16);
    optionRow->addWidget(m_optRoutines);
    optionRow->addWidget(m_optDllCalls);
    optionRow->addStretch(1);
    listLayout->addLayout(optionRow);
    listLayout->addWidget(m_lvwSubs, 1);

    m_panels = new QSplitter(Qt::Vertical, this);
    m_panels->setChildrenCollapsible(false);
    m_panels->addWidget(m_lvwSubInfo);
    m_panels->addWidget(m_lvwCalledBy);
    m_panels->addWidget(m_lvwParams);
    m_panels->setStretchFactor(0, 3);
    m_panels->setStretchFactor(1, 3);
    m_panels->setStretchFactor(2, 2);

    auto* split = new QSplitter(Qt::Horizontal, this);
    split->setObjectName(QStringLiteral("picContainer"));
    split->setChildrenCollapsible(false);
    split->addWidget(listSide);
    split->addWidget(m_panels);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);
    split->setSizes({260, 420});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 8, 8, 8);
    body->addWidget(split);
    layout->addLayout(body, 1);

    setTabOrder(m_optRoutines, m_optDllCalls);
    setTabOrder(m_optDllCalls, m_lvwSubs);
    setTabOrder(m_lvwSubs, m_lvwSubInfo);
    setTabOrder(m_lvwSubInfo, m_lvwCalledBy);
    setTabOrder(m_lvwCalledBy, m_lvwParams);

    connect(m_optRoutines, &QRadioButton::toggled, this, [this](bool) {
        if (m_fileRow > 0) fillList();
    });
    connect(m_lvwSubs, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (!m_filling && current) showEntry(m_lvwSubs->indexOfTopLevelItem(current));
    });
    connect(m_lvwSubs, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        int index = m_lvwSubs->indexOfTopLevelItem(item);
        if (index < 0 || index >= static_cast<int>(m_entries.size())) return;
        CodeTarget target = routineEntryTarget(m_model, m_fileRow, m_entries[index]);
        if (target.valid) emit targetRequested(target);
    });
    connect(m_lvwCalledBy, &PanelRowsView::rowActivated, this, [this](int row) {
        const auto& rows = m_lvwCalledBy->rows();
        if (row < 0 || row >= static_cast<int>(rows.size())) return;
        CodeTarget target = dependencyRowTarget(m_model, rows[row], m_listedRoutine);
        if (target.valid) emit targetRequested(target);
    });
    connect(m_lvwParams, &PanelRowsView::rowActivated, this, [this](int) {
        const RoutineEntry* entry = selectedEntry();
        if (!entry) return;
        CodeTarget target = routineEntryTarget(m_model, m_fileRow, *entry);
        if (target.valid) emit targetRequested(target);
    });
}

void RoutinesPanel::showHint(const QString& text) {
    m_header->showText(text);
}

QString RoutinesPanel::hintText() const {
    return m_header->text();
}

RoutineFilter RoutinesPanel::filter() const {
    return m_optDllCalls->isChecked() ? RoutineFilter::DllCalls : RoutineFilter::Routines;
}

void RoutinesPanel::clearPanels() {
    m_listedRoutine.clear();
    m_lvwSubInfo->resetRows({});
    m_lvwCalledBy->resetRows({});
    m_lvwParams->resetRows({});
}

void RoutinesPanel::clearViews() {
    m_fileRow = 0;
    m_entries.clear();
    m_filling = true;
    m_lvwSubs->clear();
    m_filling = false;
    clearPanels();
}

void RoutinesPanel::showFile(int fileRow) {
    if (fileRow <= 0 || fileRow >= m_model.fileCount()) return;
    m_fileRow = fileRow;
    m_header->showFile(fromLocalPath(m_model.files[fileRow].path));
    fillList();
}

void RoutinesPanel::fillList() {
    m_entries = listFileRoutines(m_model, m_fileRow, filter());
    m_filling = true;
    m_lvwSubs->clear();
    QList<QTreeWidgetItem*> items;
    for (const RoutineEntry& entry : m_entries) {
        auto* item = new QTreeWidgetItem;
        item->setText(0, fromProject(entry.displayName));
        item->setIcon(0, IconLibrary::icon(entry.icon));
        items.append(item);
    }
    m_lvwSubs->addTopLevelItems(items);
    m_filling = false;
    clearPanels();
    if (!m_entries.empty()) chooseEntry(0);
}

void RoutinesPanel::chooseEntry(int index) {
    if (index < 0 || index >= m_lvwSubs->topLevelItemCount()) return;
    m_filling = true;
    m_lvwSubs->setCurrentItem(m_lvwSubs->topLevelItem(index));
    m_filling = false;
    showEntry(index);
}

void RoutinesPanel::removeRoutine(const std::string& routineKey) {
    if (m_fileRow <= 0 || m_fileRow >= m_model.fileCount()) return;
    const std::string& path = m_model.files[m_fileRow].path;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].declarations || path + m_entries[i].comboText != routineKey) continue;
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(i));
        m_filling = true;
        delete m_lvwSubs->takeTopLevelItem(static_cast<int>(i));
        m_filling = false;
        clearPanels();
        if (!m_entries.empty()) chooseEntry(i > 0 ? static_cast<int>(i) - 1 : 0);
        return;
    }
}

const RoutineEntry* RoutinesPanel::selectedEntry() const {
    int index = m_lvwSubs->indexOfTopLevelItem(m_lvwSubs->currentItem());
    if (index < 0 || index >= static_cast<int>(m_entries.size())) return nullptr;
    return &m_entries[index];
}

void RoutinesPanel::showEntry(int index) {
    if (index < 0 || index >= static_cast<int>(m_entries.size())) return;
    const RoutineEntry& entry = m_entries[index];
    clearPanels();
    if (entry.declarations) {
        m_lvwSubInfo->resetRows(fileProperties(m_model, m_fileRow, m_locale));
        return;
    }
    RoutineLookup found = findListedRoutine(m_model, m_fileRow, entry.displayName);
    if (!found.found) {
        m_prompts.notify(fromAnsi(kRoutineNotFound), MessageIcon::Information, applicationTitle());
        return;
    }
    RoutinePanels panels = routinePanels(m_model, found.slot, found.position);
    m_listedRoutine = m_model.subs[found.slot][found.position].name;
    m_lvwSubInfo->resetRows(std::move(panels.properties));
    m_lvwCalledBy->resetRows(std::move(panels.dependencies));
    m_lvwParams->resetRows(std::move(panels.parameters));
}

}  // namespace tally
