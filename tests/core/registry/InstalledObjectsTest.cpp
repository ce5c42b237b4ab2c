// The installed objects: which CLSIDs are listed, how their server files are found, and how the
// registry's Windows paths are found on a Wine prefix's disk.

#include <gtest/gtest.h>

#include <set>

#include "core/registry/InstalledObjects.h"
#include "core/registry/MemoryRegistryStore.h"
#include "core/registry/ServerFileVersions.h"
#include "support/TempDir.h"
#include "support/TestPeFile.h"

namespace tally {

namespace {

// Server files that exist by their exact text.
struct KnownFiles final : ServerFiles {
    std::set<std::string> files;
    std::string find(std::string_view path) const override {
        return files.count(std::string(path)) ? "/disk/" + std::string(path) : std::string();
    }
};

void addObject(MemoryRegistryStore& store, const std::string& clsid, std::string_view name, std::string_view server,
               std::string_view version, std::string_view serverKey = "InProcServer32") {
    const std::string key = "CLSID\\" + clsid;
    store.put(Hive::ClassesRoot, key, stringValue("", name));
    if (!server.empty()) store.put(Hive::ClassesRoot, key + "\\" + std::string(serverKey), stringValue("", server));
    if (!version.empty()) store.put(Hive::ClassesRoot, key + "\\Version", stringValue("", version));
}

const ObjectFolders kFolders{"C:\\WINDOWS\\", "C:\\WINDOWS\\SYSTEM32\\"};

TEST(InstalledObjects, ListsNamedVersionedObjectsAndSkipsTheRest) {
    MemoryRegistryStore store;
    addObject(store, "{1}", "microsoft COMMON dialog control", "C:\\Controls\\comdlg32.ocx", "1.2");
    addObject(store, "{2}", "{00000000-0000-0000-0000-000000000001}", "x.dll", "1.0");  // a name that is a CLSID
    addObject(store, "{3}", "No Version Object", "y.dll", "");
    addObject(store, "{4}", "", "z.dll", "1.0");
    addObject(store, "{5}", "Bare Server", "shared.dll", "2.0");
    addObject(store, "{6}", "Local Server", "\"C:\\Apps\\app.exe\" /automation", "1.0", "LocalServer32");
    addObject(store, "{7}", "Missing Bare", "gone.dll", "3.0");
    addObject(store, "{8}", "Installed Path", "  C:\\Apps\\viewer.ocx -embedding", "4.0", "InstalledVersion\\Path");
    KnownFiles files;
    files.files = {"C:\\Controls\\comdlg32.ocx", "C:\\WINDOWS\\shared.dll", "C:\\WINDOWS\\SYSTEM32\\shared.dll",
                   "C:\\Apps\\app.exe", "C:\\Apps\\viewer.ocx"};

    std::vector<std::string> shown;
    for (const ObjectRow& r : listInstalledObjects(store, kFolders, files))
        shown.push_back(r.clsid + "|" + r.text + "|" + r.icon + "|" + r.version + "|" + r.path + "|" + r.diskPath);
    // A bare name is looked for in the Windows folder before the system folder; switches and
    // quotes are not part of the file name.
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "{1}|Microsoft Common Dialog Control|class|1.2|C:\\Controls\\comdlg32.ocx|/disk/C:\\Controls\\comdlg32.ocx",
                         "{5}|Bare Server|class|2.0|C:\\WINDOWS\\shared.dll|/disk/C:\\WINDOWS\\shared.dll",
                         "{6}|Local Server|class|1.0|C:\\Apps\\app.exe|/disk/C:\\Apps\\app.exe",
                         "{7}|Missing Bare|class1|3.0||",
                         "{8}|Installed Path|class|4.0|C:\\Apps\\viewer.ocx|/disk/C:\\Apps\\viewer.ocx"}));
    EXPECT_EQ(installedObjectsNodeText(shown.size()), "Installed Objects - 5");

    ObjectInfo curly = getObjectInfo(store, "{2}", kFolders, files);
    EXPECT_EQ(curly.name, "");
    EXPECT_FALSE(curly.found);
}

