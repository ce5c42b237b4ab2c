// Storing files: the entry names, the patterns, appending, update and freshen, line ends and
// times, each read back with Python's zipfile.

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include <algorithm>

#include "ZipReading.h"
#include "support/TempDir.h"

namespace tally {
namespace {

using testing::entryBytes;
using testing::entryNames;
using testing::entryTime;
using testing::RecordedEvents;
using testing::zipRun;
using Names = std::vector<std::string>;

class ArchiverAdd : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(dir.path().empty()); }
    std::string zip() const { return dir / "out.zip"; }
    ZipOptions project() const {
        ZipOptions options;
        options.basePath = dir / "proj";
        return options;
    }
    // A project of a form, a form in a folder and a module in another.
    void writeProject() {
        dir.write("proj/Main.frm", "main form\r\n");
        dir.write("proj/Forms/Second.frm", "second form\r\n");
        dir.write("proj/Modules/Util.bas", "module\r\n");
    }
    TempDir dir;
};

TEST_F(ArchiverAdd, EntryNamesAloneOrWithFoldersAndFolderEntries) {
    writeProject();
    const Names patterns{"Main.frm", "Forms\\Second.frm", "Modules/Util.bas"};
    RecordedEvents recorded;
    ZipOptions options = project();
    const Outcome first = zipRun(zip(), options, patterns, recorded);
    ASSERT_TRUE(first) << first.detail;
    EXPECT_EQ(entryNames(zip()), (Names{"Main.frm", "Second.frm", "Util.bas"}));
    EXPECT_EQ(entryBytes(zip(), "Second.frm"), "second form\r\n");
    EXPECT_TRUE(testing::archiveTestsGood(zip()));
    EXPECT_EQ(recorded.messages, (Names{"  adding: Main.frm", "  adding: Second.frm", "  adding: Util.bas"}));
    EXPECT_EQ(recorded.progress,
              (Names{dir / "proj/Main.frm", dir / "proj/Forms/Second.frm", dir / "proj/Modules/Util.bas"}));

    options.storeFolderNames = true;
    ASSERT_TRUE(zipRun(zip(), options, patterns));
    EXPECT_EQ(entryNames(zip()), (Names{"Main.frm", "Forms/Second.frm", "Modules/Util.bas"}));

    options.storeDirectories = true;
    RecordedEvents withFolders;
    ASSERT_TRUE(zipRun(zip(), options, patterns, withFolders));
    EXPECT_EQ(entryNames(zip()),
              (Names{"Main.frm", "Forms/", "Forms/Second.frm", "Modules/", "Modules/Util.bas"}));
    EXPECT_TRUE(withFolders.saw("  adding: Forms/"));
    // unzip sees a folder entry as a folder: it has nothing to unpack but the folder itself.
    EXPECT_NE(testing::runCommand("unzip -Z " + testing::quoted(zip())).output.find("drwx"),
              std::string::npos);
    EXPECT_EQ(testing::runCommand("unzip -tq " + testing::quoted(zip())).status, 0);

    // Folder entries without folder names would name folders that no entry lies in.
    options.storeFolderNames = false;
    ASSERT_TRUE(zipRun(zip(), options, patterns));
    EXPECT_EQ(entryNames(zip()), (Names{"Main.frm", "Second.frm", "Util.bas"}));
}

