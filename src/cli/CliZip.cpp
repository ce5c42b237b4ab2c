#include "cli/CliZip.h"

#include <fstream>

#include "cli/TerminalText.h"
#include "core/archive/CZip.h"
#include "core/archive/ProjectArchive.h"
#include "core/os/FileFacts.h"
#include "core/os/SystemFiles.h"
#include "core/project/PathOps.h"
#include "core/project/ProjectReader.h"
#include "core/project/FileVersion.h"

namespace tally {

namespace {

constexpr const char* kProgram = "tallyscan6-cli";

// The password is the file's first line, without its line end or a leading byte order mark; a file
// keeps it off the command line, where other users could read it in the process list. Only a
// regular file or a pipe (`<(pass show x)`) is read, and only its first 4 KB.
std::optional<std::string> readPassword(const std::string& path) {
    sys::EntryFacts facts;
    if (sys::lookAt(path, facts) != 0 ||
        (facts.kind != sys::EntryKind::Regular && facts.kind != sys::EntryKind::Fifo))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string head(4096, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    if (head.starts_with("\xEF\xBB\xBF")) head.erase(0, 3);
    std::string line = head.substr(0, head.find('\n'));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) return std::nullopt;
    return line;
}

// An existing file under the archive's name must be an archive: a source file given as --out by
// mistake is not replaced.
bool isArchiveOrMissing(const std::string& path) {
    sys::EntryFacts facts;
    if (sys::lookAt(path, facts) != 0) return true;
    const std::optional<std::string> head = readFileHead(path, 2);
    return head && (head->empty() || *head == "PK");
}

}  // namespace

int runZip(CliEnvironment& env, const CliArguments& args, Archiver& archiver) {
    ProjectModel model;
    NoFileVersions versions;
    Outcome opened = openProject(model, absolutePath(args.input), versions);
    if (!opened.ok) {
        env.err << kProgram << ": " << terminalMessageFromAnsi(opened.message) << '\n';
        return kExitUsage;
    }
    std::optional<std::string> password;
    if (!args.passwordFile.empty()) {
        password = readPassword(args.passwordFile);
        if (!password) {
            env.err << kProgram << ": no password on the first line of " << args.passwordFile << '\n';
            return kExitUsage;
        }
    }

    CZip zip;
    zip.zipFile = absolutePath(args.reportPath);
    if (!isArchiveOrMissing(zip.zipFile)) {
        env.err << kProgram << ": " << args.reportPath << " exists and is not a zip archive; it is left alone\n";
        return kExitUsage;
    }
    zip.options.allowAppend = false;
    zip.options.storeFolderNames = args.zipPaths;
    zip.options.basePath = directoryOf(model.projectPath);
    zip.options.encrypt = password.has_value();
    zip.setMessageLevel(1);
    for (const ZipRow& row : projectZipRows(model, [](const std::string& path) { return fileExists(path); })) zip.addFileSpec(row.path());
    // Members the project names but the disk does not have are said, not passed over in silence.
    for (std::size_t i = 1; i < model.files.size(); ++i)
        if (!fileExists(model.files[i].path))
            env.err << kProgram << ": warning: " << terminalTextFromAnsi(model.files[i].path) << " is missing; not zipped\n";
    const bool showProgress = args.progress && env.stderrIsTerminal;
    int done = 0;
    const int total = zip.fileSpecCount();
    zip.events.progress = [&](const std::string& file) {
        ++done;
        if (showProgress)
            env.err << "\r\x1b[K[" << done << "/" << total << "] " << terminalTextFromAnsi(fileNameOf(file)) << std::flush;
        // Ctrl-C stops the run; the archive is then not written at all.
        return env.cancel.load();
    };
    zip.events.passwordRequest = [&password](const std::string&) { return password; };
    zip.events.message = [&env](const std::string& text) { env.err << kProgram << ": " << text << '\n'; };
    const Outcome made = zip.zip(archiver);
    if (showProgress) env.err << "\r\x1b[K" << std::flush;
    if (!made.ok) {
        env.err << kProgram << ": "
                << terminalMessageFromAnsi(made.detail.empty() ? made.description : made.detail) << '\n';
        return made.errorNumber == kZipCancelled ? kExitCancelled : kExitUsage;
    }
    env.out << done << " files zipped into " << args.reportPath << '\n';
    return kExitOk;
}

}  // namespace tally
