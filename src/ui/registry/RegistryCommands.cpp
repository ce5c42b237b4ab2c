#include "ui/registry/RegistryCommands.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QTreeWidget>

#include "core/os/SafeFileWriter.h"
#include "core/registry/InstalledObjects.h"
#include "core/registry/RegistryExport.h"
#include "core/registry/RegistryMessages.h"
#include "core/registry/SubkeyFill.h"
#include "core/registry/ValueEditor.h"
#include "core/text/TextOps.h"
#include "ui/common/AnsiText.h"
#include "ui/common/SaveOverCheck.h"
#include "ui/registry/EditValueDialog.h"
#include "ui/registry/FullObjectView.h"
#include "ui/registry/RegistryPage.h"

namespace tally {

namespace {

QString qText(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The menu's captions by item index; the empty one is the separator.
constexpr std::string_view kItemCaptions[] = {
    "&Back Up Registry Key", "&Delete Registry Key", "", "Register an Object", "Unregister", "Full Listing",
    "Properties",
};

// The first 17 characters of the objects node's text, whatever count follows them.
bool isObjectsNodeText(const QString& text) {
    return text.startsWith(QLatin1String("Installed Objects"));
}

}  // namespace

RegistryCommands::RegistryCommands(RegistryCommandServices services, QWidget* window)
    : QObject(window), m_services(std::move(services)), m_window(window) {
    m_menu = new QMenu(tr("&Registry"), window);
    m_menu->setObjectName(QStringLiteral("mnuRegTop"));
    int index = 0;
    for (std::string_view caption : kItemCaptions) {
        QAction* action = caption.empty() ? m_menu->addSeparator() : m_menu->addAction(qText(caption));
        action->setObjectName(QStringLiteral("mnuReg%1").arg(index++));
        m_items.push_back(action);
    }
    connect(m_items[kBackUpKeyItem], &QAction::triggered, this, &RegistryCommands::backUpKey);
    connect(m_items[kDeleteKeyItem], &QAction::triggered, this, &RegistryCommands::deleteKey);
    connect(m_items[kRegisterItem], &QAction::triggered, this, &RegistryCommands::registerObject);
    // "Unregister" is offered with the other object commands but has nothing to do yet.
    connect(m_items[kFullListingItem], &QAction::triggered, this, &RegistryCommands::fullListing);
    connect(m_items[kPropertiesItem], &QAction::triggered, this, &RegistryCommands::properties);
    connect(m_menu, &QMenu::aboutToShow, this, &RegistryCommands::updateMenu);

    RegistryPage& page = m_services.page;
    connect(&page, &RegistryPage::valueRowActivated, this, &RegistryCommands::editValue);
    connect(&page, &RegistryPage::objectRowActivated, this, [this] { fullListing(); });
    updateMenu();
}

QAction* RegistryCommands::item(int index) const {
    return index >= 0 && index < m_items.size() ? m_items[index] : nullptr;
}

void RegistryCommands::updateMenu() {
    const RegistryPage& page = m_services.page;
    const bool shown = m_services.registryTabShown && m_services.registryTabShown();
    const bool nodeChosen = shown && !page.selectedNodeKey().isEmpty();
    const bool objects = nodeChosen && isObjectsNodeText(page.selectedNodeText());
    m_items[kBackUpKeyItem]->setEnabled(nodeChosen && page.keyCommandsEnabled());
    m_items[kDeleteKeyItem]->setEnabled(nodeChosen && page.keyCommandsEnabled());
    for (int index : {kRegisterItem, kUnregisterItem, kFullListingItem, kPropertiesItem})
        m_items[index]->setEnabled(objects);
}

std::optional<RegistryTarget> RegistryCommands::target() const {
    const RegistryPage& page = m_services.page;
    std::optional<RegistryTarget> found = registryTarget(toAnsi(page.selectedNodeKey()), toAnsi(page.selectedRowKey()));
    if (!found || trim(found->keyPath).empty()) return std::nullopt;
    return found;
}

void RegistryCommands::notify(const QString& text, MessageIcon icon) {
    m_services.prompts.notify(text, icon, applicationTitle());
}

void RegistryCommands::backUpKey() {
    if (std::optional<RegistryTarget> chosen = target()) exportKey(*chosen);
}

bool RegistryCommands::exportKey(const RegistryTarget& target) {
    QString path = m_services.prompts.chooseSaveFile(qText(kSaveFileTitle), qText(kRegistryFileFilter), QString());
    if (path.isEmpty()) return false;
    // The filter's first pattern gives the extension a name typed without one.
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".reg");
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const std::string local = toLocalPath(absolute);
    std::optional<bool> agreed = confirmSaveOver(m_services.prompts, local);
    if (!agreed) return false;
    const std::string text = exportKeyText(m_services.page.store(), target.hive, target.keyPath);
    Outcome written = SafeFileWriter(local).write(text, *agreed);
    if (!written.ok) {
        // A backup that was not made must not be taken for one.
        notify(fromAnsi(written.description) + QStringLiteral("\n\n") + fromLocalPath(written.detail),
               MessageIcon::Exclamation);
        return false;
    }
    notify(fromAnsi(exportDoneMessage(toAnsi(QFileInfo(absolute).fileName()))), MessageIcon::None);
    return true;
}

void RegistryCommands::deleteKey() {
    std::optional<RegistryTarget> chosen = target();
    if (!chosen) return;
    UserPrompts& prompts = m_services.prompts;
    if (prompts.askYesNo(qText(kDeleteBackupQuestion), applicationTitle())) exportKey(*chosen);
    if (!prompts.askYesNo(qText(kDeleteConfirm), applicationTitle())) return;
    RegistryPage& page = m_services.page;
    RegistryStore& store = page.store();
    if (!store.deleteKey(chosen->hive, chosen->keyPath)) {
        // The key is still there: its node or row stays, and the user learns why when the store
        // can say.
        const std::string why = store.writeRefusal();
        notify(why.empty() ? tr("The registry key could not be deleted.") : fromAnsi(why), MessageIcon::Exclamation);
        return;
    }
    if (chosen->object)
        delete page.selectedRow();
    else
        page.removeNode(page.selectedNodeKey());
}

void RegistryCommands::registerObject() {
    const QString path =
        m_services.prompts.chooseSaveFile(qText(kSaveFileTitle), qText(kObjectFileFilter), QString());
    if (path.isEmpty()) return;
    Outcome started = shellRun(m_services.shell, "regsvr32.exe", toLocalPath(path));
    if (!started.ok) notify(fromAnsi(started.message), MessageIcon::Exclamation);
}

void RegistryCommands::fullListing() {
    const QString clsid = m_services.page.selectedRowKey();
    if (clsid.isEmpty()) {
        notify(qText(kSelectObjectFirst), MessageIcon::Information);
        return;
    }
    FullObjectView view(m_services.page.store(), clsid, m_window);
    view.exec();
}

void RegistryCommands::properties() {
    const RegistryPage& page = m_services.page;
    const QString clsid = page.selectedRowKey();
    if (clsid.isEmpty()) {
        notify(qText(kSelectObjectFirst), MessageIcon::Information);
        return;
    }
    const RegistrySources& sources = page.sources();
    ObjectInfo info = getObjectInfo(sources.store, toAnsi(clsid), sources.folders, sources.files);
    if (!info.found) {
        notify(qText(kObjectFileNotFound), MessageIcon::Information);
        return;
    }
    showFileProperties(m_window, fromLocalPath(info.diskPath), m_services.versions);
}

void RegistryCommands::editValue(QTreeWidgetItem* row) {
    RegistryPage& page = m_services.page;
    if (!row) return;
    ValueEditTarget edit{Hive::CurrentUser, toAnsi(page.selectedNodeKey()), toAnsi(row->text(0)),
                         toAnsi(RegistryPage::rowKey(row))};
    std::optional<ValueEditor> editor = ValueEditor::open(page.store(), edit);
    if (!editor) return;
    EditValueDialog dialog(std::move(*editor), page.store(), m_services.prompts, m_window);
    dialog.exec();
    if (!dialog.writtenRowData().isEmpty()) RegistryPage::setRowData(row, dialog.writtenRowData());
}

}  // namespace tally