TEST_F(ArchiverAdd, MembersOutsideTheProjectFolderGetNoDotDotEntries) {
    dir.write("work/proj/Project1.vbp", "Type=Exe\r\n");
    dir.write("work/proj/Forms/Main.frm", "form\r\n");
    dir.write("work/shared/Util.bas", "shared\r\n");
    ZipOptions options;
    options.basePath = dir / "work/proj";
    options.storeFolderNames = true;
    ASSERT_TRUE(zipRun(zip(), options, {"Project1.vbp", "Forms\\Main.frm", "..\\shared\\Util.bas"}));
    const Names names = entryNames(zip());
    EXPECT_EQ(names, (Names{"proj/Project1.vbp", "proj/Forms/Main.frm", "shared/Util.bas"}));
    // unzip's own listing, as a second reader: no name climbs out or starts at the root.
    const std::string listed = testing::runCommand("unzip -Z1 " + testing::quoted(zip())).output;
    EXPECT_EQ(listed, "proj/Project1.vbp\nproj/Forms/Main.frm\nshared/Util.bas\n");

    // An absolute path outside the project is named below the folder all the files share.
    ASSERT_TRUE(zipRun(zip(), options, {"Project1.vbp", dir / "work/shared/Util.bas"}));
    EXPECT_EQ(entryNames(zip()), (Names{"proj/Project1.vbp", "shared/Util.bas"}));
    for (const std::string& name : entryNames(zip())) {
        EXPECT_EQ(name.find(".."), std::string::npos) << name;
        EXPECT_NE(name.front(), '/') << name;
    }
}

TEST_F(ArchiverAdd, RelativeNamesWithoutABaseStartAtTheWorkingFolder) {
    writeProject();
    char* before = ::getcwd(nullptr, 0);
    ASSERT_EQ(::chdir((dir / "proj").c_str()), 0);
    ZipOptions options;
    options.storeFolderNames = true;
    const Outcome result = zipRun("../out.zip", options, {"Forms/Second.frm", "Main.frm"});
    ASSERT_EQ(::chdir(before), 0);
    ::free(before);
    ASSERT_TRUE(result) << result.detail;
    EXPECT_EQ(entryNames(zip()), (Names{"Forms/Second.frm", "Main.frm"}));
}

TEST_F(ArchiverAdd, WithoutAppendTheNewArchiveHoldsExactlyTheFilesGiven) {
    dir.write("proj/a.bas", "a");
    dir.write("proj/b.bas", "b");
    ASSERT_TRUE(zipRun(zip(), project(), {"a.bas"}));
    ASSERT_TRUE(zipRun(zip(), project(), {"b.bas"}));
    EXPECT_EQ(entryNames(zip()), (Names{"b.bas"}));

    // An old file under the name that is no archive at all is simply replaced.
    dir.write("out.zip", "not an archive");
    ASSERT_TRUE(zipRun(zip(), project(), {"a.bas"}));
    EXPECT_EQ(entryNames(zip()), (Names{"a.bas"}));
}

TEST_F(ArchiverAdd, AppendAddsNewEntriesAndReplacesThoseThere) {
    dir.write("proj/a.bas", "old a");
    dir.write("proj/b.bas", "b");
    ASSERT_TRUE(zipRun(zip(), project(), {"a.bas", "b.bas"}));
    dir.write("proj/a.bas", "new a");
    dir.write("proj/c.bas", "c");
    ZipOptions options = project();
    options.allowAppend = true;
    RecordedEvents recorded;
    ASSERT_TRUE(zipRun(zip(), options, {"c.bas", "a.bas"}, recorded));
    EXPECT_EQ(entryNames(zip()), (Names{"a.bas", "b.bas", "c.bas"}));
    EXPECT_EQ(entryBytes(zip(), "a.bas"), "new a");
    EXPECT_EQ(entryBytes(zip(), "b.bas"), "b");
    EXPECT_TRUE(recorded.saw("  adding: c.bas"));
    EXPECT_TRUE(recorded.saw("updating: a.bas"));

    // Appending to an archive that is not there yet makes it.
    ASSERT_TRUE(zipRun(dir / "fresh.zip", options, {"b.bas"}));
    EXPECT_EQ(entryNames(dir / "fresh.zip"), (Names{"b.bas"}));
}

