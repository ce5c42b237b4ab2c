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

// What the code page choice keeps of one file's sample once it is read: the sample itself is let go
// (or handed, within a budget, to the first pass), so that a project of hundreds of modules is never
// held in memory at once for it.
struct SampleFacts {
    std::string path;
    bool multiByteUtf8 = false;
    bool validUtf8 = false;
};

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

// The sample of a file: its first kSampleBytes. Only regular files are read: a FIFO or a device
// named as a member would block or never end.
std::optional<std::string> sampleOf(const std::string& path) {
    return readFileHead(path, kSampleBytes);
}

// The sample as the UTF-8 tests read it.
std::string_view utf8View(std::string_view sample) {
    return withoutCutSequence(sample, sample.size() == kSampleBytes);
}

// A file saved as UTF-8 by a modern editor is read by itself, so it does not count against the
// code page of the others; the project is a UTF-8 one when its UTF-8 files outnumber those with
// other high bytes (which are then read by themselves).
struct Samples {
    std::vector<SampleFacts> files;
    int detectedPage = kCodePageWestern;
};

Samples samplesOf(const ProjectModel& model, SourceTextCache* wholeMembers = nullptr) {
    Samples samples;
    CodePageEvidence ansi;
    std::size_t utf8 = 0, ansiWithHighBytes = 0;
    auto add = [&](std::string path, std::string_view bytes) {
        const std::string_view cut = utf8View(bytes);
        SampleFacts facts{std::move(path)};
        // Plain ASCII is valid UTF-8 without a multi-byte character; each sample is validated once.
        const bool high = hasHighByte(cut);
        facts.validUtf8 = !high || isValidUtf8(cut);
        facts.multiByteUtf8 = high && facts.validUtf8;
        if (facts.multiByteUtf8) {
            ++utf8;
        } else if (high || hasHighByte(bytes.substr(cut.size()))) {
            // (A text of ASCII alone adds nothing to the evidence.)
            ansi.add(bytes);
            ++ansiWithHighBytes;
        }
        samples.files.push_back(std::move(facts));
    };
    auto addFile = [&](const std::string& path, SourceTextCache* whole) {
        if (path.empty()) return;
        std::optional<std::string> head = sampleOf(path);
        if (!head) return;
        add(path, *head);
        // A sample shorter than the most a sample takes is the whole file.
        if (whole && head->size() < kSampleBytes) whole->keep(path, std::move(*head));
    };
    addFile(model.projectPath, nullptr);
    for (std::size_t i = 1; i < model.files.size(); ++i) addFile(model.files[i].path, wholeMembers);
    // A scan opened without its sources still holds the texts people read: the Spell rows.
    if (samples.files.empty() && !model.spell.empty()) {
        std::string texts;
        for (const SpellRow& row : model.spell) {
            if (texts.size() >= kSampleBytes) break;
            texts += row.value;
            texts += '\n';
        }
        add(std::string(), texts);
    }
    samples.detectedPage = utf8 > ansiWithHighBytes ? kCodePageUtf8 : ansi.codePage();
    return samples;
}

}  // namespace

int detectProjectCodePage(const ProjectModel& model) {
    return samplesOf(model).detectedPage;
}

SourceCodecChoice chooseSourceCodecs(const ProjectModel& model, int codePage, CodecFactory factory,
                                     SourceTextCache* wholeMembers) {
    SourceCodecChoice choice;
    const Samples samples = samplesOf(model, wholeMembers);
    const int projectPage = codePage == kCodePageAuto ? samples.detectedPage : codePage;
    std::shared_ptr<const TextCodec> project = factory(projectPage);
    if (!project) {
        choice.failure = "code page " + std::to_string(projectPage) + " is not available on this system";
        return choice;
    }
    std::shared_ptr<const TextCodec> utf8;
    std::map<std::string, std::shared_ptr<const TextCodec>, std::less<>> own;
    for (const SampleFacts& sample : samples.files) {
        if (sample.path.empty()) continue;
        if (projectPage != kCodePageUtf8) {
            if (!sample.multiByteUtf8) continue;
            if (!utf8) utf8 = factory(kCodePageUtf8);
            if (utf8) own.emplace(sample.path, utf8);
        } else if (!sample.validUtf8) {
            // An ANSI file in a UTF-8 project, which few projects have: its sample is read again
            // for its own code page rather than every sample kept for it.
            const std::optional<std::string> again = sampleOf(sample.path);
            if (!again) continue;
            if (std::shared_ptr<const TextCodec> its = factory(detectCodePage({utf8View(*again)})))
                own.emplace(sample.path, std::move(its));
        }
    }
    choice.codecs = SourceCodecs(std::move(project), std::move(own));
    return choice;
}

}  // namespace tally
