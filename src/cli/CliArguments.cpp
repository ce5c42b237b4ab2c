#include "cli/CliArguments.h"

#include <map>

namespace tally {

namespace {

CliParseResult failure(std::string message) {
    CliParseResult result;
    result.error = std::move(message);
    return result;
}

}  // namespace

CliParseResult parseCliArguments(const std::vector<std::string>& args) {
    CliParseResult result;
    CliArguments& parsed = result.arguments;
    if (args.empty()) return failure("no command given");

    static const std::map<std::string, CliCommand> commands = {
        {"tree", CliCommand::Tree}, {"open", CliCommand::Open}, {"scan", CliCommand::Scan},
        {"help", CliCommand::Help}, {"--help", CliCommand::Help}, {"-h", CliCommand::Help},
        {"--version", CliCommand::Version}};
    auto command = commands.find(args[0]);
    if (command == commands.end()) return failure("unknown command '" + args[0] + "'");
    parsed.command = command->second;
    if (parsed.command == CliCommand::Help || parsed.command == CliCommand::Version) {
        result.ok = true;
        return result;
    }

    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string* { return i + 1 < args.size() ? &args[++i] : nullptr; };
        if (arg == "--help" || arg == "-h") {
            parsed.command = CliCommand::Help;
            result.ok = true;
            return result;
        } else if (arg == "--save") {
            const std::string* path = value();
            if (!path || path->empty()) return failure("--save needs a file name");
            parsed.savePath = *path;
        } else if (arg == "--save-partial") {
            parsed.savePartial = true;
        } else if (arg == "--no-progress") {
            parsed.progress = false;
        } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
            return failure("unknown option '" + arg + "'");
        } else if (parsed.input.empty()) {
            parsed.input = arg;
        } else {
            return failure("unexpected argument '" + arg + "'");
        }
    }

    if (parsed.input.empty()) return failure("'" + args[0] + "' needs a file");
    if (parsed.command == CliCommand::Tree && !parsed.savePath.empty())
        return failure("'tree' does not take --save");
    if (parsed.savePartial && parsed.command != CliCommand::Scan)
        return failure("--save-partial belongs to 'scan'");
    if (parsed.savePartial && parsed.savePath.empty()) return failure("--save-partial needs --save");
    result.ok = true;
    return result;
}

std::string cliUsage() {
    return "Usage: tallyscan6-cli COMMAND FILE [OPTIONS]\n"
           "\n"
           "Analyses Visual Basic 6 projects without a display.\n"
           "\n"
           "Commands:\n"
           "  tree PROJECT.vbp|SCAN.psf   print the project tree, one node per line:\n"
           "                              text [key] [image]\n"
           "  scan PROJECT.vbp            parse every file of the project and print a summary\n"
           "  open SCAN.psf               read a project scan file\n"
           "  help                        show this text\n"
           "\n"
           "Options:\n"
           "  --save OUT.psf      write the scan (scan, open) to OUT.psf\n"
           "  --save-partial      with scan: save even when the scan was cancelled (Ctrl-C)\n"
           "  --no-progress       no progress bar on stderr\n"
           "  --version           print the program version\n"
           "\n"
           "Exit codes: 0 success, 2 usage or input error, 130 scan cancelled.\n";
}

}  // namespace tally
