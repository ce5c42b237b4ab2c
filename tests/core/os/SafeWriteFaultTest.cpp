// Every save of the program goes through the safe writer. Making each of its steps fail in turn,
// for each kind of file the program writes, must leave the old file as it was, no temporary file
// beside it, and give the error the user will read.

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <string>
#include <vector>

#include "core/codeview/CodeFileSaver.h"
#include "core/model/ProjectModel.h"
#include "core/os/SafeFileWriter.h"
#include "core/reports/ReportOutput.h"
#include "core/scanfile/ScanFileWriter.h"
#include "core/spell/WordList.h"
#include "support/TempDir.h"

namespace tally {
namespace {

struct Fault {
    SafeWriteStep step;
    int err;
    int errorNumber;  // what the user is told
    const char* description;
};

const std::vector<Fault> kFaults{
    {SafeWriteStep::CreateTemporary, ENOENT, 76, "Path not found"},  // the folder went away
    {SafeWriteStep::CreateTemporary, EACCES, 70, "Permission denied"},
    {SafeWriteStep::Write, ENOSPC, 61, "Disk full"},
    {SafeWriteStep::Flush, EIO, 57, "Device I/O error"},
#ifdef EDQUOT  // no quotas in Windows' error numbers
    {SafeWriteStep::Close, EDQUOT, 61, "Disk full"},
#endif
    {SafeWriteStep::Replace, EBUSY, 75, "Path/File access error"},  // the rename was refused
    {SafeWriteStep::Replace, EACCES, 70, "Permission denied"},
};

struct Writer {
    const char* name;
    const char* file;
    std::string old;  // what the file held before the save
    std::function<Outcome(const std::string& path)> save;
};

std::vector<Writer> writers() {
    static const ProjectModel empty;
    static const ProjectModel scanned = [] {
        ProjectModel model;
        model.projectPath = "/projects/Hourglass.vbp";
        return model;
    }();
    const std::string text = "the old contents\r\n";
    return {
        {"safe writer", "any.bin", text, [](const std::string& p) { return SafeFileWriter(p).write("new bytes"); }},
        // A scan file is saved only over a scan file.
        {"scan file", "Project.psf", scanFileText(empty), [](const std::string& p) { return saveScanFile(scanned, p); }},
        {"source file", "modMain.bas", text,
         [](const std::string& p) { return saveCodeText(p, "Sub Main()\r\nEnd Sub\r\n", LineEnd::Lf); }},
        {"report", "Report.rtf", text, [](const std::string& p) { return saveReportFile(empty, p, "{\\rtf1 new}"); }},
        {"word list", "words.txt", text, [](const std::string& p) { return saveWordList(p, WordList{"Hourglass"}); }},
    };
}

TEST(SafeWriteFaults, EachFailingStepLeavesTheOldFileAndSaysWhy) {
    for (const Writer& writer : writers()) {
        for (const Fault& fault : kFaults) {
            SCOPED_TRACE(std::string(writer.name) + ", step " + std::to_string(static_cast<int>(fault.step)) +
                         ", error " + std::to_string(fault.err));
            TempDir dir;
            const std::string path = dir.write(writer.file, writer.old);
            failNextSafeWrite(fault.step, fault.err);
            const Outcome result = writer.save(path);
            EXPECT_FALSE(result.ok);
            EXPECT_EQ(result.errorNumber, fault.errorNumber);
            EXPECT_EQ(result.description, fault.description);
            EXPECT_NE(result.detail.find(path), std::string::npos) << result.detail;
            EXPECT_EQ(dir.read(writer.file), writer.old);
            EXPECT_EQ(dir.names(), std::vector<std::string>{writer.file});
            const std::string message = saveFailedMessage(path, result);
            EXPECT_NE(message.find(std::to_string(fault.errorNumber) + " - " + fault.description),
                      std::string::npos) << message;
        }
        // The fault is spent: the next save goes through.
        TempDir dir;
        const std::string path = dir.write(writer.file, writer.old);
        EXPECT_TRUE(writer.save(path).ok) << writer.name;
        EXPECT_NE(dir.read(writer.file), writer.old) << writer.name;
        EXPECT_EQ(dir.names(), std::vector<std::string>{writer.file});
    }
}

// A failure while the file does not exist yet leaves nothing behind either.
TEST(SafeWriteFaults, AFailedFirstSaveLeavesNoFile) {
    for (const Fault& fault : kFaults) {
        TempDir dir;
        failNextSafeWrite(fault.step, fault.err);
        EXPECT_FALSE(SafeFileWriter(dir.path() + "/new.psf").write("bytes").ok);
        EXPECT_TRUE(dir.names().empty());
    }
}

}  // namespace
}  // namespace tally
