#include "core/support/FileBuffer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tally {

namespace {
// Closes the file however read() leaves.
struct FileDescriptor {
    int fd;
    ~FileDescriptor() {
        if (fd >= 0) ::close(fd);
    }
};
}  // namespace

bool FileBuffer::read(const std::string& path) {
    m_size = 0;
    // A path with a NUL byte would be cut short by the system and name another file.
    if (path.empty() || path.find('\0') != std::string::npos) return false;
    // Not blocking, so that a pipe standing where a source was is refused below instead of waited on;
    // a regular file reads the same either way.
    FileDescriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0) return false;
    struct stat info {};
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) return false;
    // Room for the length the file has now and one byte more, so that the first read already meets the
    // end; a file that grew meanwhile is read on in larger steps.
    const std::size_t expected = info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
    if (m_storage.size() < expected + 1) m_storage.resize(expected + 1);
    while (true) {
        if (m_size == m_storage.size()) m_storage.resize(2 * m_storage.size());
        const ssize_t got = ::read(file.fd, m_storage.data() + m_size, m_storage.size() - m_size);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            m_size = 0;
            return false;
        }
        m_size += static_cast<std::size_t>(got);
        // A read that filled less than it asked for and brought the length fstat gave has met the end:
        // no further read is needed to see it.
        if (m_size == expected && m_size < m_storage.size()) break;
    }
    return true;
}

}  // namespace tally
