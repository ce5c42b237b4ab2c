#include "platform/PosixShellRunner.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "core/project/PathOps.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

std::string environmentText(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Splits an editor command such as "code --wait" at blanks; quoting is not interpreted.
std::vector<std::string> commandWords(std::string_view command) {
    std::vector<std::string> words;
    for (std::string& word : split(trim(command), " "))
        if (!word.empty()) words.push_back(std::move(word));
    return words;
}

// A path handed to another program as an argument: one that starts with "-" would be read as an
// option, so it is written as "./-..." instead.
std::string argumentPath(std::string_view path) {
    if (startsWith(path, "-")) return "./" + std::string(path);
    return std::string(path);
}

// Whether a document can be opened, as a shell start code (kShellStarted when it can).
int documentCode(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
        return ::access(path.c_str(), R_OK) == 0 ? kShellStarted : kShellAccessDenied;
    int error = errno;
    if (error == EACCES) return kShellAccessDenied;
    if (error == ENOTDIR) return kShellPathNotFound;
    std::string folder = directoryOf(path);
    if (folder.empty() || folder == path) return kShellFileNotFound;
    struct stat folderInfo {};
    if (::stat(folder.c_str(), &folderInfo) != 0 || !S_ISDIR(folderInfo.st_mode)) return kShellPathNotFound;
    return kShellFileNotFound;
}

long long nowMs() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// A bare program name the Windows way: no folder, ending in ".exe" (any case).
bool isWindowsProgramName(std::string_view name) {
    return name.find('/') == std::string_view::npos && name.find('\\') == std::string_view::npos &&
           endsWith(toLower(name), ".exe");
}

// Wine reads a leading "/" as a switch ("regsvr32 /u"): a file given by its absolute path goes to
// the Windows program as the Z: drive path Wine maps onto "/".
std::string winePathArgument(const std::string& argument) {
    struct stat facts {};
    if (argument.empty() || argument[0] != '/' || ::stat(argument.c_str(), &facts) != 0) return argument;
    std::string windows = "Z:" + argument;
    for (char& c : windows)
        if (c == '/') c = '\\';
    return windows;
}

// What the intermediate child reports to the parent.
enum ReportKind : int { kExecFailed = 1, kExited = 2, kRunning = 3, kForkFailed = 4 };

}  // namespace

ShellLaunchSettings shellLaunchSettingsFromEnvironment() {
    ShellLaunchSettings settings;
    settings.visual = environmentText("VISUAL");
    settings.editor = environmentText("EDITOR");
    settings.searchPath = environmentText("PATH");
    return settings;
}

PosixShellRunner::PosixShellRunner(ShellLaunchSettings settings) : m_settings(std::move(settings)) {}

int shellCodeForErrno(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return kShellFileNotFound;
        case EACCES:
        case EPERM:
            return kShellAccessDenied;
        case ENOMEM:
        case E2BIG:
            return kShellOutOfMemory;
        case ENOEXEC:
        case ELIBBAD:
            return kShellBadExe;
        case ETXTBSY:
            return kShellSharingViolation;
        default:
            return kShellUnknownError;
    }
}

int shellCodeForOpenerExit(int status) {
    switch (status) {
        case 0:
            return kShellStarted;
        case 2:
            return kShellFileNotFound;
        case 3:
            return kShellNoAssociation;
        case 4:
            return kShellIncompleteAssociation;
        default:
            return kShellUnknownError;
    }
}

