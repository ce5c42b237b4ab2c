#pragma once
// The recent files entries of the Project menu (mnuMRU): a separator and up to four files, the
// newest first, read from the settings key. Choosing one asks the window to open it.

#include <QObject>
#include <QString>

#include "core/registry/RegistryStore.h"
#include "core/settings/RecentFiles.h"

class QAction;
class QMenu;

namespace tally {

class RecentFilesMenu : public QObject {
    Q_OBJECT
public:
    // Inserts the entries into `menu` before `before`.
    RecentFilesMenu(RegistryStore& store, QMenu* menu, QAction* before);

    // LoadMRU: shows the stored list.
    void load();
    // AddToMRU: puts a file at the top (one already listed keeps its place) and shows the list.
    void add(const QString& path);

    // Index 0 is the separator, 1 to 4 the entries.
    QAction* item(int index) const { return m_items[index]; }
    QString path(int entry) const;

signals:
    void fileChosen(const QString& path);

private:
    RegistryStore& m_store;
    RecentFiles m_shown;
    QAction* m_items[kRecentFileCount + 1] = {};
};

}  // namespace tally