// An archive of a.bas and b.bas made at `made`, then both files rewritten: a.bas well after its
// entry, b.bas within the 2 seconds of a zip time; and a c.bas the archive does not have.
class ArchiverNewer : public ArchiverAdd {
protected:
    void SetUp() override {
        ArchiverAdd::SetUp();
        const time_t made = 1600000000;  // an even second, as zip times are
        dir.write("proj/a.bas", "old a");
        dir.write("proj/b.bas", "old b");
        ASSERT_TRUE(testing::setModified(dir / "proj/a.bas", made));
        ASSERT_TRUE(testing::setModified(dir / "proj/b.bas", made));
        ASSERT_TRUE(zipRun(zip(), project(), {"a.bas", "b.bas"}));
        dir.write("proj/a.bas", "new a");
        dir.write("proj/b.bas", "new b");
        dir.write("proj/c.bas", "c");
        ASSERT_TRUE(testing::setModified(dir / "proj/a.bas", made + 100));
        ASSERT_TRUE(testing::setModified(dir / "proj/b.bas", made + 1));
    }
};

TEST_F(ArchiverNewer, UpdateReplacesOnlyOlderEntriesAndAddsNewFiles) {
    ZipOptions options = project();
    options.updateOnlyIfNewer = true;
    RecordedEvents recorded;
    ASSERT_TRUE(zipRun(zip(), options, {"*.bas"}, recorded));
    EXPECT_EQ(entryNames(zip()), (Names{"a.bas", "b.bas", "c.bas"}));
    EXPECT_EQ(entryBytes(zip(), "a.bas"), "new a");
    EXPECT_EQ(entryBytes(zip(), "b.bas"), "old b");
    EXPECT_EQ(entryBytes(zip(), "c.bas"), "c");
    EXPECT_TRUE(recorded.saw("updating: a.bas"));
    EXPECT_TRUE(recorded.saw("skipping: b.bas (not newer)"));
    EXPECT_TRUE(recorded.saw("  adding: c.bas"));
    // The skipped file is not read, so the Progress event does not hear of it.
    EXPECT_EQ(recorded.progress, (Names{dir / "proj/a.bas", dir / "proj/c.bas"}));
}

TEST_F(ArchiverNewer, FreshenReplacesOnlyOlderEntriesAndAddsNothing) {
    ZipOptions options = project();
    options.freshenFiles = true;
    RecordedEvents recorded;
    ASSERT_TRUE(zipRun(zip(), options, {"*.bas"}, recorded));
    EXPECT_EQ(entryNames(zip()), (Names{"a.bas", "b.bas"}));
    EXPECT_EQ(entryBytes(zip(), "a.bas"), "new a");
    EXPECT_EQ(entryBytes(zip(), "b.bas"), "old b");

    // With nothing newer the archive is not written at all.
    const std::string before = testing::fileBytes(zip());
    ASSERT_TRUE(zipRun(zip(), options, {"b.bas", "c.bas"}));
    EXPECT_EQ(testing::fileBytes(zip()), before);

    // There is nothing to freshen in an archive that does not exist.
    const Outcome missing = zipRun(dir / "none.zip", options, {"a.bas"});
    EXPECT_EQ(missing.errorNumber, error::kFileNotFound);
}

TEST_F(ArchiverAdd, LineEndsConvertedInTheStoredBytesAndTimesKept) {
    dir.write("proj/dos.bas", "one\r\ntwo\r\nlone cr\r");
    dir.write("proj/unix.bas", "one\ntwo\r\nthree\n");
    const time_t when = 1234567891;
    ASSERT_TRUE(testing::setModified(dir / "proj/dos.bas", when));
    ZipOptions options = project();
    options.convertCrLfToLf = true;
    ASSERT_TRUE(zipRun(zip(), options, {"dos.bas", "unix.bas"}));
    EXPECT_EQ(entryBytes(zip(), "dos.bas"), "one\ntwo\nlone cr\r");
    EXPECT_EQ(entryBytes(zip(), "unix.bas"), "one\ntwo\nthree\n");
    EXPECT_EQ(entryTime(zip(), "dos.bas"), testing::zipTimeOf(when));
    // The file on disk is left as it was.
    EXPECT_EQ(dir.read("proj/dos.bas"), "one\r\ntwo\r\nlone cr\r");

    options.convertCrLfToLf = false;
    options.convertLfToCrLf = true;
    ASSERT_TRUE(zipRun(zip(), options, {"dos.bas", "unix.bas"}));
    EXPECT_EQ(entryBytes(zip(), "dos.bas"), "one\r\ntwo\r\nlone cr\r");
    EXPECT_EQ(entryBytes(zip(), "unix.bas"), "one\r\ntwo\r\nthree\r\n");
}

