#include "core/settings/EditorSettings.h"

#include <cstdlib>

#include "core/text/TextOps.h"

namespace tally {

namespace {

// The number at the start of the text, read the way the language's Val reads it; 0 for none.
double leadingNumber(std::string_view text) {
    std::string digits(trim(text));
    return std::strtod(digits.c_str(), nullptr);
}

}  // namespace

// A zero or negative size would give an unreadable pane and a zero tab width no tab stops at all;
// such values are taken as missing.
EditorSettings editorSettingsFrom(std::optional<std::string_view> fontFace,
                                  std::optional<std::string_view> fontHeight,
                                  std::optional<std::string_view> tabWidth) {
    EditorSettings settings;
    if (fontFace && !trim(*fontFace).empty()) settings.fontFace = std::string(*fontFace);
    if (fontHeight) {
        double height = leadingNumber(*fontHeight);
        if (height > 0 && height <= 400) settings.fontHeight = height;
    }
    if (tabWidth) {
        double width = leadingNumber(*tabWidth);
        if (width >= 1 && width <= 64) settings.tabWidth = static_cast<int>(width);
    }
    return settings;
}

}  // namespace tally
