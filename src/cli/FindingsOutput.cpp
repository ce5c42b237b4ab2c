#include "cli/FindingsOutput.h"

#include "cli/ProjectText.h"
#include "cli/ReviewOutput.h"
#include "core/findings/FindingPaths.h"

namespace tally {

namespace {

constexpr const char* kToolName = "Tallyscan 6";
constexpr const char* kToolVersion = "6.0.0";
// The user guide's page on pipelines, installed with the program; each rule has its anchor there.
#ifdef TALLY_CI_HELP_URI
constexpr const char* kHelpPage = TALLY_CI_HELP_URI;
#else
constexpr const char* kHelpPage = "file:///usr/share/tallyscan6/help/ci.htm";
#endif

std::string relativePath(const FindingsRun& run, const Finding& finding) {
    if (finding.fileRow <= 0) return projectUtf8(finding.file);
    return projectUtf8(pathRelativeTo(run.root, run.model.files[static_cast<std::size_t>(finding.fileRow)].path));
}

// "Never called: Sub Routine cmdOld_Click in frmMain.frm".
std::string messageOf(const Finding& finding) {
    std::string text = std::string(finding.rule->shortText) + ": " + projectUtf8(finding.name);
    if (!finding.detail.empty()) text += " (" + projectUtf8(finding.detail) + ")";
    return text + " in " + projectUtf8(finding.file);
}

std::string commandLine(const std::vector<std::string>& argv) {
    std::string line = "tallyscan6-cli";
    for (const std::string& arg : argv) {
        const bool plain = !arg.empty() && arg.find_first_of(" \t\"'\\$`") == std::string::npos;
        line += ' ';
        if (plain) {
            line += arg;
            continue;
        }
        line += '\'';
        for (char c : arg) line += c == '\'' ? std::string("'\\''") : std::string(1, c);
        line += '\'';
    }
    return line;
}

int ruleIndex(const Finding& finding) {
    int index = 0;
    for (const FindingRule& rule : findingRules()) {
        if (&rule == finding.rule) return index;
        ++index;
    }
    return 0;
}

std::string xmlText(const std::string& utf8) {
    std::string out;
    for (char c : utf8) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default:
                // XML 1.0 has no place for the other C0 controls, even escaped.
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
                    out += "\xEF\xBF\xBD";
                else
                    out += c;
        }
    }
    return out;
}

}  // namespace

std::string uriPath(const std::string& utf8) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
            std::string_view("-._~/").find(c) != std::string_view::npos) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
    }
    return out;
}

void writeSarif(std::ostream& out, const FindingsRun& run) {
    out << "{\n  \"$schema\": \"https://json.schemastore.org/sarif-2.1.0.json\",\n  \"version\": \"2.1.0\",\n"
        << "  \"runs\": [\n    {\n      \"tool\": {\n        \"driver\": {\n"
        << "          \"name\": " << jsonString(kToolName) << ",\n"
        << "          \"version\": " << jsonString(kToolVersion) << ",\n"
        << "          \"semanticVersion\": " << jsonString(kToolVersion) << ",\n"
        << "          \"informationUri\": " << jsonString(kHelpPage) << ",\n"
        << "          \"rules\": [";
    bool first = true;
    for (const FindingRule& rule : findingRules()) {
        out << (first ? "\n" : ",\n") << "            {\"id\": " << jsonString(std::string(rule.id))
            << ", \"name\": " << jsonString(std::string(rule.name))
            << ", \"shortDescription\": {\"text\": " << jsonString(std::string(rule.shortText)) << "}"
            << ", \"fullDescription\": {\"text\": " << jsonString(std::string(rule.fullText)) << "}"
            << ", \"help\": {\"text\": " << jsonString(std::string(rule.fullText)) << "}"
            << ", \"helpUri\": " << jsonString(std::string(kHelpPage) + "#" + std::string(rule.helpAnchor))
            << ", \"defaultConfiguration\": {\"level\": \"warning\"}}";
        first = false;
    }
    out << "\n          ]\n        }\n      },\n";
    out << "      \"invocations\": [{\"executionSuccessful\": true, \"commandLine\": " << jsonString(commandLine(run.argv))
        << ", \"arguments\": [";
    for (std::size_t i = 0; i < run.argv.size(); ++i) out << (i ? ", " : "") << jsonString(run.argv[i]);
    out << "]}],\n";
    out << "      \"originalUriBaseIds\": {\"PROJECTROOT\": {\"uri\": "
        << jsonString("file://" + uriPath(projectUtf8(run.root))) << "}},\n";
    out << "      \"columnKind\": \"utf16CodeUnits\",\n      \"results\": [";
    first = true;
    for (const Finding& finding : run.findings) {
        out << (first ? "\n" : ",\n") << "        {\"ruleId\": " << jsonString(std::string(finding.rule->id))
            << ", \"ruleIndex\": " << ruleIndex(finding) << ", \"level\": \"warning\""
            << ", \"message\": {\"text\": " << jsonString(messageOf(finding)) << "}"
            << ", \"locations\": [{\"physicalLocation\": {\"artifactLocation\": {\"uri\": "
            << jsonString(uriPath(relativePath(run, finding))) << ", \"uriBaseId\": \"PROJECTROOT\"}";
        if (finding.line > 0) out << ", \"region\": {\"startLine\": " << finding.line << "}";
        out << "}";
        if (finding.slot >= 0 || !finding.routine.empty())
            out << ", \"logicalLocations\": [{\"name\": " << jsonString(projectUtf8(finding.name))
                << ", \"kind\": " << (finding.slot >= 0 ? "\"function\"" : "\"variable\"") << "}]";
        out << "}]";
        out << ", \"partialFingerprints\": {\"tallyscan/v1\": " << jsonString(finding.fingerprint) << "}";
        if (finding.checked)
            out << ", \"suppressions\": [{\"kind\": \"external\", \"justification\": \"Checked in the review list\"}]";
        if (run.withBaseline)
            out << ", \"baselineState\": " << (finding.baseline == BaselineState::Unchanged ? "\"unchanged\"" : "\"new\"");
        out << "}";
        first = false;
    }
    out << (first ? "]\n" : "\n      ]\n") << "    }\n  ]\n}\n";
}

