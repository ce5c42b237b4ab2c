#include "cli/ReviewOutput.h"

#include <cstdio>

#include "cli/ProjectText.h"
#include "cli/TerminalText.h"
#include "core/text/Windows1252.h"

namespace tally {

namespace {

std::string utf8(const std::string& text) { return projectUtf8(text); }

// Text output goes to terminals: control characters in names are shown, not obeyed.
std::string shown(const std::string& text) { return terminalTextFromAnsi(text); }

void printText(std::ostream& out, const ReviewListData& list) {
    out << "# " << shown(std::string(reviewListInfo(list.id).caption)) << '\n';
    for (const ReviewRow& row : list.rows)
        out << shown(row.text) << '\t' << shown(row.column2) << '\t' << shown(row.column3) << '\n';
}

void printCsv(std::ostream& out, const ReviewListData& list) {
    const ReviewListInfo& info = reviewListInfo(list.id);
    out << "List," << csvField(std::string(kReviewColumn1Header)) << ',' << csvField(std::string(info.column2Header))
        << ',' << csvField(std::string(info.column3Header)) << ",Checked,Icon\r\n";
    for (const ReviewRow& row : list.rows) {
        out << csvField(std::string(info.commandName)) << ',' << csvField(utf8(row.text)) << ','
            << csvField(utf8(row.column2)) << ',' << csvField(utf8(row.column3)) << ','
            << (row.checked ? "true" : "false") << ',' << csvField(row.icon) << "\r\n";
    }
}

void printJson(std::ostream& out, const ReviewListData& list) {
    const ReviewListInfo& info = reviewListInfo(list.id);
    out << "    {\n      \"name\": " << jsonString(std::string(info.commandName))
        << ",\n      \"caption\": " << jsonString(std::string(info.caption)) << ",\n      \"headers\": ["
        << jsonString(std::string(kReviewColumn1Header)) << ", " << jsonString(std::string(info.column2Header))
        << ", " << jsonString(std::string(info.column3Header))
        << "],\n      \"checkBoxes\": " << (info.checkBoxes ? "true" : "false") << ",\n      \"rows\": [";
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        const ReviewRow& row = list.rows[i];
        out << (i ? ",\n" : "\n") << "        {\"text\": " << jsonString(utf8(row.text))
            << ", \"column2\": " << jsonString(utf8(row.column2)) << ", \"column3\": " << jsonString(utf8(row.column3))
            << ", \"icon\": " << jsonString(row.icon) << ", \"checked\": " << (row.checked ? "true" : "false")
            << ", \"sortKey\": " << jsonString(row.sortKey)
            << ", \"summary\": " << (row.source == ReviewSource::Summary ? "true" : "false") << "}";
    }
    out << (list.rows.empty() ? "]\n    }" : "\n      ]\n    }");
}

}  // namespace

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        auto b = static_cast<unsigned char>(c);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                // DEL and the C1 controls (U+0080..U+009F) are escaped too, so that a terminal showing
                // the JSON never meets them raw.
                if (b == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(text[++i]));
                    out += escape;
                } else if (b < 0x20 || b == 0x7F) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", b);
                    out += escape;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

void printReviewLists(std::ostream& out, const std::vector<ReviewListData>& lists, OutputFormat format) {
    if (format == OutputFormat::Json) out << "{\n  \"lists\": [\n";
    for (std::size_t i = 0; i < lists.size(); ++i) {
        switch (format) {
            case OutputFormat::Text: printText(out, lists[i]); break;
            case OutputFormat::Csv: printCsv(out, lists[i]); break;
            case OutputFormat::Json:
                if (i) out << ",\n";
                printJson(out, lists[i]);
                break;
            case OutputFormat::Sarif:
            case OutputFormat::Junit:
            case OutputFormat::CodeClimate:
                break;  // findings go to the build-pipeline writers instead
        }
    }
    if (format == OutputFormat::Json) out << "\n  ]\n}\n";
}

void printPanel(std::ostream& out, const std::string& title, const std::vector<PanelRow>& rows) {
    out << "## " << terminalText(title) << '\n';
    for (const PanelRow& row : rows) {
        out << (row.bold ? "" : "  ") << shown(row.text);
        for (const std::string& sub : row.subItems) out << '\t' << shown(sub);
        out << '\n';
    }
}

}  // namespace tally
