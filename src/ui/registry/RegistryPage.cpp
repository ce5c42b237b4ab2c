#include "ui/registry/RegistryPage.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QProgressDialog>
#include <QSplitter>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <atomic>

#include "core/registry/RegistryCommandTarget.h"
#include "core/registry/SubkeyFill.h"
#include "ui/common/AnsiText.h"
#include "ui/common/BackgroundCall.h"
#include "ui/common/BusyPointer.h"
#include "ui/common/IconLibrary.h"
#include "ui/registry/KeyedTree.h"

namespace tally {

namespace {

constexpr int kRowKeyRole = Qt::UserRole;
constexpr int kRowIconRole = Qt::UserRole + 1;

// Listing more CLSIDs than this shows a progress dialog.
constexpr std::size_t kObjectsWorthAProgressBar = 2000;

// A list row sorted by its text without regard to case, as the registry's names compare.
class RegistryRow final : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        const int order = QString::compare(text(column), other.text(column), Qt::CaseInsensitive);
        return order != 0 ? order < 0 : text(column) < other.text(column);
    }
};

QTreeWidgetItem* makeRow(const QString& key, const QString& text, const QString& icon, const QStringList& cells) {
    auto* row = new RegistryRow(QStringList{text} + cells);
    row->setData(0, kRowKeyRole, key);
    row->setData(0, kRowIconRole, icon);
    row->setIcon(0, IconLibrary::icon(icon));
    return row;
}

}  // namespace

void fillValueList(QTreeWidget* list, const std::vector<ValueRow>& rows) {
    list->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const ValueRow& row : rows)
        items.push_back(makeRow(fromAnsi(row.key), fromAnsi(row.text), fromAnsi(row.icon), {fromAnsi(row.data)}));
    list->addTopLevelItems(items);
    list->setSortingEnabled(true);
    list->sortByColumn(0, Qt::AscendingOrder);
}

RegistryPage::RegistryPage(RegistrySources sources, QWidget* parent)
    : QWidget(parent), m_sources(std::move(sources)) {
    setObjectName(QStringLiteral("picReg"));
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("tvwReg"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lvwReg"));
    m_list->setColumnCount(4);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setSectionsClickable(true);
    m_list->header()->setSortIndicatorShown(true);
    setHeaders(false);

    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(m_tree);
    split->addWidget(m_list);
    split->setStretchFactor(1, 1);
    split->setSizes({220, 660});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);

    m_nodes = std::make_unique<KeyedTree>(m_tree);
    followSelectedImages(m_tree);
    buildTree();
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* now) { nodeChosen(now); });
    connect(m_tree, &QTreeWidget::itemExpanded, this, &RegistryPage::nodeExpanded);
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* row) { rowActivated(row); });
    connect(m_list->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_list->setSortingEnabled(true);
        m_list->sortByColumn(column, m_list->header()->sortIndicatorOrder());
    });
}

RegistryPage::~RegistryPage() = default;

void RegistryPage::buildTree() {
    const QString root = QString::fromLatin1(kRegistryRootKey.data(), static_cast<qsizetype>(kRegistryRootKey.size()));
    const QString software = QString::fromLatin1(kSoftwareKey.data(), static_cast<qsizetype>(kSoftwareKey.size()));
    const QString objects = QString::fromLatin1(kObjectsKey.data(), static_cast<qsizetype>(kObjectsKey.size()));
    const QString dummy = QString::fromLatin1(kPlaceholderKey.data(), static_cast<qsizetype>(kPlaceholderKey.size()));
    QTreeWidgetItem* top = m_nodes->add(nullptr, root, tr("Registry"), QStringLiteral("reg"), QStringLiteral("reg"));
    m_nodes->add(&root, software, tr("Software Settings"), QStringLiteral("close"), QStringLiteral("close"), true);
    m_nodes->add(&software, dummy, dummy, QString(), QString());
    m_nodes->add(&root, objects, tr("Installed Objects"), QStringLiteral("close"), QStringLiteral("close"), true);
    top->setExpanded(true);
}

void RegistryPage::setHeaders(bool objects) {
    m_list->setHeaderLabels(objects ? QStringList{tr("Object"), tr("Version"), tr("CLSID"), tr("Path")}
                                    : QStringList{tr("Name"), tr("Data"), QString(), QString()});
    // Room for a typical object name and a whole CLSID; a value's data takes the rest.
    const QFontMetrics metrics = m_list->fontMetrics();
    const int clsid = metrics.horizontalAdvance(QStringLiteral("{00000000-0000-0000-0000-000000000000}")) + 16;
    if (objects) {
        m_list->setColumnWidth(0, metrics.horizontalAdvance(QLatin1Char('x')) * 30);
        m_list->setColumnWidth(1, metrics.horizontalAdvance(QStringLiteral("Version")) + 24);
        m_list->setColumnWidth(2, clsid);
    } else {
        m_list->setColumnWidth(0, metrics.horizontalAdvance(QLatin1Char('x')) * 30);
        m_list->setColumnWidth(1, clsid * 2);
    }
}

QString RegistryPage::selectedNodeKey() const {
    return KeyedTree::keyOf(m_tree->currentItem());
}

