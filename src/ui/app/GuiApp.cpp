#include "ui/app/GuiApp.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/registry/ServerFileVersions.h"
#include "platform/desktop/AssociationChoice.h"
#include "platform/registry/RegistryStoreChoice.h"
#include "ui/registry/RegistryPage.h"
#include "platform/ShellRunnerChoice.h"
#include "platform/SystemLocale.h"
#include "ui/app/AppStyle.h"
#include "ui/app/GuiArguments.h"
#include "ui/app/MainWindow.h"
#include "ui/common/DialogPrompts.h"

namespace tally {

int runGui(int argc, char** argv) {
    // --help and --version are answered before a display is needed.
    if (asksForHelpOrVersion(argc, argv)) {
        QStringList args;
        for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
        GuiParseResult parsed = parseGuiArguments(args);
        if (parsed.arguments.help)
            std::fputs(guiUsage().toLocal8Bit().constData(), stdout);
        else
            std::fputs("tallyscan6 6.0.0\n", stdout);
        return 0;
    }

    // Without a display Qt would abort with a message about platform plugins; say what to do instead.
    bool platformGiven = std::getenv("QT_QPA_PLATFORM") != nullptr;
    for (int i = 1; i < argc; ++i) platformGiven = platformGiven || !std::strcmp(argv[i], "-platform");
    if (!platformGiven && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        std::fputs(
            "tallyscan6: no display (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
            "Run it on a desktop, under xvfb-run, or use tallyscan6-cli for the same analysis.\n",
            stderr);
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallyscan 6"));
    QApplication::setApplicationVersion(QStringLiteral("6.0.0"));
    QStringList args = QApplication::arguments();
    args.removeFirst();
    GuiParseResult parsed = parseGuiArguments(args);
    if (!parsed.ok) {
        std::fprintf(stderr, "tallyscan6: %s\nTry 'tallyscan6 --help'.\n",
                     parsed.error.toLocal8Bit().constData());
        return 2;
    }
    applyAppStyle(app);

    DialogPrompts prompts;
    std::unique_ptr<ShellRunner> shellRunner = makeSystemShellRunner();
    ShellRunner& shell = *shellRunner;
    // The registry the Registry tab browses, and this machine's files: the servers it names and the
    // libraries a project names are looked up in the same places (under Wine, in the prefix).
    std::unique_ptr<RegistryStore> registry = openSystemRegistryStore();
    DiskServerFiles serverFiles(wineRegistryFolder());
    const RegistrySources sources{*registry, serverFiles, objectFoldersOf(serverFiles)};
    ServerFileVersions versions(serverFiles, sources.folders);
    std::unique_ptr<FileAssociation> association = openSystemAssociation(*registry);
    MainWindowServices services{prompts, shell, versions, systemNumberLocale(), {}, &sources};
    services.association = association.get();
    MainWindow window(std::move(services));
    prompts.setParent(&window);
    window.startUp(parsed.arguments.scanFile);
    window.show();
    if (!parsed.arguments.projectFile.isEmpty()) {
        QString project = parsed.arguments.projectFile;
        // The parse dialog is modal: it is opened once the window is on screen and the loop runs.
        QTimer::singleShot(0, &window, [&window, project] { window.openProjectFile(project); });
    }
    return app.exec();
}

}  // namespace tally
