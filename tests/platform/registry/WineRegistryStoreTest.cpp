// The registry store over a folder of Wine registry files: which file each hive reads, the merged
// classes view, files made on first write, refusal while a wineserver runs, and outside changes.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <utility>

#include "SampleHives.h"
#ifndef _WIN32
#include "ServerSocket.h"
#endif
#include "core/registry/RegistryValues.h"
#include "platform/registry/RegistryStoreChoice.h"
#include "platform/registry/WineRegistryStore.h"
#include "platform/registry/WineServerCheck.h"
#include "support/TempDir.h"

namespace tally {

namespace {

constexpr std::string_view kSystemReg = R"reg(WINE REGISTRY Version 2
;; All keys relative to \\Machine

#arch=win32

[Software\\Classes\\.txt] 1
@="txtfile"
"Content Type"="text/plain"

[Software\\Classes\\MachineOnly] 1
@="m"

[Software\\Classes\\Shared\\FromMachine] 1
@="machine"
"Both"="machine"
"MachineValue"="m"

[Software\\Vendor] 1
"Where"="system.reg"
)reg";

constexpr std::string_view kUserReg = R"reg(WINE REGISTRY Version 2
;; All keys relative to \\User\\S-1-5-21-1-2-3-1001

#arch=win32

[Software\\Classes\\Shared\\FromMachine] 1
"Both"="user"

[Software\\Classes\\Shared\\FromUser] 1
@="user"

[Software\\Classes\\UserOnly\\Inner] 1
@="u"

[Software\\Vendor] 1
"Where"="user.reg"
)reg";

constexpr std::string_view kUserdefReg = R"reg(WINE REGISTRY Version 2
;; All keys relative to \\User\\.Default

#arch=win32

[Software\\Vendor] 1
"Where"="userdef.reg"
)reg";

std::string textOf(const std::optional<RegValue>& v) {
    return v ? std::string(cutAtNul(v->data)) : "<missing>";
}

using Names = std::vector<std::string>;

// A prefix folder with the three files, and a server root of its own.
struct Prefix {
    TempDir dir;
    std::string folder = dir / "prefix";
    std::string servers = dir / "servers";
    Prefix() {
        dir.write("prefix/system.reg", kSystemReg);
        dir.write("prefix/user.reg", kUserReg);
        dir.write("prefix/userdef.reg", kUserdefReg);
    }
    std::string read(std::string_view name) const { return dir.read("prefix/" + std::string(name)); }
};

}  // namespace

TEST(WineRegistryStore, EachHiveReadsItsFile) {
    Prefix p;
    WineRegistryStore store(p.folder, p.servers);
    EXPECT_EQ(textOf(store.value(Hive::LocalMachine, "Software\\Vendor", "Where")), "system.reg");
    EXPECT_EQ(textOf(store.value(Hive::CurrentUser, "software\\vendor", "where")), "user.reg");
    EXPECT_EQ(store.userSid(), "S-1-5-21-1-2-3-1001");
    EXPECT_EQ(store.subkeys(Hive::Users, ""), (Names{".Default", "S-1-5-21-1-2-3-1001"}));
    EXPECT_TRUE(samples::noValues(store.values(Hive::Users, "")));
    EXPECT_EQ(textOf(store.value(Hive::Users, ".DEFAULT\\Software\\Vendor", "Where")), "userdef.reg");
    EXPECT_EQ(textOf(store.value(Hive::Users, "S-1-5-21-1-2-3-1001\\Software\\Vendor", "Where")), "user.reg");
    EXPECT_FALSE(store.subkeys(Hive::Users, "S-1-5-18"));
}

