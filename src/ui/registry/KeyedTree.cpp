#include "ui/registry/KeyedTree.h"

#include "ui/common/AnsiText.h"
#include "ui/common/IconLibrary.h"

namespace tally {

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kIndexRole = Qt::UserRole + 1;
constexpr int kSortedRole = Qt::UserRole + 2;
constexpr int kImageRole = Qt::UserRole + 3;
constexpr int kSelectedImageRole = Qt::UserRole + 4;

void showImage(QTreeWidgetItem* item, bool selected) {
    const QString image = item->data(0, selected ? kSelectedImageRole : kImageRole).toString();
    item->setIcon(0, IconLibrary::icon(image));
}

}  // namespace

QString KeyedTree::keyOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, kKeyRole).toString() : QString();
}

int KeyedTree::indexOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, kIndexRole).toInt() : 0;
}

QTreeWidgetItem* KeyedTree::add(const QString* parentKey, const QString& key, const QString& text,
                                const QString& image, const QString& selectedImage, bool sorted) {
    if (m_items.contains(key)) return nullptr;
    QTreeWidgetItem* parent = parentKey ? find(*parentKey) : nullptr;
    if (parentKey && !parent) return nullptr;
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, kKeyRole, key);
    item->setData(0, kIndexRole, ++m_created);
    item->setData(0, kSortedRole, sorted);
    item->setData(0, kImageRole, image);
    item->setData(0, kSelectedImageRole, selectedImage);
    showImage(item, false);
    if (parent) {
        int at = parent->childCount();
        if (parent->data(0, kSortedRole).toBool()) {
            // After the last child that sorts before or with the text: the registry lists subkeys
            // in order already, so a key of 20 000 subkeys must not cost a scan per insertion.
            int low = 0, high = parent->childCount();
            while (low < high) {
                const int middle = low + (high - low) / 2;
                if (QString::compare(parent->child(middle)->text(0), text, Qt::CaseInsensitive) <= 0)
                    low = middle + 1;
                else
                    high = middle;
            }
            at = low;
        }
        parent->insertChild(at, item);
    } else {
        m_tree->addTopLevelItem(item);
    }
    m_items.insert(key, item);
    return item;
}

void KeyedTree::addKeyNode(std::string_view parentKey, const std::string& key, const std::string& text) {
    const QString parent = fromAnsi(parentKey);
    add(&parent, fromAnsi(key), fromAnsi(text), QStringLiteral("close"), QStringLiteral("open"), true);
}

void KeyedTree::forget(QTreeWidgetItem* item) {
    m_items.remove(keyOf(item));
    for (int i = 0; i < item->childCount(); ++i) forget(item->child(i));
}

void KeyedTree::remove(QTreeWidgetItem* item) {
    if (!item) return;
    forget(item);
    delete item;
}

void KeyedTree::clear() {
    m_items.clear();
    m_tree->clear();
    m_created = 0;
}

void followSelectedImages(QTreeWidget* tree) {
    QObject::connect(tree, &QTreeWidget::currentItemChanged, tree, [](QTreeWidgetItem* now, QTreeWidgetItem* before) {
        if (before) showImage(before, false);
        if (now) showImage(now, true);
    });
}

}  // namespace tally
