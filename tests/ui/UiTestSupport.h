#pragma once
// Shared pieces of the window tests: a main window with scripted dialogs, the sample project, and
// readers of what the views show.

#include <QAbstractItemModel>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <string>

#include "ScriptedPrompts.h"
#include "core/engine/ScanProject.h"
#include "core/parser/ParseDriver.h"
#include "core/project/FileVersion.h"
#include "core/project/ProjectReader.h"
#include "core/registry/MemoryRegistryStore.h"
#include "core/scanfile/ScanFileWriter.h"
#include "ui/app/MainWindow.h"
#include "ui/registry/RegistryPage.h"
#include "ui/review/PanelRowsView.h"

namespace tally::test {

inline QString samplePath() {
    return QStringLiteral(TALLY_SOURCE_DIR "/examples/sample/Hourglass.vbp");
}

// The bytes of a file; empty when it cannot be read.
inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Copies the files of a folder of the source tree into `target` (made if need be), the project file
// `project` under the name `renamed` if one is given; the copied project's path.
inline QString copySource(const QString& source, const QString& target, const QString& project,
                          QString renamed = {}) {
    if (renamed.isEmpty()) renamed = project;
    QDir from(QStringLiteral(TALLY_SOURCE_DIR "/") + source), to(target);
    to.mkpath(QStringLiteral("."));
    for (const QString& name : from.entryList(QDir::Files))
        QFile::copy(from.filePath(name), to.filePath(name == project ? renamed : name));
    return to.filePath(renamed);
}

// A main window whose dialogs are scripted and whose shell only records.
// Its registry (the Registry tab's and the settings') is kept in memory, so tests leave the user's
// own untouched.
struct Harness {
    // `setUp` may fill the registry and change the services before the window is made.
    explicit Harness(ParseFunction parse = runParse,
                     const std::function<void(Harness&, MainWindowServices&)>& setUp = {})
        : window([&] {
              MainWindowServices services{prompts, shell, versions, NumberLocale{}, parse, &registrySources};
              if (setUp) setUp(*this, services);
              return std::make_unique<MainWindow>(std::move(services));
          }()) {}

    // Starts the window empty and shows it, active; false when it could not be shown.
    bool show() {
        window->startUp();
        window->resize(1180, 760);
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowExposed(window.get());
    }
    // Shows the window and opens the project (the sample by default) through the parse dialog.
    bool openShown(const QString& project = samplePath()) {
        if (!show()) return false;
        window->openProjectFile(project);
        return true;
    }

    ScriptedPrompts prompts;
    RecordingShell shell;
    NoFileVersions versions;
    MemoryRegistryStore registry;
    DiskServerFiles serverFiles{"/nonexistent-wine-prefix"};
    RegistrySources registrySources{registry, serverFiles, ObjectFolders{}};
    std::unique_ptr<MainWindow> window;
};

// The full path of the project file whose name is `fileName`, from the tree's keys.
inline std::string fileKey(MainWindow& window, const std::string& fileName) {
    for (const TreeNode* node : window.model().tree.additionOrder())
        if (node->key.size() > fileName.size() && node->key.view().ends_with("/" + fileName)) return node->key.str();
    return {};
}

// The texts of one column of an item model.
inline QStringList columnTexts(const QAbstractItemModel* model, int column = 0) {
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row) texts << model->index(row, column).data().toString();
    return texts;
}

// The rows of a list widget as "text|sub1|sub2", bold rows marked with a leading "*".
inline QStringList rowTexts(const QTreeWidget* view) {
    QStringList rows;
    for (int i = 0; i < view->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = view->topLevelItem(i);
        QStringList cells;
        for (int column = 0; column < view->columnCount(); ++column) cells << item->text(column);
        while (cells.size() > 1 && cells.back().isEmpty()) cells.removeLast();
        rows << (item->font(0).bold() ? QStringLiteral("*") : QString()) + cells.join(QLatin1Char('|'));
    }
    return rows;
}

// A real double click on a cell: a click, then the second press that the system reports as a
// double click.
inline void doubleClick(QAbstractItemView* view, const QModelIndex& index) {
    QCoreApplication::processEvents();
    view->scrollTo(index);
    QPoint centre = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
}

// Parses the sample project with the core alone and saves its scan file at `path`.
inline bool writeSampleScan(const std::string& path) {
    ProjectModel model;
    NoFileVersions versions;
    NullParseProgress progress;
    CancelFlag cancel{false};
    const std::string sample = samplePath().toStdString();
    if (!scanProject(model, ScanRequest{sample, versions, progress, cancel})) return false;
    return saveScanFile(model, path).ok;
}

}  // namespace tally::test
