#include "ui/codeview/CodeViewPanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QTextBlock>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/project/PathOps.h"
#include "ui/codeview/CodeEditor.h"
#include "ui/codeview/EditorRichTextView.h"
#include "ui/codeview/FileHeaderStrip.h"
#include "ui/codeview/FindDialog.h"
#include "ui/common/AnsiText.h"
#include "ui/common/IconLibrary.h"
#include "ui/common/ProjectText.h"
#include "ui/common/UserPrompts.h"
#include "ui/project/ProgressStrip.h"

namespace tally {

CodeViewPanel::CodeViewPanel(ProjectModel& model, UserPrompts& prompts, const EditorSettings& settings,
                             QWidget* parent)
    : QWidget(parent), m_model(model), m_prompts(prompts), m_saveIt(prompts) {
    setObjectName(QStringLiteral("codeViewPanel"));
    m_header = new FileHeaderStrip(this);
    m_header->setObjectName(QStringLiteral("lblCodeFile"));
    buildStrip();
    m_editor = new CodeEditor(this);
    m_editor->applySettings(settings);
    m_editor->setAccessibleName(tr("Code"));
    m_progress = new ProgressStrip(this);
    m_view = std::make_unique<EditorRichTextView>(m_editor);
    m_code = std::make_unique<CodeView>(m_model, *m_view, m_saveIt, *m_progress);
    m_actions = new CodeViewActions(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    layout->addWidget(m_strip);
    layout->addWidget(m_editor, 1);

    setFocusProxy(m_editor);
    setTabOrder(m_combo, m_refresh);
    setTabOrder(m_refresh, m_editor);

    m_editor->setInsertJudge([this](const QString& text) { return mayInsert(text); });
    m_editor->installEventFilter(this);
    m_editor->viewport()->installEventFilter(this);
    m_combo->installEventFilter(this);
    connect(m_editor, &QPlainTextEdit::textChanged, this, &CodeViewPanel::textChanged);
    connect(m_editor, &QPlainTextEdit::selectionChanged, this, &CodeViewPanel::selectionChanged);
    connect(m_editor, &QPlainTextEdit::cursorPositionChanged, this, &CodeViewPanel::showCaret);
    connect(m_editor, &CodeEditor::contextMenuRequested, this,
            [this](const QPoint& at) { m_actions->menu()->popup(at); });
    connect(m_combo, &QComboBox::activated, this, &CodeViewPanel::chooseItem);
    connect(m_refresh, &QToolButton::clicked, this, &CodeViewPanel::refresh);
    connect(m_actions, &CodeViewActions::commandTriggered, this, &CodeViewPanel::runCommand);
    connect(m_actions, &CodeViewActions::menuAboutToShow, this, &CodeViewPanel::updateMenu);
    applyToolbar();
    showCaret();
    showEditState();
}

CodeViewPanel::~CodeViewPanel() {
    // The find dialog belongs to the main window; it must not outlive the view it searches.
    delete m_find;
    // The pane is destroyed after the code view it reports to.
    m_editor->disconnect(this);
    m_editor->removeEventFilter(this);
    m_editor->viewport()->removeEventFilter(this);
}

void CodeViewPanel::buildStrip() {
    m_strip = new QWidget(this);
    m_strip->setObjectName(QStringLiteral("picCode"));
    m_strip->setAttribute(Qt::WA_StyledBackground);
    m_combo = new QComboBox(m_strip);
    m_combo->setObjectName(QStringLiteral("cmbSubs"));
    m_combo->setMinimumWidth(300);
    m_combo->setMaxVisibleItems(24);
    m_combo->setIconSize(QSize(16, 16));
    m_combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_combo->setToolTip(tr("The routine shown (Alt+Down lists them)"));
    m_combo->setAccessibleName(tr("Routine"));
    m_refresh = new QToolButton(m_strip);
    m_refresh->setObjectName(QStringLiteral("refresh"));
    m_refresh->setIcon(IconLibrary::icon(QStringLiteral("refresh")));
    m_refresh->setIconSize(QSize(18, 18));
    m_refresh->setAutoRaise(true);
    m_refresh->setFocusPolicy(Qt::StrongFocus);
    m_refresh->setToolTip(tr("Tidy the code: keywords and names in their proper case, coloured again (F5)"));
    m_refresh->setAccessibleName(tr("Tidy and recolour"));
    m_unsaved = new QLabel(tr("\u25CF Not saved"), m_strip);
    m_unsaved->setObjectName(QStringLiteral("unsavedMarker"));
    m_unsaved->setVisible(false);
    m_caret = new QLabel(m_strip);
    m_caret->setObjectName(QStringLiteral("caretPlace"));

    auto* layout = new QHBoxLayout(m_strip);
    layout->setContentsMargins(10, 5, 10, 5);
    layout->setSpacing(6);
    layout->addWidget(m_combo);
    layout->addWidget(m_refresh);
    layout->addWidget(m_unsaved);
    layout->addStretch(1);
    layout->addWidget(m_caret);
}

void CodeViewPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeProgressStrip();
}

// The strip lies over the top edge of the text pane.
void CodeViewPanel::placeProgressStrip() {
    QRect pane = m_editor->geometry();
    m_progress->setGeometry(pane.left(), pane.top(), pane.width(), m_progress->height());
    m_progress->raise();
}

FindDialog* CodeViewPanel::findDialog() const {
    return m_find;
}

QString CodeViewPanel::headerText() const {
    return m_header->text();
}

QString CodeViewPanel::caretText() const {
    return m_caret->text();
}

bool CodeViewPanel::isEmpty() const {
    return m_combo->count() == 0;
}

QMenu* CodeViewPanel::commandMenu() {
    return m_actions->menu();
}

QList<QAction*> CodeViewPanel::toolbarActions() {
    return m_actions->toolbarActions();
}

void CodeViewPanel::commitPendingEdits() {
    m_code->commitPending();
}

bool CodeViewPanel::offerToSaveChanges() {
    bool left = m_code->leaveCodeFile();
    afterShow();
    return left;
}

bool CodeViewPanel::mayLeaveFile(const std::string& nextPath) {
    bool left = m_code->mayLeaveFor(nextPath);
    afterShow();
    return left;
}

void CodeViewPanel::clear() {
    // The codecs go with the project (a page chosen from the menu, another project): the emptied view
    // must not keep one of them for what is typed into it next.
    const TextCodec* shown = m_view->codec().codec();
    m_view->setCodecForNextText(nullptr);
    if (!m_code->leaveCodeFile()) m_view->setCodecForNextText(shown);
    m_code->setRoutineItems({}, {});
    fillCombo({});
    m_header->clear();
    afterShow();
}

void CodeViewPanel::fillCombo(const std::vector<ComboItem>& items) {
    QSignalBlocker quiet(m_combo);
    m_combo->clear();
    const std::string& path = m_code->codeFilePath();
    for (const ComboItem& item : items)
        m_combo->addItem(IconLibrary::icon(item.icon), fromProjectFile(path, item.text));
}

// After the core dropped an item, the combo shows the core's items and choice again.
void CodeViewPanel::syncCombo() {
    fillCombo(m_code->routineItems());
    QSignalBlocker quiet(m_combo);
    m_combo->setCurrentIndex(m_code->currentItem());
}

void CodeViewPanel::showFile(const std::string& filePath, const std::vector<ComboItem>& items) {
    useCodecOf(filePath);
    // Walking the tree with the keyboard must not pull the focus into the code.
    m_view->setFocusOnFill(false);
    m_code->setRoutineItems(filePath, items);
    fillCombo(items);
    if (items.empty()) {
        report(m_code->showRoutine(filePath, {}));
    } else {
        m_combo->setCurrentIndex(0);
        report(m_code->showSubFile(0));
    }
    m_view->setFocusOnFill(true);
    afterShow();
}

void CodeViewPanel::showTarget(const CodeTarget& target, const std::vector<ComboItem>& items) {
    useCodecOf(target.filePath);
    m_code->setRoutineItems(target.filePath, items);
    fillCombo(items);
    if (items.empty()) {
        report(m_code->showRoutine(target.filePath, {}));
        afterShow();
        return;
    }
    int index = -1;
    std::string_view wanted = target.declarations ? kDeclarationsEntry : std::string_view(target.routineText);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].text == wanted) index = static_cast<int>(i);
    // A name the combo does not hold is looked for in the declarations.
    bool searchRoutine = index < 0 && !target.declarations && !target.routineText.empty();
    index = std::max(index, 0);
    m_combo->setCurrentIndex(index);
    CodeViewResult shown = m_code->showSubFile(static_cast<std::size_t>(index));
    report(shown);
    if (shown.ok && searchRoutine) m_code->goToText(target.routineText, 0);
    if (shown.ok && !target.searchText.empty()) m_code->goToText(target.searchText, 0);
    afterShow();
    m_editor->ensureCursorVisible();
}

