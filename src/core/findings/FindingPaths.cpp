#include "core/findings/FindingPaths.h"

#include <filesystem>

#include "core/project/PathOps.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

bool sameLetter(char a, char b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(a) == lower(b);
}

// Backtracking over the pattern; patterns are short and each "*" tries each split once.
bool globMatches(std::string_view pattern, std::string_view text) {
    if (pattern.empty()) return text.empty();
    if (pattern.starts_with("**")) {
        std::string_view rest = pattern.substr(2);
        // "**/" also matches no folder at all.
        if (rest.starts_with('/') && globMatches(rest.substr(1), text)) return true;
        for (std::size_t skip = 0; skip <= text.size(); ++skip)
            if (globMatches(rest, text.substr(skip))) return true;
        return false;
    }
    if (pattern.front() == '*') {
        for (std::size_t skip = 0; skip <= text.size(); ++skip) {
            if (globMatches(pattern.substr(1), text.substr(skip))) return true;
            if (skip < text.size() && text[skip] == '/') break;
        }
        return false;
    }
    if (text.empty()) return false;
    if (pattern.front() == '?' ? text.front() == '/' : !sameLetter(pattern.front(), text.front())) return false;
    return globMatches(pattern.substr(1), text.substr(1));
}

std::string withSlashes(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '\\') c = '/';
    while (out.starts_with("./")) out.erase(0, 2);
    return out;
}

}  // namespace

std::string projectRelativePath(const ProjectModel& model, int fileRow) {
    if (fileRow <= 0 || fileRow >= model.fileCount()) return {};
    return pathRelativeTo(model.projectDir, model.files[static_cast<std::size_t>(fileRow)].path);
}

std::string pathRelativeTo(std::string_view folder, std::string_view path) {
    if (!folder.empty() && path.starts_with(folder)) return std::string(path.substr(folder.size()));
    if (path.empty() || path.front() != '/' || folder.empty()) return std::string(path);
    const std::string relative =
        std::filesystem::path(path).lexically_relative(std::filesystem::path(folder)).generic_string();
    return relative.empty() ? std::string(path) : relative;
}

bool excludePatternMatches(std::string_view pattern, std::string_view relativePath) {
    std::string wanted = withSlashes(trimView(pattern));
    if (wanted.empty()) return false;
    if (wanted.back() == '/') wanted += "**";
    const std::string path = withSlashes(relativePath);
    if (globMatches(wanted, path)) return true;
    return wanted.find('/') == std::string::npos && globMatches(wanted, fileNameOf(path));
}

}  // namespace tally
