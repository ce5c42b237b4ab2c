// What a zip run must never do: leave half an archive or a temporary file, write over something
// that is not a regular file, trust a corrupt archive, or store a file it cannot hold.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "ZipReading.h"
#include "core/os/SafeFileWriter.h"
#include "support/TempDir.h"

namespace tally {
namespace {

using testing::entryBytes;
using testing::entryNames;
using testing::fileBytes;
using testing::RecordedEvents;
using testing::zipRun;
using Names = std::vector<std::string>;

class ArchiverSafety : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(dir.path().empty());
        dir.write("proj/a.bas", "a\r\n");
        dir.write("proj/b.bas", "b\r\n");
        dir.write("proj/c.bas", "c\r\n");
        ::mkdir((dir / "out").c_str(), 0755);
    }
    std::string zip() const { return dir / "out/out.zip"; }
    ZipOptions project() const {
        ZipOptions options;
        options.basePath = dir / "proj";
        return options;
    }
    Names outFolder() const {
        Names names;
        for (const auto& entry : std::filesystem::directory_iterator(dir / "out"))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    TempDir dir;
};

TEST_F(ArchiverSafety, CancelFromProgressLeavesTheOldArchiveByteForByte) {
    ASSERT_TRUE(zipRun(zip(), project(), {"a.bas"}));
    const std::string before = fileBytes(zip());
    for (bool append : {true, false}) {
        ZipOptions options = project();
        options.allowAppend = append;
        RecordedEvents recorded;
        recorded.stopAtFile = 1;  // lets a.bas through, stops at b.bas
        const Outcome result = zipRun(zip(), options, {"*.bas"}, recorded);
        EXPECT_FALSE(result);
        EXPECT_EQ(result.errorNumber, kZipCancelled);
        EXPECT_EQ(result.description, "User interrupt occurred");
        EXPECT_EQ(recorded.progress.size(), 2u);
        EXPECT_EQ(fileBytes(zip()), before);
        EXPECT_EQ(outFolder(), (Names{"out.zip"}));  // no temporary file stays behind
        // A stop is no error to report.
        EXPECT_FALSE(recorded.sawContaining("error:"));
    }
}

// The archive goes through the program's safe writer like every other file: a write that fails
// at any step, for an added file, a new archive or a delete, keeps the old archive byte for byte
// and leaves no temporary file.
TEST_F(ArchiverSafety, AWriteThatFailsAtAnyStepKeepsTheOldArchive) {
    ASSERT_TRUE(zipRun(zip(), project(), {"a.bas"}));
    const std::string before = fileBytes(zip());
    for (SafeWriteStep step : {SafeWriteStep::CreateTemporary, SafeWriteStep::Write, SafeWriteStep::Flush,
                               SafeWriteStep::Close, SafeWriteStep::Replace}) {
        SCOPED_TRACE(static_cast<int>(step));
        for (int kind = 0; kind < 3; ++kind) {
            ZipOptions options = project();
            options.allowAppend = kind == 0;
            options.deleteEntries = kind == 2;
            failNextSafeWrite(step, ENOSPC);
            const Outcome result = zipRun(zip(), options, {kind == 2 ? "a.bas" : "b.bas"});
            EXPECT_FALSE(result) << kind;
            EXPECT_EQ(result.errorNumber, 61) << kind;  // "Disk full"
            EXPECT_EQ(fileBytes(zip()), before) << kind;
            EXPECT_EQ(outFolder(), Names{"out.zip"}) << kind;
        }
    }
    // The fault is spent: the next run writes the archive.
    ZipOptions append = project();
    append.allowAppend = true;
    ASSERT_TRUE(zipRun(zip(), append, {"b.bas"}));
    EXPECT_EQ(entryNames(zip()), (Names{"a.bas", "b.bas"}));
    EXPECT_EQ(outFolder(), Names{"out.zip"});
}

TEST_F(ArchiverSafety, CancelAtTheFirstFileMakesNoArchive) {
    RecordedEvents recorded;
    recorded.stopAtFile = 0;
    const Outcome result = zipRun(zip(), project(), {"*.bas"}, recorded);
    EXPECT_EQ(result.errorNumber, kZipCancelled);
    EXPECT_TRUE(outFolder().empty());
    EXPECT_FALSE(recorded.sawContaining("adding"));
}

TEST_F(ArchiverSafety, NoRegularFileIsNeverWrittenOver) {
    const std::string fifo = dir / "out/pipe.zip";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::string folder = dir / "out/folder.zip";
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    const std::string linkToFifo = dir / "out/link.zip";
    ASSERT_EQ(::symlink(fifo.c_str(), linkToFifo.c_str()), 0);
    for (const std::string& target : {fifo, folder, linkToFifo}) {
        for (bool append : {false, true}) {
            ZipOptions options = project();
            options.allowAppend = append;
            const Outcome result = zipRun(target, options, {"a.bas"});
            EXPECT_EQ(result.errorNumber, error::kPathFileAccessError) << target;
            EXPECT_EQ(result.description, "Path/File access error");
            EXPECT_NE(result.detail.find(target), std::string::npos) << result.detail;
        }
    }
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ASSERT_EQ(::lstat(folder.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(outFolder(), (Names{"folder.zip", "link.zip", "pipe.zip"}));

    // Deleting is refused the same way.
    ZipOptions options = project();
    options.deleteEntries = true;
    EXPECT_EQ(zipRun(fifo, options, {"a.bas"}).errorNumber, error::kPathFileAccessError);
}

TEST_F(ArchiverSafety, ALinkLeadsTheArchiveToItsTargetAndStays) {
    ASSERT_TRUE(zipRun(zip(), project(), {"a.bas"}));
    const std::string link = dir / "link.zip";
    ASSERT_EQ(::symlink(zip().c_str(), link.c_str()), 0);
    ZipOptions options = project();
    options.allowAppend = true;
    ASSERT_TRUE(zipRun(link, options, {"b.bas"}));
    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(entryNames(zip()), (Names{"a.bas", "b.bas"}));
    EXPECT_EQ(outFolder(), (Names{"out.zip"}));
}

TEST_F(ArchiverSafety, AReplacedArchiveKeepsItsPermissions) {
    ASSERT_TRUE(zipRun(zip(), project(), {"a.bas"}));
    ASSERT_EQ(::chmod(zip().c_str(), 0640), 0);
    ZipOptions options = project();
    options.allowAppend = true;
    ASSERT_TRUE(zipRun(zip(), options, {"b.bas"}));
    struct stat st {};
    ASSERT_EQ(::stat(zip().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // A read-only archive is the user's word that it stays as it is.
    ASSERT_EQ(::chmod(zip().c_str(), 0444), 0);
    const std::string before = fileBytes(zip());
    const Outcome result = zipRun(zip(), options, {"c.bas"});
    EXPECT_EQ(result.errorNumber, error::kPathFileAccessError);
    EXPECT_NE(result.detail.find("read-only"), std::string::npos);
    EXPECT_EQ(fileBytes(zip()), before);
}

TEST_F(ArchiverSafety, ACorruptArchiveIsNeitherAppendedToNorDeletedFrom) {
    ASSERT_TRUE(zipRun(zip(), project(), {"a.bas", "b.bas", "c.bas"}));
    const std::string good = fileBytes(zip());
    const std::string broken[] = {
        "this is a text file with a .zip name", std::string("PK\x03\x04", 4) + std::string(100, '\xff'),
        good.substr(0, good.size() / 2),   // cut short: no central directory
        good.substr(0, good.size() - 10),  // the end record cut
        std::string(good.size(), '\0'),
    };
    for (const std::string& bytes : broken) {
        { std::ofstream(zip(), std::ios::binary | std::ios::trunc) << bytes; }
        ZipOptions options = project();
        options.allowAppend = true;
        const Outcome appended = zipRun(zip(), options, {"a.bas"});
        EXPECT_EQ(appended.errorNumber, error::kInvalidFileFormat) << appended.detail;
        EXPECT_EQ(appended.description, "Invalid file format");
        EXPECT_NE(appended.detail.find(zip()), std::string::npos);
        options.deleteEntries = true;
        EXPECT_EQ(zipRun(zip(), options, {"a.bas"}).errorNumber, error::kInvalidFileFormat);
        EXPECT_EQ(fileBytes(zip()), bytes);
        EXPECT_EQ(outFolder(), (Names{"out.zip"}));
    }
}

TEST_F(ArchiverSafety, MissingFoldersAndHugeFilesFailBeforeAnythingIsWritten) {
    const Outcome noFolder = zipRun(dir / "no/such/folder/out.zip", project(), {"a.bas"});
    EXPECT_EQ(noFolder.errorNumber, error::kPathNotFound) << noFolder.detail;
    EXPECT_FALSE(std::filesystem::exists(dir / "no"));

    // A sparse file a byte over the limit: refused from its size, never read.
    const std::string huge = dir / "proj/huge.bas";
    { std::ofstream(huge, std::ios::binary) << ""; }
    ASSERT_EQ(::truncate(huge.c_str(), (off_t{1} << 30) + 1), 0);
    RecordedEvents recorded;
    const Outcome tooLarge = zipRun(zip(), project(), {"a.bas", "huge.bas"}, recorded);
    EXPECT_EQ(tooLarge.errorNumber, error::kPathFileAccessError);
    EXPECT_NE(tooLarge.detail.find("huge.bas is larger than 1024 MB"), std::string::npos) << tooLarge.detail;
    EXPECT_TRUE(outFolder().empty());
    EXPECT_TRUE(recorded.progress.empty());
}

TEST_F(ArchiverSafety, EncryptedEntriesOpenOnlyWithTheirPassword) {
    ZipOptions options = project();
    options.encrypt = true;
    options.storeFolderNames = true;
    options.storeDirectories = true;
    dir.write("proj/Forms/f.frm", "form text\r\n");
    RecordedEvents recorded;
    recorded.password = "Tally-6 secret";
    const Outcome result = zipRun(zip(), options, {"a.bas", "Forms/f.frm"}, recorded);
    ASSERT_TRUE(result) << result.detail;
    // One question for each file; the folder entry holds nothing to hide.
    EXPECT_EQ(recorded.passwordsAsked, (Names{"a.bas", "Forms/f.frm"}));
    const std::string quotedZip = testing::quoted(zip());
    EXPECT_EQ(testing::runCommand("7z t -p" + testing::quoted("Tally-6 secret") + " " + quotedZip).status, 0);
    EXPECT_NE(testing::runCommand("7z t -pwrong " + quotedZip).status, 0);
    // Python's zipfile cannot open AES entries at all, and must not find plain bytes there.
    EXPECT_EQ(entryBytes(zip(), "a.bas"), "<unreadable>");
    EXPECT_EQ(testing::fileBytes(zip()).find("form text"), std::string::npos);
    const std::string listed =
        testing::runCommand("7z l -slt -p" + testing::quoted("Tally-6 secret") + " " + quotedZip).output;
    EXPECT_NE(listed.find("AES-256"), std::string::npos);
}

TEST_F(ArchiverSafety, NoPasswordStopsTheRunAndWritesNothing) {
    ASSERT_TRUE(zipRun(zip(), project(), {"a.bas"}));
    const std::string before = fileBytes(zip());
    ZipOptions options = project();
    options.encrypt = true;
    for (std::optional<std::string> answer : {std::optional<std::string>(), std::optional<std::string>("")}) {
        RecordedEvents recorded;
        recorded.password = answer;
        const Outcome result = zipRun(zip(), options, {"b.bas", "c.bas"}, recorded);
        EXPECT_EQ(result.errorNumber, kZipCancelled);
        EXPECT_EQ(recorded.passwordsAsked, (Names{"b.bas"}));
        EXPECT_EQ(fileBytes(zip()), before);
        EXPECT_EQ(outFolder(), (Names{"out.zip"}));
    }
}

TEST_F(ArchiverSafety, AFileThatVanishesBeforeItIsStoredFailsTheWholeRun) {
    ASSERT_TRUE(zipRun(zip(), project(), {"a.bas"}));
    const std::string before = fileBytes(zip());
    ZipOptions options = project();
    options.allowAppend = true;
    RecordedEvents recorded;
    ZipEvents events = recorded.events();
    // The Progress event for b.bas takes c.bas away: the files are read as they are stored.
    events.progress = [&](const std::string& file) {
        if (file.find("b.bas") != std::string::npos) ::unlink((dir / "proj/c.bas").c_str());
        return false;
    };
    LibzipArchiver archiver;
    const Outcome result = archiver.run(zip(), options, {"b.bas", "c.bas"}, events);
    EXPECT_EQ(result.errorNumber, error::kFileNotFound) << result.detail;
    EXPECT_NE(result.detail.find("c.bas"), std::string::npos);
    EXPECT_EQ(fileBytes(zip()), before);
    EXPECT_EQ(outFolder(), (Names{"out.zip"}));
    EXPECT_TRUE(recorded.sawContaining("error: File not found"));
}

}  // namespace
}  // namespace tally
