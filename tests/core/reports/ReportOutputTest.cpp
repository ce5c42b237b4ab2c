#include "core/reports/ReportOutput.h"

#include <gtest/gtest.h>

#include "core/reports/RtfBuilders.h"
#include "support/TempDir.h"

namespace tally {

TEST(ReportOutput, FormatByExtensionWithoutRegardToCase) {
    EXPECT_EQ(reportFormatFor("a.rtf"), ReportFormat::Rtf);
    EXPECT_EQ(reportFormatFor("/x/A.PSL"), ReportFormat::Rtf);
    EXPECT_EQ(reportFormatFor("a.html"), ReportFormat::Html);
    EXPECT_EQ(reportFormatFor("a.Htm"), ReportFormat::Html);
    EXPECT_EQ(reportFormatFor("a.pdf"), ReportFormat::Pdf);
    EXPECT_EQ(reportFormatFor("report"), ReportFormat::PlainText);
    EXPECT_EQ(reportFormatFor("dir.rtf/report"), ReportFormat::PlainText);  // the name decides, not a folder
    EXPECT_EQ(reportFormatFor("a.rtf.bak"), ReportFormat::PlainText);
}

TEST(ReportOutput, BytesOfEachFormat) {
    std::string rtf = rtfHeader() + rtfParagraph("Caf\\'e9 <b>", kRtfDarkBlue, false, true) + rtfLineEnd() +
                      rtfRun("x", 0, false, false) + rtfTabs(1) + "y" + rtfLineEnd() + rtfClose();
    EXPECT_EQ(reportFileBytes(rtf, ReportFormat::Rtf, "T"), rtf);
    EXPECT_EQ(reportFileBytes(rtf, ReportFormat::PlainText, "T"), "Caf\xC3\xA9 <b>\r\nx \ty\r\n");
    std::string html = reportFileBytes(rtf, ReportFormat::Html, "Caf\xE9");
    EXPECT_NE(html.find("<title>Caf\xC3\xA9</title>"), std::string::npos);
    EXPECT_NE(html.find("Caf\xC3\xA9 &lt;b&gt;"), std::string::npos);
}

TEST(ReportOutput, RefusesTheProjectItsFilesTheirCompanionsAndTheScan) {
    TempDir dir;
    ProjectModel model;
    model.projectPath = dir.write("App.vbp", "Type=Exe\r\n");
    model.scanFilePath = dir / "App.psf";
    model.addFile(FileRec{.name = "Form1", .path = dir.write("Form1.frm", "x"), .hasFrx = true});
    dir.write("Form1.frx", "binary");
    EXPECT_NE(reportSaveRefusal(model, model.projectPath).find("is the project file"), std::string::npos);
    EXPECT_NE(reportSaveRefusal(model, dir / "App.psf").find("is the project's scan file"), std::string::npos);
    EXPECT_NE(reportSaveRefusal(model, dir / "Form1.frm").find("is a file of the open project"), std::string::npos);
    EXPECT_NE(reportSaveRefusal(model, dir / "Form1.frx").find("is a file of the open project"), std::string::npos);
    EXPECT_NE(reportSaveRefusal(model, dir / "./Form1.frm").find("is a file of the open project"), std::string::npos);
    EXPECT_EQ(reportSaveRefusal(model, dir / "Report.rtf"), "");
    Outcome refused = saveReportFile(model, dir / "Form1.frm", "report");
    EXPECT_FALSE(refused.ok);
    Outcome written = saveReportFile(model, dir / "Report.rtf", "report");
    EXPECT_TRUE(written.ok) << written.detail;
    EXPECT_TRUE(saveReportFile(model, dir / "Report.rtf", "again").ok);  // an old report is replaced
}

}  // namespace tally
