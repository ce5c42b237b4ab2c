#include "ui/reports/ReportViewer.h"

#include <QAction>
#include <QMenu>
#include <QTextCursor>

#include "core/reports/RtfReader.h"
#include "ui/common/IconLibrary.h"
#include "ui/reports/ReportBody.h"
#include "ui/reports/ReportSelectionState.h"
#include "ui/reports/ReportViewerDialogs.h"
#include "ui/reports/RichTextConversion.h"

namespace tally {

ReportViewer::ReportViewer(const ProjectModel& model, UserPrompts& prompts, ReportViewerDialogs& dialogs,
                           QWidget* parent)
    : QMainWindow(parent),
      m_model(model),
      m_prompts(prompts),
      m_dialogs(dialogs),
      m_body(new ReportBody(this)),
      m_actions(new ReportViewActions(this)),
      m_title(QString::fromLatin1(kReportViewCaption)) {
    setObjectName(QStringLiteral("frmReportView"));
    setWindowTitle(QString::fromLatin1(kReportViewCaption));
    setWindowIcon(IconLibrary::icon(QStringLiteral("report")));
    setCentralWidget(m_body);
    resize(860, 640);

    connect(m_actions, &ReportViewActions::commandTriggered, this, &ReportViewer::runCommand);
    connect(m_body, &ReportBody::contextMenuRequested, this,
            [this](const QPoint& at) { m_actions->editMenu()->popup(at); });
    connect(m_body, &QTextEdit::cursorPositionChanged, this, &ReportViewer::followSelection);
    connect(m_body, &QTextEdit::selectionChanged, this, &ReportViewer::followSelection);
    connect(m_body, &QTextEdit::currentCharFormatChanged, this, &ReportViewer::followSelection);
    followSelection();
}

ReportViewer::~ReportViewer() = default;

void ReportViewer::showDocument(const std::string& rtf, const QString& title) {
    m_title = title;
    setRichDocument(*m_body->document(), readRtf(rtf));
    m_body->moveCursor(QTextCursor::Start);
    followSelection();
}

void ReportViewer::runCommand(ReportCommand command, bool checked) {
    switch (command) {
        case ReportCommand::Open: openCommand(); break;
        case ReportCommand::Save: saveCommand(); break;
        case ReportCommand::Print: m_dialogs.print(*m_body->document(), this); break;
        case ReportCommand::Preview: m_dialogs.preview(*m_body->document(), this); break;
        case ReportCommand::Close: close(); break;
        case ReportCommand::Undo: m_body->undo(); break;
        case ReportCommand::Cut: m_body->cut(); break;
        case ReportCommand::Copy: m_body->copy(); break;
        case ReportCommand::Paste: m_body->paste(); break;
        case ReportCommand::SelectAll: m_body->selectAll(); break;
        case ReportCommand::Bold:
        case ReportCommand::Italic:
        case ReportCommand::Underline: setStyle(command, checked); break;
        case ReportCommand::Font: chooseFont(); break;
        case ReportCommand::Left: setAlignment(Qt::AlignLeft); break;
        case ReportCommand::Center: setAlignment(Qt::AlignHCenter); break;
        case ReportCommand::Right: setAlignment(Qt::AlignRight); break;
    }
}

void ReportViewer::followSelection() {
    m_actions->showSelection(selectionStateOf(m_body->textCursor()));
}

void ReportViewer::setStyle(ReportCommand command, bool on) {
    QTextCharFormat format;
    if (command == ReportCommand::Bold) format.setFontWeight(on ? QFont::Bold : QFont::Normal);
    else if (command == ReportCommand::Italic) format.setFontItalic(on);
    else format.setFontUnderline(on);
    m_body->mergeCurrentCharFormat(format);
    followSelection();
}

void ReportViewer::setAlignment(Qt::Alignment alignment) {
    m_body->setAlignment(alignment);
    followSelection();
}

// The dialog starts from the format at the selection (the caret's typing format without one); the
// choice replaces the font, size, styles and colour of the whole selection.
void ReportViewer::chooseFont() {
    QTextCharFormat current = m_body->currentCharFormat();
    QFont font = m_body->document()->defaultFont();
    QStringList families = current.fontFamilies().toStringList();
    if (!families.isEmpty()) font.setFamily(families.first());
    if (current.hasProperty(QTextFormat::FontPointSize)) font.setPointSizeF(current.fontPointSize());
    font.setBold(current.fontWeight() >= QFont::DemiBold);
    font.setItalic(current.fontItalic());
    font.setUnderline(current.fontUnderline());
    QColor colour = current.hasProperty(QTextFormat::ForegroundBrush) ? current.foreground().color() : QColor(Qt::black);

    std::optional<FontChoice> chosen = m_dialogs.chooseFont(FontChoice{font, colour}, this);
    if (!chosen) return;
    QTextCharFormat format;
    format.setFontFamilies({chosen->font.family()});
    if (chosen->font.pointSizeF() > 0) format.setFontPointSize(chosen->font.pointSizeF());
    format.setFontWeight(chosen->font.bold() ? QFont::Bold : QFont::Normal);
    format.setFontItalic(chosen->font.italic());
    format.setFontUnderline(chosen->font.underline());
    if (chosen->colour.isValid()) format.setForeground(chosen->colour);
    m_body->mergeCurrentCharFormat(format);
    m_body->setFocus(Qt::OtherFocusReason);
    followSelection();
}

}  // namespace tally