TEST_F(ArchiverAdd, WildcardsRecursionAndHiddenFiles) {
    dir.write("proj/a.frm", "a");
    dir.write("proj/b.bas", "b");
    dir.write("proj/.hidden.frm", "h");
    dir.write("proj/Forms/c.frm", "c");
    dir.write("proj/Forms/.d.frm", "d");
    dir.write("proj/Forms/Deep/e.frm", "e");
    dir.write("proj/.git/f.frm", "f");
    dir.write("proj/Upper.FRM", "u");
    ZipOptions options = project();
    options.storeFolderNames = true;
    ASSERT_TRUE(zipRun(zip(), options, {"*.frm"}));
    EXPECT_EQ(entryNames(zip()), (Names{"a.frm"}));

    ASSERT_TRUE(zipRun(zip(), options, {"?.*"}));
    EXPECT_EQ(entryNames(zip()), (Names{"a.frm", "b.bas"}));

    options.recurseSubDirs = true;
    ASSERT_TRUE(zipRun(zip(), options, {"*.frm"}));
    EXPECT_EQ(entryNames(zip()), (Names{"a.frm", "Forms/c.frm", "Forms/Deep/e.frm"}));

    // A wildcard in a folder matches there and below it.
    ASSERT_TRUE(zipRun(zip(), options, {"Forms\\*"}));
    EXPECT_EQ(entryNames(zip()), (Names{"Forms/c.frm", "Forms/Deep/e.frm"}));

    options.includeSystemAndHiddenFiles = true;
    ASSERT_TRUE(zipRun(zip(), options, {"*.frm"}));
    EXPECT_EQ(entryNames(zip()), (Names{".hidden.frm", "a.frm", ".git/f.frm", "Forms/.d.frm", "Forms/c.frm",
                                        "Forms/Deep/e.frm"}));

    // A hidden file named outright is stored without the option.
    options.includeSystemAndHiddenFiles = false;
    options.recurseSubDirs = false;
    ASSERT_TRUE(zipRun(zip(), options, {".hidden.frm"}));
    EXPECT_EQ(entryNames(zip()), (Names{".hidden.frm"}));

    // A folder named on its own stands for its files.
    ASSERT_TRUE(zipRun(zip(), options, {"Forms"}));
    EXPECT_EQ(entryNames(zip()), (Names{"Forms/c.frm"}));
}

TEST_F(ArchiverAdd, APatternMatchingNothingIsReportedAndSkipped) {
    dir.write("proj/a.frm", "a");
    ZipOptions options = project();
    RecordedEvents recorded;
    ASSERT_TRUE(zipRun(zip(), options, {"*.FRM", "a.frm", "missing.bas"}, recorded));  // case counts
    EXPECT_EQ(entryNames(zip()), (Names{"a.frm"}));
    EXPECT_EQ(recorded.messages, (Names{"warning: no file matches *.FRM",
                                        "warning: no file matches missing.bas", "  adding: a.frm"}));

    options.messageLevel = 1;  // errors only
    RecordedEvents errorsOnly;
    ASSERT_TRUE(zipRun(zip(), options, {"missing.bas", "a.frm"}, errorsOnly));
    EXPECT_EQ(errorsOnly.messages, (Names{"warning: no file matches missing.bas"}));

    options.messageLevel = 2;  // nothing at all
    RecordedEvents silent;
    ASSERT_TRUE(zipRun(zip(), options, {"missing.bas", "a.frm"}, silent));
    EXPECT_TRUE(silent.messages.empty());
}