TEST(WineRegistryStore, ClassesRootMergesUserOverMachine) {
    Prefix p;
    WineRegistryStore store(p.folder, p.servers);
    EXPECT_EQ(store.subkeys(Hive::ClassesRoot, ""), (Names{"Shared", "UserOnly", ".txt", "MachineOnly"}));
    EXPECT_EQ(store.subkeys(Hive::ClassesRoot, "shared"), (Names{"FromMachine", "FromUser"}));
    EXPECT_EQ(store.subkeys(Hive::ClassesRoot, "UserOnly"), Names{"Inner"});
    EXPECT_EQ(store.subkeys(Hive::ClassesRoot, ".txt"), Names{});
    EXPECT_FALSE(store.subkeys(Hive::ClassesRoot, "Missing"));

    EXPECT_EQ(textOf(store.value(Hive::ClassesRoot, ".txt", "")), "txtfile");
    EXPECT_EQ(textOf(store.value(Hive::ClassesRoot, "Shared\\FromMachine", "Both")), "user");
    EXPECT_EQ(textOf(store.value(Hive::ClassesRoot, "Shared\\FromMachine", "")), "machine");
    const auto merged = store.values(Hive::ClassesRoot, "Shared\\FromMachine");
    ASSERT_TRUE(merged);
    ASSERT_EQ(merged->size(), 3u);
    EXPECT_EQ((*merged)[0].name, "Both");
    EXPECT_EQ(textOf((*merged)[0]), "user");
    EXPECT_EQ((*merged)[1].name, "");
    EXPECT_EQ((*merged)[2].name, "MachineValue");
    EXPECT_EQ(store.values(Hive::ClassesRoot, "UserOnly\\Inner")->size(), 1u);
}

TEST(WineRegistryStore, ClassesRootValueWritesGoToTheUserWhenItHasTheKey) {
    // As in Windows: the user's key takes the write when there is one, since it is what reads see.
    Prefix p;
    WineRegistryStore store(p.folder, p.servers);
    ASSERT_TRUE(store.setValue(Hive::ClassesRoot, "Shared\\FromMachine", stringValue("Both", "written")));
    EXPECT_EQ(textOf(store.value(Hive::ClassesRoot, "Shared\\FromMachine", "Both")), "written");
    EXPECT_NE(p.read("user.reg").find("\"Both\"=\"written\""), std::string::npos);
    EXPECT_EQ(p.read("system.reg"), kSystemReg);
    // A value only the machine has is given to the user's key too, and shadows the machine's.
    ASSERT_TRUE(store.setValue(Hive::ClassesRoot, "Shared\\FromMachine", stringValue("MachineValue", "u")));
    EXPECT_EQ(textOf(store.value(Hive::ClassesRoot, "Shared\\FromMachine", "MachineValue")), "u");
    EXPECT_EQ(p.read("system.reg"), kSystemReg);
    // Keys only the machine has take the write there.
    ASSERT_TRUE(store.setValue(Hive::ClassesRoot, ".txt", stringValue("", "edited")));
    EXPECT_NE(p.read("system.reg").find("@=\"edited\""), std::string::npos);
    EXPECT_EQ(textOf(store.value(Hive::ClassesRoot, ".txt", "")), "edited");
    ASSERT_TRUE(store.setValue(Hive::ClassesRoot, "UserOnly\\Inner", stringValue("", "changed")));
    EXPECT_NE(p.read("user.reg").find("@=\"changed\""), std::string::npos);
    EXPECT_FALSE(store.setValue(Hive::ClassesRoot, "Missing", stringValue("", "x")));
}

TEST(WineRegistryStore, ClassesRootKeysAreMadeBesideTheirParentAndDeletedFromBothSides) {
    Prefix p;
    WineRegistryStore store(p.folder, p.servers);
    // New keys go beside their nearest existing parent.
    ASSERT_TRUE(store.createKey(Hive::ClassesRoot, "UserOnly\\Inner\\New\\Deeper"));
    EXPECT_NE(p.read("user.reg").find("[Software\\\\Classes\\\\UserOnly\\\\Inner\\\\New\\\\Deeper]"),
              std::string::npos);
    ASSERT_TRUE(store.createKey(Hive::ClassesRoot, "Brand\\New"));
    EXPECT_NE(p.read("system.reg").find("[Software\\\\Classes\\\\Brand\\\\New]"), std::string::npos);
    EXPECT_TRUE(store.createKey(Hive::ClassesRoot, "shared\\fromuser"));  // there already
    EXPECT_EQ(store.subkeys(Hive::ClassesRoot, "Brand"), Names{"New"});

    // A deleted key goes from both sides, or the merged view would still show it.
    ASSERT_TRUE(store.deleteKey(Hive::ClassesRoot, "Shared"));
    EXPECT_FALSE(store.subkeys(Hive::ClassesRoot, "Shared"));
    EXPECT_EQ(p.read("user.reg").find("Shared"), std::string::npos);
    EXPECT_EQ(p.read("system.reg").find("Shared"), std::string::npos);
    EXPECT_FALSE(store.deleteKey(Hive::ClassesRoot, "Shared"));
    EXPECT_FALSE(store.deleteKey(Hive::ClassesRoot, ""));
}

