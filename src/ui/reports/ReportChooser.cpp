#include "ui/reports/ReportChooser.h"

#include <QApplication>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tally {

namespace {

// The background's rules, this far apart.
constexpr int kRuleSpacing = 20;

}  // namespace

ReportChooser::ReportChooser(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmReport"));
    setWindowTitle(tr("Project Reports"));
    setModal(true);

    auto* title = new QLabel(tr("Project Reports"), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    auto* group = new QButtonGroup(this);
    const QString labels[] = {tr("Spelling"), tr("Code"), tr("Statistics")};
    auto* options = new QVBoxLayout;
    options->setSpacing(0);
    for (std::size_t i = 0; i < m_options.size(); ++i) {
        auto* option = new QRadioButton(labels[i], this);
        option->setObjectName(QStringLiteral("optReport%1").arg(i));
        option->setMinimumHeight(kRuleSpacing);
        group->addButton(option, static_cast<int>(i));
        options->addWidget(option);
        m_options[i] = option;
    }
    m_options[0]->setChecked(true);

    m_show = new QPushButton(tr("Show"), this);
    m_show->setObjectName(QStringLiteral("cmdShow"));
    m_show->setDefault(true);
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton* button : {m_show, m_cancel}) button->setMinimumSize(60, 25);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_show);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(options);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setMinimumWidth(260);

    connect(m_show, &QPushButton::clicked, this, &ReportChooser::showChosen);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

ReportChoice ReportChooser::selected() const {
    for (std::size_t i = 0; i < m_options.size(); ++i)
        if (m_options[i]->isChecked()) return static_cast<ReportChoice>(i);
    return ReportChoice::Spelling;
}

void ReportChooser::select(ReportChoice choice) {
    option(choice)->setChecked(true);
}

// The button comes up and is drawn so before the report, which may take a while, is built.
void ReportChooser::showChosen() {
    m_show->setDown(false);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    emit reportChosen(selected());
    accept();
}

void ReportChooser::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    QColor rule = palette().color(QPalette::Mid);
    rule.setAlpha(70);
    painter.setPen(rule);
    for (int y = kRuleSpacing; y < height(); y += kRuleSpacing) painter.drawLine(0, y, width(), y);
}

}  // namespace tally
