#include "platform/archive/LineEnds.h"

namespace tally::archive {

LineEndChange lineEndChangeFor(bool crLfToLf, bool lfToCrLf) {
    if (lfToCrLf) return LineEndChange::LfToCrLf;
    return crLfToLf ? LineEndChange::CrLfToLf : LineEndChange::None;
}

std::string changeLineEnds(std::string bytes, LineEndChange change) {
    if (change == LineEndChange::None || bytes.find('\n') == std::string::npos) return bytes;
    if (change == LineEndChange::CrLfToLf) {
        // In place: the text only shrinks, so one pass with a write position behind the read one.
        std::size_t out = 0;
        for (std::size_t in = 0; in < bytes.size(); ++in) {
            if (bytes[in] == '\r' && in + 1 < bytes.size() && bytes[in + 1] == '\n') continue;
            bytes[out++] = bytes[in];
        }
        bytes.resize(out);
        return bytes;
    }
    std::size_t lone = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) ++lone;
    if (lone == 0) return bytes;
    std::string out;
    out.reserve(bytes.size() + lone);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) out += '\r';
        out += bytes[i];
    }
    return out;
}

}  // namespace tally::archive
