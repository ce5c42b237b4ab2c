#pragma once
// Reading the archives the tests make with programs that share no code with the archiver: Python's
// zipfile, and 7-Zip for the encrypted ones. What the archiver wrote counts only as these see it.

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/archive/Archiver.h"
#include "platform/archive/LibzipArchiver.h"

namespace tally::testing {

// `text` in single quotes for the shell.
inline std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

struct CommandResult {
    int status = -1;  // the exit code; -1 when the command could not be run
    std::string output;
};

// Runs `command` through the shell, its standard error dropped.
inline CommandResult runCommand(const std::string& command) {
    CommandResult result;
    FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    std::size_t got;
    while ((got = ::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, got);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

inline CommandResult python(const std::string& script, const std::string& zip, const std::string& arg = {}) {
    return runCommand("python3 -c " + quoted(script) + " " + quoted(zip) +
                      (arg.empty() ? "" : " " + quoted(arg)));
}

// The entry names in the archive's order, as zipfile lists them; empty when it cannot read it.
inline std::vector<std::string> entryNames(const std::string& zip) {
    const CommandResult listed =
        python("import sys, zipfile\nfor n in zipfile.ZipFile(sys.argv[1]).namelist(): print(n)", zip);
    std::vector<std::string> names;
    if (listed.status != 0) return names;
    std::istringstream lines(listed.output);
    for (std::string line; std::getline(lines, line);) names.push_back(line);
    return names;
}

// The bytes of one entry, as zipfile unpacks them (checking the CRC); "<unreadable>" on failure.
inline std::string entryBytes(const std::string& zip, const std::string& name) {
    const CommandResult read =
        python("import sys, zipfile\nsys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]))",
               zip, name);
    return read.status == 0 ? read.output : std::string("<unreadable>");
}

// The entry's date and time as the zip holds them: "2021-03-04 05:06:08".
inline std::string entryTime(const std::string& zip, const std::string& name) {
    const CommandResult read = python(
        "import sys, zipfile\nt = zipfile.ZipFile(sys.argv[1]).getinfo(sys.argv[2]).date_time\n"
        "print('%04d-%02d-%02d %02d:%02d:%02d' % t, end='')",
        zip, name);
    return read.status == 0 ? read.output : std::string("<unreadable>");
}

// Whether zipfile's own test of every entry passes.
inline bool archiveTestsGood(const std::string& zip) {
    return python("import sys, zipfile\nsys.exit(0 if zipfile.ZipFile(sys.argv[1]).testzip() is None else 1)",
                  zip)
               .status == 0;
}

inline std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Sets a file's modification (and access) time, in seconds since 1970.
inline bool setModified(const std::string& path, time_t seconds) {
    struct stat facts {};
    decltype(facts.st_mtim) times[2] = {};  // access, then modification, as utimensat takes them
    times[0].tv_sec = times[1].tv_sec = seconds;
    return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

// The time a zip keeps for a file modified at `seconds`: local time, even seconds.
inline std::string zipTimeOf(time_t seconds) {
    struct tm local {};
    ::localtime_r(&seconds, &local);
    char text[64];
    ::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
               local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec & ~1);
    return text;
}

// Events that record what the archiver reported, with a Progress answer that can stop the run.
struct RecordedEvents {
    std::vector<std::string> progress;
    std::vector<std::string> messages;
    std::vector<std::string> passwordsAsked;
    int stopAtFile = -1;  // the Progress call (from 0) that asks to stop; -1 never
    std::optional<std::string> password;

    ZipEvents events() {
        ZipEvents e;
        e.progress = [this](const std::string& file) {
            progress.push_back(file);
            return stopAtFile >= 0 && static_cast<int>(progress.size()) > stopAtFile;
        };
        e.message = [this](const std::string& text) { messages.push_back(text); };
        e.passwordRequest = [this](const std::string& entry) {
            passwordsAsked.push_back(entry);
            return password;
        };
        return e;
    }
    bool saw(const std::string& message) const {
        for (const std::string& m : messages)
            if (m == message) return true;
        return false;
    }
    bool sawContaining(const std::string& part) const {
        for (const std::string& m : messages)
            if (m.find(part) != std::string::npos) return true;
        return false;
    }
};

inline Outcome zipRun(const std::string& zip, const ZipOptions& options,
                      const std::vector<std::string>& patterns, RecordedEvents& recorded) {
    LibzipArchiver archiver;
    return archiver.run(zip, options, patterns, recorded.events());
}

inline Outcome zipRun(const std::string& zip, const ZipOptions& options,
                      const std::vector<std::string>& patterns) {
    RecordedEvents recorded;
    return zipRun(zip, options, patterns, recorded);
}

}  // namespace tally::testing
