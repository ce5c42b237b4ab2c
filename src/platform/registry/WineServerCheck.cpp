#include "platform/registry/WineServerCheck.h"

#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <cctype>
#include <cstdio>
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

bool exists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

}  // namespace

bool wineServerRunning(const std::string& prefixFolder, const std::string& serverRoot) {
    // Any entry of that name counts: when in doubt the registry is left alone.
    if (exists(wineServerSocket(prefixFolder, serverRoot))) return true;
    const std::string privateRoot = privateServerRoot(prefixFolder, serverRoot);
    return !privateRoot.empty() && exists(wineServerSocket(prefixFolder, privateRoot));
}

}  // namespace tally
