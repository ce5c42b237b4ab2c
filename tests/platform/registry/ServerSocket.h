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
    enum Kind { Listening, LeftBehind };

    // A socket bound at `path` (its folder made when missing): listening until this object goes, or
    // closed at once, which leaves the socket file as a killed server leaves it.
    ServerSocket(const std::string& path, Kind kind) {
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
                  (kind == LeftBehind || ::listen(m_fd, 4) == 0);
        if (tooLong) std::filesystem::current_path(before);
        if (kind == LeftBehind) close();
    }
    ~ServerSocket() { close(); }
    ServerSocket(const ServerSocket&) = delete;
    ServerSocket& operator=(const ServerSocket&) = delete;

    bool bound() const { return m_bound; }
    // Stops listening; the socket file stays.
    void close() {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd = -1;
    bool m_bound = false;
};

}  // namespace tally::samples
