#include "core/archive/ProjectArchive.h"

#include <array>
#include <utility>

#include "core/project/PathOps.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

// The path with its last three characters replaced, as the workspace and companion files are
// named after their project or form.
std::string withEnding(std::string_view path, std::string_view ending) {
    if (path.size() < 3) return {};
    return std::string(path.substr(0, path.size() - 3)) + std::string(ending);
}

}  // namespace

std::string ZipRow::path() const {
    return ensureTrailingSeparator(folder) + name;
}

std::string zipIconFor(std::string_view fileName) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 12> kIcons = {{
        {"ocx", "control"}, {"pag", "propsht"}, {"dll", "dll"}, {"frm", "frm"}, {"bas", "mod"}, {"cls", "cls"},
        {"reg", "reg"}, {"ctl", "usrctl"}, {"vbp", "proj"}, {"bmp", "bmp"}, {"ico", "bmp"}, {"gif", "bmp"},
    }};
    const std::string ending = toLower(fileName.size() >= 3 ? fileName.substr(fileName.size() - 3) : fileName);
    for (const auto& [end, icon] : kIcons)
        if (ending == end) return std::string(icon);
    return "unknown";
}

std::optional<ZipRow> zipRowFor(const std::string& path, const FileExists& exists) {
    if (path.empty() || !exists(path)) return std::nullopt;
    return ZipRow{fileNameOf(path), directoryOf(path), zipIconFor(path), true};
}

std::vector<ZipRow> projectZipRows(const ProjectModel& model, const FileExists& exists) {
    std::vector<ZipRow> rows;
    auto add = [&](const std::string& path, std::optional<std::string> icon = std::nullopt) {
        if (std::optional<ZipRow> row = zipRowFor(path, exists)) {
            if (icon) row->icon = *icon;
            rows.push_back(std::move(*row));
        }
    };
    if (model.projectPath.empty()) return rows;
    add(model.projectPath, "proj");
    add(withEnding(model.projectPath, "vbw"), "unknown");
    for (std::size_t i = 1; i < model.files.size(); ++i) {
        const FileRec& file = model.files[i];
        add(file.path);
        if (file.hasFrx) add(withEnding(file.path, "frx"), "unknown");
    }
    return rows;
}

std::string zipCountText(int checked) {
    return std::to_string(checked) + " files to be added to the archive.";
}

std::string backupZipName(std::string_view path, int year, int month, int day, const FileExists& exists) {
    const std::size_t dot = path.rfind('.');
    const std::size_t folder = path.find_last_of("\\/");
    const bool hasExtension = dot != std::string_view::npos && (folder == std::string_view::npos || dot > folder);
    const std::string_view stem = hasExtension ? path.substr(0, dot) : path;
    // The file's last four characters: its extension with the dot, for the usual three-letter ones.
    const std::string_view tail = path.size() >= 4 ? path.substr(path.size() - 4) : path;
    const std::string base = std::string(stem) + std::to_string(month) + "-" + std::to_string(day) + "-" +
                             (year % 100 < 10 ? "0" : "") + std::to_string(year % 100) + std::string(tail);
    std::string name = base + ".Zip";
    for (int n = 1; exists(name); ++n) name = base + "~" + std::to_string(n) + ".Zip";
    return name;
}

}  // namespace tally
