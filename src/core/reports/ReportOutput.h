#pragma once
// Writing a finished report to a file: the form its name asks for (.rtf and .psl as RTF, .txt as
// plain text, .html and .htm as an HTML page, .pdf, which takes the desktop's printing, and any
// other name as plain text), and where a report may not be written.

#include <string>
#include <string_view>

#include "core/model/ProjectModel.h"
#include "core/os/SafeFileWriter.h"

namespace tally {

enum class ReportFormat { Rtf, PlainText, Html, Pdf };

// By the file name's extension, without regard to case.
ReportFormat reportFormatFor(std::string_view path);

// The bytes of the report document `rtf` in `format` (not Pdf): RTF as it is, plain text in UTF-8
// with CR LF line ends, HTML (UTF-8) as a page titled `title` (UTF-8; a byte that starts no UTF-8
// sequence is read as Windows-1252).
std::string reportFileBytes(const std::string& rtf, ReportFormat format, std::string_view title);

// Why a report may not be written at `path`: it is the project file, a file of the project or its
// .frx companion, or the scan file; empty when it may. Looks at the disk, follows links.
std::string reportSaveRefusal(const ProjectModel& model, std::string_view path);

// Writes the report atomically after the checks above; a device, FIFO or folder is refused by the
// writer, and a read-only, hard-linked or another user's file unless `cautionsAgreed`.
Outcome saveReportFile(const ProjectModel& model, std::string_view path, const std::string& bytes,
                       bool cautionsAgreed = false);

}  // namespace tally
