#include "cli/ProjectText.h"

#include <vector>

#include "core/os/SystemFiles.h"
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

std::string sampleOf(const std::string& path) {
    // Opened without blocking and read only when it is a regular file: a FIFO or a device named
    // as a member would block or never end.
    sys::OpenFile file;
    sys::EntryFacts facts;
    if (file.openToRead(path) != 0 || file.lookAt(facts) != 0 || facts.kind != sys::EntryKind::Regular) return {};
    std::string bytes(kSampleBytes, '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const long long got = file.readSome(bytes.data() + filled, bytes.size() - filled);
        if (got <= 0) break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
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