TEST(WineRegistryStore, WritesChangeOnlyTheirFileAndLeaveNoTemporaryFiles) {
    Prefix p;
    WineRegistryStore store(p.folder, p.servers);
    ASSERT_TRUE(store.setValue(Hive::CurrentUser, "Software\\Vendor", dwordValue("Where", 5)));
    std::string expected(kUserReg);
    const std::string_view old = "\"Where\"=\"user.reg\"";
    expected.replace(expected.find(old), old.size(), "\"Where\"=dword:00000005");
    EXPECT_EQ(p.read("user.reg"), expected);
    EXPECT_EQ(p.read("system.reg"), kSystemReg);
    EXPECT_EQ(p.read("userdef.reg"), kUserdefReg);
    ASSERT_TRUE(store.setValue(Hive::Users, ".Default\\Software\\Vendor", stringValue("Added", "1")));
    EXPECT_NE(p.read("userdef.reg").find("\"Where\"=\"userdef.reg\"\n\"Added\"=\"1\"\n"), std::string::npos);
    EXPECT_FALSE(store.setValue(Hive::CurrentUser, "Software\\Missing", stringValue("x", "y")));
    EXPECT_FALSE(store.deleteKey(Hive::Users, ".Default"));
    EXPECT_FALSE(store.deleteKey(Hive::CurrentUser, ""));
    EXPECT_TRUE(store.createKey(Hive::Users, ""));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(p.folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Names{"system.reg", "user.reg", "userdef.reg"}));
}

TEST(WineRegistryStore, AMissingFolderReadsEmptyAndIsMadeOnFirstWrite) {
    TempDir dir;
    const std::string folder = dir / "config/tallyscan6";
    WineRegistryStore store(folder, dir / "servers");
    EXPECT_EQ(store.subkeys(Hive::LocalMachine, ""), Names{});
    EXPECT_EQ(store.subkeys(Hive::ClassesRoot, ""), Names{});
    EXPECT_TRUE(samples::noValues(store.values(Hive::ClassesRoot, "")));
    EXPECT_FALSE(store.subkeys(Hive::ClassesRoot, "CLSID"));
    EXPECT_FALSE(store.subkeys(Hive::CurrentUser, "Software"));
    EXPECT_EQ(store.userSid(), "S-1-5-21-0-0-0-1000");
    EXPECT_FALSE(store.setValue(Hive::CurrentUser, "Software", stringValue("x", "y")));
    EXPECT_FALSE(std::filesystem::exists(folder));

    ASSERT_TRUE(store.createKey(Hive::CurrentUser, "Software\\Vendor\\Tool"));
    ASSERT_TRUE(store.setValue(Hive::CurrentUser, "Software\\Vendor\\Tool", dwordValue("Runs", 1)));
    const std::string written = dir.read("config/tallyscan6/user.reg");
    const std::string start =
        "WINE REGISTRY Version 2\n;; All keys relative to "
        "REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win32\n\n"
        "[Software\\\\Vendor\\\\Tool] ";
    EXPECT_EQ(written.substr(0, start.size()), start);
    EXPECT_NE(written.find("\n#time="), std::string::npos);
    EXPECT_TRUE(written.ends_with("\n\"Runs\"=dword:00000001\n")) << written;
    EXPECT_FALSE(std::filesystem::exists(folder + "/system.reg"));

    ASSERT_TRUE(store.createKey(Hive::ClassesRoot, "CLSID"));
    EXPECT_EQ(dir.read("config/tallyscan6/system.reg").substr(0, 68),
              "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#");
    EXPECT_EQ(store.subkeys(Hive::LocalMachine, "Software\\Classes"), Names{"CLSID"});

    // A second store over the folder reads what the first one wrote.
    WineRegistryStore other(folder, dir / "servers");
    EXPECT_EQ(dwordOf(other.value(Hive::CurrentUser, "Software\\Vendor\\Tool", "Runs")->data), 1u);
}

