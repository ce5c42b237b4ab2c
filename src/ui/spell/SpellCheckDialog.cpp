#include "ui/spell/SpellCheckDialog.h"

#include <algorithm>

#include <QApplication>
#include <QSignalBlocker>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include "ui/common/ProjectText.h"
#include "ui/common/BusyPointer.h"

namespace tally {

namespace {

QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

}  // namespace

SpellCheckDialog::SpellCheckDialog(std::vector<SpellRow>& rows, Speller& speller, UserPrompts& prompts,
                                   QString brokenMessage, std::function<void(const std::string&)> ignoreAlways,
                                   QWidget* parent, int codePage)
    : QDialog(parent),
      m_rows(rows),
      m_prompts(prompts),
      m_brokenMessage(std::move(brokenMessage)),
      m_keepWord(std::move(ignoreAlways)),
      m_session(rows, speller, codePage) {
    setObjectName(QStringLiteral("frmSpellIt"));
    setWindowTitle(tr("Spell Check"));
    build();
}

SpellCheckDialog::~SpellCheckDialog() = default;

void SpellCheckDialog::build() {
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("prgCount"));
    m_progress->setRange(1, std::max(1, m_session.rowCount()));
    m_progress->setValue(1);
    m_progress->setTextVisible(false);
    m_start = new QPushButton(tr("Start"), this);
    m_start->setObjectName(QStringLiteral("cmdStart"));
    m_start->setDefault(true);

    m_text = new QTextEdit(this);
    m_text->setObjectName(QStringLiteral("rtfSpell"));
    m_text->setReadOnly(true);
    m_text->setAcceptRichText(false);
    m_text->setMinimumHeight(90);
    for (std::size_t i = 0; i < m_info.size(); ++i) {
        m_info[i] = new QLabel(this);
        m_info[i]->setObjectName(QStringLiteral("lblInfo%1").arg(i));
        m_info[i]->setTextFormat(Qt::PlainText);
    }
    m_notFound = new QLabel(this);
    m_notFound->setObjectName(QStringLiteral("lblFind"));
    m_notFound->setTextFormat(Qt::PlainText);
    m_changeTo = new QLineEdit(this);
    m_changeTo->setObjectName(QStringLiteral("txtSpell"));
    m_suggestions = new QListWidget(this);
    m_suggestions->setObjectName(QStringLiteral("lstCorrect"));
    m_suggestions->setEnabled(false);

    m_change = new QPushButton(tr("Change"), this);
    m_change->setObjectName(QStringLiteral("cmdChange"));
    m_ignore = new QPushButton(tr("Ignore"), this);
    m_ignore->setObjectName(QStringLiteral("cmdIgnore"));
    m_ignoreAlways = new QPushButton(tr("Ignore &Always"), this);
    m_ignoreAlways->setObjectName(QStringLiteral("cmdIgnoreAlways"));
    m_ignoreAlways->setToolTip(tr("Ignore the word now and in later checks of this project"));
    m_ignoreAlways->setVisible(static_cast<bool>(m_keepWord));
    m_cancel = new QPushButton(tr("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton* button : {m_change, m_ignore, m_ignoreAlways}) button->setEnabled(false);

    auto* top = new QHBoxLayout;
    top->addWidget(m_progress, 1);
    top->addWidget(m_start);
    auto* words = new QGridLayout;
    words->addWidget(caption(tr("Not In Dictionary"), this), 0, 0);
    words->addWidget(m_notFound, 1, 0);
    words->addWidget(caption(tr("Change To"), this), 2, 0);
    words->addWidget(m_changeTo, 3, 0);
    words->addWidget(caption(tr("Suggestions"), this), 0, 1);
    words->addWidget(m_suggestions, 1, 1, 4, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_change, m_ignore, m_ignoreAlways}) buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    auto* lower = new QHBoxLayout;
    lower->addLayout(words, 1);
    lower->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    for (QLabel* info : m_info) layout->addWidget(info);
    layout->addWidget(m_text, 1);
    layout->addLayout(lower);
    resize(560, 440);

    connect(m_start, &QPushButton::clicked, this, &SpellCheckDialog::startClicked);
    connect(m_change, &QPushButton::clicked, this, &SpellCheckDialog::changeClicked);
    connect(m_ignore, &QPushButton::clicked, this, &SpellCheckDialog::ignoreClicked);
    connect(m_ignoreAlways, &QPushButton::clicked, this, &SpellCheckDialog::ignoreAlwaysClicked);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_changeTo, &QLineEdit::textChanged, this, [this](const QString& text) {
        const bool waiting = m_session.state() == SpellState::Waiting;
        m_change->setEnabled(waiting && !text.isEmpty());
        m_ignore->setEnabled(waiting && !text.isEmpty());
        m_ignoreAlways->setEnabled(waiting);
    });
    connect(m_suggestions, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        m_session.chooseSuggestion(static_cast<std::size_t>(row));
        m_changeTo->setText(fromProject(m_session.changeTo()));
    });
    connect(m_suggestions, &QListWidget::itemDoubleClicked, this, [this] {
        if (m_change->isEnabled()) changeClicked();
    });
}

