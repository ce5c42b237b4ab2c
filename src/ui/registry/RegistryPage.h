#pragma once
// "The Registry" tab (picReg): the tree tvwReg with the current user's software settings (read
// lazily) and the installed objects, and the list lvwReg of a key's values or of the objects.
// The Registry menu's commands act on what is selected here (RegistryCommands).

#include <QWidget>

#include "core/registry/InstalledObjects.h"
#include "core/registry/RegistryValues.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace tally {

class KeyedTree;

// Where the page finds the registry and the objects' server files.
struct RegistrySources {
    RegistryStore& store;
    const ServerFiles& files;
    ObjectFolders folders;
};

class RegistryPage : public QWidget {
    Q_OBJECT
public:
    RegistryPage(RegistrySources sources, QWidget* parent = nullptr);
    ~RegistryPage() override;

    QTreeWidget* tree() const { return m_tree; }
    QTreeWidget* list() const { return m_list; }
    RegistryStore& store() const { return m_sources.store; }
    const RegistrySources& sources() const { return m_sources; }

    // The selected node's key ("root", "Software", "OBJECTS" or a key path); empty without one.
    QString selectedNodeKey() const;
    QString selectedNodeText() const;
    // The selected row's key (a CLSID or "a" + type + index) and the row itself.
    QString selectedRowKey() const;
    QTreeWidgetItem* selectedRow() const;
    // Whether Back Up and Delete are offered, as the last node click left it.
    bool keyCommandsEnabled() const { return m_keyCommands; }

    // Chooses a node as a click does (lists its values or the objects).
    void chooseNode(const QString& key);
    // Expands a node as its expand button does.
    void expandNode(const QString& key);
    // Lists the values of a settings key in lvwReg.
    void listKeyValues(const QString& keyPath);
    // Removes a tree node (after its key was deleted) and lists the values of the node selected
    // afterwards.
    void removeNode(const QString& key);
    // Sets the data cell of a value row after the value editor wrote it.
    static void setRowData(QTreeWidgetItem* row, const QString& data);
    static QString rowIcon(const QTreeWidgetItem* row);
    // A row's key: the CLSID of an object row, "a" + type + index of a value row.
    static QString rowKey(const QTreeWidgetItem* row);

signals:
    // A value row was double-clicked (the value editor opens) or an object row (Full Listing).
    void valueRowActivated(QTreeWidgetItem* row);
    void objectRowActivated(QTreeWidgetItem* row);

private:
    void buildTree();
    void nodeChosen(QTreeWidgetItem* item);
    void nodeExpanded(QTreeWidgetItem* item);
    void setHeaders(bool objects);
    void listObjects(QTreeWidgetItem* node);
    void rowActivated(QTreeWidgetItem* row);

    RegistrySources m_sources;
    QTreeWidget* m_tree;
    QTreeWidget* m_list;
    std::unique_ptr<KeyedTree> m_nodes;
    bool m_keyCommands = false;
};

// Adds the rows of ListValues to a value list (lvwReg or lvwFullView), replacing what it held.
void fillValueList(QTreeWidget* list, const std::vector<ValueRow>& rows);

}  // namespace tally
