#include "core/parser/FileBuffer.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>

namespace tally {

bool FileBuffer::read(const std::string& path) {
    m_size = 0;
    // A path with a NUL byte would be cut short by the system and name another file.
    if (path.empty() || path.find('\0') != std::string::npos) return false;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return false;
    // Room for the length the file has now and one byte more, so that the first read already meets the
    // end; a file that grew meanwhile is read on in larger steps.
    struct stat info {};
    const std::size_t expected = ::fstat(fileno(file.get()), &info) == 0 && info.st_size > 0
                                     ? static_cast<std::size_t>(info.st_size)
                                     : 0;
    if (m_storage.size() < expected + 1) m_storage.resize(expected + 1);
    while (true) {
        const std::size_t room = m_storage.size() - m_size;
        const std::size_t got = std::fread(m_storage.data() + m_size, 1, room, file.get());
        m_size += got;
        if (got < room) break;
        m_storage.resize(2 * m_storage.size());
    }
    if (std::ferror(file.get())) {
        m_size = 0;
        return false;
    }
    return true;
}

}  // namespace tally
