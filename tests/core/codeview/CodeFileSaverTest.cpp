#include "core/codeview/CodeFileSaver.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "CodeViewTestSupport.h"
#include "support/TempDir.h"
#include "core/codeview/CodeView.h"

namespace tally {

using ::testing::ElementsAre;
using testing::ScriptedPrompt;

TEST(LineEnds, AreDetectedFromTheFirstLineEndAndRoundTrip) {
    EXPECT_EQ(detectLineEnd("a\r\nb\nc"), LineEnd::CrLf);
    EXPECT_EQ(detectLineEnd("a\nb\r\n"), LineEnd::Lf);
    EXPECT_EQ(detectLineEnd("a\rb"), LineEnd::Cr);
    EXPECT_EQ(detectLineEnd("one line"), LineEnd::CrLf);
    EXPECT_EQ(toCrLfText("a\nb\n", LineEnd::Lf), "a\r\nb\r\n");
    EXPECT_EQ(toCrLfText("a\rb\r", LineEnd::Cr), "a\r\nb\r\n");
    // A CR LF file is taken as it is, stray characters included.
    EXPECT_EQ(toCrLfText("a\r\nb\rc\n", LineEnd::CrLf), "a\r\nb\rc\n");
    for (std::string lf : {"a\nb\n", "\n\nx", "no break"})
        EXPECT_EQ(fromCrLfText(toCrLfText(lf, LineEnd::Lf), LineEnd::Lf), lf);
    for (std::string cr : {"a\rb\r", "\r\rx"})
        EXPECT_EQ(fromCrLfText(toCrLfText(cr, LineEnd::Cr), LineEnd::Cr), cr);
}

TEST(AtomicSave, AFailureLeavesTheOriginalIntact) {
    TempDir folder;
    std::string readOnly = folder.write("ReadOnly.bas", "original");
    ::chmod(readOnly.c_str(), 0444);
    Outcome refused = saveBytesAtomically(readOnly, "replacement");
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.errorNumber, 75);
    EXPECT_EQ(folder.read("ReadOnly.bas"), "original");

    Outcome noFolder = saveBytesAtomically(folder / "missing/Module1.bas", "x");
    EXPECT_FALSE(noFolder.ok);
    EXPECT_EQ(noFolder.errorNumber, 76);
    EXPECT_EQ(noFolder.description, "Path not found");
    EXPECT_THAT(folder.names(), ElementsAre("ReadOnly.bas"));
    // The messages end with the writer's detail: the path and the reason.
    EXPECT_EQ(saveFailedMessage("/p/a.bas", noFolder),
              "The following error occured while trying to save /p/a.bas\r\n\r\n76 - Path not found\r\n\r\n" +
                  noFolder.detail);
    EXPECT_EQ(noFolder.detail, "Path not found: " + (folder / "missing/Module1.bas") + " (No such file or directory)");
    EXPECT_EQ(writeFailedMessage("/p/b.bas", refused),
              "An error was encountered writing to /p/b.bas\r\n\r\n75 - Path/File access error\r\n\r\n"
              "Path/File access error: " + readOnly + " is read-only (mode 0444); nothing was written");
}

namespace {

// A code view on one file of a scratch folder.
class SavingTest : public ::testing::Test {
protected:
    SavingTest() : code(model, view, prompt, progress) {}

    void open(const std::string& name, const std::string& bytes) {
        path = folder.write(name, bytes);
        code.setRoutineItems(path, {{"(Declarations)", "0 - -1", ""}, {"Add", "1 - 9", ""}});
        code.showSubFile(1);
    }
    void edit(std::string_view from, std::string_view to) {
        std::string text = view.text();
        view.setSelStart(text.find(from));
        view.setSelLength(from.size());
        code.keyDown('A', 0);
        view.setSelText(to);
    }

    TempDir folder;
    ProjectModel model;
    MemoryRichTextView view;
    ScriptedPrompt prompt;
    NullColouringProgress progress;
    CodeView code;
    std::string path;
};

const std::string kLfModule =
    "Attribute VB_Name = \"M\"\n\n' caf\xE9 \x80 note\nPrivate Sub Add()\n    n = n + 1\nEnd Sub\n\nSub "
    "Other()\nEnd Sub\n";

}  // namespace

