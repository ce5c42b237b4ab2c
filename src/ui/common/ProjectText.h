#pragma once
// The open project's texts crossing the widget boundary. The model keeps the bytes of the files;
// they are decoded with the project's code page (and a file's own codec where its bytes differ),
// chosen when the project is opened. Texts that are not the project's (registry values, the
// program's own messages) stay with fromAnsi.

#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/text/SourceCodecs.h"

namespace tally {

// The codecs of the open project; Windows-1252 until a project chooses others.
const SourceCodecs& sourceCodecs();
void setSourceCodecs(SourceCodecs codecs);

// A text of the project, decoded as SourceCodecs::toUtf8 does.
QString fromProject(std::string_view bytes);
// A text of one file, with that file's codec.
QString fromProjectFile(std::string_view path, std::string_view bytes);
// A text of the file called `fileName` (a model row's file, without its folder).
QString fromNamedProjectFile(std::string_view fileName, std::string_view bytes);
// Text typed by the user as project bytes; nothing when a character has no bytes in the code page.
std::optional<std::string> toProject(const QString& text);
// The same, with '?' for each character the code page lacks (for a search text or a lookup key,
// never for what is written to a file).
std::string toProjectOrQuestion(const QString& text);
// The first character of `text` the codec cannot hold, or an empty string when it holds them all.
QString firstUnencodable(const TextCodec& codec, const QString& text);
// "The character “X” (U+XXXX) cannot be written in code page N (name)."
QString unencodableMessage(int codePage, const QString& codePageName, const QString& character);

}  // namespace tally
