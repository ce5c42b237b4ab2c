#include "cli/CliApp.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "cli/CliArguments.h"
#include "cli/CliFindings.h"
#include "cli/ProjectConfig.h"
#include "cli/CliRegistry.h"
#include "cli/CliSpelling.h"
#include "cli/CliZip.h"
#include "cli/CommandModel.h"
#include "cli/ProjectText.h"
#include "cli/ReviewOutput.h"
#include "cli/TerminalProgress.h"
#include "cli/TerminalText.h"
#include "platform/text/TextCodecs.h"
#include "core/engine/ScanProject.h"
#include "core/model/OleDate.h"
#include "core/os/FileFacts.h"
#include "core/os/RegularFile.h"
#include "core/os/WindowsFolders.h"
#include "core/project/DiskVersionInfo.h"
#include "core/project/PathOps.h"
#include "core/project/ProjectReader.h"
#include "core/registry/ServerFileVersions.h"
#include "core/reports/CodeReport.h"
#include "core/reports/ReportOutput.h"
#include "core/reports/SpellCheckReport.h"
#include "core/reports/StatisticsReport.h"
#include "core/review/RoutineListing.h"
#include "core/scanfile/ScanFileReader.h"
#include "core/scanfile/ScanFileWriter.h"
#include "core/text/TextOps.h"
#include "core/text/Windows1252.h"
#include "platform/HugePageHeap.h"
#include "platform/SystemLocale.h"
#include "platform/archive/ArchiverChoice.h"
#include "platform/registry/RegistryStoreChoice.h"

