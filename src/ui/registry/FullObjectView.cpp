#include "ui/registry/FullObjectView.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/registry/RegistryMessages.h"
#include "core/registry/RegistryValues.h"
#include "ui/common/AnsiText.h"
#include "ui/common/IconLibrary.h"
#include "ui/registry/KeyedTree.h"
#include "ui/registry/RegistryPage.h"

namespace tally {

namespace {

// The three fixed nodes above the object's own subkeys.
constexpr int kFixedNodes = 3;

}  // namespace

FullObjectView::FullObjectView(const RegistryStore& store, const QString& clsid, QWidget* parent)
    : QDialog(parent), m_store(store) {
    setObjectName(QStringLiteral("frmFull"));
    setWindowTitle(tr("Full Object View"));
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("tvwFullView"));
    m_tree->setHeaderHidden(true);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lvwFullView"));
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({tr("Name"), tr("Data")});
    m_list->setRootIsDecorated(false);
    m_close = new QPushButton(tr("Close"), this);
    m_close->setObjectName(QStringLiteral("cmdClose"));
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(m_tree);
    split->addWidget(m_list);
    split->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_close);
    layout->addLayout(buttons);
    resize(720, 420);

    m_nodes = std::make_unique<KeyedTree>(m_tree);
    followSelectedImages(m_tree);
    const QString root = QStringLiteral("HKEY_CLASSES_ROOT");
    const QString classes = QStringLiteral("CLSID");
    const QString object = classes + QLatin1Char('\\') + clsid;
    const QString close = QStringLiteral("close");
    const QString open = QStringLiteral("open");
    m_nodes->add(nullptr, root, root, close, open);
    m_nodes->add(&root, classes, classes, close, open);
    QTreeWidgetItem* last = m_nodes->add(&classes, object, clsid, close, open, true);
    fillSubkeys(m_store, Hive::ClassesRoot, toAnsi(object), *m_nodes);
    m_tree->expandToDepth(1);
    if (last) m_tree->scrollToItem(last);
    m_tree->scrollToItem(m_tree->topLevelItem(0));

    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* now) { nodeChosen(now); });
    connect(m_tree, &QTreeWidget::itemExpanded, this, &FullObjectView::nodeExpanded);
}

FullObjectView::~FullObjectView() = default;

void FullObjectView::chooseNode(const QString& key) {
    if (QTreeWidgetItem* item = m_nodes->find(key)) m_tree->setCurrentItem(item);
}

void FullObjectView::expandNode(const QString& key) {
    if (QTreeWidgetItem* item = m_nodes->find(key)) {
        if (item->isExpanded())
            nodeExpanded(item);
        else
            item->setExpanded(true);
    }
}

void FullObjectView::nodeExpanded(QTreeWidgetItem* item) {
    if (KeyedTree::indexOf(item) <= kFixedNodes || item->childCount() != 1) return;
    fillSubkeys(m_store, Hive::ClassesRoot, toAnsi(KeyedTree::keyOf(item)), *m_nodes);
}

void FullObjectView::nodeChosen(QTreeWidgetItem* item) {
    if (!item) return;
    if (KeyedTree::indexOf(item) >= kFixedNodes)
        fillValueList(m_list, listValues(m_store, Hive::ClassesRoot, toAnsi(KeyedTree::keyOf(item))));
    else
        m_list->clear();
    if (m_list->topLevelItemCount() == 0) {
        auto* row = new QTreeWidgetItem(QStringList{QString::fromLatin1(kDefaultValueName.data(), kDefaultValueName.size()),
                                                    QString::fromLatin1(kValueNotSet.data(), kValueNotSet.size())});
        row->setIcon(0, IconLibrary::icon("strdata"));
        m_list->addTopLevelItem(row);
    }
}

}  // namespace tally
