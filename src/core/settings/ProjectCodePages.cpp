#include "core/settings/ProjectCodePages.h"

#include <charconv>

#include "core/settings/AppSettings.h"

namespace tally {

namespace {

constexpr std::string_view kCodePagesSubkey = "CodePages";

constexpr CodePageEntry kCommon[] = {
    {0, "&Automatic"},
    {1252, "&Western European (1252)"},
    {1250, "&Central European (1250)"},
    {1251, "C&yrillic (1251)"},
    {1253, "&Greek (1253)"},
    {1254, "&Turkish (1254)"},
    {1257, "&Baltic (1257)"},
    {932, "&Japanese, Shift-JIS (932)"},
    {936, "Chinese &Simplified, GBK (936)"},
    {950, "Chinese T&raditional, Big5 (950)"},
    {949, "&Korean (949)"},
    {65001, "&UTF-8 (65001)"},
};

}  // namespace

std::span<const CodePageEntry> commonCodePages() {
    return kCommon;
}

int readProjectCodePage(const RegistryStore& store, std::string_view projectPath) {
    if (projectPath.empty()) return 0;
    const std::string text = readSetting(store, kCodePagesSubkey, projectPath);
    int codePage = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), codePage);
    if (error != std::errc() || end != text.data() + text.size() || codePage < 0) return 0;
    return codePage;
}

void writeProjectCodePage(RegistryStore& store, std::string_view projectPath, int codePage) {
    if (projectPath.empty()) return;
    writeSetting(store, kCodePagesSubkey, projectPath, std::to_string(codePage < 0 ? 0 : codePage));
}

}  // namespace tally
