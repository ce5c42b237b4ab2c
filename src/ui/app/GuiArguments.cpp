#include "ui/app/GuiArguments.h"

#include <cstring>

namespace tally {

namespace {

// A path as the shell association passes it: trimmed, then one pair of surrounding quotes removed.
QString unquoted(QString text) {
    text = text.trimmed();
    if (text.startsWith(QLatin1Char('"'))) text.remove(0, 1);
    if (text.endsWith(QLatin1Char('"'))) text.chop(1);
    return text;
}

}  // namespace

GuiParseResult parseGuiArguments(const QStringList& args) {
    GuiParseResult result;
    GuiArguments& parsed = result.arguments;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            parsed.help = true;
        } else if (arg == QLatin1String("--version")) {
            parsed.version = true;
        } else if (arg == QLatin1String("--project") || arg.startsWith(QLatin1String("--project="))) {
            QString value;
            if (arg.contains(QLatin1Char('='))) {
                value = arg.section(QLatin1Char('='), 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                result.error = QStringLiteral("--project needs a project file");
                return result;
            }
            if (!parsed.projectFile.isEmpty()) {
                result.error = QStringLiteral("only one --project can be given");
                return result;
            }
            parsed.projectFile = unquoted(value);
        } else if (arg.startsWith(QLatin1String("--")) && arg.size() > 2) {
            result.error = QStringLiteral("unknown option '") + arg + QLatin1Char('\'');
            return result;
        } else {
            if (!parsed.scanFile.isEmpty()) {
                result.error = QStringLiteral("only one scan file can be opened at start-up");
                return result;
            }
            parsed.scanFile = unquoted(arg);
        }
    }
    if (!parsed.scanFile.isEmpty() && !parsed.projectFile.isEmpty()) {
        result.error = QStringLiteral("give either a scan file or --project, not both");
        return result;
    }
    result.ok = true;
    return result;
}

bool asksForHelpOrVersion(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "-h") || !std::strcmp(argv[i], "--help") ||
            !std::strcmp(argv[i], "--version"))
            return true;
    return false;
}

QString guiUsage() {
    return QStringLiteral(
        "Usage: tallyscan6 [SCAN.psf]\n"
        "       tallyscan6 --project PROJECT.vbp\n"
        "\n"
        "The Tallyscan 6 desktop program: reviews Visual Basic 6 projects.\n"
        "\n"
        "  SCAN.psf               open this project scan file at start-up (no parsing);\n"
        "                         the path may be enclosed in double quotes\n"
        "  --project PROJECT.vbp  open this project file at start-up and parse it\n"
        "  -h, --help             show this text\n"
        "  --version              print the program version\n"
        "\n"
        "Keyboard:\n"
        "  Ctrl+O  open a project            Ctrl+Shift+O  open a project scan\n"
        "  Ctrl+S  save the project scan     Ctrl+Q        exit\n"
        "  Alt+1 .. Alt+7   the seven review lists of the Code Review tab\n"
        "  Ctrl+1 .. Ctrl+5 the tabs: Routines, Code View, Code Review, Spell Check, The Registry\n"
        "  F6      move between the project tree and the tab shown\n"
        "\n"
        "Without a display use tallyscan6-cli, which runs the same analysis in a terminal.\n");
}

}  // namespace tally
