#pragma once
// The code view's font and tab width, as the development environment's own editor settings give
// them ("FontFace", "FontHeight", "TabWidth"), with the defaults used when a value is missing.

#include <optional>
#include <string>
#include <string_view>

namespace tally {

struct EditorSettings {
    std::string fontFace = "Arial";
    double fontHeight = 10;  // points
    int tabWidth = 4;        // spaces per tab stop

    bool operator==(const EditorSettings&) const = default;
};

// The settings from the three values as read (nothing when a value is missing). An empty value,
// or a size or width that is not a positive number, keeps its default.
EditorSettings editorSettingsFrom(std::optional<std::string_view> fontFace,
                                  std::optional<std::string_view> fontHeight,
                                  std::optional<std::string_view> tabWidth);

}  // namespace tally
