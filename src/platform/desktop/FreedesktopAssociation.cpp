#include "platform/desktop/FreedesktopAssociation.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "core/os/FileFacts.h"
#include "core/os/SafeFileWriter.h"

namespace tally {

namespace {

// Only a regular file is read, and only its first megabyte: a FIFO or a device put there would
// hang the window's first activation.
std::string readSmallFile(const std::string& path) {
    return readFileHead(path, 1u << 20).value_or(std::string());
}

bool isExecutable(const std::string& path) {
    struct stat facts {};
    return ::stat(path.c_str(), &facts) == 0 && S_ISREG(facts.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// An argument of the Exec key: quoted, with the characters the quotes reserve escaped, when it
// holds anything the desktop would otherwise split or expand.
std::string execArgument(const std::string& path) {
    if (path.find_first_of(" \t\"'\\><~|&;$*?#()`%") == std::string::npos) return path;
    std::string quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        if (c == '%') quoted += '%';
        quoted += c;
    }
    return quoted + "\"";
}

// The program of an Exec line written by scanDesktopEntry (the part before " %f").
std::string execProgram(const std::string& entry) {
    const std::size_t start = entry.find("\nExec=");
    if (start == std::string::npos) return {};
    const std::size_t end = entry.find('\n', start + 1);
    std::string line = entry.substr(start + 6, end == std::string::npos ? std::string::npos : end - start - 6);
    if (!line.ends_with(" %f")) return {};
    line.resize(line.size() - 3);
    if (line.size() >= 2 && line.front() == '"' && line.back() == '"') {
        std::string path;
        for (std::size_t i = 1; i + 1 < line.size(); ++i) {
            if ((line[i] == '\\' || line[i] == '%') && i + 2 < line.size()) ++i;
            path += line[i];
        }
        return path;
    }
    return line;
}

bool writeFile(const std::string& path, const std::string& bytes) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    return SafeFileWriter(path).write(bytes).ok;
}

}  // namespace

std::string userDataHome(const std::string& xdgDataHome, const std::string& home) {
    // A relative XDG_DATA_HOME is invalid by its own rules and is passed over.
    if (!xdgDataHome.empty() && xdgDataHome.front() == '/') return xdgDataHome;
    if (!home.empty()) return home + "/.local/share";
    return {};
}

std::string userDataHome() {
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    return userDataHome(data ? data : "", home ? home : "");
}

std::string scanMimePackage() {
    return std::string(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"") +
           kScanMimeType +
           "\">\n"
           "    <comment>Project Scan File</comment>\n"
           "    <sub-class-of type=\"text/plain\"/>\n"
           "    <generic-icon name=\"text-x-generic\"/>\n"
           // A scan file starts with its version line; the magic tells it from a console font,
           // which shares the extension.
           "    <magic priority=\"60\">\n"
           "      <match type=\"string\" value=\"Version 1.0\" offset=\"0\"/>\n"
           "      <match type=\"string\" value=\"Version 2.0\" offset=\"0\"/>\n"
           "    </magic>\n"
           "    <glob pattern=\"*.psf\" weight=\"60\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

std::string scanDesktopEntry(const std::string& programPath) {
    return std::string(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=Tallyscan 6\n"
               "GenericName=Visual Basic 6 code analyzer\n"
               "Comment=Review dead and doubtful code in Visual Basic 6 projects\n"
               "Exec=") +
           execArgument(programPath) +
           " %f\n"
           "Icon=tallyscan6\n"
           "Terminal=false\n"
           "Categories=Development;\n"
           "MimeType=" +
           kScanMimeType + ";\n";
}

FreedesktopAssociation::FreedesktopAssociation(std::string dataHome, ToolRunner runTool)
    : m_dataHome(std::move(dataHome)), m_runTool(runTool ? std::move(runTool) : ToolRunner(runToolAndWait)) {}

bool FreedesktopAssociation::present() const {
    if (m_dataHome.empty()) return false;
    const std::string mime = readSmallFile(mimeFile());
    const std::string entry = readSmallFile(desktopFile());
    return mime.find(std::string("type=\"") + kScanMimeType + "\"") != std::string::npos &&
           mime.find("pattern=\"*.psf\"") != std::string::npos &&
           entry.find(std::string("\nMimeType=") + kScanMimeType + ";") != std::string::npos &&
           isExecutable(execProgram(entry));
}

bool FreedesktopAssociation::write(const std::string& programPath) {
    if (m_dataHome.empty()) return false;
    if (!writeFile(mimeFile(), scanMimePackage())) return false;
    if (!writeFile(desktopFile(), scanDesktopEntry(programPath))) return false;
    m_runTool({"update-mime-database", m_dataHome + "/mime"});
    m_runTool({"update-desktop-database", m_dataHome + "/applications"});
    return true;
}

void runToolAndWait(const std::vector<std::string>& argv) {
    if (argv.empty()) return;
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    const pid_t child = ::fork();
    if (child < 0) return;
    if (child == 0) {
        // The tools say what they did on stdout; the program has no use for it.
        const int quiet = ::open("/dev/null", O_WRONLY);
        if (quiet >= 0) {
            ::dup2(quiet, 1);
            ::dup2(quiet, 2);
        }
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace tally
