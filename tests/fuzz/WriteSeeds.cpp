// tallyscan6-fuzz-seeds DIR: writes the seeds that have no fixture file of their own (an RTF
// report, PE files with a version resource, a Wine hive) into DIR/<target>/.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/reports/RtfWriter.h"
#include "platform/registry/SampleHives.h"
#include "support/TestPeFile.h"

namespace {

void put(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tallyscan6-fuzz-seeds DIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    using namespace tally;
    RichDocument report;
    RichFormat title{"Arial", 26, true, false, false, RichColour{0, 0, 127}};
    appendRichText(report, "Project Code Report", title);
    report.paragraphs.push_back({RichAlignment::Left, {}});
    appendRichText(report, "Sub Main()\n\tCalc \"\xC3\xA9t\xC3\xA9\" ' {braces} \\ back\nEnd Sub", RichFormat{"Courier New"});
    put(dir / "rtf" / "report.rtf", writeRtf(report));
    put(dir / "pe" / "pe32.dll", testpe::peFile(testpe::versionInfo({testpe::usTable()})));
    put(dir / "pe" / "pe32plus.ocx", testpe::peFile(testpe::versionInfo({testpe::usTable()}), true));
    put(dir / "winehive" / "user.reg", std::string(samples::kUserReg));
    return 0;
}
