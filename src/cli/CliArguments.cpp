#include "cli/CliArguments.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "core/review/ReviewList.h"

namespace tally {

namespace {

CliParseResult failure(std::string message) {
    CliParseResult result;
    result.error = std::move(message);
    return result;
}

// Adds the list a name stands for, "all" standing for the seven in toolbar order; a list named
// twice counts once. False when the name is no list.
bool addListNames(std::vector<ReviewListId>& lists, const std::string& name) {
    std::vector<ReviewListId> wanted;
    ReviewListId id{};
    if (name == "all") {
        wanted.assign(kAllReviewLists.begin(), kAllReviewLists.end());
    } else if (reviewListFromCommandName(name, id)) {
        wanted.push_back(id);
    } else {
        return false;
    }
    for (ReviewListId w : wanted)
        if (std::find(lists.begin(), lists.end(), w) == lists.end()) lists.push_back(w);
    return true;
}

bool readOutputFormat(const std::string& name, OutputFormat& format) {
    static const std::map<std::string, OutputFormat> formats = {
        {"text", OutputFormat::Text},   {"csv", OutputFormat::Csv},     {"json", OutputFormat::Json},
        {"sarif", OutputFormat::Sarif}, {"junit", OutputFormat::Junit}, {"codeclimate", OutputFormat::CodeClimate}};
    auto found = formats.find(name);
    if (found == formats.end()) return false;
    format = found->second;
    return true;
}

// FILE:NAME split at the first colon (routine names hold none; file names on Windows could only at
// a drive letter, which a bare file name has not); both halves must be there.
bool readRoutineRef(const std::string& text, RoutineRef& ref) {
    std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == text.size()) return false;
    ref = RoutineRef{text.substr(0, colon), text.substr(colon + 1)};
    return true;
}

// The options of the commands that read a project: lists, panels, reports and spelling (--out,
// which other commands use too, aside).
bool reviewOptionsGiven(const CliArguments& a) {
    return !a.lists.empty() || a.listTexts || !a.failOn.empty() || !a.routines.empty() || !a.files.empty() ||
           a.report != ReportKind::None || a.spell || a.failOnSpelling || !a.dictionary.empty() ||
           !a.wordsFile.empty() || !a.baseline.empty() || !a.writeBaseline.empty() || !a.excludes.empty() ||
           !a.sourceRoot.empty();
}

bool scanOptionsGiven(const CliArguments& a) {
    return !a.savePath.empty() || a.savePartial || reviewOptionsGiven(a);
}

// zip takes a project, --out and its own two options.
CliParseResult zipCommandCheck(CliParseResult result) {
    const CliArguments& parsed = result.arguments;
    if (parsed.input.empty()) return failure("'zip' needs a project file");
    if (parsed.reportPath.empty()) return failure("'zip' needs --out FILE.zip");
    if (scanOptionsGiven(parsed) || parsed.format != OutputFormat::Text) return failure("'zip' takes --out, --paths, --password-file and --no-progress alone");
    result.ok = true;
    return result;
}

// objects takes --format alone; export-key a key and --out.
CliParseResult registryCommandCheck(CliParseResult result) {
    const CliArguments& parsed = result.arguments;
    const bool objects = parsed.command == CliCommand::Objects;
    const bool others = scanOptionsGiven(parsed) || parsed.zipPaths || !parsed.passwordFile.empty();
    if (objects) {
        if (!parsed.input.empty()) return failure("'objects' takes no file");
        if (others || !parsed.reportPath.empty()) return failure("'objects' takes --format alone");
        // The build-pipeline formats carry review findings; a list of objects has none to give.
        if (isFindingsFormat(parsed.format)) return failure("'objects' prints in text, csv or json");
    } else {
        if (parsed.input.empty()) return failure("'export-key' needs a key, e.g. 'HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings'");
        if (parsed.reportPath.empty()) return failure("'export-key' needs --out FILE.reg");
        if (others || parsed.format != OutputFormat::Text) return failure("'export-key' takes --out alone");
    }
    result.ok = true;
    return result;
}

}  // namespace

