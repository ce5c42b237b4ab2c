#include "ui/common/ProjectText.h"

#include <QByteArray>
#include <QList>

namespace tally {

namespace {

SourceCodecs& current() {
    static SourceCodecs codecs;
    return codecs;
}

QString fromUtf8(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

const SourceCodecs& sourceCodecs() {
    return current();
}

void setSourceCodecs(SourceCodecs codecs) {
    current() = std::move(codecs);
}

QString fromProject(std::string_view bytes) {
    return fromUtf8(current().toUtf8(bytes));
}

QString fromProjectFile(std::string_view path, std::string_view bytes) {
    return fromUtf8(current().fileToUtf8(path, bytes));
}

QString fromNamedProjectFile(std::string_view fileName, std::string_view bytes) {
    return fromUtf8(current().namedFileToUtf8(fileName, bytes));
}

std::optional<std::string> toProject(const QString& text) {
    return current().project().fromUtf8(text.toStdString());
}

std::string toProjectOrQuestion(const QString& text) {
    return encodeWithQuestionMarks(current().project(), text.toStdString());
}

QString firstUnencodable(const TextCodec& codec, const QString& text) {
    const std::string utf8 = text.toStdString();
    if (codec.fromUtf8(utf8)) return {};
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype length = text.at(at).isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(at, length);
        if (!codec.fromUtf8(character.toStdString())) return character;
        at += length;
    }
    return {};
}

QString unencodableMessage(int codePage, const QString& codePageName, const QString& character) {
    const char32_t cp = character.isEmpty() ? 0 : character.toUcs4().value(0);
    const QString hex = QString::number(static_cast<uint>(cp), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    return QStringLiteral("The character \u201C%1\u201D (U+%2) cannot be written in code page %3 (%4).")
        .arg(character, hex, QString::number(codePage), codePageName);
}

}  // namespace tally
