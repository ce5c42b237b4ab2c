#include "core/project/PathOps.h"

#include "core/text/CharacterLayout.h"
#include "core/text/TextOps.h"

namespace tally {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

namespace {
std::size_t lastSeparator(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash != std::string_view::npos ? slash : path.rfind('\\');
}
}  // namespace

std::string directoryOf(std::string_view path) {
    std::size_t at = lastSeparator(path);
    if (at == std::string_view::npos) return std::string(path);
    return std::string(path.substr(0, at));
}

std::string fileNameOf(std::string_view path) {
    return std::string(fileNameViewOf(path));
}

std::string_view fileNameViewOf(std::string_view path) {
    std::size_t at = lastSeparator(path);
    return at == std::string_view::npos ? path : path.substr(at + 1);
}

std::string ensureTrailingSeparator(std::string_view path) {
    // A "\\" ends a native path as a byte of its last name, as lastSeparator reads it.
    if (!path.empty() &&
        (path.back() == '/' || (path.back() == '\\' && path.find('/') == std::string_view::npos)))
        return std::string(path);
    return std::string(path) + kNativeSeparator;
}

std::string unquote(std::string_view text) {
    std::string_view t = trimView(text);
    if (!t.empty() && t.front() == '"') t.remove_prefix(1);
    if (!t.empty() && t.back() == '"') t.remove_suffix(1);
    return std::string(t);
}

std::string resolveProjectText(std::string_view projectDir, std::string_view fileText, int codePage) {
    if (fileText.size() >= 2 && isSeparator(fileText[0]) && fileText[0] == fileText[1] && fileText[0] == '\\')
        return std::string(fileText);
    // On Windows a member on another drive ("Module=modX; D:\Shared\modX.bas") names that drive's
    // file; elsewhere there are no drives and the text stays below the project folder.
    if (kDriveLettersAreRoots && fileText.size() >= 3 && fileText[1] == ':' && isSeparator(fileText[2]) &&
        ((fileText[0] >= 'A' && fileText[0] <= 'Z') || (fileText[0] >= 'a' && fileText[0] <= 'z')))
        return std::string(fileText);
    std::string dir(projectDir);
    std::string_view rest = fileText;
    while (rest.size() >= 3 && rest[0] == '.' && rest[1] == '.' && isSeparator(rest[2])) {
        rest.remove_prefix(3);
        if (!dir.empty() && isSeparator(dir.back())) dir.pop_back();
        dir = directoryOf(dir);
    }
    std::string joined = ensureTrailingSeparator(dir);
    // A native folder keeps its bytes; one written with "\\" only (no "/") has them converted.
    const std::size_t restStart = joined.find('/') == std::string::npos ? 0 : joined.size();
    joined += rest;
    for (std::size_t i = restStart; i < joined.size(); i += characterLength(joined, i, codePage))
        if (joined[i] == '\\') joined[i] = kNativeSeparator;
    return joined;
}

std::string frxPathOf(std::string_view path) {
    std::size_t dot = path.rfind('.');
    std::size_t sep = lastSeparator(path);
    if (dot == std::string_view::npos || (sep != std::string_view::npos && dot < sep))
        return std::string(path) + ".frx";
    return std::string(path.substr(0, dot)) + ".frx";
}

}  // namespace tally
