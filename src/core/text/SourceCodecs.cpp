#include "core/text/SourceCodecs.h"

#include "core/text/CodePageDetection.h"
#include "core/text/TextOps.h"
#include "core/text/Utf8.h"
#include "core/text/Windows1252.h"
#include "core/text/Windows1252Codec.h"

namespace tally {

SourceCodecs::SourceCodecs() : m_project(makeWindows1252Codec()) {}

SourceCodecs::SourceCodecs(std::shared_ptr<const TextCodec> project,
                           std::map<std::string, std::shared_ptr<const TextCodec>, std::less<>> ownCodecs)
    : m_project(project ? std::move(project) : std::shared_ptr<const TextCodec>(makeWindows1252Codec())),
      m_ownCodecs(std::move(ownCodecs)) {}

const TextCodec& SourceCodecs::ofFile(std::string_view path) const {
    auto found = m_ownCodecs.find(path);
    return found == m_ownCodecs.end() ? *m_project : *found->second;
}

bool SourceCodecs::hasOwnCodec(std::string_view path) const {
    return m_ownCodecs.find(path) != m_ownCodecs.end();
}

std::string SourceCodecs::toUtf8(std::string_view bytes) const {
    const int page = codePage();
    if (page == kCodePageWestern) return displayUtf8(bytes);
    if (!hasHighByte(bytes) || page == kCodePageUtf8) return m_project->toUtf8(bytes);
    // A name the disk gave in UTF-8 (a member found under its UTF-8 name) beside texts of the page:
    // well-formed UTF-8 whose characters the page holds as well, which text in the page itself
    // almost never is (its bytes would read as Latin or Greek letters the page lacks).
    if (isValidUtf8(bytes) && (!isValidForCodePage(bytes, page) || m_project->fromUtf8(bytes)))
        return std::string(bytes);
    return m_project->toUtf8(bytes);
}

std::string SourceCodecs::fileToUtf8(std::string_view path, std::string_view bytes) const {
    auto found = m_ownCodecs.find(path);
    if (found == m_ownCodecs.end()) return toUtf8(bytes);
    return found->second->toUtf8(bytes);
}

std::string SourceCodecs::namedFileToUtf8(std::string_view fileName, std::string_view bytes) const {
    // Files with a codec of their own are few, so they are looked through. The name is cut as
    // fileNameOf cuts it: at the last "/" of a native path, where a "\\" may be a trail byte.
    for (const auto& [path, codec] : m_ownCodecs) {
        const std::size_t forward = path.rfind('/');
        const std::size_t slash = forward != std::string::npos ? forward : path.rfind('\\');
        const std::string_view name = slash == std::string::npos ? std::string_view(path)
                                                                 : std::string_view(path).substr(slash + 1);
        if (equalsIgnoreCase(name, fileName)) return codec->toUtf8(bytes);
    }
    return toUtf8(bytes);
}

std::string encodeWithQuestionMarks(const TextCodec& codec, std::string_view utf8) {
    if (std::optional<std::string> whole = codec.fromUtf8(utf8)) return *whole;
    std::string out;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t start = at;
        const char32_t cp = nextUtf8CodePoint(utf8, at);
        std::optional<std::string> bytes =
            cp == 0xFFFD && at == start + 1 ? std::nullopt : codec.fromUtf8(utf8.substr(start, at - start));
        out += bytes ? *bytes : std::string("?");
    }
    return out;
}

}  // namespace tally
