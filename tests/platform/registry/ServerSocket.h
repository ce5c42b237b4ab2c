#pragma once
// A UNIX socket standing in for a wineserver's, for the tests of the running-server check.

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace tally::samples {

class ServerSocket {
public:
    // A socket bound at `path` (its folder made when missing), listening until this object goes;
    // then the socket file stays, as a killed server leaves it.
    explicit ServerSocket(const std::string& path) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        // A path too long for a socket address is bound from inside its folder.
        const bool tooLong = path.size() >= sizeof(sockaddr_un{}.sun_path);
        const std::filesystem::path folder = std::filesystem::path(path).parent_path();
        const std::filesystem::path before = std::filesystem::current_path();
        if (tooLong) std::filesystem::current_path(folder);
        const std::string name = tooLong ? std::filesystem::path(path).filename().string() : path;
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", name.c_str());
        m_bound = m_fd >= 0 && name.size() < sizeof addr.sun_path &&
                  ::bind(m_fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0 &&
                  ::listen(m_fd, 4) == 0;
        if (tooLong) std::filesystem::current_path(before);
    }
    ~ServerSocket() {
        if (m_fd >= 0) ::close(m_fd);
    }
    ServerSocket(const ServerSocket&) = delete;
    ServerSocket& operator=(const ServerSocket&) = delete;

    bool bound() const { return m_bound; }

private:
    int m_fd = -1;
    bool m_bound = false;
};

}  // namespace tally::samples
