#include "cli/CliRegistry.h"

#include "cli/ReviewOutput.h"
#include "cli/TerminalText.h"
#include "core/os/SafeFileWriter.h"
#include "core/project/DiskVersionInfo.h"
#include "core/os/FileFacts.h"
#include "core/registry/InstalledObjects.h"
#include "core/registry/RegistryExport.h"
#include "core/text/Windows1252.h"
#include "platform/registry/RegistryStoreChoice.h"

namespace tally {

namespace {

constexpr const char* kProgram = "tallyscan6-cli";

struct ObjectLine {
    std::string name, clsid, version, server, fileVersion;  // UTF-8
};

void printObjects(std::ostream& out, const std::vector<ObjectLine>& lines, OutputFormat format) {
    switch (format) {
        case OutputFormat::Text:
            out << "# Installed Objects - " << lines.size() << '\n';
            for (const ObjectLine& line : lines)
                out << line.name << '\t' << line.clsid << '\t' << line.version << '\t' << line.server << '\t'
                    << line.fileVersion << '\n';
            break;
        case OutputFormat::Csv:
            out << "Name,CLSID,Version,Server,File Version\r\n";
            for (const ObjectLine& line : lines)
                out << csvField(line.name) << ',' << csvField(line.clsid) << ',' << csvField(line.version) << ','
                    << csvField(line.server) << ',' << csvField(line.fileVersion) << "\r\n";
            break;
        case OutputFormat::Json:
            out << "[";
            for (std::size_t i = 0; i < lines.size(); ++i) {
                const ObjectLine& line = lines[i];
                out << (i ? ",\n " : "\n ") << "{\"name\": " << jsonString(line.name)
                    << ", \"clsid\": " << jsonString(line.clsid) << ", \"version\": " << jsonString(line.version)
                    << ", \"server\": " << jsonString(line.server)
                    << ", \"fileVersion\": " << jsonString(line.fileVersion) << "}";
            }
            out << (lines.empty() ? "]\n" : "\n]\n");
            break;
        case OutputFormat::Sarif:
        case OutputFormat::Junit:
        case OutputFormat::CodeClimate:
            break;  // refused by the argument check
    }
}

}  // namespace

int runObjects(CliEnvironment& env, const CliArguments& args, const RegistryStore& store) {
    DiskServerFiles files(wineRegistryFolder());
    const ObjectFolders folders = objectFoldersOf(files);
    const DiskVersionInfo versions;
    std::vector<ObjectLine> lines;
    for (const ObjectRow& row : listInstalledObjects(store, folders, files)) {
        std::string fileVersion = row.diskPath.empty() ? std::string() : versions.fileVersion(row.diskPath);
        lines.push_back({windows1252ToUtf8(row.text), windows1252ToUtf8(row.clsid), windows1252ToUtf8(row.version),
                         windows1252ToUtf8(row.path), windows1252ToUtf8(fileVersion)});
    }
    printObjects(env.out, lines, args.format);
    return kExitOk;
}

int runExportKey(CliEnvironment& env, const CliArguments& args, const RegistryStore& store) {
    const std::string& name = args.input;
    const std::size_t slash = name.find('\\');
    const std::optional<Hive> hive = hiveFromName(name.substr(0, slash));
    const std::string path = slash == std::string::npos ? std::string() : name.substr(slash + 1);
    if (!hive) {
        env.err << kProgram << ": '" << name << "' does not begin with a hive (HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, "
                << "HKEY_LOCAL_MACHINE or HKEY_USERS)\n";
        return kExitUsage;
    }
    // The key path comes from the terminal (UTF-8); the registry's names are ANSI.
    const std::string keyPath = utf8ToWindows1252(path);
    if (!store.subkeys(*hive, keyPath)) {
        env.err << kProgram << ": the key '" << name << "' cannot be opened\n";
        return kExitUsage;
    }
    Outcome written = SafeFileWriter(absolutePath(args.reportPath)).write(exportKeyText(store, *hive, keyPath));
    if (!written.ok) {
        env.err << kProgram << ": " << terminalMessageFromAnsi(written.detail.empty() ? written.description : written.detail)
                << '\n';
        return kExitUsage;
    }
    return kExitOk;
}

}  // namespace tally