QString RegistryPage::selectedNodeText() const {
    QTreeWidgetItem* item = m_tree->currentItem();
    return item ? item->text(0) : QString();
}

QTreeWidgetItem* RegistryPage::selectedRow() const {
    QTreeWidgetItem* row = m_list->currentItem();
    return row && row->isSelected() ? row : nullptr;
}

QString RegistryPage::selectedRowKey() const {
    return rowKey(selectedRow());
}

QString RegistryPage::rowKey(const QTreeWidgetItem* row) {
    return row ? row->data(0, kRowKeyRole).toString() : QString();
}

QString RegistryPage::rowIcon(const QTreeWidgetItem* row) {
    return row ? row->data(0, kRowIconRole).toString() : QString();
}

void RegistryPage::setRowData(QTreeWidgetItem* row, const QString& data) {
    if (row) row->setText(1, data);
}

void RegistryPage::chooseNode(const QString& key) {
    if (QTreeWidgetItem* item = m_nodes->find(key)) {
        if (m_tree->currentItem() == item)
            nodeChosen(item);
        else
            m_tree->setCurrentItem(item);
    }
}

void RegistryPage::expandNode(const QString& key) {
    if (QTreeWidgetItem* item = m_nodes->find(key)) {
        if (item->isExpanded())
            nodeExpanded(item);
        else
            item->setExpanded(true);
    }
}

void RegistryPage::nodeExpanded(QTreeWidgetItem* item) {
    const std::string key = toAnsi(KeyedTree::keyOf(item));
    if (!isSettingsNode(key) || item->childCount() != 1) return;
    BusyPointer busy;
    setHeaders(false);
    m_list->clear();
    fillSubkeys(m_sources.store, Hive::CurrentUser, key, *m_nodes);
    m_nodes->remove(m_nodes->find(QString::fromLatin1(kPlaceholderKey.data(), static_cast<qsizetype>(kPlaceholderKey.size()))));
}

void RegistryPage::nodeChosen(QTreeWidgetItem* item) {
    const QString key = KeyedTree::keyOf(item);
    if (key == QLatin1String(kSoftwareKey.data(), static_cast<qsizetype>(kSoftwareKey.size()))) {
        setHeaders(false);
        m_list->clear();
        m_keyCommands = false;
    } else if (key == QLatin1String(kObjectsKey.data(), static_cast<qsizetype>(kObjectsKey.size()))) {
        setHeaders(true);
        listObjects(item);
        m_keyCommands = m_list->topLevelItemCount() > 0;
    } else if (key.contains(QLatin1Char('\\'))) {
        setHeaders(false);
        listKeyValues(key);
        m_keyCommands = true;
    }
}

void RegistryPage::listKeyValues(const QString& keyPath) {
    fillValueList(m_list, listValues(m_sources.store, Hive::CurrentUser, toAnsi(keyPath)));
}

void RegistryPage::listObjects(QTreeWidgetItem* node) {
    BusyPointer busy;
    m_list->clear();
    // A machine with thousands of classes takes a while: the listing runs on a worker thread with
    // the window painting, and a progress dialog when it is long.
    std::atomic<std::size_t> done{0};
    std::atomic<std::size_t> total{0};
    QProgressDialog progress(tr("Reading the installed objects..."), QString(), 0, 0, window());
    progress.setWindowTitle(tr("Installed Objects"));
    progress.setMinimumDuration(400);
    progress.setAutoClose(false);
    progress.reset();
    QTimer tick;
    tick.setInterval(100);
    connect(&tick, &QTimer::timeout, &progress, [&] {
        if (total.load() < kObjectsWorthAProgressBar) return;
        progress.setMaximum(static_cast<int>(total.load()));
        progress.setValue(static_cast<int>(done.load()));
    });
    tick.start();
    const RegistrySources& sources = m_sources;
    std::vector<ObjectRow> rows = runWhilePainting([&sources, &done, &total] {
        return listInstalledObjects(sources.store, sources.folders, sources.files, [&](std::size_t n, std::size_t of) {
            done = n;
            total = of;
            return true;
        });
    });
    tick.stop();
    progress.reset();

    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const ObjectRow& row : rows)
        items.push_back(makeRow(fromAnsi(row.clsid), fromAnsi(row.text), fromAnsi(row.icon),
                                {fromAnsi(row.version), fromAnsi(row.clsid), fromLocalPath(row.path)}));
    m_list->addTopLevelItems(items);
    m_list->setSortingEnabled(true);
    m_list->sortByColumn(3, Qt::AscendingOrder);
    if (node) node->setText(0, fromAnsi(installedObjectsNodeText(rows.size())));
}

void RegistryPage::removeNode(const QString& key) {
    QTreeWidgetItem* item = m_nodes->find(key);
    if (!item) return;
    m_nodes->remove(item);
    const QString now = selectedNodeKey();
    if (now.contains(QLatin1Char('\\')))
        listKeyValues(now);
    else
        m_list->clear();
}

void RegistryPage::rowActivated(QTreeWidgetItem* row) {
    const QString icon = rowIcon(row);
    if (icon == QLatin1String("class") || icon == QLatin1String("class1"))
        emit objectRowActivated(row);
    else
        emit valueRowActivated(row);
}

}  // namespace tally