CliParseResult parseCliArguments(const std::vector<std::string>& args) {
    CliParseResult result;
    CliArguments& parsed = result.arguments;
    if (args.empty()) return failure("no command given");
    parsed.argv = args;

    static const std::map<std::string, CliCommand> commands = {
        {"tree", CliCommand::Tree}, {"open", CliCommand::Open}, {"scan", CliCommand::Scan},
        {"objects", CliCommand::Objects}, {"export-key", CliCommand::ExportKey}, {"zip", CliCommand::Zip},
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
        } else if (arg == "--list" || arg == "--fail-on") {
            const std::string* name = value();
            if (!name) return failure(arg + " needs a list name");
            if (arg == "--fail-on" && *name == "spelling") {
                parsed.failOnSpelling = true;
                continue;
            }
            if (arg == "--list" && *name == "texts") {
                parsed.listTexts = true;
                continue;
            }
            // "never-called,no-code" names two lists.
            for (std::size_t start = 0; start <= name->size();) {
                std::size_t comma = name->find(',', start);
                if (comma == std::string::npos) comma = name->size();
                const std::string one = name->substr(start, comma - start);
                if (arg == "--fail-on" && one == "spelling")
                    parsed.failOnSpelling = true;
                else if (!addListNames(arg == "--list" ? parsed.lists : parsed.failOn, one))
                    return failure("unknown list '" + one + "' (see --help)");
                start = comma + 1;
            }
        } else if (arg == "--format") {
            const std::string* format = value();
            if (!format || !readOutputFormat(*format, parsed.format))
                return failure("--format takes text, csv, json, sarif, junit or codeclimate");
        } else if (arg == "--baseline" || arg == "--write-baseline") {
            const std::string* path = value();
            if (!path || path->empty()) return failure(arg + " needs a scan file name");
            (arg == "--baseline" ? parsed.baseline : parsed.writeBaseline) = *path;
        } else if (arg == "--source-root") {
            const std::string* folder = value();
            if (!folder || folder->empty()) return failure("--source-root needs a folder");
            parsed.sourceRoot = *folder;
        } else if (arg == "--exclude") {
            const std::string* pattern = value();
            if (!pattern || pattern->empty()) return failure("--exclude needs a pattern, e.g. 'Vendor/**'");
            parsed.excludes.push_back(*pattern);
        } else if (arg == "--routine") {
            const std::string* wanted = value();
            RoutineRef ref;
            if (!wanted || !readRoutineRef(*wanted, ref)) return failure("--routine takes FILE:NAME");
            parsed.routines.push_back(std::move(ref));
        } else if (arg == "--file") {
            const std::string* file = value();
            if (!file || file->empty()) return failure("--file needs a file name");
            parsed.files.push_back(*file);
        } else if (arg == "--report") {
            const std::string* name = value();
            static const std::map<std::string, ReportKind> kinds = {
                {"code", ReportKind::Code}, {"statistics", ReportKind::Statistics}, {"spelling", ReportKind::Spelling}};
            auto found = name ? kinds.find(*name) : kinds.end();
            if (found == kinds.end()) return failure("--report takes code, statistics or spelling");
            ReportKind kind = found->second;
            if (parsed.report != ReportKind::None && parsed.report != kind) return failure("--report may be given once");
            parsed.report = kind;
        } else if (arg == "--out") {
            const std::string* path = value();
            if (!path || path->empty()) return failure("--out needs a file name");
            parsed.reportPath = *path;
        } else if (arg == "--spell") {
            parsed.spell = true;
        } else if (arg == "--dictionary") {
            const std::string* name = value();
            if (!name || name->empty()) return failure("--dictionary needs a name, e.g. en_US");
            parsed.dictionary = *name;
        } else if (arg == "--words") {
            const std::string* path = value();
            if (!path || path->empty()) return failure("--words needs a file name");
            parsed.wordsFile = *path;
        } else if (arg == "--codepage") {
            const std::string* page = value();
            if (!page || page->empty()) return failure("--codepage takes a number such as 932, utf-8 or auto");
            parsed.codePage = *page;
        } else if (arg == "--paths") {
            parsed.zipPaths = true;
        } else if (arg == "--password-file") {
            const std::string* path = value();
            if (!path || path->empty()) return failure("--password-file needs a file name");
            parsed.passwordFile = *path;
        } else if (arg == "--save-partial") {
            parsed.savePartial = true;
        } else if (arg == "--no-progress") {
            parsed.progress = false;
        } else if (arg == "--jobs") {
            const std::string* count = value();
            int jobs = 0;
            const char* end = count ? count->data() + count->size() : nullptr;
            if (!count || std::from_chars(count->data(), end, jobs).ptr != end || jobs < 1 || jobs > 256)
                return failure("--jobs takes a number of threads from 1 to 256");
            parsed.jobs = jobs;
        } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
            return failure("unknown option '" + arg + "'");
        } else if (parsed.input.empty()) {
            parsed.input = arg;
        } else {
            return failure("unexpected argument '" + arg + "'");
        }
    }

    if (parsed.command == CliCommand::Objects || parsed.command == CliCommand::ExportKey)
        return registryCommandCheck(std::move(result));
    const bool zipOptions = parsed.zipPaths || !parsed.passwordFile.empty();
    if (parsed.command == CliCommand::Zip) return zipCommandCheck(std::move(result));
    if (zipOptions) return failure("--paths and --password-file belong to 'zip'");
    if (parsed.input.empty()) return failure("'" + args[0] + "' needs a file");
    const bool reviews = reviewOptionsGiven(parsed) || !parsed.reportPath.empty();
    if (parsed.command == CliCommand::Tree && (!parsed.savePath.empty() || reviews))
        return failure("'tree' takes no options");
    if (parsed.savePartial && parsed.command != CliCommand::Scan)
        return failure("--save-partial belongs to 'scan'");
    if (parsed.jobs > 0 && parsed.command != CliCommand::Scan) return failure("--jobs belongs to 'scan'");
    if (parsed.savePartial && parsed.savePath.empty()) return failure("--save-partial needs --save");
    if (parsed.report != ReportKind::None && parsed.reportPath.empty()) return failure("--report needs --out FILE");
    if (parsed.report == ReportKind::None && !parsed.reportPath.empty()) return failure("--out belongs to --report");
    if (!parsed.spell && !parsed.failOnSpelling && (!parsed.dictionary.empty() || !parsed.wordsFile.empty()))
        return failure("--dictionary and --words belong to --spell");
    if (!parsed.writeBaseline.empty() && parsed.command != CliCommand::Scan && parsed.command != CliCommand::Open)
        return failure("--write-baseline belongs to 'scan' and 'open'");
    if (isFindingsFormat(parsed.format) &&
        (parsed.listTexts || !parsed.routines.empty() || !parsed.files.empty() || parsed.spell))
        return failure("--format sarif, junit and codeclimate print findings; --list texts, --routine, "
                       "--file and --spell print in text, csv or json");
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
           "  objects                     list the COM objects installed in the registry: name,\n"
           "                              CLSID, version, server file, the file's version\n"
           "  export-key 'HKEY_...\\KEY' --out FILE.reg\n"
           "                              write a key and its subkeys as a REGEDIT4 file\n"
           "  zip PROJECT.vbp --out FILE.zip [--paths] [--password-file F]\n"
           "                              archive the project file, its workspace, every member\n"
           "                              and .frx; --paths keeps folders (relative to the\n"
           "                              project's), --password-file encrypts (AES-256) with the\n"
           "                              password on the file's first line\n"
           "  help                        show this text\n"
           "\n"
           "Options:\n"
           "  --save OUT.psf      write the scan (scan, open) to OUT.psf\n"
           "  --save-partial      with scan: save even when the scan was cancelled (Ctrl-C)\n"
           "  --list NAME         print a review list (repeatable); NAME is one of never-called,\n"
           "                      no-code, no-return, no-type, never-used, all-routines,\n"
           "                      all-types, or all for every list\n"
           "  --list texts        print the texts users read (captions, strings: the Spell\n"
           "                      Check rows) decoded with the project's code page\n"
           "  --codepage CP       the code page of the project's sources: a number (932,\n"
           "                      936, 949, 950, 1251, ...), utf-8, or auto (the default:\n"
           "                      told from the files' own bytes)\n"
           "  --format FORMAT     text (default: '# caption' then tab-separated rows), csv or json;\n"
           "                      sarif (SARIF 2.1.0), junit (JUnit XML) or codeclimate (GitLab\n"
           "                      code quality) print the findings of the five problem lists\n"
           "                      (those --list names, or all five) and nothing else on stdout\n"
           "  --baseline OLD.psf  findings of OLD (same list, file, routine and name) count as\n"
           "                      reviewed: --fail-on fails on new findings only\n"
           "  --write-baseline OUT.psf\n"
           "                      save this scan as the baseline of the next run\n"
           "  --source-root DIR   with sarif, junit and codeclimate: give paths relative to DIR\n"
           "                      (the repository's root, as pipelines expect), not to the\n"
           "                      project's folder\n"
           "  --exclude GLOB      leave files or folders out of the findings (repeatable):\n"
           "                      paths relative to the project folder, * within a name, ** across\n"
           "                      folders, 'Vendor/' a folder, '*.ctl' any file so named\n"
           "  --fail-on NAME      exit with code 3 when that list has an unchecked row (NAME may\n"
           "                      be several, comma-separated; with --baseline new rows only)\n"
           "                      (repeatable; checked rows count as reviewed); spelling fails\n"
           "                      when the spell check finds a word\n"
           "  --routine FILE:NAME print the problems, properties, callers, callees and\n"
           "                      parameters of a routine; FILE is its file name, e.g. modMain.bas;\n"
           "                      NAME as the routine list shows it, e.g. Total# or Value [Get]\n"
           "  --file FILE         print the properties of a file\n"
           "  --report KIND       write a report (scan, open): code (the Project Code Report),\n"
           "                      statistics (the Project Statistics Report) or spelling (the\n"
           "                      corrections a scan file holds); needs --out\n"
           "  --out FILE          where --report writes: .rtf or .psl as RTF, .html or .htm as\n"
           "                      a web page, .txt or any other name as plain text (.pdf needs\n"
           "                      the desktop program); a report with nothing in it is not written\n"
           "  --spell             check the spelling of every caption and literal and print each\n"
           "                      word not in the dictionary: file, control or routine, property,\n"
           "                      word and the first suggestions (in --format)\n"
           "  --dictionary NAME   the Hunspell dictionary for --spell (default en_US)\n"
           "  --words FILE        words --spell takes as correct, one per line, besides the\n"
           "                      project's own word list\n"
           "  --no-progress       no progress bar on stderr\n"
           "  --jobs N            threads for the scan (default: one per core); the results are\n"
           "                      the same for any number\n"
           "  --version           print the program version\n"
           "\n"
           "The registry is the Wine prefix in $WINEPREFIX when set, otherwise the program's\n"
           "own (~/.config/tallyscan6); on Windows the system's.\n"
           "\n"
           "A tallyscan6.json beside the project file gives defaults: {\"failOn\": [lists],\n"
           "\"exclude\": [globs], \"codePage\": \"auto\", \"baseline\": \"path.psf\"}.\n"
           "\n"
           "Output is UTF-8. Exit codes: 0 success, 2 usage or input error, 3 a --fail-on list\n"
           "has rows, 130 scan cancelled.\n";
}

}  // namespace tally
