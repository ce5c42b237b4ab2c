#include "cli/CliFindings.h"

#include "cli/FindingsOutput.h"
#include "cli/TerminalText.h"
#include "core/findings/FindingPaths.h"
#include "core/os/FileFacts.h"
#include "core/project/PathOps.h"
#include "core/scanfile/ScanFileReader.h"

namespace tally {

namespace {

// A file the passes may have read long ago; a source larger than this is no VB6 module.
constexpr std::size_t kLargestSource = 64 * 1024 * 1024;

}  // namespace

std::optional<ScanFindings> scanFindings(CliEnvironment& env, const CliArguments& args, const ProjectModel& model) {
    std::vector<bool> excluded(static_cast<std::size_t>(std::max(0, model.fileCount())), false);
    for (int row = 1; row < model.fileCount(); ++row) {
        const std::string relative = projectRelativePath(model, row);
        for (const std::string& pattern : args.excludes)
            if (excludePatternMatches(pattern, relative)) excluded[static_cast<std::size_t>(row)] = true;
    }
    ScanFindings found;
    found.findings = collectFindings(model, {}, [&excluded](int row) {
        return row > 0 && static_cast<std::size_t>(row) < excluded.size() && excluded[static_cast<std::size_t>(row)];
    });
    if (!args.baseline.empty()) {
        ProjectModel old;
        Outcome read = openScanFile(absolutePath(args.baseline), old);
        if (!read.ok) {
            env.err << "tallyscan6-cli: the baseline " << terminalTextFromAnsi(args.baseline)
                    << " cannot be read: " << terminalMessageFromAnsi(read.message) << '\n';
            return std::nullopt;
        }
        applyBaseline(found.findings, collectFindings(old, {}));
        found.withBaseline = true;
    }
    return found;
}

void writeFindingsDocument(CliEnvironment& env, const CliArguments& args, const ProjectModel& model,
                           const ScanFindings& found) {
    std::vector<ReviewListId> lists;
    for (ReviewListId id : args.lists)
        if (findingRuleOf(id)) lists.push_back(id);
    if (lists.empty())
        for (const FindingRule& rule : findingRules()) lists.push_back(rule.list);
    FindingsRun run{model, {}, lists, args.argv, found.withBaseline, model.projectDir};
    if (!args.sourceRoot.empty()) run.root = ensureTrailingSeparator(absolutePath(args.sourceRoot));
    for (const Finding& finding : found.findings)
        if (std::find(lists.begin(), lists.end(), finding.rule->list) != lists.end()) run.findings.push_back(finding);
    locateFindings(run.findings, model, [&model](int row) {
        return readFileHead(model.files[static_cast<std::size_t>(row)].path, kLargestSource);
    });
    switch (args.format) {
        case OutputFormat::Sarif: writeSarif(env.out, run); break;
        case OutputFormat::Junit: writeJunit(env.out, run); break;
        case OutputFormat::CodeClimate: writeCodeClimate(env.out, run); break;
        default: break;
    }
}

int unreviewedFindings(const ScanFindings& found, ReviewListId list) {
    int open = 0;
    for (const Finding& finding : found.findings)
        if (finding.rule->list == list && !finding.reviewed()) ++open;
    return open;
}

}  // namespace tally
