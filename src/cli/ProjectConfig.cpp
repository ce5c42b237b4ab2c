#include "cli/ProjectConfig.h"

#include <algorithm>

#include "core/os/FileFacts.h"
#include "core/project/PathOps.h"
#include "core/support/JsonReader.h"

namespace tally {

namespace {

// A hand-written config is small; a larger file is not one.
constexpr std::size_t kMaximumConfigBytes = 1 << 20;

std::string wrong(const std::string& path, const std::string& why) {
    return path + ": " + why;
}

// The strings of an array member; false when it is there but not an array of strings.
bool strings(const JsonValue& config, const char* name, std::vector<std::string>& out) {
    const JsonValue* member = config.member(name);
    if (!member) return true;
    if (member->kind != JsonValue::Kind::Array) return false;
    for (const JsonValue& item : member->items) {
        if (item.kind != JsonValue::Kind::String) return false;
        out.push_back(item.text);
    }
    return true;
}

}  // namespace

std::string applyProjectConfig(CliArguments& args, const std::string& projectPath) {
    const std::string folder = ensureTrailingSeparator(directoryOf(projectPath));
    const std::string path = folder + kProjectConfigName;
    if (!fileExists(path)) return {};
    std::optional<std::string> text = readFileHead(path, kMaximumConfigBytes + 1);
    if (!text) return wrong(path, "cannot be read");
    if (text->size() > kMaximumConfigBytes) return wrong(path, "is larger than a configuration file can be");
    JsonParse parsed = parseJson(*text);
    if (!parsed.value) return wrong(path, parsed.error);
    const JsonValue& config = *parsed.value;
    if (config.kind != JsonValue::Kind::Object) return wrong(path, "is not a JSON object");
    for (const auto& [name, value] : config.members)
        if (name != "failOn" && name != "exclude" && name != "codePage" && name != "baseline")
            return wrong(path, "unknown setting '" + name + "' (failOn, exclude, codePage, baseline)");

    std::vector<std::string> lists;
    if (!strings(config, "failOn", lists)) return wrong(path, "failOn must be a list of list names");
    for (const std::string& name : lists) {
        ReviewListId id{};
        if (!reviewListFromCommandName(name, id)) return wrong(path, "unknown list '" + name + "' in failOn");
        if (std::find(args.failOn.begin(), args.failOn.end(), id) == args.failOn.end()) args.failOn.push_back(id);
    }
    std::vector<std::string> excludes;
    if (!strings(config, "exclude", excludes)) return wrong(path, "exclude must be a list of patterns");
    args.excludes.insert(args.excludes.begin(), excludes.begin(), excludes.end());
    if (const JsonValue* page = config.member("codePage")) {
        std::string text = page->kind == JsonValue::Kind::Number ? std::to_string(static_cast<long long>(page->number))
                           : page->kind == JsonValue::Kind::String ? page->text
                                                                   : std::string("?");
        if (text == "?") return wrong(path, "codePage must be a number or a name");
        if (args.codePage.empty()) args.codePage = text;
    }
    if (const JsonValue* baseline = config.member("baseline")) {
        if (baseline->kind != JsonValue::Kind::String || baseline->text.empty())
            return wrong(path, "baseline must be a file name");
        if (args.baseline.empty())
            args.baseline = baseline->text.front() == '/' ? baseline->text : folder + baseline->text;
    }
    return {};
}

}  // namespace tally
