#include "core/project/SourceCodecChoice.h"

#include <vector>

#include "core/os/FileFacts.h"
#include "core/text/CodePageDetection.h"
#include "core/text/TextOps.h"
#include "core/text/Windows1252.h"

namespace tally {

namespace {

// Captions, strings and comments come early in a file; a sample of each keeps detection quick on a
// project of hundreds of large modules.
constexpr std::size_t kSampleBytes = 64 * 1024;

struct Sample {
    std::string path;
    std::string bytes;
};

// Only regular files are read: a FIFO or a device named as a member would block or never end.
std::vector<Sample> samplesOf(const ProjectModel& model) {
    std::vector<Sample> samples;
    auto add = [&samples](const std::string& path) {
        if (path.empty()) return;
        if (std::optional<std::string> head = readFileHead(path, kSampleBytes))
            samples.push_back(Sample{path, std::move(*head)});
    };
    add(model.projectPath);
    for (std::size_t i = 1; i < model.files.size(); ++i) add(model.files[i].path);
    // A scan opened without its sources still holds the texts people read: the Spell rows.
    if (samples.empty() && !model.spell.empty()) {
        Sample texts;
        for (const SpellRow& row : model.spell) {
            if (texts.bytes.size() >= kSampleBytes) break;
            texts.bytes += row.value;
            texts.bytes += '\n';
        }
        samples.push_back(std::move(texts));
    }
    return samples;
}

bool hasMultiByteUtf8(std::string_view bytes) {
    return hasHighByte(bytes) &&
           isValidUtf8(bytes);
}

// A sample cut inside a UTF-8 sequence is still UTF-8: the cut bytes are dropped before the test.
std::string_view withoutCutSequence(std::string_view bytes, bool cut) {
    if (!cut) return bytes;
    std::size_t end = bytes.size();
    for (std::size_t back = 0; back < 4 && end > 0; ++back) {
        const auto byte = static_cast<unsigned char>(bytes[end - 1]);
        if (byte < 0x80) break;
        --end;
        if (byte >= 0xC0) break;  // the lead of the cut sequence
    }
    return bytes.substr(0, end);
}

// A file saved as UTF-8 by a modern editor is read by itself, so it does not count against the
// code page of the others; the project is a UTF-8 one when its UTF-8 files outnumber those with
// other high bytes (which are then read by themselves).
int detectIn(const std::vector<Sample>& samples) {
    std::vector<std::string_view> ansi;
    std::size_t utf8 = 0;
    std::size_t ansiWithHighBytes = 0;
    for (const Sample& sample : samples) {
        if (hasMultiByteUtf8(withoutCutSequence(sample.bytes, sample.bytes.size() == kSampleBytes))) {
            ++utf8;
            continue;
        }
        ansi.emplace_back(sample.bytes);
        if (hasHighByte(sample.bytes)) ++ansiWithHighBytes;
    }
    if (utf8 > ansiWithHighBytes) return kCodePageUtf8;
    return detectCodePage(ansi);
}

}  // namespace

int detectProjectCodePage(const ProjectModel& model) {
    return detectIn(samplesOf(model));
}

SourceCodecChoice chooseSourceCodecs(const ProjectModel& model, int codePage, CodecFactory factory) {
    SourceCodecChoice choice;
    const std::vector<Sample> samples = samplesOf(model);
    const int projectPage = codePage == kCodePageAuto ? detectIn(samples) : codePage;
    std::shared_ptr<const TextCodec> project = factory(projectPage);
    if (!project) {
        choice.failure = "code page " + std::to_string(projectPage) + " is not available on this system";
        return choice;
    }
    std::shared_ptr<const TextCodec> utf8;
    std::map<std::string, std::shared_ptr<const TextCodec>, std::less<>> own;
    for (const Sample& sample : samples) {
        if (sample.path.empty()) continue;
        const std::string_view bytes = withoutCutSequence(sample.bytes, sample.bytes.size() == kSampleBytes);
        if (projectPage != kCodePageUtf8) {
            if (!hasMultiByteUtf8(bytes)) continue;
            if (!utf8) utf8 = factory(kCodePageUtf8);
            if (utf8) own.emplace(sample.path, utf8);
        } else if (!isValidUtf8(bytes)) {
            if (std::shared_ptr<const TextCodec> its = factory(detectCodePage({bytes})))
                own.emplace(sample.path, std::move(its));
        }
    }
    choice.codecs = SourceCodecs(std::move(project), std::move(own));
    return choice;
}

}  // namespace tally
