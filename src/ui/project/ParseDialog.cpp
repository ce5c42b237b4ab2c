#include "ui/project/ParseDialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QEventLoop>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "ui/common/AnsiText.h"
#include "ui/common/ProjectText.h"
#include "ui/common/UserPrompts.h"

namespace tally {

ParseDialog::ParseDialog(ParseRequest request, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_request(std::move(request)), m_prompts(prompts) {
    setObjectName(QStringLiteral("frmParse"));
    setWindowTitle(tr("Parse Project Files"));
    setModal(true);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    m_lblFile = new QLabel(this);
    m_lblFile->setObjectName(QStringLiteral("lblFile"));
    m_lblLine = new QLabel(this);
    m_lblLine->setObjectName(QStringLiteral("lblLine"));
    for (QLabel* label : {m_lblFile, m_lblLine}) {
        label->setTextFormat(Qt::PlainText);
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        label->setMinimumHeight(label->fontMetrics().height());
    }
    m_pgbProgress = new QProgressBar(this);
    m_pgbProgress->setObjectName(QStringLiteral("pgbProgress"));
    m_pgbProgress->setTextVisible(false);
    m_pgbProgress->setRange(0, 1);
    m_pgbProgress->setValue(0);
    m_cmdOK = new QPushButton(tr("Cancel"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->setSpacing(8);
    layout->addWidget(m_lblFile);
    layout->addWidget(m_lblLine);
    layout->addSpacing(2);
    layout->addWidget(m_pgbProgress);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    setFixedWidth(460);

    connect(m_cmdOK, &QPushButton::clicked, this, &ParseDialog::requestCancel);
    connect(&m_progress, &QueuedParseProgress::fileLabelChanged, this,
            [this](const QByteArray& text) { m_lblFile->setText(fromProject(text.toStdString())); });
    connect(&m_progress, &QueuedParseProgress::lineLabelChanged, this,
            [this](const QByteArray& text) { m_lblLine->setText(fromProject(text.toStdString())); });
    connect(&m_progress, &QueuedParseProgress::rangeChanged, this, &ParseDialog::setProgressRange);
    connect(&m_progress, &QueuedParseProgress::valueChanged, this, &ParseDialog::setProgressValue);
}

ParseDialog::~ParseDialog() {
    // Only reached with a running thread when the dialog is destroyed without having been run to
    // its end; the passes are told to stop and awaited, as they write into the model.
    m_cancel.store(true);
    m_thread.quit();
    m_thread.wait();
}

ScanOutcome ParseDialog::runModal() {
    startWorker();
    // Reading the project file takes a moment; the window behind keeps painting meanwhile.
    if (!m_read && !m_ended) {
        QEventLoop opening;
        connect(this, &ParseDialog::openingSettled, &opening, &QEventLoop::quit);
        opening.exec();
    }
    if (!m_ended) exec();
    return m_outcome;
}

void ParseDialog::startWorker() {
    m_worker = std::make_unique<ParseWorker>(m_request, m_progress, m_cancel);
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::started, m_worker.get(), &ParseWorker::run);
    connect(m_worker.get(), &ParseWorker::projectRead, this, &ParseDialog::workerReadProject,
            Qt::BlockingQueuedConnection);
    connect(m_worker.get(), &ParseWorker::finished, this, &ParseDialog::workerEnded, Qt::QueuedConnection);
    m_thread.start();
}

void ParseDialog::workerReadProject() {
    m_read = true;
    emit projectRead();
    emit passesStarted();
    emit openingSettled();
}

void ParseDialog::workerEnded() {
    m_thread.quit();
    m_thread.wait();
    m_outcome = m_worker->outcome();
    m_worker.reset();
    m_ended = true;
    emit openingSettled();
    // While the cancel question is open the dialog stays; it closes once the question is answered.
    if (!m_asking) accept();
}

void ParseDialog::requestCancel() {
    if (m_asking || m_ended) return;
    m_asking = true;
    bool yes = m_prompts.askYesNo(tr("Do you want to cancel parsing the project files?"),
                                  QCoreApplication::applicationDirPath());
    m_asking = false;
    if (yes) m_cancel.store(true);
    if (m_ended) accept();
}

void ParseDialog::closeEvent(QCloseEvent* event) {
    if (m_ended) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    requestCancel();
}

void ParseDialog::reject() {
    if (m_ended) {
        QDialog::reject();
        return;
    }
    requestCancel();
}

void ParseDialog::setProgressRange(qint64 minimum, qint64 maximum) {
    m_shift = 0;
    while (((maximum - minimum) >> m_shift) > INT_MAX) ++m_shift;
    m_minimum = minimum;
    m_pgbProgress->setRange(0, static_cast<int>(std::max<qint64>(1, (maximum - minimum) >> m_shift)));
    m_pgbProgress->setValue(0);
}

void ParseDialog::setProgressValue(qint64 value) {
    qint64 scaled = std::max<qint64>(0, (value - m_minimum) >> m_shift);
    m_pgbProgress->setValue(static_cast<int>(std::min<qint64>(scaled, m_pgbProgress->maximum())));
}

QString ParseDialog::fileLabel() const {
    return m_lblFile->text();
}

QString ParseDialog::lineLabel() const {
    return m_lblLine->text();
}

}  // namespace tally
