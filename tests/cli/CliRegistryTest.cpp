// objects and export-key over a Wine prefix the test writes: hive files in Wine's format and a
// server DLL with a version resource in the prefix's system folder.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "CliRun.h"
#include "support/TempDir.h"
#include "support/TestPeFile.h"

namespace tally {

using ::testing::HasSubstr;

namespace {

constexpr const char* kSystemReg =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to REGISTRY\\\\Machine\n"
    "\n"
    "#arch=win32\n"
    "\n"
    "[Software\\\\Classes\\\\CLSID\\\\{0713E8A2-850A-101B-AFC0-4210102A8DA7}] 1796684205\n"
    "#time=1dd869e3be1eb0c\n"
    "@=\"MICROSOFT grid control, \\\"new\\\"\"\n"
    "\n"
    "[Software\\\\Classes\\\\CLSID\\\\{0713E8A2-850A-101B-AFC0-4210102A8DA7}\\\\InprocServer32] 1796684205\n"
    "@=\"grid32.ocx\"\n"
    "\"ThreadingModel\"=\"Apartment\"\n"
    "\n"
    "[Software\\\\Classes\\\\CLSID\\\\{0713E8A2-850A-101B-AFC0-4210102A8DA7}\\\\Version] 1796684205\n"
    "@=\"6.0\"\n"
    "\n"
    "[Software\\\\Classes\\\\CLSID\\\\{22222222-0000-0000-0000-000000000000}] 1796684205\n"
    "@=\"No Version Here\"\n"
    "\n"
    "[Software\\\\Classes\\\\CLSID\\\\{22222222-0000-0000-0000-000000000000}\\\\InprocServer32] 1796684205\n"
    "@=\"C:\\\\windows\\\\system32\\\\gone.dll\"\n";

constexpr const char* kUserReg =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n"
    "\n"
    "#arch=win32\n"
    "\n"
    "[Software\\\\Vendor\\\\Ledger] 1796684205\n"
    "\"Caption\"=\"Caf\\xe9 \\\\ \\\"Books\\\"\"\n"
    "\"Count\"=dword:0000001a\n"
    "\n"
    "[Software\\\\Vendor\\\\Ledger\\\\Recent] 1796684205\n"
    "\"1\"=hex:01,02\n";

// Points WINEPREFIX at a folder for the test's lifetime.
class WinePrefixVariable {
public:
    explicit WinePrefixVariable(const std::string& folder) {
        if (const char* old = std::getenv("WINEPREFIX")) m_old = old;
        ::setenv("WINEPREFIX", folder.c_str(), 1);
    }
    ~WinePrefixVariable() {
        if (m_old)
            ::setenv("WINEPREFIX", m_old->c_str(), 1);
        else
            ::unsetenv("WINEPREFIX");
    }

private:
    std::optional<std::string> m_old;
};

struct FixturePrefix {
    TempDir dir;
    std::string folder = dir / "prefix";
    FixturePrefix() {
        dir.write("prefix/system.reg", kSystemReg);
        dir.write("prefix/user.reg", kUserReg);
        using namespace testpe;
        dir.write("prefix/drive_c/windows/system32/GRID32.OCX", peFile(versionInfo({usTable()})));
    }
};

}  // namespace

TEST(CliRegistry, ObjectsListsNameClsidVersionServerAndFileVersionInEachFormat) {
    FixturePrefix prefix;
    WinePrefixVariable variable(prefix.folder);

    CliRun text = run({"objects"});
    EXPECT_EQ(text.code, kExitOk) << text.err;
    EXPECT_EQ(text.out,
              "# Installed Objects - 1\n"
              "Microsoft Grid Control, \"new\"\t{0713E8A2-850A-101B-AFC0-4210102A8DA7}\t6.0\t"
              "C:\\windows\\system32\\grid32.ocx\t6.0.81.69\n");

    CliRun csv = run({"objects", "--format", "csv"});
    EXPECT_EQ(csv.out,
              "Name,CLSID,Version,Server,File Version\r\n"
              "\"Microsoft Grid Control, \"\"new\"\"\",{0713E8A2-850A-101B-AFC0-4210102A8DA7},6.0,"
              "C:\\windows\\system32\\grid32.ocx,6.0.81.69\r\n");

    CliRun json = run({"objects", "--format", "json"});
    EXPECT_THAT(json.out, HasSubstr("\"name\": \"Microsoft Grid Control, \\\"new\\\"\""));
    EXPECT_THAT(json.out, HasSubstr("\"server\": \"C:\\\\windows\\\\system32\\\\grid32.ocx\""));
    EXPECT_THAT(json.out, HasSubstr("\"fileVersion\": \"6.0.81.69\"}\n]\n"));

    // An empty registry lists nothing, as an empty JSON array too.
    TempDir empty;
    WinePrefixVariable none(empty / "nothing-here");
    EXPECT_EQ(run({"objects"}).out, "# Installed Objects - 0\n");
    EXPECT_EQ(run({"objects", "--format", "json"}).out, "[]\n");
}

TEST(CliRegistry, ExportKeyWritesTheKeyAndItsSubkeysAsARegeditFile) {
    FixturePrefix prefix;
    WinePrefixVariable variable(prefix.folder);
    const std::string out = prefix.dir / "ledger.reg";
    CliRun exported = run({"export-key", "HKCU\\Software\\Vendor\\Ledger", "--out", out});
    EXPECT_EQ(exported.code, kExitOk) << exported.err;
    EXPECT_EQ(prefix.dir.read("ledger.reg"),
              "REGEDIT4\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\Vendor\\Ledger]\r\n"
              "\"Caption\"=\"Caf\xe9 \\\\ \\\"Books\\\"\"\r\n"
              "\"Count\"=dword:0000001a\r\n"
              " \r\n"
              "[HKEY_CURRENT_USER\\Software\\Vendor\\Ledger\\Recent]\r\n"
              "\"1\"=hex:01,02\r\n"
              " \r\n");
    // The export reads the registry only: the hive file is as it was.
    EXPECT_EQ(prefix.dir.read("prefix/user.reg"), kUserReg);

    CliRun missing = run({"export-key", "HKEY_CURRENT_USER\\Software\\Nobody", "--out", out});
    EXPECT_EQ(missing.code, kExitUsage);
    EXPECT_THAT(missing.err, HasSubstr("cannot be opened"));
    CliRun noHive = run({"export-key", "Software\\Vendor", "--out", out});
    EXPECT_EQ(noHive.code, kExitUsage);
    EXPECT_THAT(noHive.err, HasSubstr("does not begin with a hive"));
}

TEST(CliRegistry, UsageErrorsOfTheRegistryCommands) {
    EXPECT_EQ(run({"objects", "some.vbp"}).err,
              "tallyscan6-cli: 'objects' takes no file\nTry 'tallyscan6-cli --help'.\n");
    EXPECT_EQ(run({"objects", "--list", "all"}).code, kExitUsage);
    // It printed nothing and succeeded before.
    for (const char* format : {"sarif", "junit", "codeclimate"})
        EXPECT_EQ(run({"objects", "--format", format}).err,
                  "tallyscan6-cli: 'objects' prints in text, csv or json\nTry 'tallyscan6-cli --help'.\n");
    EXPECT_THAT(run({"export-key", "HKCU\\Software"}).err, HasSubstr("'export-key' needs --out FILE.reg"));
    EXPECT_THAT(run({"export-key", "--out", "x.reg"}).err, HasSubstr("'export-key' needs a key"));
    EXPECT_EQ(run({"export-key", "HKCU\\Software", "--out", "x.reg", "--format", "csv"}).code, kExitUsage);
}

}  // namespace tally
