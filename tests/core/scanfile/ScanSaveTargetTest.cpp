#include "core/scanfile/ScanSaveTarget.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <sys/sysmacros.h>
#endif

#include <filesystem>

#include "core/scanfile/ScanFileWriter.h"
#include "core/scanfile/ScanTestSupport.h"
#include "support/TempDir.h"

namespace tally {

namespace {

namespace fs = std::filesystem;

class ScanSaveTargetTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_model = testing::invoiceModel();
        m_model.projectPath = m_dir.write("Invoice.vbp", "Module=modMain; modMain.bas\r\n");
        m_model.projectDir = m_dir.path() + "/";
        m_model.files[1].path = m_dir.write("modMain.bas", "Attribute VB_Name = \"modMain\"\r\n");
    }
    std::string path(const std::string& name) const { return m_dir / name; }
    TempDir m_dir;
    ProjectModel m_model;
};

#ifndef _WIN32  // symbolic links need rights on Windows that a user seldom has
TEST_F(ScanSaveTargetTest, ProjectFileAndMembersAreNeverSavedOver) {
    Outcome overProject = saveScanFile(m_model, path("Invoice.vbp"));
    EXPECT_FALSE(overProject.ok);
    EXPECT_EQ(overProject.detail, path("Invoice.vbp") + " is the project file; choose another name");
    EXPECT_EQ(m_dir.read("Invoice.vbp"), "Module=modMain; modMain.bas\r\n");

    Outcome overMember = saveScanFile(m_model, path("modMain.bas"));
    EXPECT_EQ(overMember.detail, path("modMain.bas") + " is a file of the open project; choose another name");
    // Another name for the same file is the same file.
    fs::create_symlink(path("modMain.bas"), path("alias.psf"));
    EXPECT_EQ(saveScanFile(m_model, path("alias.psf")).detail,
              path("alias.psf") + " is a file of the open project; choose another name");
    EXPECT_EQ(m_dir.read("modMain.bas"), "Attribute VB_Name = \"modMain\"\r\n");
}
#endif

TEST_F(ScanSaveTargetTest, OnlyScanFilesOrEmptyFilesAreSavedOver) {
    m_dir.write("notes.txt", "my notes\r\n");
    Outcome refused = saveScanFile(m_model, path("notes.txt"));
    EXPECT_EQ(refused.errorNumber, 75);
    EXPECT_EQ(refused.detail, path("notes.txt") + " is not a project scan file; choose another name");
    EXPECT_EQ(m_dir.read("notes.txt"), "my notes\r\n");

    m_dir.write("empty.psf", "");
    EXPECT_TRUE(saveScanFile(m_model, path("empty.psf")));
    EXPECT_TRUE(saveScanFile(m_model, path("empty.psf")));  // now a scan file: saved over again
    m_dir.write("old.psf", "\xEF\xBB\xBFVersion 1.0\r\nrest");
    EXPECT_TRUE(saveScanFile(m_model, path("old.psf")));
    EXPECT_TRUE(saveScanFile(m_model, path("new.psf")));
}

TEST_F(ScanSaveTargetTest, VersionLineDecides) {
    EXPECT_TRUE(looksLikeScanFile(""));
    EXPECT_TRUE(looksLikeScanFile("Version 2.0\r\nProjectPath"));
    EXPECT_TRUE(looksLikeScanFile("Version 1.0\n"));
    EXPECT_FALSE(looksLikeScanFile("VERSION 5.00\r\nBegin VB.Form"));
    EXPECT_FALSE(looksLikeScanFile("Version 2.0 and more\r\n"));
    EXPECT_FALSE(looksLikeScanFile("Type=Exe\r\n"));
}

#ifndef _WIN32  // device files are POSIX
// A device node in the target's place stays a device: it is refused, not renamed over.
TEST_F(ScanSaveTargetTest, DeviceTargetIsLeftAlone) {
    std::string node = path("null.psf");
    if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "mknod is not allowed here";
    Outcome result = saveScanFile(m_model, node);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(fs::is_character_file(node));
}
#endif

}  // namespace

}  // namespace tally