TEST_F(ArchiverAdd, NoFileAtAllFailsAndLeavesTheArchiveAlone) {
    dir.write("proj/a.frm", "a");
    ASSERT_TRUE(zipRun(zip(), project(), {"a.frm"}));
    const std::string before = testing::fileBytes(zip());
    RecordedEvents recorded;
    const Outcome result = zipRun(zip(), project(), {"*.bas", "nothing.frm"}, recorded);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.errorNumber, error::kFileNotFound);
    EXPECT_EQ(result.description, "File not found");
    EXPECT_EQ(testing::fileBytes(zip()), before);
    EXPECT_TRUE(recorded.sawContaining("error: File not found"));

    EXPECT_EQ(zipRun(zip(), project(), {}).errorNumber, error::kFileNotFound);
    EXPECT_EQ(testing::fileBytes(zip()), before);
}

TEST_F(ArchiverAdd, TwoFilesWithOneEntryNameWriteNothing) {
    dir.write("proj/Util.bas", "project's");
    dir.write("lib/Util.bas", "library's");
    const Outcome clash = zipRun(zip(), project(), {"Util.bas", "../lib/Util.bas"});
    EXPECT_EQ(clash.errorNumber, error::kPathFileAccessError);
    EXPECT_NE(clash.detail.find("two files under one name: Util.bas"), std::string::npos) << clash.detail;
    EXPECT_FALSE(std::filesystem::exists(zip()));
    // With their folders the two have names of their own.
    ZipOptions folders = project();
    folders.storeFolderNames = true;
    ASSERT_TRUE(zipRun(zip(), folders, {"Util.bas", "../lib/Util.bas"}));
    EXPECT_EQ(entryNames(zip()).size(), 2u);

    // The same file named twice is one file, and no duplicate.
    RecordedEvents twice;
    ASSERT_TRUE(zipRun(zip(), project(), {"Util.bas", "./Util.bas", "*.bas"}, twice));
    EXPECT_EQ(twice.messages, (Names{"  adding: Util.bas"}));
}

TEST_F(ArchiverAdd, AnArchiveNamedAfterAFileToBeStoredIsRefused) {
    // "--out modMain.bas" by mistake must not replace the module with an archive.
    dir.write("proj/modMain.bas", "Attribute VB_Name = \"modMain\"\r\n");
    dir.write("proj/mod*.bas", "a file with a star in its name");
    dir.write("proj/modOther.bas", "other");
    const std::string target = dir / "proj/modMain.bas";
    const Outcome refused = zipRun(target, project(), {"modMain.bas", "modOther.bas"});
    EXPECT_EQ(refused.errorNumber, error::kPathFileAccessError);
    EXPECT_EQ(dir.read("proj/modMain.bas"), "Attribute VB_Name = \"modMain\"\r\n");
    // A file whose name holds "*" is that file, not a pattern taking its neighbours along.
    ASSERT_TRUE(zipRun(zip(), project(), {"mod*.bas"}));
    EXPECT_EQ(entryNames(zip()), (Names{"mod*.bas"}));
}

TEST_F(ArchiverAdd, TheArchiveIsNotStoredInItself) {
    dir.write("a.bas", "a");
    ZipOptions options;
    options.basePath = dir.path();
    ASSERT_TRUE(zipRun(zip(), options, {"a.bas"}));
    dir.write("b.bas", "b");
    options.allowAppend = true;
    ASSERT_TRUE(zipRun(zip(), options, {"*"}));
    EXPECT_EQ(entryNames(zip()), (Names{"a.bas", "b.bas"}));
}

TEST_F(ArchiverAdd, ThousandsOfFileNamesAllStored) {
    Names patterns;
    for (int i = 0; i < 3000; ++i) {
        const std::string name = "m" + std::to_string(i) + ".bas";
        dir.write("proj/" + name, std::to_string(i));
        patterns.push_back(name);
    }
    ZipOptions options = project();
    options.messageLevel = 2;
    ASSERT_TRUE(zipRun(zip(), options, patterns));
    const Names names = entryNames(zip());
    ASSERT_EQ(names.size(), 3000u);
    EXPECT_EQ(names.front(), "m0.bas");
    EXPECT_EQ(names.back(), "m2999.bas");
    EXPECT_EQ(entryBytes(zip(), "m1234.bas"), "1234");
}

}  // namespace
}  // namespace tally
