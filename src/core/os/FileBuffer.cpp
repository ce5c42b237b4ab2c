#include "core/os/FileBuffer.h"

#include <algorithm>

#include "core/os/RegularFile.h"

namespace tally {

bool FileBuffer::read(const std::string& path) {
    // Only a regular file within the size limit is opened, without blocking on a FIFO put in its place.
    RegularFile file(path);
    return readFrom(file);
}

bool FileBuffer::read(const std::string& path, const PathStatus& look) {
    RegularFile file(path, look);
    return readFrom(file);
}

bool FileBuffer::readFrom(RegularFile& file) {
    m_size = 0;
    if (!file.check().ok()) return false;
    // Room for the length the file has now and one byte more, so that the first read already meets the
    // end; a file that grew meanwhile is read on in larger steps, up to the limit.
    const std::size_t expected = static_cast<std::size_t>(file.check().length);
    const std::size_t cap = static_cast<std::size_t>(kLargestReadableFile) + 1;
    if (m_storage.size() < expected + 1) m_storage.resize(expected + 1);
    while (m_size < cap) {
        if (m_size == m_storage.size()) m_storage.resize(std::min(cap, 2 * m_storage.size()));
        const long long got = file.readSome(m_storage.data() + m_size, m_storage.size() - m_size);
        if (got == 0) break;
        if (got < 0) {
            m_size = 0;
            return false;
        }
        m_size += static_cast<std::size_t>(got);
        // A read that filled less than it asked for and brought the length fstat gave has met the end:
        // no further read is needed to see it.
        if (m_size == expected && m_size < m_storage.size()) break;
    }
    if (m_size > static_cast<std::size_t>(kLargestReadableFile)) {
        m_size = 0;
        return false;
    }
    return true;
}

}  // namespace tally