#ifndef _WIN32  // the Wine server is a POSIX program
TEST(WineRegistryStore, ARunningWineserverRefusesEveryWrite) {
    // Which sockets count as a running server is for the WineServerCheck tests; here, that the
    // store asks at every write and not once.
    Prefix p;
    WineRegistryStore store(p.folder, p.servers);
    EXPECT_EQ(store.writeRefusal(), "");
    {
        samples::ServerSocket server(wineServerSocket(p.folder, p.servers));
        ASSERT_TRUE(server.bound());
        EXPECT_EQ(store.writeRefusal(),
                  "The Wine registry is in use by a running Wine program. Close Wine (wineserver -k) and try "
                  "again.");
        EXPECT_FALSE(store.setValue(Hive::CurrentUser, "Software\\Vendor", stringValue("Where", "x")));
        EXPECT_FALSE(store.createKey(Hive::CurrentUser, "Software\\New"));
        EXPECT_TRUE(
            store.createKey(Hive::CurrentUser, "Software\\Vendor"));  // there already: nothing to write
        EXPECT_FALSE(store.deleteKey(Hive::CurrentUser, "Software\\Vendor"));
        EXPECT_FALSE(store.deleteKey(Hive::ClassesRoot, "Shared"));
        EXPECT_FALSE(store.setValue(Hive::ClassesRoot, ".txt", stringValue("", "x")));
        EXPECT_EQ(p.read("user.reg"), kUserReg);
        EXPECT_EQ(p.read("system.reg"), kSystemReg);
        // Reading goes on as before.
        EXPECT_EQ(textOf(store.value(Hive::CurrentUser, "Software\\Vendor", "Where")), "user.reg");
    }
    // Killed, the server leaves its socket behind; nobody answers it, so writes go ahead.
    EXPECT_EQ(store.writeRefusal(), "");
    EXPECT_TRUE(store.setValue(Hive::CurrentUser, "Software\\Vendor", stringValue("Where", "after a kill")));
    EXPECT_EQ(textOf(store.value(Hive::CurrentUser, "Software\\Vendor", "Where")), "after a kill");
}
#endif

TEST(WineRegistryStore, EditedStringsAreWrittenQuoted) {
    // The value editor hands over the text without its NUL, as the registry's ANSI calls take it.
    Prefix p;
    WineRegistryStore store(p.folder, p.servers);
    ASSERT_TRUE(saveValue(store, Hive::CurrentUser, "Software\\Vendor", regtype::kString, "Where", "edited"));
    ASSERT_TRUE(saveValue(store, Hive::CurrentUser, "Software\\Vendor", regtype::kString, "Name", "text"));
    const std::string written = p.read("user.reg");
    EXPECT_NE(written.find("\"Where\"=\"edited\"\n\"Name\"=\"text\"\n"), std::string::npos) << written;
    EXPECT_EQ(store.value(Hive::CurrentUser, "Software\\Vendor", "Name")->data, std::string("text\0", 5));
    EXPECT_EQ(readValueText(store, Hive::CurrentUser, "Software\\Vendor", "Where", ""), "edited");
}

