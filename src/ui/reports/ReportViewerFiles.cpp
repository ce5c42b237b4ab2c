// The report viewer's file commands: Open and Save with their dialogs, and what goes into a saved
// file for each kind of name.

#include <QFileInfo>
#include <QStringDecoder>

#include "core/os/RegularFile.h"
#include "core/os/SaveTarget.h"
#include "core/reports/ReportOutput.h"
#include "core/reports/RichHtml.h"
#include "core/reports/RtfReader.h"
#include "core/reports/RtfWriter.h"
#include "ui/common/AnsiText.h"
#include "ui/common/SaveOverCheck.h"
#include "ui/common/UserPrompts.h"
#include "ui/reports/ReportBody.h"
#include "ui/reports/ReportPrinting.h"
#include "ui/reports/ReportViewer.h"
#include "ui/reports/RichTextConversion.h"

namespace tally {

namespace {

// Plain text files come from this program (UTF-8) or from Windows programs (Windows-1252).
QString decodedText(const std::string& bytes) {
    QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(view);
    if (!utf8.hasError()) return text;
    return fromAnsi(bytes);
}

}  // namespace

void ReportViewer::notify(const QString& text) {
    m_prompts.notify(text, MessageIcon::Exclamation, applicationTitle());
}

void ReportViewer::openCommand() {
    QString path = m_prompts.chooseOpenFile(tr("Open"), QString::fromLatin1(kReportOpenFilter));
    if (!path.isEmpty()) openFile(path);
}

void ReportViewer::openFile(const QString& path) {
    const std::string local = toLocalPath(QFileInfo(path).absoluteFilePath());
    FileRead read = readRegularFile(local);
    if (!read.bytes) {
        notify(fromLocalPath(local + " " + refusalPhrase(read.check)));
        return;
    }
    // The name decides: only .psl and .rtf files are read as RTF, so control words in any other
    // file are shown as the text they are.
    if (reportFormatFor(local) == ReportFormat::Rtf) setRichDocument(*m_body->document(), readRtf(*read.bytes));
    else setRichDocument(*m_body->document(), plainRichDocument(decodedText(*read.bytes)));
    m_title = QFileInfo(path).completeBaseName();
    m_lastPath = path;
    m_body->moveCursor(QTextCursor::Start);
    m_body->setFocus(Qt::OtherFocusReason);
    followSelection();
}

void ReportViewer::saveCommand() {
    QString path = m_prompts.chooseSaveFile(tr("Save"), QString::fromLatin1(kReportSaveFilter), m_lastPath);
    if (!path.isEmpty()) saveFile(path);
}

std::string ReportViewer::fileBytes(const QString& path) const {
    const QTextDocument& document = *m_body->document();
    const std::string local = toLocalPath(path);
    switch (reportFormatFor(local)) {
        case ReportFormat::Rtf: return writeRtf(richDocumentOf(document));
        case ReportFormat::Html: return writeHtml(richDocumentOf(document), m_title.toStdString());
        case ReportFormat::Pdf: return reportPdf(document, m_title).toStdString();
        case ReportFormat::PlainText: break;
    }
    return plainText(richDocumentOf(document), "\r\n");
}

bool ReportViewer::saveFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const std::string target = toLocalPath(absolute);
    // A name that must not be written is refused before anything is asked or written.
    std::optional<bool> agreed = confirmSaveOver(m_prompts, target, reportSaveRefusal(m_model, target));
    if (!agreed) return false;
    std::string bytes = fileBytes(absolute);
    if (bytes.empty() && reportFormatFor(target) == ReportFormat::Pdf) {
        notify(tr("The PDF file could not be made."));
        return false;
    }
    Outcome written = saveReportFile(m_model, target, bytes, *agreed);
    if (!written.ok) {
        notify(written.message.empty()
                   ? fromAnsi(written.description) + QStringLiteral("\n\n") + fromLocalPath(written.detail)
                   : fromLocalPath(written.message));
        return false;
    }
    m_lastPath = absolute;
    m_body->document()->setModified(false);
    return true;
}

}  // namespace tally
