#pragma once
// What the report tests share: a disk whose files the test names, version strings the test gives,
// and settings pinned to US English and a fixed "now".

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>

#include "core/model/OleDate.h"
#include "core/reports/RtfReader.h"
#include "core/reports/ReportSettings.h"
#include "core/reports/TextWidth.h"

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

// The format of the first run that holds `needle`.
inline RichFormat runFormat(const RichDocument& d, std::string_view needle) {
    for (const RichParagraph& p : d.paragraphs)
        for (const RichRun& r : p.runs)
            if (r.text.find(needle) != std::string::npos) return r.format;
    ADD_FAILURE() << "no run holds " << needle;
    return RichFormat{};
}

// Checks that the first cell of every row `isRow` takes (a paragraph with a tab) reaches `target`
// twips with the fewest blanks, the blank of the tab run left out; gives the number of rows.
inline int expectFirstCellsPadded(const std::string& rtf, double target,
                                  const std::function<bool(const std::string&)>& isRow) {
    TextWidth width;
    int rows = 0;
    for (const RichParagraph& p : readRtf(rtf).paragraphs) {
        const std::string text = p.text();
        const std::size_t tab = text.find('\t');
        if (tab == std::string::npos || !isRow(text)) continue;
        const std::string cell = text.substr(0, tab - 1);
        EXPECT_GE(width.twips(cell), target) << text;
        EXPECT_LT(width.twips(cell.substr(0, cell.size() - 1)), target) << text;
        ++rows;
    }
    return rows;
}

}  // namespace tally
