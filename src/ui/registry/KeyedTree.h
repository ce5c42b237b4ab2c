#pragma once
// A QTreeWidget whose nodes are found by key, as the registry trees (tvwReg, tvwFullView) address
// them. Children of a sorted node are kept in order of their text as they are added; each node
// remembers its creation number (1 for the first), which the Full Object View asks about.

#include <QHash>
#include <QTreeWidget>

#include "core/registry/SubkeyFill.h"

namespace tally {

class KeyedTree final : public RegistryTreeSink {
public:
    explicit KeyedTree(QTreeWidget* tree) : m_tree(tree) {}

    // Adds a node; null when the key exists already or the parent is missing. A null parent key
    // adds a top-level node.
    QTreeWidgetItem* add(const QString* parentKey, const QString& key, const QString& text, const QString& image,
                         const QString& selectedImage, bool sorted = false);
    QTreeWidgetItem* find(const QString& key) const { return m_items.value(key, nullptr); }
    // Removes a node and everything below it.
    void remove(QTreeWidgetItem* item);
    void clear();

    // RegistryTreeSink: settings and object keys as "close"/"open" nodes, kept sorted.
    void addKeyNode(std::string_view parentKey, const std::string& key, const std::string& text) override;

    static QString keyOf(const QTreeWidgetItem* item);
    static int indexOf(const QTreeWidgetItem* item);

private:
    void forget(QTreeWidgetItem* item);

    QTreeWidget* m_tree;
    QHash<QString, QTreeWidgetItem*> m_items;
    int m_created = 0;
};

// Shows a node's image, or its selected image while it is selected (kept in the item's data).
void followSelectedImages(QTreeWidget* tree);

}  // namespace tally
