#include "core/findings/Findings.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "core/codeview/CodeSections.h"
#include "core/codeview/LineEnds.h"
#include "core/findings/DeclarationLines.h"
#include "core/project/PathOps.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

constexpr FindingRule kRules[] = {
    {ReviewListId::NeverCalled, "TS6001", "NeverCalled", "Routine or DLL declaration never called",
     "Nothing in the project calls this routine or DLL declaration (event handlers, and the public "
     "members of classes and controls that other programs may call, are not listed). Dead code: "
     "remove it, or check the row when it is called from outside the project.",
     "TS6001"},
    {ReviewListId::NoCode, "TS6002", "NoCode", "Routine without code",
     "The routine has no lines of code between its header and its end: an empty event handler or a "
     "stub left behind. Remove it or give it its code.",
     "TS6002"},
    {ReviewListId::NoReturn, "TS6003", "NoReturn", "Function or Property Get without a return type",
     "The function or Property Get was declared without As and a type, so it returns a Variant: "
     "slower, larger, and callers cannot see what it gives back. Declare its return type.",
     "TS6003"},
    {ReviewListId::NoType, "TS6004", "NoType", "Variable declared without a type",
     "The variable was declared without As, so it is a Variant: slower, larger, and it hides type "
     "mistakes until run time. Declare its type.",
     "TS6004"},
    {ReviewListId::NeverUsed, "TS6005", "NeverUsed", "Variable or constant never used",
     "The variable or constant is declared but no code uses it. Remove the declaration.", "TS6005"},
};

std::uint64_t fnv1a(std::string_view text, std::uint64_t hash = 14695981039346656037ull) {
    for (char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string hex16(std::uint64_t value) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out(16, '0');
    for (int i = 15; i >= 0; --i, value >>= 4) out[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
    return out;
}

// Rows name files without folders; the first member with the name is the one meant.
std::unordered_map<std::string, int> fileRowsByName(const ProjectModel& model) {
    std::unordered_map<std::string, int> rows;
    for (int row = 1; row < model.fileCount(); ++row) rows.emplace(toLower(fileNameOf(model.files[row].path)), row);
    return rows;
}

Finding findingOf(const ProjectModel& model, const FindingRule& rule, const ReviewRow& row) {
    Finding finding;
    finding.rule = &rule;
    finding.checked = row.checked;
    finding.detail = row.column2;
    finding.file = row.column3;
    if (row.source == ReviewSource::Routine) {
        const SubRec& routine = model.subs[static_cast<std::size_t>(row.slot)][static_cast<std::size_t>(row.index)];
        finding.name = routine.name;
        finding.routine = row.column2;
        finding.slot = row.slot;
        finding.position = row.index;
    } else {
        const std::vector<VarRec>& table = row.source == ReviewSource::UnVar ? model.unVar : model.decVar;
        const VarRec& var = table[static_cast<std::size_t>(row.index)];
        finding.name = var.name;
        finding.routine = var.scope;
    }
    return finding;
}

}  // namespace

std::span<const FindingRule> findingRules() {
    return kRules;
}

const FindingRule* findingRuleOf(ReviewListId list) {
    for (const FindingRule& rule : kRules)
        if (rule.list == list) return &rule;
    return nullptr;
}

std::string findingKey(std::string_view ruleId, std::string_view file, std::string_view routine,
                       std::string_view name) {
    const std::string parts[] = {toLower(file), toLower(trimView(routine)), toLower(trimView(name))};
    std::uint64_t hash = fnv1a(ruleId);
    for (const std::string& part : parts) {
        hash = fnv1a("\x1F", hash);
        hash = fnv1a(part, hash);
    }
    return hex16(hash);
}

std::vector<Finding> collectFindings(const ProjectModel& model, std::span<const ReviewListId> lists,
                                     const std::function<bool(int fileRow)>& excluded) {
    std::vector<ReviewListId> wanted(lists.begin(), lists.end());
    if (wanted.empty())
        for (const FindingRule& rule : kRules) wanted.push_back(rule.list);
    const std::unordered_map<std::string, int> rowsByName = fileRowsByName(model);
    std::vector<Finding> findings;
    std::unordered_map<std::string, int> seen;  // fingerprint -> times met
    for (ReviewListId id : wanted) {
        const FindingRule* rule = findingRuleOf(id);
        if (!rule) continue;
        for (const ReviewRow& row : buildReviewList(model, id).rows) {
            if (row.source == ReviewSource::Summary) continue;
            Finding finding = findingOf(model, *rule, row);
            auto found = rowsByName.find(toLower(finding.file));
            finding.fileRow = found == rowsByName.end() ? 0 : found->second;
            if (excluded && excluded(finding.fileRow)) continue;
            std::string key = findingKey(rule->id, finding.file, finding.routine, finding.name);
            const int times = ++seen[key];
            finding.fingerprint = times == 1 ? key : key + "#" + std::to_string(times);
            findings.push_back(std::move(finding));
        }
    }
    return findings;
}

void applyBaseline(std::vector<Finding>& findings, const std::vector<Finding>& baseline) {
    std::unordered_set<std::string> known;
    for (const Finding& old : baseline) known.insert(old.fingerprint);
    for (Finding& finding : findings)
        finding.baseline = known.count(finding.fingerprint) ? BaselineState::Unchanged : BaselineState::New;
}

namespace {

struct LocatedText {
    std::string text;                     // lines in CR LF
    std::vector<std::size_t> breaks;      // where each LF is
    std::vector<std::string_view> lines;  // of `text`, without their line ends
};

}  // namespace

void locateFindings(std::vector<Finding>& findings, const ProjectModel& model,
                    const std::function<std::optional<std::string>(int fileRow)>& readText) {
    std::map<int, std::optional<LocatedText>> texts;  // by file row
    for (Finding& finding : findings) {
        if (finding.fileRow == 0) continue;
        auto [entry, added] = texts.try_emplace(finding.fileRow);
        if (added) {
            if (std::optional<std::string> bytes = readText(finding.fileRow)) {
                LocatedText located{toCrLfText(*bytes, detectLineEnd(*bytes)), {}, {}};
                for (std::size_t i = located.text.find('\n'); i != std::string::npos; i = located.text.find('\n', i + 1))
                    located.breaks.push_back(i);
                std::size_t start = 0;
                for (std::size_t lineBreak : located.breaks) {
                    located.lines.push_back(std::string_view(located.text).substr(start, lineBreak - start - 1));
                    start = lineBreak + 1;
                }
                located.lines.push_back(std::string_view(located.text).substr(start));
                entry->second = std::move(located);
            }
        }
        if (!entry->second) continue;
        const LocatedText& located = *entry->second;
        if (finding.slot < 0) {
            finding.line = variableDeclarationLine(located.lines, finding.name, finding.routine);
            continue;
        }
        const SubRec& routine =
            model.subs[static_cast<std::size_t>(finding.slot)][static_cast<std::size_t>(finding.position)];
        const std::string_view prefix = headerPrefixOfCode(routine.kind + routine.scope);
        if (prefix.empty()) {  // a DLL declaration has no header of its own
            finding.line = dllDeclarationLine(located.lines, routine.name);
            continue;
        }
        const RoutineLocation found = findRoutine(located.text, std::string(prefix) + routine.name + "(");
        if (found.header.empty() || !found.range) continue;
        const std::size_t at = located.text.find(found.header, found.range->start);
        if (at == std::string::npos) continue;
        const auto before = std::lower_bound(located.breaks.begin(), located.breaks.end(), at);
        finding.line = static_cast<int>(before - located.breaks.begin()) + 1;
    }
}

}  // namespace tally