void CodeViewPanel::chooseItem(int index) {
    if (index < 0) return;
    m_view->setFocusOnFill(!m_arrowChoice);
    m_arrowChoice = false;
    report(m_code->showSubFile(static_cast<std::size_t>(index)));
    m_view->setFocusOnFill(true);
    afterShow();
}

void CodeViewPanel::refresh() {
    m_code->refresh();
}

void CodeViewPanel::useCodecOf(const std::string& path) {
    const SourceCodecs& codecs = sourceCodecs();
    const TextCodec& codec = codecs.ofFile(path);
    m_view->setCodecForNextText(&codec);
    m_code->setCodePage(codec.codePage());
    m_header->showFile(fromLocalPath(path));
    if (codecs.hasOwnCodec(path))
        m_header->showNote(tr("Read as %1; the project is %2.")
                               .arg(QString::fromStdString(codec.name()),
                                    QString::fromStdString(codecs.project().name())));
}

bool CodeViewPanel::mayInsert(const QString& text) {
    const CodeTextCodec& codec = m_view->codec();
    const QString refused = codec.firstUnencodable(text);
    if (refused.isEmpty()) return true;
    const QString name = codec.codec() ? QString::fromStdString(codec.codec()->name()) : QStringLiteral("windows-1252");
    m_prompts.notify(unencodableMessage(codec.codePage(), name, refused) + QStringLiteral("\n\n") +
                         tr("Nothing was inserted."),
                     MessageIcon::Exclamation, applicationTitle());
    return false;
}

