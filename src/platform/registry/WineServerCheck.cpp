#include "platform/registry/WineServerCheck.h"

#include <sys/stat.h>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace tally {

std::string defaultWineServerRoot() {
#ifdef _WIN32
    return {};
#else
    return "/tmp/.wine-" + std::to_string(static_cast<unsigned long long>(::getuid()));
#endif
}

std::string wineServerSocket(const std::string& prefixFolder, const std::string& serverRoot) {
    struct stat st {};
    if (prefixFolder.empty() || serverRoot.empty() || ::stat(prefixFolder.c_str(), &st) != 0) return {};
    char name[64];
    std::snprintf(name, sizeof name, "/server-%llx-%llx/socket", static_cast<unsigned long long>(st.st_dev),
                  static_cast<unsigned long long>(st.st_ino));
    return serverRoot + name;
}

namespace {

// Debian's Wine keeps the server folder in a private temporary folder ("wine-2jECX9") beside the
// usual root, and writes that folder's name into the prefix's "wineserver" file.
std::string privateServerRoot(const std::string& prefixFolder, const std::string& serverRoot) {
    std::ifstream in(prefixFolder + "/wineserver");
    std::string name;
    if (!in || !std::getline(in, name) || name.empty() || name.size() > 64) return {};
    for (char c : name)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.')) return {};
    if (name == "." || name == "..") return {};
    const std::size_t slash = serverRoot.rfind('/');
    if (slash == std::string::npos) return {};
    return serverRoot.substr(0, slash) + "/" + name;
}

#ifndef _WIN32

// Connects to the UNIX socket at `path` (a name of at most the address's size); the errno of the
// failure, or 0 once connected.
int connectError(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return ENAMETOOLONG;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    // Not blocking: a server too busy to take the connection at once is running all the same.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0) return errno;
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    const int result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    const int error = result == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

#endif

// Whether a server answers at the socket `path`. A server that was killed leaves its socket behind,
// so only a connection tells: refused, or no socket there, means none runs; anything else that goes
// wrong counts as running, since when in doubt the registry is left alone.
bool serverAnswers(const std::string& path) {
    if (path.empty()) return false;
#ifdef _WIN32
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
#else
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return errno != ENOENT && errno != ENOTDIR;
    if (!S_ISSOCK(st.st_mode)) return false;
    int error = connectError(path);
#ifdef O_PATH
    if (error == ENAMETOOLONG) {
        // Too long for a socket address: reached through the open folder instead.
        const std::size_t slash = path.rfind('/');
        const int folder = ::open(path.substr(0, slash).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (folder < 0) return true;
        error = connectError("/proc/self/fd/" + std::to_string(folder) + path.substr(slash));
        ::close(folder);
    }
#endif
    return error != ECONNREFUSED && error != ENOENT;
#endif
}

}  // namespace

bool wineServerRunning(const std::string& prefixFolder, const std::string& serverRoot) {
    if (serverAnswers(wineServerSocket(prefixFolder, serverRoot))) return true;
    const std::string privateRoot = privateServerRoot(prefixFolder, serverRoot);
    return !privateRoot.empty() && serverAnswers(wineServerSocket(prefixFolder, privateRoot));
}

}  // namespace tally
