#include "core/scanfile/ScanLineFeed.h"

#include <algorithm>
#include <cstring>

namespace tally {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

ScanLineFeed::ScanLineFeed(std::string_view text) : m_data(text.data()), m_end(text.size()) {}

ScanLineFeed::ScanLineFeed(RegularFile& file, std::string path, std::int64_t limit, std::size_t blockSize)
    : m_atEnd(false), m_file(&file), m_path(std::move(path)), m_limit(limit), m_blockSize(std::max<std::size_t>(1, blockSize)) {}

std::string scanAccessErrorText(std::string_view path, const FileCheck& check, std::int64_t limit) {
    return "Path/File access error: " + std::string(path) + " " + refusalPhrase(check, limit);
}

std::string ScanLineFeed::failureText() const {
    return scanAccessErrorText(m_path, m_failure, m_limit);
}

bool ScanLineFeed::fill() {
    if (m_pos > 0) {
        const std::size_t left = m_end - m_pos;
        std::memmove(m_block.get(), m_block.get() + m_pos, left);
        if (m_lf != kNone) m_lf -= m_pos;
        m_searched = m_searched > m_pos ? m_searched - m_pos : 0;
        m_end = left;
        m_pos = 0;
    }
    // A line longer than the block (a CalledBy list of thousands of callers) makes it grow.
    if (m_end == m_capacity) {
        const std::size_t grown = std::max(m_blockSize, 2 * m_capacity);
        auto block = std::make_unique_for_overwrite<char[]>(grown);
        if (m_end > 0) std::memcpy(block.get(), m_block.get(), m_end);
        m_block = std::move(block);
        m_capacity = grown;
    }
    m_data = m_block.get();
    const long long got = m_file->readSome(m_block.get() + m_end, m_capacity - m_end);
    if (got < 0) {
        m_failure.refusal = FileRefusal::Unreadable;
        m_failure.error = static_cast<int>(-got);
        return false;
    }
    if (got == 0) {
        m_atEnd = true;
        return true;
    }
    m_end += static_cast<std::size_t>(got);
    m_total += got;
    if (m_total > m_limit) {  // it grew past the limit since it was opened
        m_failure.refusal = FileRefusal::TooLarge;
        return false;
    }
    return true;
}

void ScanLineFeed::findLineFeed() {
    if (m_lf != kNone && m_lf >= m_pos) return;
    const std::size_t from = std::max(m_pos, m_searched);
    const void* at = from < m_end ? std::memchr(m_data + from, '\n', m_end - from) : nullptr;
    m_lf = at ? static_cast<std::size_t>(static_cast<const char*>(at) - m_data) : kNone;
    m_searched = at ? m_lf + 1 : m_end;
}

std::string_view ScanLineFeed::take(std::size_t from, std::size_t to, std::size_t resume) {
    m_pos = resume;
    return std::string_view(m_data + from, to - from);
}

std::optional<std::string_view> ScanLineFeed::next() {
    if (failed()) return std::nullopt;
    if (!m_markChecked) {
        while (m_end - m_pos < kUtf8Mark.size() && !m_atEnd)
            if (!fill()) return std::nullopt;
        if (std::string_view(m_data + m_pos, m_end - m_pos).starts_with(kUtf8Mark)) m_pos += kUtf8Mark.size();
        m_markChecked = true;
    }
    for (;;) {
        findLineFeed();
        const std::size_t limit = m_lf == kNone ? m_end : m_lf;
        const void* cr = m_pos < limit ? std::memchr(m_data + m_pos, '\r', limit - m_pos) : nullptr;
        if (cr) {
            const auto at = static_cast<std::size_t>(static_cast<const char*>(cr) - m_data);
            // Whether an LF follows the CR is only known once the next block is read.
            if (at + 1 == m_end && !m_atEnd) {
                if (!fill()) return std::nullopt;
                continue;
            }
            return take(m_pos, at, at + 1 < m_end && m_data[at + 1] == '\n' ? at + 2 : at + 1);
        }
        if (m_lf != kNone) return take(m_pos, m_lf, m_lf + 1);
        if (!m_atEnd) {
            if (!fill()) return std::nullopt;
            continue;
        }
        if (m_pos < m_end) return take(m_pos, m_end, m_end);
        return std::nullopt;
    }
}

}  // namespace tally
