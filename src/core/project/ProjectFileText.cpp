#include "core/project/ProjectFileText.h"

#include "core/text/TextOps.h"

namespace tally {

ModuleEntry splitModuleEntry(std::string_view entry) {
    std::size_t at = entry.find("; ");
    if (at != std::string_view::npos) return {trim(entry.substr(0, at)), std::string(entry.substr(at + 2))};
    // Hand-edited project files sometimes drop the blank; Windows would still find the file.
    at = entry.find(';');
    if (at != std::string_view::npos) return {trim(entry.substr(0, at)), trim(entry.substr(at + 1))};
    std::string whole = trim(entry);
    return {whole, whole};
}

std::optional<std::string> nameFromText(std::string_view text, std::string_view keyword) {
    std::size_t at = text.find(keyword);
    if (keyword.empty() || at == std::string_view::npos) return std::nullopt;
    std::string_view rest = text.substr(at + keyword.size());
    rest = trimView(rest.substr(0, rest.find_first_of("\r\n")));
    std::size_t space = rest.rfind(' ');
    if (space != std::string_view::npos) rest = rest.substr(space + 1);
    return trim(rest);
}

std::string objectLibraryVersion(std::string_view line) {
    std::size_t open = line.find("}#");
    if (open == std::string_view::npos) return {};
    std::size_t start = open + 2;
    std::size_t end = line.find('#', start);
    if (end == std::string_view::npos) return {};
    return std::string(line.substr(start, end - start));
}

}  // namespace tally