TEST(InstalledObjects, ProgressCountsEveryClsidAndCanStopTheListing) {
    MemoryRegistryStore store;
    for (int i = 0; i < 10; ++i) addObject(store, "{" + std::to_string(i) + "}", "Object", "a.dll", "1.0");
    KnownFiles files;
    std::vector<std::size_t> seen;
    std::vector<ObjectRow> rows = listInstalledObjects(store, kFolders, files, [&](std::size_t done, std::size_t total) {
        seen.push_back(done);
        EXPECT_EQ(total, 10u);
        return done < 4;
    });
    EXPECT_EQ(rows.size(), 4u);
    EXPECT_EQ(seen, (std::vector<std::size_t>{1, 2, 3, 4}));
    EXPECT_TRUE(listInstalledObjects(MemoryRegistryStore(), kFolders, files).empty());
}

// Switches and plain paths are in the listing above; a quoted path keeps its blanks.
TEST(InstalledObjects, AQuotedServerTextKeepsItsBlanks) {
    EXPECT_EQ(serverFileText("  \"C:\\Program Files\\App\\app.exe\" /automation"), "C:\\Program Files\\App\\app.exe");
}

#ifndef _WIN32  // on Windows the drive paths and the system folders are the machine's own
TEST(DiskServerFiles, DrivePathsAreFoundInTheWinePrefixWithoutRegardToCase) {
    TempDir prefix;
    prefix.write("drive_c/windows/system32/MSCOMCTL.OCX", "MZ");
    prefix.write("drive_c/Program Files/App/app.exe", "MZ");
    DiskServerFiles files(prefix.path());
    EXPECT_EQ(files.find("C:\\windows\\system32\\mscomctl.ocx"), prefix / "drive_c/windows/system32/MSCOMCTL.OCX");
    EXPECT_EQ(files.find("c:\\PROGRAM FILES\\app\\APP.EXE"), prefix / "drive_c/Program Files/App/app.exe");
    EXPECT_EQ(files.find("C:\\windows\\system32\\missing.dll"), "");
    EXPECT_EQ(files.find("D:\\nowhere.dll"), "");
    EXPECT_EQ(files.find("C:\\windows\\system32"), "");  // a folder is not a server file
    // The Windows and system folders of the prefix are disk paths already.
    EXPECT_EQ(files.find(prefix / "drive_c/windows/system32/MSCOMCTL.OCX"),
              prefix / "drive_c/windows/system32/MSCOMCTL.OCX");
}

TEST(ServerFileVersions, BareNamesAreFoundInTheSystemFolderThenTheWindowsFolderOfThePrefix) {
    TempDir prefix;
    using testpe::peFile, testpe::versionInfo, testpe::usTable;
    const std::string versioned = peFile(versionInfo({usTable()}));
    prefix.write("drive_c/windows/system32/MSCOMCTL.OCX", versioned);
    prefix.write("drive_c/windows/system32/kernel32.dll", versioned);
    prefix.write("drive_c/windows/comdlg32.ocx", versioned);
    prefix.write("drive_c/windows/system32/comdlg32.ocx", "MZ but no version");
    DiskServerFiles files(prefix.path());
    ObjectFolders folders = objectFoldersOf(files);
    EXPECT_EQ(folders.windowsDir, "C:\\windows\\");
    EXPECT_EQ(folders.systemDir, "C:\\windows\\system32\\");
    ServerFileVersions versions(files, folders);
    EXPECT_EQ(versions.fileVersion("mscomctl.ocx"), "6.0.81.69");
    // A Declare's library without an extension is a DLL; the same name twice is answered once.
    EXPECT_EQ(versions.fileVersion("Kernel32"), "6.0.81.69");
    EXPECT_EQ(versions.fileVersion("KERNEL32"), "6.0.81.69");
    // The system folder comes first, as Windows loads libraries.
    EXPECT_EQ(versions.locate("COMDLG32.OCX"), prefix / "drive_c/windows/system32/comdlg32.ocx");
    EXPECT_EQ(versions.fileVersion("comdlg32.ocx"), "");
    EXPECT_EQ(versions.fileVersion("C:\\windows\\comdlg32.ocx"), "6.0.81.69");
    EXPECT_EQ(versions.fileVersion("missing.ocx"), "");
    EXPECT_EQ(versions.fileVersion(""), "");

    // Without a prefix there are no folders, and bare names are not found anywhere.
    DiskServerFiles none(prefix / "no-such-prefix");
    EXPECT_EQ(objectFoldersOf(none).systemDir, "");
    EXPECT_EQ(ServerFileVersions(none, objectFoldersOf(none)).fileVersion("mscomctl.ocx"), "");
}
#endif

}  // namespace

}  // namespace tally
