// The desktop program's small parts: its command line, text conversion at the widget boundary, the
// file dialog filters, and the icons behind every image key.

#include <QtTest>

#include "ui/app/GuiArguments.h"
#include "ui/common/AnsiText.h"
#include "ui/common/DialogPrompts.h"
#include "ui/common/IconLibrary.h"

using namespace tally;

class WidgetPartsTest : public QObject {
    Q_OBJECT

private slots:
    void theCommandLineTakesAQuotedScanFileOrAProject() {
        GuiParseResult quoted = parseGuiArguments({QStringLiteral("\"/home/me/My Scans/a.psf\"")});
        QVERIFY(quoted.ok);
        QCOMPARE(quoted.arguments.scanFile, QStringLiteral("/home/me/My Scans/a.psf"));
        QVERIFY(parseGuiArguments({}).ok);

        GuiParseResult project =
            parseGuiArguments({QStringLiteral("--project"), QStringLiteral("x/Hourglass.vbp")});
        QVERIFY(project.ok);
        QCOMPARE(project.arguments.projectFile, QStringLiteral("x/Hourglass.vbp"));
        QVERIFY(parseGuiArguments({QStringLiteral("--help")}).arguments.help);

        QVERIFY(!parseGuiArguments({QStringLiteral("--project")}).ok);
        QVERIFY(!parseGuiArguments({QStringLiteral("a.psf"), QStringLiteral("b.psf")}).ok);
        GuiParseResult unknown = parseGuiArguments({QStringLiteral("--frobnicate")});
        QVERIFY(!unknown.ok);
        QCOMPARE(unknown.error, QStringLiteral("unknown option '--frobnicate'"));
    }

    void modelTextIsWindows1252NotLatin1() {
        // 0x80 is the euro sign in Windows-1252 but a control character in Latin-1.
        QCOMPARE(fromAnsi("Totals (\x80)"), QStringLiteral("Totals (€)"));
        QCOMPARE(toAnsi(QStringLiteral("€ é")), std::string("\x80 \xE9"));
        for (int byte = 0; byte < 256; ++byte) {
            std::string one(1, static_cast<char>(byte));
            QCOMPARE(toAnsi(fromAnsi(one)), one);
        }
        QCOMPARE(toAnsi(QStringLiteral("a日b😀c\x1A")), std::string("a?b?c\x1A"));
    }

    void fileFiltersBecomeQtFiltersMatchingBothCases() {
        QCOMPARE(qtNameFilter(QStringLiteral("Project Files|*.vbp|All Files|*.*")),
                 QStringLiteral("Project Files (*.vbp *.VBP);;All Files (*)"));
        QCOMPARE(qtNameFilter(QStringLiteral("Basic Files (*.bas)|*.bas|All Files|*.*")),
                 QStringLiteral("Basic Files (*.bas *.BAS);;All Files (*)"));
    }

    void everyImageKeyHasACrispIcon() {
        const char* keys[] = {"proj",     "form",   "module",  "class", "userctl", "propsht", "code",
                              "comment",  "blank",  "control", "sub",   "func",    "prop",    "dll",
                              "drive",    "object", "open",    "close", "event",   "decs",    "decs1",
                              "var",      "var1",   "const",   "type",  "report",  "func1",   "func0",
                              "sub1",     "sub0",   "dll0",    "dll1",  "prop1",   "prop0",   "control1",
                              "control0", "event1", "event0"};
        for (const char* key : keys) {
            QIcon icon = IconLibrary::icon(key);
            QVERIFY2(!icon.isNull(), key);
            // Drawn at 16 and at 32 pixels, so 100% and 200% screens both get a sharp image.
            QCOMPARE(icon.pixmap(QSize(16, 16), 1.0).size(), QSize(16, 16));
            QCOMPARE(icon.pixmap(QSize(16, 16), 2.0).size(), QSize(32, 32));
            QVERIFY2(icon.availableSizes().contains(QSize(32, 32)), key);
        }
        QVERIFY(IconLibrary::icon("nosuchkey1").isNull());

        // The problem variant carries its red badge.
        QColor badge = IconLibrary::icon("sub1").pixmap(QSize(32, 32), 1.0).toImage().pixelColor(24, 24);
        QVERIFY(badge.red() > 180 && badge.green() < 80);
        QCOMPARE(IconLibrary::fileKindKey(QStringLiteral("/p/frmMain.FRM")), QStringLiteral("form"));
        QCOMPARE(IconLibrary::fileKindKey(QStringLiteral("/p/readme")), QString());
    }
};

QTEST_MAIN(WidgetPartsTest)
#include "WidgetPartsTest.moc"