std::string PosixShellRunner::findProgram(const std::string& name) const {
    if (name.empty()) return {};
    if (name.find('/') != std::string::npos) return name;
    for (const std::string& folder : split(m_settings.searchPath, ":")) {
        std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + name;
        struct stat info {};
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

int PosixShellRunner::start(const ShellRequest& request) {
    std::vector<std::string> argv;
    bool isOpener = false;
    if (equalsIgnoreCase(request.file, kTextEditorProgram)) {
        std::string command = !trim(m_settings.visual).empty() ? m_settings.visual : m_settings.editor;
        argv = commandWords(command);
        if (argv.empty()) {
            argv = {m_settings.opener};
            isOpener = true;
        }
        if (!request.parameters.empty()) argv.push_back(argumentPath(request.parameters));
    } else if (request.parameters.empty()) {
        int code = documentCode(request.file);
        if (!shellStartSucceeded(code)) return code;
        argv = {m_settings.opener, argumentPath(request.file)};
        isOpener = true;
    } else {
        argv = {request.file, request.parameters};
    }

    std::string program = findProgram(argv[0]);
    // A Windows program named without a folder ("regsvr32.exe") runs through Wine when it is
    // installed; Wine finds it in the prefix's system folder.
    if (program.empty() && isWindowsProgramName(argv[0])) {
        std::string wine = findProgram(m_settings.wine);
        if (wine.empty()) return kShellFileNotFound;
        for (std::size_t i = 1; i < argv.size(); ++i) argv[i] = winePathArgument(argv[i]);
        argv.insert(argv.begin(), wine);
        program = wine;
    }
    if (program.empty()) return kShellFileNotFound;
    argv[0] = program;
    return launch(argv, isOpener);
}

int PosixShellRunner::launch(const std::vector<std::string>& args, bool waitForExit) const {
    // Everything the children need is prepared here: after fork only async-signal-safe calls are made.
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const long long deadline = nowMs() + m_settings.openerWaitMs;

    int reportPipe[2];
    if (::pipe2(reportPipe, O_CLOEXEC) != 0) return shellCodeForErrno(errno);
    pid_t middle = ::fork();
    if (middle < 0) {
        int error = errno;
        ::close(reportPipe[0]);
        ::close(reportPipe[1]);
        return shellCodeForErrno(error);
    }
    if (middle == 0) {
        // The intermediate child starts the program as its own child and ends, so the program is
        // adopted by init and never left as a zombie of this process.
        ::close(reportPipe[0]);
        int report[2] = {kForkFailed, 0};
        int execPipe[2];
        if (::pipe2(execPipe, O_CLOEXEC) != 0) {
            report[1] = errno;
            (void)!::write(reportPipe[1], report, sizeof report);
            ::_exit(0);
        }
        pid_t program = ::fork();
        if (program == 0) {
            ::close(execPipe[0]);
            ::setsid();
            int devNull = ::open("/dev/null", O_RDONLY);
            if (devNull >= 0) ::dup2(devNull, STDIN_FILENO);
            ::execv(argv[0], argv.data());
            int error = errno;
            (void)!::write(execPipe[1], &error, sizeof error);
            ::_exit(127);
        }
        ::close(execPipe[1]);
        if (program < 0) {
            report[1] = errno;
        } else {
            int error = 0;
            ssize_t got;
            do got = ::read(execPipe[0], &error, sizeof error);
            while (got < 0 && errno == EINTR);
            if (got == static_cast<ssize_t>(sizeof error)) {
                ::waitpid(program, nullptr, 0);
                report[0] = kExecFailed;
                report[1] = error;
            } else {
                report[0] = kRunning;
                while (waitForExit && nowMs() < deadline) {
                    int status = 0;
                    if (::waitpid(program, &status, WNOHANG) == program) {
                        report[0] = kExited;
                        report[1] = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
                        break;
                    }
                    timespec pause{0, 10 * 1000 * 1000};
                    ::nanosleep(&pause, nullptr);
                }
            }
        }
        (void)!::write(reportPipe[1], report, sizeof report);
        ::_exit(0);
    }

    ::close(reportPipe[1]);
    int report[2] = {kForkFailed, 0};
    ssize_t got;
    do got = ::read(reportPipe[0], report, sizeof report);
    while (got < 0 && errno == EINTR);
    ::close(reportPipe[0]);
    while (::waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
    if (got != static_cast<ssize_t>(sizeof report)) return kShellUnknownError;
    switch (report[0]) {
        case kExecFailed:
        case kForkFailed:
            return shellCodeForErrno(report[1]);
        case kExited:
            return shellCodeForOpenerExit(report[1]);
        default:
            return kShellStarted;
    }
}

}  // namespace tally
