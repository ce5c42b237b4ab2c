#pragma once
// The pieces of text the project reader takes from a project file's lines and from the form-like
// files those lines name.

#include <optional>
#include <string>
#include <string_view>

namespace tally {

// The name and file text of a "Module=" or "Class=" entry (the text after the prefix).
struct ModuleEntry {
    std::string name;
    std::string fileText;
};

// Splits "modUtils; modUtils.bas" at the first "; ": the name trimmed, the file text as written.
// Without "; " a lone ";" separates (file text trimmed); without either, the whole entry trimmed is
// both the name and the file text.
ModuleEntry splitModuleEntry(std::string_view entry);

// The declared name in a form-like file's text: the rest of the line after the first `keyword`
// (case-sensitive), trimmed, from its last space on. Nothing when the keyword does not occur.
std::optional<std::string> nameFromText(std::string_view text, std::string_view keyword);

// The version written in an "Object=" line: the text between the first "}#" and the next "#"
// ("2.0" for "Object={...}#2.0#0; MSCOMCTL.OCX"); empty when either is missing.
std::string objectLibraryVersion(std::string_view line);

}  // namespace tally
