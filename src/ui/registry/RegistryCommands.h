#pragma once
// The Registry menu (mnuRegTop) and what its items do to the key or object chosen on the Registry
// tab: back it up to an export file, delete it, register a server, list an object's whole key,
// show its server file's properties; and the value editor a double-clicked value row opens.

#include <QObject>
#include <functional>

#include "core/project/VersionInfo.h"
#include "core/registry/RegistryCommandTarget.h"
#include "core/settings/ShellRunner.h"
#include "ui/common/UserPrompts.h"

class QAction;
class QMenu;
class QTreeWidgetItem;
class QWidget;

namespace tally {

class RegistryPage;

// Indices of the menu's items; 2 is the separator.
enum RegistryMenuItem {
    kBackUpKeyItem = 0,
    kDeleteKeyItem = 1,
    kRegisterItem = 3,
    kUnregisterItem = 4,
    kFullListingItem = 5,
    kPropertiesItem = 6,
};

struct RegistryCommandServices {
    RegistryPage& page;
    UserPrompts& prompts;
    ShellRunner& shell;
    const VersionInfoSource& versions;
    // Whether the Registry tab is the one in front (the menu acts on nothing otherwise).
    std::function<bool()> registryTabShown;
};

class RegistryCommands : public QObject {
    Q_OBJECT
public:
    RegistryCommands(RegistryCommandServices services, QWidget* window);

    QMenu* menu() const { return m_menu; }
    QAction* item(int index) const;
    // The enabling rules, as opening the menu applies them.
    void updateMenu();

    // The menu items' commands; each does nothing without a target it can act on.
    void backUpKey();
    void deleteKey();
    void registerObject();
    void fullListing();
    void properties();
    // The value editor for a row of the value list.
    void editValue(QTreeWidgetItem* row);

private:
    std::optional<RegistryTarget> target() const;
    // ExportKey: asks for the file and writes the key's export file; true once written.
    bool exportKey(const RegistryTarget& target);
    void notify(const QString& text, MessageIcon icon);

    RegistryCommandServices m_services;
    QWidget* m_window;
    QMenu* m_menu;
    QList<QAction*> m_items;
};

// Shows a server file's properties: the shell's Properties sheet on Windows, our own small dialog
// elsewhere.
void showFileProperties(QWidget* parent, const QString& path, const VersionInfoSource& versions);

}  // namespace tally
