#include "ui/app/RecentFilesMenu.h"

#include <QAction>
#include <QMenu>

#include "ui/common/AnsiText.h"

namespace tally {

RecentFilesMenu::RecentFilesMenu(RegistryStore& store, QMenu* menu, QAction* before)
    : QObject(menu), m_store(store) {
    m_items[0] = new QAction(menu);
    m_items[0]->setSeparator(true);
    m_items[0]->setObjectName(QStringLiteral("mnuMRU0"));
    menu->insertAction(before, m_items[0]);
    for (int entry = 1; entry <= kRecentFileCount; ++entry) {
        auto* action = new QAction(menu);
        action->setObjectName(QStringLiteral("mnuMRU%1").arg(entry));
        connect(action, &QAction::triggered, this, [this, entry] { emit fileChosen(path(entry)); });
        menu->insertAction(before, action);
        m_items[entry] = action;
    }
    load();
}

QString RecentFilesMenu::path(int entry) const {
    if (entry < 1 || entry > kRecentFileCount) return {};
    return fromLocalPath(m_shown[static_cast<std::size_t>(entry - 1)]);
}

void RecentFilesMenu::load() {
    m_shown = loadRecentFiles(m_store);
    bool any = false;
    for (int entry = 1; entry <= kRecentFileCount; ++entry) {
        const std::string& file = m_shown[static_cast<std::size_t>(entry - 1)];
        QAction* action = m_items[entry];
        action->setVisible(!file.empty());
        // A "&" of the file name is shown as itself, not taken for the menu's access key.
        action->setText(fromLocalPath(recentFileCaption(file)).replace(QLatin1Char('&'), QStringLiteral("&&")));
        action->setToolTip(fromLocalPath(file));
        any = any || !file.empty();
    }
    m_items[0]->setVisible(any);
}

void RecentFilesMenu::add(const QString& path) {
    addRecentFile(m_store, m_shown, toLocalPath(path));
    load();
}

}  // namespace tally