void CodeViewPanel::report(const CodeViewResult& result) {
    // A failure without a message is the user staying with a changed file: nothing to say.
    if (!result.ok && !result.message.empty())
        m_prompts.notify(fromLocalPath(result.message), MessageIcon::Exclamation, applicationTitle());
}

// The gutter numbers the lines as the file does, and the buttons follow the text now shown.
void CodeViewPanel::afterShow() {
    int firstLine = 0;
    if (m_code->isShowing()) {
        const std::string& text = m_code->codeFileText();
        std::size_t end = std::min(m_code->shownRange().start, text.size());
        firstLine = 1;
        for (std::size_t at = text.find("\r\n"); at != std::string::npos && at < end;
             at = text.find("\r\n", at + 2))
            ++firstLine;
    }
    m_editor->setFirstLineNumber(firstLine);
    showEditState();
    if (m_codeTab) {
        m_toolbar = codeViewToolbarState(facts());
        applyToolbar();
    }
    showCaret();
}

bool CodeViewPanel::hasUnsavedChanges() const {
    return m_code->fileChanged() || m_code->viewChanged();
}

// Typing goes only where there is code to put it back into; otherwise the pane says why it is
// read-only. The marker beside the combo (and, through the signal, the tab) shows unsaved edits.
void CodeViewPanel::showEditState() {
    bool showing = m_code->isShowing();
    m_editor->setReadOnly(!showing);
    if (showing)
        m_editor->setPlaceholderText(QString());
    else if (m_code->codeFilePath().empty())
        m_editor->setPlaceholderText(tr("No file is open, so there is nothing to edit here. Select a "
                                        "file in the project tree to see its code."));
    else
        m_editor->setPlaceholderText(tr("This item has no code of its own to show or edit."));
    bool unsaved = hasUnsavedChanges();
    if (unsaved == m_shownUnsaved) return;
    m_shownUnsaved = unsaved;
    m_unsaved->setVisible(unsaved);
    m_unsaved->setToolTip(unsaved ? tr("%1 has changes that are not saved")
                                        .arg(fromLocalPath(fileNameOf(m_code->codeFilePath())))
                                  : QString());
    emit unsavedChangesChanged(unsaved);
}

void CodeViewPanel::showCaret() {
    if (m_editor->document()->isEmpty()) {
        m_caret->clear();
        return;
    }
    QTextCursor cursor = m_editor->textCursor();
    int line = cursor.blockNumber() + std::max(1, m_editor->firstLineNumber());
    m_caret->setText(tr("Ln %1, Col %2").arg(line).arg(cursor.positionInBlock() + 1));
}

}  // namespace tally
