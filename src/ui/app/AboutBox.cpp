#include "ui/app/AboutBox.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/common/AnsiText.h"
#include "ui/common/IconLibrary.h"
#include "ui/common/UserPrompts.h"

namespace tally {

QString memoryText(std::uint64_t bytes) {
    const auto megabytes = static_cast<qulonglong>(bytes / (1024u * 1024u));
    return QLocale(QLocale::English).toString(megabytes) + QStringLiteral(" MB");
}

AboutBox::AboutBox(const MachineFacts& facts, std::function<MemoryFigures()> memory, QWidget* parent)
    : QDialog(parent), m_memory(std::move(memory)) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About %1").arg(applicationTitle()));
    auto* image = new QLabel(this);
    image->setPixmap(IconLibrary::icon(QStringLiteral("app")).pixmap(64, 64));
    auto* title = new QLabel(QStringLiteral("<b style='font-size:14pt'>%1</b><br>Version %2")
                                 .arg(applicationTitle(), QApplication::applicationVersion().isEmpty()
                                                              ? QStringLiteral("6.0.0")
                                                              : QApplication::applicationVersion()),
                             this);
    title->setObjectName(QStringLiteral("lblTitle"));
    auto* blurb = new QLabel(tr("Finds the dead and doubtful code of Visual Basic 6 projects."), this);

    auto* form = new QFormLayout;
    auto line = [this, form](const QString& label, const QString& value, const char* name) {
        auto* shown = new QLabel(value, this);
        shown->setObjectName(QString::fromLatin1(name));
        shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(label, shown);
        return shown;
    };
    line(tr("This product is licensed to:"), fromLocalPath(facts.owner), "lblOwner");
    line(QString(), fromLocalPath(facts.organisation), "lblOrganisation");
    line(tr("Processor:"), fromLocalPath(facts.processor), "lblProcessor");
    m_total = line(tr("Total physical memory:"), QString(), "lblTotalMemory");
    m_free = line(tr("Available physical memory:"), QString(), "lblFreeMemory");

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* head = new QHBoxLayout;
    head->addWidget(image, 0, Qt::AlignTop);
    auto* words = new QVBoxLayout;
    words->addWidget(title);
    words->addWidget(blurb);
    head->addLayout(words, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addSpacing(8);
    layout->addLayout(form);
    layout->addWidget(buttons);

    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &AboutBox::refresh);
    m_timer->start();
    refresh();
}

void AboutBox::refresh() {
    const MemoryFigures figures = m_memory ? m_memory() : MemoryFigures{};
    m_total->setText(memoryText(figures.totalBytes));
    m_free->setText(memoryText(figures.freeBytes));
}

}  // namespace tally