namespace {

// The machine's classes of a win64 prefix: 32-bit registrations below Wow6432Node, as Wine's
// 32-bit regsvr32 leaves them, beside the 64-bit ones.
constexpr std::string_view kWin64SystemReg = R"reg(WINE REGISTRY Version 2
;; All keys relative to \\Machine

#arch=win64

[Software\\Classes\\AppID\\{0A}] 1
@="64-bit app"

[Software\\Classes\\CLSID\\{00-Both}\\InprocServer32] 1
@="C:\\windows\\system32\\both64.dll"
"ThreadingModel"="Both"

[Software\\Classes\\CLSID\\{00-Both}\\Only64] 1

[Software\\Classes\\CLSID\\{01-Only64}\\InprocServer32] 1
@="C:\\windows\\system32\\only64.dll"

[Software\\Classes\\Interface\\{1I}] 1
@="IShared64"

[Software\\Classes\\TypeLib\\{2T}\\1.0] 1
@="Lib 64"

[Software\\Classes\\Wow6432Node\\AppID\\{0A}] 1
@="32-bit app"

[Software\\Classes\\Wow6432Node\\CLSID\\{02-Only32}\\InprocServer32] 1
@="C:\\windows\\syswow64\\MSCOMCTL.OCX"

[Software\\Classes\\Wow6432Node\\CLSID\\{00-Both}\\InprocServer32] 1
@="C:\\windows\\syswow64\\both32.dll"

[Software\\Classes\\Wow6432Node\\Interface\\{1I}] 1
@="IShared32"

[Software\\Classes\\Wow6432Node\\TypeLib\\{3T}\\1.0] 1
@="Lib 32"
)reg";

constexpr std::string_view kWin64UserReg = R"reg(WINE REGISTRY Version 2
;; All keys relative to \\User\\S-1-5-21-0-0-0-1000

#arch=win64

[Software\\Classes\\CLSID\\{04-User64}] 1
@="user 64"

[Software\\Classes\\Wow6432Node\\CLSID\\{03-User32}] 1
@="user 32"
)reg";

std::string withArch(std::string_view text, std::string_view arch) {
    std::string out(text);
    out.replace(out.find("#arch=win64"), 11, "#arch=" + std::string(arch));
    return out;
}

struct Win64Prefix {
    TempDir dir;
    std::string folder = dir / "prefix";
    std::string servers = dir / "servers";
    explicit Win64Prefix(std::string_view arch = "win64") {
        dir.write("prefix/system.reg", withArch(kWin64SystemReg, arch));
        dir.write("prefix/user.reg", withArch(kWin64UserReg, arch));
    }
    std::string read(std::string_view name) const { return dir.read("prefix/" + std::string(name)); }
};

}  // namespace

