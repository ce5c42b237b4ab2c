#pragma once
// What the report tests share: a disk whose files the test names, version strings the test gives,
// and settings pinned to US English and a fixed "now".

#include <map>
#include <set>
#include <string>

#include "core/model/OleDate.h"
#include "core/reports/RtfReader.h"
#include "core/reports/ReportSettings.h"

namespace tally {

class FakeFiles final : public ReportFiles {
public:
    std::set<std::string> present;
    std::optional<std::string> existing(std::string_view path) const override {
        if (present.count(std::string(path))) return std::string(path);
        return std::nullopt;
    }
};

class FakeVersions final : public VersionInfoSource {
public:
    std::map<std::string, VersionStrings> byPath;
    VersionStrings versionStrings(std::string_view path) const override {
        auto it = byPath.find(std::string(path));
        return it == byPath.end() ? VersionStrings{} : it->second;
    }
};

// Friday, March 7, 2003 4:05 PM.
inline double reportNow() { return partsToOle(DateTimeParts{2003, 3, 7, 16, 5, 0}); }

inline ReportSettings usSettings(const ReportFiles& files, const VersionInfoSource& versions) {
    return ReportSettings{.files = files, .versions = versions, .now = reportNow()};
}

using Texts = std::vector<std::string>;

// The paragraph texts of a report as a reader shows them, with the blanks that pad a cell up to
// its tab left out, so that rows compare by their cells.
inline Texts paragraphs(const std::string& rtf) {
    Texts out;
    for (const RichParagraph& p : readRtf(rtf).paragraphs) {
        std::string text = p.text(), collapsed;
        for (std::size_t i = 0; i < text.size(); ++i) {
            std::size_t next = text.find_first_not_of(' ', i);
            if (text[i] == ' ' && next != std::string::npos && text[next] == '\t') {
                i = next - 1;
                continue;
            }
            collapsed += text[i];
        }
        out.push_back(collapsed);
    }
    return out;
}

}  // namespace tally
