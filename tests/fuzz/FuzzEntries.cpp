#include "FuzzEntries.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/engine/ScanProject.h"
#include "core/parser/CompanionText.h"
#include "core/project/FileVersion.h"
#include "core/project/PeVersionResource.h"
#include "core/project/ProjectReader.h"
#include "core/reports/RtfReader.h"
#include "core/scanfile/ScanFileReader.h"
#include "core/scanfile/ScanFileWriter.h"
#include "platform/registry/WineHive.h"

namespace tally::fuzz {

namespace {

// One folder per process for the targets that read files: inputs are written there, one at a
// time, under fixed names. It goes when the process ends normally.
struct WorkFolder {
    std::string path;
    WorkFolder() {
        path = (std::filesystem::temp_directory_path() / "tallyscan-fuzz-XXXXXX").string();
        if (!::mkdtemp(path.data())) std::abort();
    }
    ~WorkFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

const std::string& workFolder() {
    static const WorkFolder folder;
    return folder.path;
}

std::string writeInput(const std::string& name, std::string_view bytes) {
    const std::string path = workFolder() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

void broken(const char* promise) {
    std::fprintf(stderr, "fuzz: %s\n", promise);
    std::abort();
}

void projectFile(std::string_view input) {
    ProjectModel model;
    NoFileVersions versions;
    openProject(model, writeInput("P.vbp", input), versions);
}

// The input as the one member of a project, scanned on two threads; the scan file of the result
// must read back.
void oneMember(std::string_view input, const char* line, const char* file) {
    writeInput(file, input);
    const std::string vbp = writeInput("One.vbp", line);
    NoFileVersions versions;
    NullParseProgress quiet;
    CancelFlag cancel{false};
    ProjectModel model;
    ScanRequest request{vbp, versions, quiet, cancel};
    request.threads = 2;
    if (!scanProject(model, request)) broken("a one-file project did not scan to the end");
    const std::string text = scanFileText(model);
    ProjectModel back;
    if (!readScanText(text, workFolder() + "/One.psf", back).ok) broken("a scan file we wrote did not read back");
}

void basMember(std::string_view input) { oneMember(input, "Module=m; m.bas\r\n", "m.bas"); }
void frmMember(std::string_view input) { oneMember(input, "Form=f.frm\r\n", "f.frm"); }
void clsMember(std::string_view input) { oneMember(input, "Class=c; c.cls\r\n", "c.cls"); }

void scanFile(std::string_view input) {
    ProjectModel model;
    readScanText(input, "/fuzz/Input.psf", model);
}

void rtf(std::string_view input) { readRtf(input); }

// A hive read and written again must read the same way a second time.
void wineHive(std::string_view input) {
    const std::string once = WineHive::parse(input).serialize();
    if (WineHive::parse(once).serialize() != once) broken("a written hive read back differently");
}

void peFile(std::string_view input) { readPeVersionStrings(input); }

void frx(std::string_view input) { companionText(input); }

}  // namespace

const std::vector<FuzzTarget>& fuzzTargets() {
    static const std::vector<FuzzTarget> targets{
        {"project", projectFile}, {"bas", basMember},       {"frm", frmMember}, {"cls", clsMember},
        {"scanfile", scanFile},   {"rtf", rtf},             {"winehive", wineHive}, {"pe", peFile},
        {"frx", frx},
    };
    return targets;
}

const FuzzTarget* fuzzTargetNamed(std::string_view name) {
    for (const FuzzTarget& target : fuzzTargets())
        if (target.name == name) return &target;
    return nullptr;
}

}  // namespace tally::fuzz
