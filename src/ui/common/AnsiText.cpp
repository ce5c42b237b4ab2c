#include "ui/common/AnsiText.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace tally {

QString fromAnsi(std::string_view bytes) {
    QStringDecoder decoder("windows-1252");
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string toAnsi(const QString& text) {
    QStringEncoder encoder("windows-1252");
    std::string bytes = QByteArray(encoder.encode(text)).toStdString();
    // The encoder writes one byte per code point, 0x1A for one the code page lacks; Windows writes
    // '?' there, and so do we.
    std::size_t at = 0;
    for (char32_t codePoint : text.toUcs4()) {
        if (at >= bytes.size()) break;
        if (bytes[at] == '\x1A' && codePoint != U'\x1A') bytes[at] = '?';
        ++at;
    }
    return bytes;
}

QString fromLocalPath(std::string_view path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string toLocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace tally
