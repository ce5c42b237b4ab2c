#pragma once
// "Full Object View" (frmFull): one installed object's whole key under HKEY_CLASSES_ROOT\CLSID as
// a tree read lazily, and the values of the chosen key.

#include <QDialog>

#include "core/registry/RegistryStore.h"

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tally {

class KeyedTree;

class FullObjectView : public QDialog {
    Q_OBJECT
public:
    FullObjectView(const RegistryStore& store, const QString& clsid, QWidget* parent = nullptr);
    ~FullObjectView() override;

    QTreeWidget* tree() const { return m_tree; }
    QTreeWidget* list() const { return m_list; }
    QPushButton* closeButton() const { return m_close; }
    // Chooses and expands nodes as a click and the expand button do.
    void chooseNode(const QString& key);
    void expandNode(const QString& key);

private:
    void nodeChosen(QTreeWidgetItem* item);
    void nodeExpanded(QTreeWidgetItem* item);

    const RegistryStore& m_store;
    QTreeWidget* m_tree;
    QTreeWidget* m_list;
    QPushButton* m_close;
    std::unique_ptr<KeyedTree> m_nodes;
};

}  // namespace tally