TEST_F(SavingTest, AnLfFileKeepsItsLineEndsAndBytes) {
    open("M.bas", kLfModule);
    EXPECT_EQ(code.fileLineEnd(), LineEnd::Lf);
    EXPECT_EQ(view.text(), "' caf\xE9 \x80 note\r\nPrivate Sub Add()\r\n    n = n + 1\r\nEnd Sub\r\n\r\n");
    edit("+ 1", "+ 2");
    prompt.choice = SaveItChoice::Save;
    code.saveOrZipOpenFile();
    EXPECT_THAT(prompt.labels, ElementsAre("Save M.bas"));
    std::string expected = kLfModule;
    expected.replace(expected.find("+ 1"), 3, "+ 2");
    EXPECT_EQ(folder.read("M.bas"), expected);
    EXPECT_FALSE(code.fileChanged());
}

// Save As itself is driven through the window; here the question before overwriting.
TEST_F(SavingTest, SaveAsOverwritesAnExistingFileOnlyAfterYes) {
    open("M.bas", kLfModule);
    edit("+ 1", "+ 3");
    prompt.choice = SaveItChoice::SaveAs;
    prompt.saveAsPath = folder.write("Taken.bas", "keep me");
    prompt.yes = false;
    code.saveOrZipOpenFile();
    EXPECT_THAT(prompt.questions, ElementsAre("The file " + (folder / "Taken.bas") +
                                              " exists. Do you want to overwrite this file?"));
    EXPECT_EQ(folder.read("Taken.bas"), "keep me");
    prompt.yes = true;
    code.saveOrZipOpenFile();
    EXPECT_NE(folder.read("Taken.bas").find("+ 3"), std::string::npos);
    EXPECT_EQ(folder.read("M.bas"), kLfModule);
    EXPECT_TRUE(code.fileChanged());  // the open file still differs from its text in memory
}

// Saving replaces the file under its own name only; the user decides whether its other names may
// keep the old text.
TEST_F(SavingTest, AHardLinkedFileIsSavedOnlyAfterTheUserAgreesToLoseTheLink) {
    open("M.bas", kLfModule);
    std::filesystem::create_hard_link(path, folder / "Other.bas");
    edit("+ 1", "+ 4");
    prompt.choice = SaveItChoice::Save;
    prompt.yes = false;
    code.saveOrZipOpenFile();
    ASSERT_EQ(prompt.questions.size(), 1u);
    EXPECT_EQ(prompt.questions[0], path + " has 2 hard links; the saved file replaces it under this name only, and "
                                          "the other names keep the old contents. Save anyway?");
    EXPECT_EQ(folder.read("M.bas"), kLfModule);
    EXPECT_TRUE(prompt.messages.empty());
    prompt.yes = true;
    code.saveOrZipOpenFile();
    EXPECT_NE(folder.read("M.bas").find("+ 4"), std::string::npos);
    EXPECT_EQ(folder.read("Other.bas"), kLfModule);
    EXPECT_FALSE(code.fileChanged());
}

TEST_F(SavingTest, ZipAndSaveArchivesFirstAndSavesOnlyWithABackup) {
    class FakeArchiver final : public BackupArchiver {
    public:
        std::optional<std::string> archiveStoredFile(std::string_view) override { return name; }
        std::optional<std::string> name;
    } archiver;
    open("M.bas", kLfModule);
    edit("+ 1", "+ 5");
    code.setBackupArchiver(&archiver);
    prompt.choice = SaveItChoice::ZipAndSave;
    code.saveOrZipOpenFile();
    EXPECT_TRUE(prompt.zipOffered);
    EXPECT_EQ(folder.read("M.bas"), kLfModule);  // no archive made: not saved
    archiver.name = "M12-5-26.bas.Zip";
    code.saveOrZipOpenFile();
    EXPECT_EQ(prompt.messages.at(0).first, "M12-5-26.bas.Zip has been created.");
    EXPECT_NE(folder.read("M.bas").find("+ 5"), std::string::npos);
}

}  // namespace tally
