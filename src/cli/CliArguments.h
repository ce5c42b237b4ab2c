#pragma once
// The command line of tallyscan6-cli, taken apart into a plain value (or the reason it is wrong).

#include <string>
#include <vector>

#include "core/review/ReviewList.h"

namespace tally {

enum class CliCommand { Help, Version, Tree, Open, Scan, Objects, ExportKey, Zip };

// How lists and panels are printed; the last three print the findings for build pipelines.
enum class OutputFormat { Text, Csv, Json, Sarif, Junit, CodeClimate };

// True for the formats a pipeline reads (SARIF, JUnit XML, Code Climate JSON): the document alone
// goes to standard output.
inline bool isFindingsFormat(OutputFormat format) {
    return format == OutputFormat::Sarif || format == OutputFormat::Junit || format == OutputFormat::CodeClimate;
}

// The report --report writes.
enum class ReportKind { None, Code, Statistics, Spelling };

// A routine named on the command line as FILE:NAME: the file name as typed (UTF-8) and the
// routine as the routine list shows it.
struct RoutineRef {
    std::string file;
    std::string name;
};

struct CliArguments {
    CliCommand command = CliCommand::Help;
    std::string input;      // the project or scan file the command works on; export-key's key
    std::string savePath;   // --save: where to write the scan file
    bool savePartial = false;  // --save-partial: also save a cancelled scan
    bool progress = true;      // --no-progress turns the terminal progress bar off
    int jobs = 0;              // --jobs N: threads for the scan; 0 is one per core
    std::vector<ReviewListId> lists;   // --list: review lists to print ("all" expanded), each once
    std::vector<ReviewListId> failOn;  // --fail-on: lists that must be empty
    OutputFormat format = OutputFormat::Text;  // --format: text, csv or json
    std::vector<RoutineRef> routines;  // --routine FILE:NAME
    std::vector<std::string> files;    // --file FILE
    ReportKind report = ReportKind::None;  // --report: code, statistics or spelling
    std::string reportPath;                // --out: where the report goes
    bool spell = false;           // --spell: print every word the spell check would stop at
    bool failOnSpelling = false;  // --fail-on spelling: exit 3 when there is one
    std::string dictionary;       // --dictionary: the Hunspell dictionary, en_US when empty
    std::string wordsFile;        // --words: a word list taken as correct, besides the project's
    std::string codePage;         // --codepage: N, a name, or auto (empty) for the project's own
    bool listTexts = false;       // --list texts: the Spell Check rows, the texts users read
    bool zipPaths = false;        // --paths: zip entries keep their folders
    std::string passwordFile;     // --password-file: encrypt the zip with the password in this file
    std::string baseline;         // --baseline: a scan file whose findings count as reviewed
    std::string writeBaseline;    // --write-baseline: save this scan as the next baseline
    std::vector<std::string> excludes;  // --exclude: files or folders left out of the findings
    std::string sourceRoot;             // --source-root: the folder finding paths are relative to
    std::vector<std::string> argv;      // the arguments as given, for the SARIF log
};

struct CliParseResult {
    bool ok = false;
    CliArguments arguments;
    std::string error;  // why the command line is wrong (shown with the usage hint)
};

// Parses the arguments after the program name.
CliParseResult parseCliArguments(const std::vector<std::string>& args);

// The --help text.
std::string cliUsage();

}  // namespace tally