TEST(WineRegistryStore, AWin64PrefixShowsClassesAsA32BitProgramSeesThem) {
    Win64Prefix p;
    WineRegistryStore store(p.folder, p.servers);
    // The 32-bit registrations first, then the 64-bit ones that have no 32-bit twin.
    EXPECT_EQ(store.subkeys(Hive::ClassesRoot, "CLSID"),
              (Names{"{03-User32}", "{02-Only32}", "{00-Both}", "{04-User64}", "{01-Only64}"}));
    EXPECT_EQ(store.subkeys(Hive::ClassesRoot, "clsid"), store.subkeys(Hive::ClassesRoot, "CLSID"));
    EXPECT_EQ(store.subkeys(Hive::ClassesRoot, "TypeLib"), (Names{"{3T}", "{2T}"}));
    EXPECT_EQ(store.subkeys(Hive::ClassesRoot, "Interface"), Names{"{1I}"});
    EXPECT_EQ(store.subkeys(Hive::ClassesRoot, "AppID"), Names{"{0A}"});

    // A key the 32-bit side has is read from there, with all that is below it; else the 64-bit key.
    const std::pair<const char*, const char*> defaults[] = {
        {"CLSID\\{00-Both}\\InprocServer32", "C:\\windows\\syswow64\\both32.dll"},
        {"CLSID\\{02-Only32}\\InprocServer32", "C:\\windows\\syswow64\\MSCOMCTL.OCX"},
        {"clsid\\{03-user32}", "user 32"},
        {"Interface\\{1I}", "IShared32"},
        {"AppID\\{0A}", "32-bit app"},
        {"TypeLib\\{3T}\\1.0", "Lib 32"},
        {"TypeLib\\{2T}\\1.0", "Lib 64"},
        {"CLSID\\{01-Only64}\\InprocServer32", "C:\\windows\\system32\\only64.dll"},
        {"CLSID\\{04-User64}", "user 64"},
    };
    for (const auto& [path, text] : defaults) EXPECT_EQ(textOf(store.value(Hive::ClassesRoot, path, "")), text) << path;
    EXPECT_EQ(store.subkeys(Hive::ClassesRoot, "CLSID\\{00-Both}"), Names{"InprocServer32"});
    EXPECT_FALSE(store.value(Hive::ClassesRoot, "CLSID\\{00-Both}\\InprocServer32", "ThreadingModel"));
    EXPECT_FALSE(store.subkeys(Hive::ClassesRoot, "CLSID\\{00-Both}\\Only64"));
    EXPECT_EQ(store.values(Hive::ClassesRoot, "CLSID\\{03-User32}")->size(), 1u);
    // The other keys and the machine's own view are as the files have them.
    EXPECT_EQ(store.subkeys(Hive::ClassesRoot, ""),
              (Names{"CLSID", "Wow6432Node", "AppID", "Interface", "TypeLib"}));
    EXPECT_EQ(store.subkeys(Hive::LocalMachine, "Software\\Classes\\CLSID"),
              (Names{"{00-Both}", "{01-Only64}"}));

    // Writes go where reads come from.
    ASSERT_TRUE(store.setValue(Hive::ClassesRoot, "CLSID\\{00-Both}\\InprocServer32",
                               stringValue("", "C:\\windows\\syswow64\\new32.dll")));
    EXPECT_EQ(textOf(store.value(Hive::ClassesRoot, "CLSID\\{00-Both}\\InprocServer32", "")),
              "C:\\windows\\syswow64\\new32.dll");
    EXPECT_EQ(
        textOf(store.value(Hive::LocalMachine, "Software\\Classes\\CLSID\\{00-Both}\\InprocServer32", "")),
        "C:\\windows\\system32\\both64.dll");
    ASSERT_TRUE(store.createKey(Hive::ClassesRoot, "CLSID\\{02-Only32}\\ProgID"));
    EXPECT_TRUE(
        store.subkeys(Hive::LocalMachine, "Software\\Classes\\Wow6432Node\\CLSID\\{02-Only32}\\ProgID"));
    ASSERT_TRUE(
        store.setValue(Hive::ClassesRoot, "CLSID\\{01-Only64}\\InprocServer32", stringValue("", "x64")));
    EXPECT_EQ(
        textOf(store.value(Hive::LocalMachine, "Software\\Classes\\CLSID\\{01-Only64}\\InprocServer32", "")),
        "x64");
    ASSERT_TRUE(store.deleteKey(Hive::ClassesRoot, "CLSID\\{00-Both}"));
    EXPECT_FALSE(store.subkeys(Hive::LocalMachine, "Software\\Classes\\Wow6432Node\\CLSID\\{00-Both}"));
    EXPECT_EQ(store.subkeys(Hive::LocalMachine, "Software\\Classes\\CLSID\\{00-Both}"),
              (Names{"InprocServer32", "Only64"}));
}

TEST(WineRegistryStore, AWin32PrefixShowsItsClassesAsTheyAre) {
    Win64Prefix p("win32");
    WineRegistryStore store(p.folder, p.servers);
    EXPECT_EQ(store.subkeys(Hive::ClassesRoot, "CLSID"), (Names{"{04-User64}", "{00-Both}", "{01-Only64}"}));
    EXPECT_EQ(textOf(store.value(Hive::ClassesRoot, "CLSID\\{00-Both}\\InprocServer32", "")),
              "C:\\windows\\system32\\both64.dll");
    EXPECT_FALSE(store.subkeys(Hive::ClassesRoot, "CLSID\\{02-Only32}"));
    EXPECT_EQ(textOf(store.value(Hive::ClassesRoot, "Wow6432Node\\CLSID\\{02-Only32}\\InprocServer32", "")),
              "C:\\windows\\syswow64\\MSCOMCTL.OCX");
}

