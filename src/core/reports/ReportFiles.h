#pragma once
// What the reports ask the disk: whether a file is there, and how the disk spells its name. Tests
// give their own answers.

#include <optional>
#include <string>
#include <string_view>

namespace tally {

class ReportFiles {
public:
    virtual ~ReportFiles() = default;
    // The path as the disk spells it when it names an existing regular file; nothing otherwise.
    virtual std::optional<std::string> existing(std::string_view path) const = 0;
    bool exists(std::string_view path) const { return existing(path).has_value(); }
};

// Asks the disk; a name is matched without regard to case, as project files come from Windows.
class DiskReportFiles final : public ReportFiles {
public:
    std::optional<std::string> existing(std::string_view path) const override;
};

}  // namespace tally
