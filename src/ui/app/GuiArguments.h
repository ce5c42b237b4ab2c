#pragma once
// The command line of tallyscan6: an optional scan file to open at start-up (possibly in double
// quotes), or --project with a project file to open and parse; --help and --version.

#include <QString>
#include <QStringList>

namespace tally {

struct GuiArguments {
    bool help = false;
    bool version = false;
    QString scanFile;     // the scan file to open, quotes removed; empty for none
    QString projectFile;  // --project: the project file to open; empty for none
};

struct GuiParseResult {
    bool ok = false;
    GuiArguments arguments;
    QString error;  // why the command line is wrong
};

// Parses the arguments after the program name (Qt's own options already removed).
GuiParseResult parseGuiArguments(const QStringList& args);

// True when the raw arguments ask only for --help or --version, which are answered before any
// display is opened.
bool asksForHelpOrVersion(int argc, char** argv);

// The --help text.
QString guiUsage();

}  // namespace tally
