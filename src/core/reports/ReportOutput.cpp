#include "core/reports/ReportOutput.h"

#include <optional>
#include <vector>

#include "core/os/FileFacts.h"
#include "core/project/PathOps.h"
#include "core/reports/RichHtml.h"
#include "core/reports/RtfReader.h"
#include "core/support/ErrorNumbers.h"
#include "core/text/TextOps.h"
#include "core/text/Windows1252.h"

namespace tally {

ReportFormat reportFormatFor(std::string_view path) {
    std::string name = toLower(fileNameOf(path));
    if (endsWith(name, ".rtf") || endsWith(name, ".psl")) return ReportFormat::Rtf;
    if (endsWith(name, ".html") || endsWith(name, ".htm")) return ReportFormat::Html;
    if (endsWith(name, ".pdf")) return ReportFormat::Pdf;
    return ReportFormat::PlainText;
}

std::string reportFileBytes(const std::string& rtf, ReportFormat format, std::string_view title) {
    switch (format) {
        case ReportFormat::Rtf: return rtf;
        case ReportFormat::Html: return writeHtml(readRtf(rtf), displayUtf8(title));
        case ReportFormat::PlainText:
        case ReportFormat::Pdf: break;
    }
    return plainText(readRtf(rtf), "\r\n");
}

std::string reportSaveRefusal(const ProjectModel& model, std::string_view path) {
    const std::string target(path);
    const std::optional<FileIdentity> id = fileIdentity(target);
    auto same = [&](const std::string& other) {
        if (other.empty()) return false;
        if (other == target) return true;
        if (!id) return false;
        auto otherId = fileIdentity(other);
        return otherId && *otherId == *id;
    };
    if (same(model.projectPath)) return target + " is the project file; choose another name";
    if (same(model.scanFilePath)) return target + " is the project's scan file; choose another name";
    for (const FileRec& file : model.files) {
        if (same(file.path)) return target + " is a file of the open project; choose another name";
        if (file.hasFrx && same(frxPathOf(file.path)))
            return target + " is a file of the open project; choose another name";
    }
    return {};
}

Outcome saveReportFile(const ProjectModel& model, std::string_view path, const std::string& bytes,
                       bool cautionsAgreed) {
    std::string refusal = reportSaveRefusal(model, path);
    if (!refusal.empty()) return Outcome::failure(error::kPathFileAccessError, "Path/File access error", std::move(refusal));
    return SafeFileWriter(std::string(path)).write(bytes, cautionsAgreed);
}

}  // namespace tally