#ifndef _WIN32  // Windows refuses to rename over a file that a reader holds open; its registry is the system's
TEST(WineRegistryStore, ReadsFromSeveralThreadsWhileTheFilesChange) {
    // The objects listing reads on a worker thread while the window reads too; each read may find
    // the file changed and read it again.
    Prefix p;
    WineRegistryStore store(p.folder, p.servers);
    std::atomic<bool> stop{false};
    std::atomic<int> wrong{0};
    const auto reader = [&] {
        while (!stop) {
            const auto values = store.values(Hive::CurrentUser, "Software\\Vendor");
            if (!values || values->empty()) ++wrong;
            const auto names = store.subkeys(Hive::ClassesRoot, "");
            if (!names || names->empty()) ++wrong;
            store.value(Hive::CurrentUser, "Software\\Vendor", "Where");
        }
    };
    std::thread first(reader), second(reader);
    std::string bigger(kUserReg);
    for (int i = 0; i < 200; ++i)
        bigger += "\n[Software\\\\Vendor\\\\K" + std::to_string(i) + "] 1\n@=\"v\"\n";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
    for (int round = 0; std::chrono::steady_clock::now() < deadline; ++round) {
        // Replaced whole, as Wine and the store replace it, so that no reader sees half a file.
        p.dir.write("prefix/user.reg.new", round % 2 ? bigger : std::string(kUserReg));
        std::filesystem::rename(p.folder + "/user.reg.new", p.folder + "/user.reg");
        store.setValue(Hive::CurrentUser, "Software\\Vendor",
                       dwordValue("Round", static_cast<std::uint32_t>(round)));
    }
    stop = true;
    first.join();
    second.join();
    EXPECT_EQ(wrong, 0);
}
#endif

TEST(WineRegistryStore, AFileChangedOutsideIsReadAgain) {
    Prefix p;
    WineRegistryStore store(p.folder, p.servers);
    EXPECT_EQ(textOf(store.value(Hive::CurrentUser, "Software\\Vendor", "Where")), "user.reg");

    p.dir.write("prefix/user.reg",
                "WINE REGISTRY Version 2\n\n[Software\\\\Vendor] 1\n\"Where\"=\"outside\"\n");
    EXPECT_EQ(textOf(store.value(Hive::CurrentUser, "Software\\Vendor", "Where")), "outside");

    // The same length, told apart by its time.
    const std::string path = p.folder + "/user.reg";
    const auto before = std::filesystem::last_write_time(path);
    p.dir.write("prefix/user.reg",
                "WINE REGISTRY Version 2\n\n[Software\\\\Vendor] 1\n\"Where\"=\"OUTSIDE\"\n");
    std::filesystem::last_write_time(path, before + std::chrono::seconds(1));
    EXPECT_EQ(textOf(store.value(Hive::CurrentUser, "Software\\Vendor", "Where")), "OUTSIDE");

    // A write starts from the file as it is now, keeping the outside change.
    p.dir.write("prefix/user.reg", "WINE REGISTRY Version 2\n\n[Software\\\\Vendor] 1\n\"Other\"=\"kept\"\n");
    ASSERT_TRUE(store.setValue(Hive::CurrentUser, "Software\\Vendor", stringValue("Mine", "1")));
    EXPECT_EQ(p.read("user.reg"),
              "WINE REGISTRY Version 2\n\n[Software\\\\Vendor] 1\n\"Other\"=\"kept\"\n\"Mine\"=\"1\"\n");

    std::filesystem::remove(path);
    EXPECT_FALSE(store.subkeys(Hive::CurrentUser, "Software"));
}

