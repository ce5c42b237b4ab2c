#include "cli/ProjectText.h"

#include <vector>

#include "core/os/FileFacts.h"
#include "core/text/CodePageDetection.h"
#include "core/text/Windows1252.h"
#include "core/text/Windows1252Codec.h"
#include "platform/text/TextCodecs.h"

namespace tally {

namespace {

// The project's codec for this run; null stands for Windows-1252.
std::unique_ptr<TextCodec>& current() {
    static std::unique_ptr<TextCodec> codec;
    return codec;
}

// Enough of each file to tell its code page by: captions, strings and comments come early.
constexpr std::size_t kSampleBytes = 256 * 1024;

// Only regular files are read (a FIFO or a device named as a member would block or never end).
std::string sampleOf(const std::string& path) {
    return readFileHead(path, kSampleBytes).value_or(std::string());
}

}  // namespace

void resetProjectCodec() {
    current().reset();
}

std::string chooseProjectCodec(const ProjectModel& model, std::string_view choice) {
    int codePage = kCodePageWestern;
    if (choice.empty() || choice == "auto") {
        std::vector<std::string> samples;
        if (!model.projectPath.empty()) samples.push_back(sampleOf(model.projectPath));
        for (std::size_t i = 1; i < model.files.size(); ++i) samples.push_back(sampleOf(model.files[i].path));
        std::vector<std::string_view> views(samples.begin(), samples.end());
        codePage = detectCodePage(views);
    } else if (std::optional<int> named = codePageFromName(choice)) {
        codePage = *named;
    } else {
        return "unknown code page '" + std::string(choice) + "' (a number such as 932, or utf-8, or auto)";
    }
    std::unique_ptr<TextCodec> codec = makeTextCodec(codePage);
    if (!codec) return "code page " + std::to_string(codePage) + " is not available on this system";
    current() = codePage == kCodePageWestern ? nullptr : std::move(codec);
    return {};
}

const TextCodec& projectCodec() {
    static const std::unique_ptr<TextCodec> western = makeWindows1252Codec();
    return current() ? *current() : *western;
}

std::string projectUtf8(std::string_view bytes) {
    return current() ? current()->toUtf8(bytes) : displayUtf8(bytes);
}

std::string projectBytes(std::string_view utf8) {
    if (!current()) return utf8ToWindows1252(utf8);
    if (std::optional<std::string> bytes = current()->fromUtf8(utf8)) return *bytes;
    return utf8ToWindows1252(utf8);
}

}  // namespace tally
