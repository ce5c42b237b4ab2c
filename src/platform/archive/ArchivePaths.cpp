#include "platform/archive/ArchivePaths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace tally::archive {

namespace {

// How long the root of an absolute path is: 1 for "/x", 3 for "C:/x", 0 for a relative path.
std::size_t rootLength(std::string_view path) {
#ifdef _WIN32
    if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
        path[2] == '/')
        return 3;
    if (path.size() >= 2 && path[0] == '/' && path[1] == '/') return 2;
#endif
    return !path.empty() && path[0] == '/' ? 1 : 0;
}

std::string currentFolder() {
    std::error_code error;
    std::filesystem::path here = std::filesystem::current_path(error);
    return error ? std::string("/") : withSlashes(here.generic_string());
}

// Takes "." and ".." out of an absolute path; a ".." at the root stays at the root, as the system
// itself treats "/..".
std::string tidy(std::string_view absolute) {
    const std::size_t root = rootLength(absolute);
    std::vector<std::string> kept;
    for (std::string& name : componentsOf(absolute.substr(root))) {
        if (name == ".") continue;
        if (name == "..") {
            if (!kept.empty()) kept.pop_back();
            continue;
        }
        kept.push_back(std::move(name));
    }
    std::string out(absolute.substr(0, root));
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i) out += '/';
        out += kept[i];
    }
    return out.empty() ? std::string("/") : out;
}

bool sameChar(char a, char b) {
#ifdef _WIN32
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
#else
    return a == b;
#endif
}

}  // namespace

std::string withSlashes(std::string_view path) {
    std::string out(path);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

bool isAbsolute(std::string_view path) {
    return rootLength(path) != 0;
}

std::string absoluteUnder(std::string_view path, std::string_view base) {
    if (isAbsolute(path)) return tidy(path);
    std::string folder = base.empty() ? currentFolder() : withSlashes(base);
    if (!isAbsolute(folder)) folder = currentFolder() + "/" + folder;
    return tidy(folder + "/" + std::string(path));
}

std::string folderOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return {};
    const std::size_t root = rootLength(path);
    if (slash < root) return std::string(path.substr(0, root));
    return std::string(path.substr(0, std::max(slash, root)));
}

std::string nameOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::vector<std::string> componentsOf(std::string_view path) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t slash = path.find('/', start);
        if (slash == std::string_view::npos) slash = path.size();
        if (slash > start) names.emplace_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    return names;
}

bool sameFileName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), sameChar);
}

std::optional<std::string> relativeInside(std::string_view path, std::string_view folder) {
    std::string_view prefix = folder;
    if (!prefix.empty() && prefix.back() == '/') prefix.remove_suffix(1);  // the root "/"
    if (path.size() <= prefix.size() + 1 || path[prefix.size()] != '/') return std::nullopt;
    if (!sameFileName(path.substr(0, prefix.size()), prefix)) return std::nullopt;
    return std::string(path.substr(prefix.size() + 1));
}

std::string commonFolder(const std::vector<std::string>& paths) {
    if (paths.empty()) return {};
    std::string common = folderOf(paths.front());
    for (const std::string& path : paths) {
        while (!common.empty() && folderOf(path) != common && !relativeInside(path, common)) {
            const std::string up = folderOf(common);
            common = up == common ? std::string() : up;
        }
    }
    return common;
}

std::string withoutRoot(std::string_view path) {
    std::size_t start = rootLength(path);
    while (start < path.size() && path[start] == '/') ++start;
    return std::string(path.substr(start));
}

}  // namespace tally::archive
