#pragma once
// What the report tests share: a disk whose files the test names, version strings the test gives,
// and settings pinned to US English and a fixed "now".

#include <map>
#include <set>
#include <string>

#include "core/model/OleDate.h"
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

}  // namespace tally
