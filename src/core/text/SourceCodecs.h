#pragma once
// The codecs a project's texts are read with: the project's code page, and for each file whose
// bytes say otherwise (a UTF-8 file in an ANSI project, an ANSI file in a UTF-8 one) a codec of its
// own. Every text a person reads goes through here: the model keeps the bytes as the files hold them.

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "core/text/TextCodec.h"

namespace tally {

class SourceCodecs {
public:
    // Windows-1252 for every file.
    SourceCodecs();
    // `project` for every file but those of `ownCodecs` (keyed by the model's file path).
    SourceCodecs(std::shared_ptr<const TextCodec> project,
                 std::map<std::string, std::shared_ptr<const TextCodec>, std::less<>> ownCodecs);

    const TextCodec& project() const { return *m_project; }
    int codePage() const { return m_project->codePage(); }
    // The codec of the file at `path` (the model's spelling).
    const TextCodec& ofFile(std::string_view path) const;
    // True when the file at `path` is decoded by a codec of its own.
    bool hasOwnCodec(std::string_view path) const;
    const std::map<std::string, std::shared_ptr<const TextCodec>, std::less<>>& ownCodecs() const {
        return m_ownCodecs;
    }

    // A text of the project as UTF-8. Texts of one string may come from anywhere in the project (a
    // file name taken from the disk is UTF-8 already), so a Windows-1252 project keeps the mixed
    // reading of displayUtf8, and any other project reads a text that is well-formed UTF-8 with a
    // multi-byte character as UTF-8 when it is not well-formed in the project's page or when the
    // page holds all of its characters too (a file name the disk gave in UTF-8).
    std::string toUtf8(std::string_view bytes) const;
    // A text of the file at `path` as UTF-8, with the file's codec.
    std::string fileToUtf8(std::string_view path, std::string_view bytes) const;
    // The same for the file called `fileName` (no folder; case does not matter): the model's rows
    // name their file so.
    std::string namedFileToUtf8(std::string_view fileName, std::string_view bytes) const;

private:
    std::shared_ptr<const TextCodec> m_project;
    std::map<std::string, std::shared_ptr<const TextCodec>, std::less<>> m_ownCodecs;
};

// `utf8` in the codec's bytes, each character the code page cannot hold written as '?', as Windows
// writes it; malformed UTF-8 bytes become '?' too.
std::string encodeWithQuestionMarks(const TextCodec& codec, std::string_view utf8);

}  // namespace tally
