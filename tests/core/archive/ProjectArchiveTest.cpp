// The rows "Zip Project Files" offers, their icons, the count text, the dated backup names, and
// what cZip hands its archiver.

#include <gtest/gtest.h>

#include <set>

#include "core/archive/CZip.h"
#include "core/archive/DatedBackup.h"
#include "core/archive/ProjectArchive.h"

namespace tally {

namespace {

FileExists existing(std::set<std::string> files) {
    return [files = std::move(files)](const std::string& path) { return files.count(path) > 0; };
}

struct RecordingArchiver final : Archiver {
    Outcome run(const std::string& zipFile, const ZipOptions& options, const std::vector<std::string>& specs,
                const ZipEvents& events) override {
        runs.push_back({zipFile, options, specs});
        if (events.progress) events.progress(specs.empty() ? "" : specs.front());
        return Outcome::success();
    }
    struct Run {
        std::string zipFile;
        ZipOptions options;
        std::vector<std::string> specs;
    };
    std::vector<Run> runs;
};

}  // namespace

TEST(ProjectArchive, RowsForTheProjectItsWorkspaceMembersAndCompanionsThatExist) {
    ProjectModel model;
    model.projectPath = "/p/Ledger.vbp";
    model.files.resize(4);
    model.files[1] = FileRec{"frmMain.frm", "/p/frmMain.frm", 0, 0, true};
    model.files[2] = FileRec{"frmAbout.frm", "/p/Forms/frmAbout.frm", 0, 0, true};  // its .frx is missing
    model.files[3] = FileRec{"modMain.bas", "/p/modMain.bas", 0, 0, false};
    std::vector<ZipRow> rows = projectZipRows(
        model, existing({"/p/Ledger.vbp", "/p/frmMain.frm", "/p/frmMain.frx", "/p/Forms/frmAbout.frm", "/p/modMain.bas"}));
    std::vector<std::string> shown;
    for (const ZipRow& row : rows) shown.push_back(row.name + "|" + row.folder + "|" + row.icon);
    // No workspace file, no companion of frmAbout.
    EXPECT_EQ(shown, (std::vector<std::string>{"Ledger.vbp|/p|proj", "frmMain.frm|/p|frm", "frmMain.frx|/p|unknown",
                                               "frmAbout.frm|/p/Forms|frm", "modMain.bas|/p|mod"}));
    EXPECT_EQ(rows[3].path(), "/p/Forms/frmAbout.frm");
    EXPECT_TRUE(projectZipRows(ProjectModel{}, existing({})).empty());

    EXPECT_EQ(zipIconFor("MSCOMCTL.OCX"), "control");
    EXPECT_EQ(zipIconFor("Splash.GIF"), "bmp");
    EXPECT_EQ(zipIconFor("ctlGrid.ctl"), "usrctl");
    EXPECT_EQ(zipIconFor("a"), "unknown");
    EXPECT_EQ(zipCountText(7), "7 files to be added to the archive.");
}

TEST(ProjectArchive, BackupNamesCarryTheDateAndANumberWhenTaken) {
    EXPECT_EQ(backupZipName("/p/Form1.frm", 2026, 12, 5, existing({})), "/p/Form112-5-26.frm.Zip");
    EXPECT_EQ(backupZipName("/p/Form1.frm", 2026, 12, 5, existing({"/p/Form112-5-26.frm.Zip"})),
              "/p/Form112-5-26.frm~1.Zip");
    EXPECT_EQ(backupZipName("/p/Form1.frm", 2026, 12, 5,
                            existing({"/p/Form112-5-26.frm.Zip", "/p/Form112-5-26.frm~1.Zip"})),
              "/p/Form112-5-26.frm~2.Zip");
    EXPECT_EQ(backupZipName("/p/modMain.bas", 2005, 1, 9, existing({})), "/p/modMain1-9-05.bas.Zip");
    // A dot in a folder name is no extension.
    EXPECT_EQ(backupZipName("/p/v1.2/README", 2026, 3, 7, existing({})), "/p/v1.2/README3-7-26ADME.Zip");
}

TEST(CZip, PatternsAndTheDeleteFlagReachTheArchiverForOneRunOnly) {
    CZip zip;
    zip.zipFile = "/p/backup.zip";
    zip.addFileSpec("/p/a.frm");
    zip.addFileSpec("/p/*.bas");
    EXPECT_EQ(zip.fileSpecCount(), 2);
    EXPECT_EQ(zip.fileSpec(2), "/p/*.bas");
    EXPECT_EQ(zip.fileSpec(0), "");
    EXPECT_EQ(zip.fileSpec(3), "");
    zip.setMessageLevel(7);
    EXPECT_EQ(zip.messageLevel(), 2);  // the highest level there is

    std::vector<std::string> progressed;
    zip.events.progress = [&progressed](const std::string& file) {
        progressed.push_back(file);
        return false;
    };
    RecordingArchiver archiver;
    EXPECT_TRUE(zip.deleteEntries(archiver).ok);
    EXPECT_TRUE(zip.zip(archiver).ok);
    ASSERT_EQ(archiver.runs.size(), 2u);
    EXPECT_TRUE(archiver.runs[0].options.deleteEntries);
    EXPECT_FALSE(archiver.runs[1].options.deleteEntries);
    EXPECT_FALSE(zip.options.deleteEntries);
    EXPECT_EQ(archiver.runs[1].specs, (std::vector<std::string>{"/p/a.frm", "/p/*.bas"}));
    EXPECT_EQ(progressed.size(), 2u);

    // Far more file patterns than the old library's 1023 go in one run.
    for (int i = 0; i < 5000; ++i) zip.addFileSpec("/p/f" + std::to_string(i));
    zip.zip(archiver);
    EXPECT_EQ(archiver.runs.back().specs.size(), 5002u);
    zip.clearFileSpecs();
    EXPECT_EQ(zip.fileSpecCount(), 0);
}

TEST(DatedBackup, ArchivesTheStoredFileAloneWithoutFoldersAndSaysWhyWhenItCannot) {
    RecordingArchiver archiver;
    std::vector<int> failures;
    DatedBackup backup(archiver, [] { return CalendarDay{2026, 12, 5}; }, existing({"/p/Form112-5-26.frm.Zip"}),
                       [&failures](const Outcome& why) { failures.push_back(why.errorNumber); });
    EXPECT_EQ(backup.archiveStoredFile("/p/Form1.frm"), "Form112-5-26.frm~1.Zip");
    ASSERT_EQ(archiver.runs.size(), 1u);
    EXPECT_EQ(archiver.runs[0].zipFile, "/p/Form112-5-26.frm~1.Zip");
    EXPECT_EQ(archiver.runs[0].specs, std::vector<std::string>{"/p/Form1.frm"});
    EXPECT_FALSE(archiver.runs[0].options.storeFolderNames);
    EXPECT_TRUE(failures.empty());

    struct Failing final : Archiver {
        Outcome run(const std::string&, const ZipOptions&, const std::vector<std::string>&, const ZipEvents&) override {
            return Outcome::failure(error::kDiskFull, "Disk full");
        }
    } failing;
    DatedBackup broken(failing, [] { return CalendarDay{2026, 12, 5}; }, existing({}),
                       [&failures](const Outcome& why) { failures.push_back(why.errorNumber); });
    EXPECT_EQ(broken.archiveStoredFile("/p/Form1.frm"), std::nullopt);
    EXPECT_EQ(failures, std::vector<int>{error::kDiskFull});
}

}  // namespace tally