void writeJunit(std::ostream& out, const FindingsRun& run) {
    int failures = 0;
    for (ReviewListId list : run.lists) {
        for (const Finding& finding : run.findings)
            if (finding.rule->list == list && !finding.reviewed()) {
                ++failures;
                break;
            }
    }
    const std::string suite = projectUtf8(run.model.caption.empty() ? run.model.projectPath : run.model.caption);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<testsuites name=\"" << xmlText(kToolName) << "\" tests=\"" << run.lists.size() << "\" failures=\""
        << failures << "\">\n"
        << "  <testsuite name=\"" << xmlText(suite) << "\" tests=\"" << run.lists.size() << "\" failures=\""
        << failures << "\" errors=\"0\" skipped=\"0\">\n";
    for (ReviewListId list : run.lists) {
        const FindingRule* rule = findingRuleOf(list);
        if (!rule) continue;
        std::string open;
        int openCount = 0;
        int reviewed = 0;
        for (const Finding& finding : run.findings) {
            if (finding.rule->list != list) continue;
            if (finding.reviewed()) {
                ++reviewed;
                continue;
            }
            ++openCount;
            open += relativePath(run, finding) + (finding.line > 0 ? ":" + std::to_string(finding.line) : "") + ": " +
                    messageOf(finding) + "\n";
        }
        const std::string name = std::string(rule->id) + " " + std::string(reviewListInfo(list).commandName);
        out << "    <testcase classname=\"tallyscan6." << xmlText(std::string(reviewListInfo(list).commandName))
            << "\" name=\"" << xmlText(name) << "\">\n";
        if (openCount > 0)
            out << "      <failure message=\"" << openCount << " unreviewed finding" << (openCount == 1 ? "" : "s")
                << ": " << xmlText(std::string(rule->shortText)) << "\" type=\"" << rule->id << "\">" << xmlText(open)
                << "</failure>\n";
        out << "      <system-out>" << reviewed << " reviewed</system-out>\n    </testcase>\n";
    }
    out << "  </testsuite>\n</testsuites>\n";
}

void writeCodeClimate(std::ostream& out, const FindingsRun& run) {
    out << "[";
    bool first = true;
    for (const Finding& finding : run.findings) {
        if (finding.reviewed()) continue;
        const int line = finding.line > 0 ? finding.line : 1;
        out << (first ? "\n" : ",\n") << "  {\"type\": \"issue\", \"description\": " << jsonString(messageOf(finding))
            << ", \"check_name\": " << jsonString(std::string(finding.rule->id)) << ", \"categories\": [\"Clarity\"]"
            << ", \"fingerprint\": " << jsonString(finding.fingerprint) << ", \"severity\": \"minor\""
            << ", \"location\": {\"path\": " << jsonString(relativePath(run, finding)) << ", \"lines\": {\"begin\": "
            << line << "}}}";
        first = false;
    }
    out << (first ? "]\n" : "\n]\n");
}

}  // namespace tally