TEST(WineRegistryStore, FilesThatAreNoRegistryAreReadButNeverWritten) {
    Prefix p;
    const std::string garbage =
        "\x7F"
        "ELF\x01\x02[Software\\\\Vendor] 1\n\"Where\"=\"x\"\n\xFF\xFE";
    p.dir.write("prefix/user.reg", garbage);
    WineRegistryStore store(p.folder, p.servers);
    EXPECT_EQ(textOf(store.value(Hive::CurrentUser, "Software\\Vendor", "Where")), "<missing>");
    EXPECT_FALSE(store.setValue(Hive::CurrentUser, "", stringValue("x", "y")));
    EXPECT_FALSE(store.createKey(Hive::CurrentUser, "Software\\New"));
    EXPECT_EQ(p.read("user.reg"), garbage);

    // A folder where a file should be reads as empty and refuses writes too.
    std::filesystem::remove(p.folder + "/system.reg");
    std::filesystem::create_directories(p.folder + "/system.reg");
    EXPECT_EQ(store.subkeys(Hive::LocalMachine, ""), Names{});
    EXPECT_FALSE(store.createKey(Hive::LocalMachine, "Software"));

    // An empty file is a registry file with nothing in it yet.
    p.dir.write("prefix/userdef.reg", "");
    EXPECT_TRUE(store.createKey(Hive::Users, ".Default\\Software\\X"));
    EXPECT_EQ(p.read("userdef.reg").substr(0, 24), "WINE REGISTRY Version 2\n");
}

TEST(WineRegistryStore, TheFolderIsThePrefixWinesDefaultPrefixOrTheProgramsOwn) {
    TempDir home;
    const std::string wine = home / ".wine", own = home / ".config/tallyscan6";
    EXPECT_EQ(pickWineRegistryFolder("/home/u/.wine-vb6", wine, own), "/home/u/.wine-vb6");
    // Wine's default prefix only counts once Wine has made its registry there.
    EXPECT_EQ(pickWineRegistryFolder("", wine, own), own);
    std::filesystem::create_directories(wine + "/drive_c");
    EXPECT_EQ(pickWineRegistryFolder("", wine, own), own);
    home.write(".wine/user.reg", "WINE REGISTRY Version 2\n");
    EXPECT_EQ(pickWineRegistryFolder("", wine, own), wine);
    std::filesystem::remove(wine + "/user.reg");
    home.write(".wine/system.reg", "WINE REGISTRY Version 2\n");
    EXPECT_EQ(pickWineRegistryFolder("", wine, own), wine);
    EXPECT_EQ(pickWineRegistryFolder("/elsewhere", wine, own), "/elsewhere");
    EXPECT_EQ(pickWineRegistryFolder("", "", own), own);

    WineRegistryStore nowhere("", "");
    EXPECT_EQ(nowhere.subkeys(Hive::CurrentUser, ""), Names{});
    EXPECT_FALSE(nowhere.createKey(Hive::CurrentUser, "Software"));
}

#ifndef _WIN32  // a Wine prefix and XDG folders are where Wine stands in for the registry
TEST(WineRegistryStore, TheFolderFollowsTheEnvironment) {
    // This process's variables, put back afterwards.
    struct Saved {
        std::string name;
        std::optional<std::string> value;
        explicit Saved(std::string n) : name(std::move(n)) {
            if (const char* v = std::getenv(name.c_str())) value = v;
        }
        ~Saved() {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    };
    const Saved prefix("WINEPREFIX"), home("HOME"), config("XDG_CONFIG_HOME");
    TempDir dir;
    ::setenv("HOME", dir.path().c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("WINEPREFIX");
    EXPECT_EQ(wineRegistryFolder(), dir / ".config/tallyscan6");
    dir.write(".wine/system.reg", "WINE REGISTRY Version 2\n");
    EXPECT_EQ(wineRegistryFolder(), dir / ".wine");
    ::setenv("WINEPREFIX", "", 1);
    EXPECT_EQ(wineRegistryFolder(), dir / ".wine");
    ::setenv("WINEPREFIX", (dir / "vb6").c_str(), 1);
    EXPECT_EQ(wineRegistryFolder(), dir / "vb6");
}
#endif

}  // namespace tally