namespace tally {

namespace {

constexpr const char* kProgram = "tallyscan6-cli";

// Project text as a terminal shows it: decoded, with control characters made visible.
std::string shown(std::string_view text) { return terminalTextFromAnsi(text); }

int inputError(CliEnvironment& env, const std::string& message) {
    env.err << kProgram << ": " << terminalMessageFromAnsi(message) << '\n';
    return kExitUsage;
}

bool isScanFile(const std::string& path) { return endsWith(toLower(path), ".psf"); }

// The versions of the libraries a project names, read from this machine's files (the Wine
// prefix's where there is no Windows).
const FileVersionSource& machineVersions() {
    static const DiskServerFiles files(wineRegistryFolder());
    static const ServerFileVersions versions(files, objectFoldersOf(files));
    return versions;
}

// The heap the model of a project or scan file takes at most: about three times the sources
// (the scan file holds each list of callers once per namesake, so its own size is more than enough).
constexpr std::size_t kHeapMargin = std::size_t{16} << 20;

std::size_t scanHeapBytes(const ProjectModel& opened) {
    std::size_t sources = 0;
    for (int row = 1; row < opened.fileCount(); ++row)
        sources += static_cast<std::size_t>(std::max(0, opened.files[row].size));
    return 3 * sources + kHeapMargin;
}

bool loadScan(CliEnvironment& env, const std::string& path, ProjectModel& model) {
    reserveHugePageHeap(static_cast<std::size_t>(std::max<std::int64_t>(0, fileLength(path))) + kHeapMargin);
    Outcome result = openScanFile(absolutePath(path), model);
    if (!result.ok) env.err << kProgram << ": " << terminalMessageFromAnsi(result.message) << '\n';
    return result.ok;
}

bool loadProject(CliEnvironment& env, const std::string& path, ProjectModel& model) {
    // The flag is not handed over to be cleared: a Ctrl-C while the project file is read cancels too.
    Outcome result = openProject(model, path, machineVersions());
    if (!result.ok) env.err << kProgram << ": " << terminalMessageFromAnsi(result.message) << '\n';
    return result.ok;
}

void printTree(std::ostream& out, const ProjectTree& tree) {
    for (const TreeLine& line : tree.displayLines())
        out << std::string(2 * line.depth, ' ') << shown(line.node->text) << " [" << shown(line.node->key) << "] ["
            << shown(line.node->image) << "]\n";
}

// The number at the end of a counter node's text ("Code Lines  - 1,234" gives "1,234").
std::string counterValue(const ProjectTree& tree, std::string_view key) {
    const TreeNode* node = tree.find(key);
    if (!node) return "0";
    const std::string_view text = node->text;
    std::size_t dash = text.rfind(" - ");
    return dash == std::string_view::npos ? std::string(text) : trim(text.substr(dash + 3));
}

void printSummary(std::ostream& out, const ProjectModel& model, double seconds) {
    int present = 0, missing = 0;
    for (int row = 1; row < model.fileCount(); ++row) (fileExists(model.files[row].path) ? present : missing)++;
    long long routines = 0;
    for (const auto& slot : model.subs) routines += static_cast<long long>(slot.size());
    char secondsText[32];
    std::snprintf(secondsText, sizeof secondsText, "%.2f", seconds);
    out << shown(model.caption) << '\n'
        << "  project:    " << shown(model.projectPath) << '\n'
        << "  files:      " << present << (missing ? " (" + std::to_string(missing) + " missing)" : "") << '\n'
        << "  routines:   " << routines << '\n'
        << "  code lines: " << counterValue(model.tree, "linecnt") << '\n'
        << "  seconds:    " << secondsText << '\n';
    // Western projects say nothing here, as they always did.
    if (projectCodec().codePage() != kCodePageWestern)
        out << "  code page:  " << projectCodec().codePage() << " (" << projectCodec().name() << ")\n";
}

// Decodes the project's texts from here on with its code page (or the one asked for).
bool chooseCodec(CliEnvironment& env, const CliArguments& args, const ProjectModel& model) {
    const std::string why = chooseProjectCodec(model, args.codePage);
    if (!why.empty()) env.err << kProgram << ": " << why << '\n';
    return why.empty();
}

// --list texts: the Spell Check rows, the captions and strings a program's users read.
void printTexts(std::ostream& out, const ProjectModel& model, OutputFormat format) {
    // A file's name stands on its first row only; every row carries it here.
    std::string file;
    // A row is read with its file's codec: a UTF-8 module of an ANSI project holds UTF-8 texts.
    auto text = [&file](std::string_view bytes) { return projectFileUtf8(trim(file), bytes); };
    switch (format) {
        case OutputFormat::Text:
            out << "# Texts\n";
            for (const SpellRow& row : model.spell) {
                if (trim(row.file) != "") file = row.file;
                out << shown(file) << '\t' << terminalText(text(row.routine)) << '\t' << terminalText(text(row.label))
                    << '\t' << terminalText(text(row.value)) << '\n';
            }
            break;
        case OutputFormat::Csv:
            out << "File,Control/Routine,Variable/Property,Text\r\n";
            for (const SpellRow& row : model.spell) {
                if (trim(row.file) != "") file = row.file;
                out << csvField(projectUtf8(file)) << ',' << csvField(text(row.routine)) << ','
                    << csvField(text(row.label)) << ',' << csvField(text(row.value)) << "\r\n";
            }
            break;
        case OutputFormat::Json: {
            out << "{\"list\": \"texts\", \"codePage\": " << projectCodec().codePage() << ", \"rows\": [";
            bool first = true;
            for (const SpellRow& row : model.spell) {
                if (trim(row.file) != "") file = row.file;
                out << (first ? "\n " : ",\n ") << "{\"file\": " << jsonString(projectUtf8(file))
                    << ", \"routine\": " << jsonString(text(row.routine))
                    << ", \"label\": " << jsonString(text(row.label))
                    << ", \"text\": " << jsonString(text(row.value)) << "}";
                first = false;
            }
            out << (first ? "]}\n" : "\n]}\n");
            break;
        }
        case OutputFormat::Sarif:
        case OutputFormat::Junit:
        case OutputFormat::CodeClimate:
            break;  // the arguments allow these formats with findings alone
    }
}

bool saveScan(CliEnvironment& env, const ProjectModel& model, const std::string& path) {
    // Read-only, hard-linked or another user's scan files are not saved over without a person to ask.
    Outcome written = saveScanFile(model, absolutePath(path));
    if (!written.ok) {
        env.err << kProgram << ": " << shown(written.detail.empty() ? written.description : written.detail) << '\n';
        return false;
    }
    return true;
}

int findFileRow(const ProjectModel& model, const std::string& file) {
    // File names come from the file system (UTF-8, as typed); member names from the project file
    // (Windows-1252).
    std::string wanted = utf8ToWindows1252(file);
    for (int row = 1; row < model.fileCount(); ++row) {
        const std::string name = fileNameOf(model.files[row].path);
        if (equalsIgnoreCase(name, file) || equalsIgnoreCase(name, wanted)) return row;
    }
    for (int row = 1; row < model.fileCount(); ++row)
        if (equalsIgnoreCase(model.files[row].name, wanted)) return row;
    return 0;
}

// --report: builds the report and writes it to --out; false when it could not be written.
bool writeReport(CliEnvironment& env, const CliArguments& args, const ProjectModel& model) {
    if (args.report == ReportKind::None) return true;
    ReportFormat format = reportFormatFor(args.reportPath);
    if (format == ReportFormat::Pdf) {
        env.err << kProgram << ": PDF output needs the desktop build (tallyscan6); write .rtf, .html or .txt\n";
        return false;
    }
    DiskReportFiles files;
    DiskVersionInfo versions;
    WindowsFolders folders = systemWindowsFolders();
    ReportSettings settings{.files = files, .versions = versions, .codecs = projectSourceCodecs(), .now = oleNow(),
                            .numbers = systemNumberLocale(), .windowsDir = folders.windowsDir,
                            .systemDir = folders.systemDir};
    ReportDocument document;
    std::string_view nothing = kNothingToReport;
    std::string title;
    switch (args.report) {
        case ReportKind::Code:
            document = buildCodeReport(model, settings);
            title = "Project Code Report";
            break;
        case ReportKind::Statistics:
            document = buildStatisticsReport(model, settings);
            title = "Project Statistics Report";
            break;
        case ReportKind::Spelling: {
            SpellCheckReport spelling = buildSpellCheckReport(model, settings);
            document = std::move(spelling.document);
            nothing = spelling.message;
            title = "Project Spell Check Report";
            break;
        }
        case ReportKind::None:
            return true;
    }
    if (!document) {
        env.out << nothing << '\n';
        return true;
    }
    // Read-only, hard-linked or another user's files are not written over without a person to ask.
    Outcome written =
        saveReportFile(model, absolutePath(args.reportPath), reportFileBytes(*document, format, title));
    if (!written.ok) {
        env.err << kProgram << ": " << shown(written.detail.empty() ? written.description : written.detail) << '\n';
        return false;
    }
    return true;
}

// Lists, panels and --fail-on; returns the exit code.
int printReviews(CliEnvironment& env, const CliArguments& args, const ProjectModel& model) {
    // Excludes and the baseline apply to the findings of the five problem lists, for the pipeline
    // formats and for --fail-on alike.
    std::optional<ScanFindings> found;
    const bool failOnFindings = std::any_of(args.failOn.begin(), args.failOn.end(),
                                            [](ReviewListId id) { return findingRuleOf(id) != nullptr; });
    if (isFindingsFormat(args.format) || failOnFindings) {
        found = scanFindings(env, args, model);
        if (!found) return kExitUsage;
    }
    if (isFindingsFormat(args.format)) {
        writeFindingsDocument(env, args, model, *found);
    } else {
        std::vector<ReviewListData> lists;
        for (ReviewListId id : args.lists) lists.push_back(buildReviewList(model, id));
        if (!lists.empty()) printReviewLists(env.out, lists, args.format);
    }
    if (args.listTexts) printTexts(env.out, model, args.format);

    for (const std::string& wanted : args.files) {
        int row = findFileRow(model, wanted);
        if (row == 0) return inputError(env, "no file '" + wanted + "' in this project");
        printPanel(env.out, "File Properties: " + shown(fileNameOf(model.files[row].path)),
                   fileProperties(model, row, systemNumberLocale()));
    }
    for (const RoutineRef& wanted : args.routines) {
        int row = findFileRow(model, wanted.file);
        if (row == 0) return inputError(env, "no file '" + wanted.file + "' in this project");
        RoutineLookup found = findListedRoutine(model, row, projectBytes(wanted.name));
        if (!found.found) return inputError(env, std::string(kRoutineNotFound));
        RoutinePanels panels = routinePanels(model, found.slot, found.position);
        std::string title = wanted.name + " (" + shown(fileNameOf(model.files[row].path)) + ")";
        printPanel(env.out, "Routine & File Properties: " + title, panels.properties);
        printPanel(env.out, "Dependencies: " + title, panels.dependencies);
        printPanel(env.out, "Parameters Passed In: " + title, panels.parameters);
    }

    int failing = 0;
    for (ReviewListId id : args.failOn) {
        int open = 0;
        if (found && findingRuleOf(id)) {
            open = unreviewedFindings(*found, id);
        } else {
            for (const ReviewRow& row : buildReviewList(model, id).rows)
                if (!row.checked && row.source != ReviewSource::Summary) ++open;
        }
        if (open > 0) {
            env.err << kProgram << ": " << open << (found && found->withBaseline ? " new" : "") << " unreviewed row"
                    << (open == 1 ? "" : "s") << " in " << reviewListInfo(id).caption << '\n';
            ++failing;
        }
    }
    const int spelling = runSpelling(env, args, model);
    if (spelling == kExitUsage) return kExitUsage;
    return failing || spelling == kExitReviewFailed ? kExitReviewFailed : kExitOk;
}

// A member that is there but cannot be read as a source (a FIFO, a device, a folder, a link loop, a
// file too large) is skipped by the passes; the user is told which and why.
void reportSkippedMembers(CliEnvironment& env, const ProjectModel& model) {
    for (int row = 1; row < model.fileCount(); ++row) {
        FileCheck check = checkReadableFile(model.files[row].path);
        if (check.ok() || check.refusal == FileRefusal::Missing) continue;
        env.err << kProgram << ": skipped " << shown(model.files[row].path) << ": it " << shown(refusalPhrase(check))
                << '\n';
    }
}

int runScan(CliEnvironment& env, const CliArguments& given) {
    CliArguments args = given;
    if (std::string why = applyProjectConfig(args, absolutePath(args.input)); !why.empty())
        return inputError(env, why);
    CommandModel command(env.endsAfterCommand);
    ProjectModel& model = *command;
    std::unique_ptr<TerminalProgress> terminal;
    std::unique_ptr<ParseProgress> progress;
    NullParseProgress silent;
    if (args.progress && env.stderrIsTerminal) {
        terminal = std::make_unique<TerminalProgress>(env.err);
        progress = std::make_unique<ThrottledProgress>(*terminal);
    }
    if (std::string why = checkCodePageChoice(args.codePage); !why.empty()) {
        env.err << kProgram << ": " << why << '\n';
        return kExitUsage;
    }
    // The code page is chosen before the passes, which recognise texts in double-byte pages by it.
    std::string codecFailure;
    ScanRequest request{args.input, machineVersions(), progress ? *progress : static_cast<ParseProgress&>(silent),
                        env.cancel, systemNumberLocale(),
                        [&env](const ProjectModel& opened) { reportSkippedMembers(env, opened); }};
    request.codecs = makeTextCodec;
    request.threads = args.jobs > 0 ? args.jobs : defaultScanThreads();
    // Detection reads most members whole; pass 1 takes those texts instead of reading them again.
    SourceTextCache readAhead;
    request.readAhead = &readAhead;
    request.codePage = [&](const ProjectModel& opened) {
        // Before the members are read for their code page: their texts go to the passes.
        reserveHugePageHeap(scanHeapBytes(opened));
        codecFailure = chooseProjectCodec(opened, args.codePage, &readAhead);
        return projectCodec().codePage();
    };
    auto started = std::chrono::steady_clock::now();
    ScanOutcome outcome = scanProject(model, request);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (terminal) terminal->finish();
    if (!outcome.opened()) {
        env.err << kProgram << ": " << terminalMessageFromAnsi(outcome.open.message) << '\n';
        return kExitUsage;
    }

    if (!outcome.stoppedBy.empty()) {
        // Not the user's doing: the input broke the passes. Nothing is saved from a model in that state.
        env.err << kProgram << ": the scan stopped (" << terminalMessageFromAnsi(outcome.stoppedBy)
                << "); the review lists are not complete\n";
        return kExitUsage;
    }
    if (outcome.cancelled) {
        env.err << kProgram << ": the scan was cancelled; the review lists are not complete\n";
        if (!args.savePath.empty() && args.savePartial) saveScan(env, model, args.savePath);
        return kExitCancelled;
    }
    if (!codecFailure.empty()) {
        env.err << kProgram << ": " << codecFailure << '\n';
        return kExitUsage;
    }
    // A pipeline document is all standard output holds; the summary goes to the log.
    printSummary(isFindingsFormat(args.format) ? env.err : env.out, model, seconds);
    if (!args.savePath.empty() && !saveScan(env, model, args.savePath)) return kExitUsage;
    if (!args.writeBaseline.empty() && !saveScan(env, model, args.writeBaseline)) return kExitUsage;
    if (!writeReport(env, args, model)) return kExitUsage;
    return printReviews(env, args, model);
}

int runOpen(CliEnvironment& env, const CliArguments& given) {
    CommandModel command(env.endsAfterCommand);
    ProjectModel& model = *command;
    if (!loadScan(env, given.input, model)) return kExitUsage;
    CliArguments args = given;
    if (std::string why = applyProjectConfig(args, model.projectPath); !why.empty()) return inputError(env, why);
    if (!chooseCodec(env, args, model)) return kExitUsage;
    if (!args.savePath.empty() && !saveScan(env, model, args.savePath)) return kExitUsage;
    if (!args.writeBaseline.empty() && !saveScan(env, model, args.writeBaseline)) return kExitUsage;
    if (!writeReport(env, args, model)) return kExitUsage;
    return printReviews(env, args, model);
}

int runTree(CliEnvironment& env, const CliArguments& args) {
    ProjectModel model;
    bool loaded = isScanFile(args.input) ? loadScan(env, args.input, model) : loadProject(env, args.input, model);
    if (!loaded || !chooseCodec(env, args, model)) return kExitUsage;
    printTree(env.out, model.tree);
    return kExitOk;
}

}  // namespace

int runCli(const std::vector<std::string>& argv, CliEnvironment& env) {
    CliParseResult parsed = parseCliArguments(argv);
    if (!parsed.ok) {
        env.err << kProgram << ": " << parsed.error << "\nTry '" << kProgram << " --help'.\n";
        return kExitUsage;
    }
    const CliArguments& args = parsed.arguments;
    resetProjectCodec();
    switch (args.command) {
        case CliCommand::Help: env.out << cliUsage(); return kExitOk;
        case CliCommand::Version: env.out << "tallyscan6-cli 6.0.0\n"; return kExitOk;
        case CliCommand::Tree: return runTree(env, args);
        case CliCommand::Open: return runOpen(env, args);
        case CliCommand::Scan: return runScan(env, args);
        case CliCommand::Objects: return runObjects(env, args, *openSystemRegistryStore());
        case CliCommand::ExportKey: return runExportKey(env, args, *openSystemRegistryStore());
        case CliCommand::Zip: return runZip(env, args, *makeSystemArchiver());
    }
    return kExitUsage;
}

}  // namespace tally
