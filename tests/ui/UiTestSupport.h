#pragma once
// Shared pieces of the window tests: a main window with scripted dialogs, the sample project, and
// readers of what the views show.

#include <QAbstractItemModel>
#include <QStringList>
#include <QTest>
#include <QTreeWidget>
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

// A main window whose dialogs are scripted and whose shell only records.
// Its registry (the Registry tab's and the settings') is kept in memory, so tests leave the user's
// own untouched.
struct Harness {
    explicit Harness(ParseFunction parse = runParse)
        : window(std::make_unique<MainWindow>(
              MainWindowServices{prompts, shell, versions, NumberLocale{}, parse, &registrySources})) {}

    // Starts the window empty, shows it and opens the project (the sample by default) through the
    // parse dialog; false when the window could not be shown.
    bool openShown(const QString& project = samplePath()) {
        window->startUp();
        window->resize(1180, 760);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get())) return false;
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