void SpellCheckDialog::startClicked() {
    m_start->setEnabled(false);
    BusyPointer busy;
    display(m_session.start());
}

void SpellCheckDialog::changeClicked() {
    // The change goes into the project's texts in its code page; a character it lacks is refused.
    const std::optional<std::string> replacement = toProject(m_changeTo->text());
    if (!replacement) {
        const TextCodec& codec = sourceCodecs().project();
        m_prompts.notify(unencodableMessage(codec.codePage(), QString::fromStdString(codec.name()),
                                            firstUnencodable(codec, m_changeTo->text())),
                         MessageIcon::Exclamation, applicationTitle());
        return;
    }
    const SpellState before = m_session.state();
    BusyPointer busy;
    const SpellState after = m_session.change(*replacement);
    m_changed = m_changed || before == SpellState::Waiting;
    display(after);
}

void SpellCheckDialog::ignoreClicked() {
    BusyPointer busy;
    display(m_session.ignore());
}

void SpellCheckDialog::ignoreAlwaysClicked() {
    if (m_keepWord) m_keepWord(m_session.notInDictionary());
    ignoreClicked();
}

void SpellCheckDialog::display(SpellState state) {
    m_progress->setValue(std::clamp(m_session.currentRow(), 1, std::max(1, m_session.rowCount())));
    for (std::size_t i = 0; i < m_info.size(); ++i) m_info[i]->setText(fromProject(m_session.info()[i]));
    m_text->setPlainText(fromProject(m_session.text()));
    switch (state) {
        case SpellState::Waiting:
            showWord();
            return;
        case SpellState::Finished:
            m_prompts.notify(tr("Finished"), MessageIcon::Information, applicationTitle());
            accept();
            return;
        case SpellState::DictionaryBroken:
            m_prompts.notify(m_brokenMessage, MessageIcon::Exclamation, applicationTitle());
            break;
        case SpellState::Ready:
            break;
    }
    m_notFound->clear();
    m_suggestions->clear();
    m_changeTo->clear();
    for (QPushButton* button : {m_change, m_ignore, m_ignoreAlways}) button->setEnabled(false);
}

void SpellCheckDialog::showWord() {
    m_notFound->setText(fromProject(m_session.notInDictionary()));
    // The session counts bytes of the project's code page from 1; the pane counts characters, so
    // each end is the length of the text before it as shown (a word never starts inside a character).
    const std::string_view text = m_session.text();
    auto shownLength = [text](std::size_t bytes) {
        return static_cast<int>(fromProject(text.substr(0, std::min(bytes, text.size()))).size());
    };
    const std::size_t start = static_cast<std::size_t>(std::max(1, m_session.selectionStart()) - 1);
    QTextCursor cursor(m_text->document());
    cursor.setPosition(shownLength(start));
    cursor.setPosition(shownLength(start + static_cast<std::size_t>(std::max(0, m_session.selectionLength()))),
                       QTextCursor::KeepAnchor);
    m_text->setTextCursor(cursor);
    m_text->ensureCursorVisible();

    QSignalBlocker quiet(m_suggestions);
    m_suggestions->clear();
    for (const std::string& suggestion : m_session.suggestions()) m_suggestions->addItem(fromProject(suggestion));
    m_suggestions->setEnabled(m_session.suggestionsEnabled());
    if (m_session.selectedSuggestion() >= 0) m_suggestions->setCurrentRow(m_session.selectedSuggestion());
    m_changeTo->setText(fromProject(m_session.changeTo()));
    // Without a suggestion the word itself is offered, selected whole, to be typed over.
    if (!m_session.suggestionsEnabled()) {
        m_changeTo->selectAll();
        m_changeTo->setFocus();
    }
    m_change->setEnabled(!m_changeTo->text().isEmpty());
    m_ignore->setEnabled(!m_changeTo->text().isEmpty());
    m_ignoreAlways->setEnabled(true);
}

}  // namespace tally
