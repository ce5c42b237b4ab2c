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

bool isRegularFile(const std::string& path) {
    sys::EntryFacts facts;
    return sys::lookAt(path, facts) == 0 && facts.kind == sys::EntryKind::Regular;
}

// The password is the file's first line, without its line end; a file keeps it off the command
// line, where other users could read it in the process list.
std::optional<std::string> readPassword(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line)) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) return std::nullopt;
    return line;
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
    zip.options.allowAppend = false;
    zip.options.storeFolderNames = args.zipPaths;
    zip.options.basePath = directoryOf(model.projectPath);
    zip.options.encrypt = password.has_value();
    zip.setMessageLevel(1);
    for (const ZipRow& row : projectZipRows(model, isRegularFile)) zip.addFileSpec(row.path());
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
    env.out << total << " files zipped into " << args.reportPath << '\n';
    return kExitOk;
}

}  // namespace tally
