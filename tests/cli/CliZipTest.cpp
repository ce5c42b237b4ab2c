// zip: the project's files in one archive, read back with unzip and 7z.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "CliRun.h"
#include "support/TempDir.h"

namespace tally {

using ::testing::HasSubstr;

namespace {

const std::string kSample = std::string(TALLY_SOURCE_DIR) + "/examples/sample/Hourglass.vbp";

std::string output(const std::string& command, int* status = nullptr) {
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
        const int code = ::pclose(pipe);
        if (status) *status = code;
    }
    return text;
}

std::vector<std::string> entries(const std::string& archive) {
    std::vector<std::string> names;
    std::string listing = output("unzip -Z1 '" + archive + "' 2>/dev/null");
    std::size_t at = 0;
    while (at < listing.size()) {
        std::size_t end = listing.find('\n', at);
        if (end == std::string::npos) end = listing.size();
        if (end > at) names.push_back(listing.substr(at, end - at));
        at = end + 1;
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(CliZip, TheSampleProjectsFilesUnderTheirNames) {
    TempDir dir;
    const std::string archive = dir / "hourglass.zip";
    CliRun zipped = run({"zip", kSample, "--out", archive, "--no-progress"});
    ASSERT_EQ(zipped.code, kExitOk) << zipped.err;
    EXPECT_EQ(zipped.out, "11 files zipped into " + archive + "\n");
    EXPECT_EQ(entries(archive),
              (std::vector<std::string>{"Hourglass.vbp", "IBillable.cls", "clsInvoice.cls", "ctlHourBox.ctl",
                                        "frmInvoice.frm", "frmMain.frm", "frmMain.frx", "modDates.bas", "modFormat.bas",
                                        "modMain.bas", "pagHourBox.pag"}));
    int status = -1;
    output("unzip -tq '" + archive + "' >/dev/null 2>&1", &status);
    EXPECT_EQ(status, 0);

    // With --paths every name starts from the folder the project's and the shared module's
    // folders share, so the archive extracts to the layout the project file names; no "..".
    CliRun paths = run({"zip", kSample, "--out", archive, "--paths", "--no-progress"});
    ASSERT_EQ(paths.code, kExitOk) << paths.err;
    std::vector<std::string> names = entries(archive);
    EXPECT_THAT(names, ::testing::Contains("shared/modDates.bas"));
    EXPECT_THAT(names, ::testing::Contains("sample/Hourglass.vbp"));
    for (const std::string& name : names) EXPECT_EQ(name.find(".."), std::string::npos) << name;
}

TEST(CliZip, APasswordFileEncryptsTheArchive) {
    TempDir dir;
    const std::string password = dir.write("password.txt", "s3cret pass\n");
    const std::string archive = dir / "locked.zip";
    CliRun zipped = run({"zip", kSample, "--out", archive, "--password-file", password, "--no-progress"});
    ASSERT_EQ(zipped.code, kExitOk) << zipped.err;
    int right = -1, wrong = -1;
    output("7z t -p's3cret pass' '" + archive + "' >/dev/null 2>&1", &right);
    output("7z t -pwrong '" + archive + "' >/dev/null 2>&1", &wrong);
    EXPECT_EQ(right, 0);
    EXPECT_NE(wrong, 0);

    // Notepad's byte order mark is no part of the password.
    const std::string marked = dir.write("marked.txt", "\xEF\xBB\xBFs3cret pass\r\n");
    ASSERT_EQ(run({"zip", kSample, "--out", archive, "--password-file", marked, "--no-progress"}).code, kExitOk);
    output("7z t -p's3cret pass' '" + archive + "' >/dev/null 2>&1", &right);
    EXPECT_EQ(right, 0);
    // A folder is no password file.
    EXPECT_EQ(run({"zip", kSample, "--out", archive, "--password-file", dir.path()}).code, kExitUsage);

    const std::string empty = dir.write("empty.txt", "");
    EXPECT_EQ(run({"zip", kSample, "--out", archive, "--password-file", empty}).code, kExitUsage);
}

TEST(CliZip, AnOutputNamingAFileThatIsNoArchiveIsLeftAlone) {
    TempDir dir;
    const std::string module = dir.write("modMain.bas", "Attribute VB_Name = \"modMain\"\r\n");
    CliRun refused = run({"zip", kSample, "--out", module, "--no-progress"});
    EXPECT_EQ(refused.code, kExitUsage);
    EXPECT_THAT(refused.err, HasSubstr("is not a zip archive"));
    EXPECT_EQ(dir.read("modMain.bas"), "Attribute VB_Name = \"modMain\"\r\n");
}

TEST(CliZip, UsageErrorsAndAMissingProject) {
    EXPECT_THAT(run({"zip", kSample}).err, HasSubstr("'zip' needs --out FILE.zip"));
    EXPECT_THAT(run({"zip", "--out", "x.zip"}).err, HasSubstr("'zip' needs a project file"));
    EXPECT_THAT(run({"scan", kSample, "--paths"}).err, HasSubstr("--paths and --password-file belong to 'zip'"));
    EXPECT_EQ(run({"zip", kSample, "--out", "x.zip", "--list", "all"}).code, kExitUsage);
    TempDir dir;
    CliRun missing = run({"zip", dir / "none.vbp", "--out", dir / "x.zip"});
    EXPECT_EQ(missing.code, kExitUsage);
    EXPECT_FALSE(std::ifstream(dir / "x.zip").good());
}

}  // namespace tally
