#pragma once
// The command line of tallyscan6-cli, taken apart into a plain value (or the reason it is wrong).

#include <string>
#include <vector>

namespace tally {

enum class CliCommand { Help, Version, Tree, Open, Scan };

struct CliArguments {
    CliCommand command = CliCommand::Help;
    std::string input;      // the project or scan file the command works on
    std::string savePath;   // --save: where to write the scan file
    bool savePartial = false;  // --save-partial: also save a cancelled scan
    bool progress = true;      // --no-progress turns the terminal progress bar off
    std::vector<std::string> lists;   // --list: review lists to print ("all" expanded)
    std::vector<std::string> failOn;  // --fail-on: lists that must be empty
    std::string format = "text";      // --format: text, csv or json
    std::vector<std::string> routines;  // --routine FILE:NAME
    std::vector<std::string> files;     // --file FILE
    std::string report;      // --report: "code" or "statistics"
    std::string reportPath;  // --out: where the report goes
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
