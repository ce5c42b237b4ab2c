#include "ui/registry/EditValueDialog.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/registry/RegistryMessages.h"
#include "ui/common/AnsiText.h"
#include "ui/common/UserPrompts.h"

namespace tally {

namespace {

QString qText(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

EditValueDialog::EditValueDialog(ValueEditor editor, RegistryStore& store, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_editor(std::move(editor)), m_store(store), m_prompts(prompts) {
    setObjectName(QStringLiteral("frmRegEdit"));
    setWindowTitle(tr("Edit Value"));
    auto* nameCaption = new QLabel(tr("Value Name"), this);
    m_valueName = new QLabel(fromAnsi(m_editor.target().valueName), this);
    m_valueName->setObjectName(QStringLiteral("lblValuename"));
    m_valueName->setFrameShape(QFrame::StyledPanel);
    auto* dataCaption = new QLabel(tr("Value Data"), this);
    m_data = new QPlainTextEdit(fromAnsi(m_editor.initialText()), this);
    m_data->setObjectName(QStringLiteral("txtData"));
    m_data->installEventFilter(this);
    m_frame = new QGroupBox(tr("View"), this);
    m_views[0] = new QRadioButton(tr("Hexadecimal"), m_frame);
    m_views[1] = new QRadioButton(qText(m_editor.secondViewCaption()), m_frame);
    m_views[0]->setObjectName(QStringLiteral("optView0"));
    m_views[1]->setObjectName(QStringLiteral("optView1"));
    m_views[0]->setChecked(true);
    auto* frameLayout = new QVBoxLayout(m_frame);
    frameLayout->addWidget(m_views[0]);
    frameLayout->addWidget(m_views[1]);
    m_key = new QLabel(fromAnsi(m_editor.keyLabel()), this);
    m_key->setObjectName(QStringLiteral("lblKey"));
    m_key->setVisible(false);
    m_ok = new QPushButton(tr("&OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_cancel = new QPushButton(tr("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    // OK waits for the first accepted key: nothing has changed before it.
    m_ok->setEnabled(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(nameCaption, 0, 0, 1, 2);
    layout->addWidget(m_valueName, 1, 0, 1, 2);
    layout->addWidget(dataCaption, 2, 0, 1, 2);
    layout->addWidget(m_data, 3, 0, 1, m_editor.showsViews() ? 1 : 2);
    layout->addWidget(m_frame, 3, 1);
    layout->addWidget(m_key, 4, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons, 5, 0, 1, 2);
    layout->setRowStretch(3, 1);
    resize(460, m_editor.showsViews() ? 240 : 200);

    // Set-up for the value's type; the loading flag keeps the option buttons from converting.
    if (m_editor.type() == regtype::kBinary) {
        QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        fixed.setFamilies({QStringLiteral("Courier"), QStringLiteral("Courier New"), fixed.family()});
        m_data->setFont(fixed);
        m_data->setReadOnly(true);
        m_key->setText(qText(kBinaryNotEditable));
        m_key->setVisible(true);
    }
    m_frame->setVisible(m_editor.showsViews());
    connect(m_views[0], &QRadioButton::toggled, this, [this](bool on) { if (on) viewChosen(ValueView::Hexadecimal); });
    connect(m_views[1], &QRadioButton::toggled, this, [this](bool on) { if (on) viewChosen(ValueView::Second); });
    connect(m_ok, &QPushButton::clicked, this, &EditValueDialog::okClicked);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_loading = false;
    m_data->setFocus();
}

void EditValueDialog::viewChosen(ValueView view) {
    if (m_loading) return;
    m_data->setPlainText(fromAnsi(m_editor.switchView(view, toAnsi(m_data->toPlainText()))));
}

bool EditValueDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_data || event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (m_editor.type() == regtype::kString) {
        if (!text.isEmpty() || key->key() == Qt::Key_Delete) m_ok->setEnabled(true);
        return false;
    }
    // Moving about and selecting stay possible; what would change the data is filtered.
    if (text.isEmpty() && key->key() != Qt::Key_Delete) return false;
    if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)) return false;
    if (m_editor.type() == regtype::kBinary) return true;
    // Delete is a key, not a character: the DWORD views let it through as they do the arrows.
    if (key->key() == Qt::Key_Delete) {
        m_ok->setEnabled(true);
        return false;
    }
    if (text.size() == 1 && text[0].unicode() < 0x80 && m_editor.acceptsCharacter(static_cast<char>(text[0].unicode()))) {
        m_ok->setEnabled(true);
        return false;
    }
    return true;
}

void EditValueDialog::okClicked() {
    ValueEditResult result = m_editor.accept(m_store, toAnsi(m_data->toPlainText()));
    if (result.closed) {
        m_rowData = fromAnsi(result.rowData);
        accept();
        return;
    }
    if (!result.message.empty()) {
        QString text = qText(result.message);
        // A store that cannot be written just now says why, beside the plain failure.
        if (const std::string why = m_store.writeRefusal(); !why.empty())
            text += QStringLiteral("\n\n") + fromAnsi(why);
        m_prompts.notify(text, MessageIcon::Information, applicationTitle());
    }
}

}  // namespace tally
