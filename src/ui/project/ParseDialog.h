#pragma once
// The modal "Parse Project Files" dialog (frmParse): opens the project and runs the passes on a
// worker thread, shows their progress, and lets the user cancel. The dialog appears once the project
// file has been read (a project that cannot be read shows no dialog) and returns when the passes
// have ended; the window behind it keeps repainting meanwhile.

#include <QDialog>
#include <QThread>
#include <memory>

#include "ui/project/ParseWorker.h"
#include "ui/project/QueuedParseProgress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace tally {

class UserPrompts;

class ParseDialog : public QDialog {
    Q_OBJECT
public:
    ParseDialog(ParseRequest request, UserPrompts& prompts, QWidget* parent = nullptr);
    ~ParseDialog() override;

    // Opens the project, shows the dialog modally while the passes run and returns the outcome once
    // they have ended (at once when the project file cannot be read).
    ScanOutcome runModal();
    // The Cancel button: asks whether to cancel and sets the cancel flag on Yes.
    void requestCancel();

    QPushButton* cancelButton() const { return m_cmdOK; }
    QString fileLabel() const;
    QString lineLabel() const;

signals:
    // The project file has been read: the model may be read until the slot returns, the passes
    // wait meanwhile.
    void projectRead();
    // The passes have begun on the worker thread.
    void passesStarted();
    // The project was read or the scan has ended, whichever comes first.
    void openingSettled();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape asks like the Cancel button; the dialog never closes before the passes end.
    void reject() override;

private:
    void startWorker();
    void workerReadProject();
    void workerEnded();
    void setProgressRange(qint64 minimum, qint64 maximum);
    void setProgressValue(qint64 value);

    ParseRequest m_request;
    UserPrompts& m_prompts;
    CancelFlag m_cancel{false};
    QueuedParseProgress m_progress;
    QThread m_thread;
    std::unique_ptr<ParseWorker> m_worker;

    QLabel* m_lblFile;
    QLabel* m_lblLine;
    QProgressBar* m_pgbProgress;
    QPushButton* m_cmdOK;

    bool m_read = false;
    bool m_asking = false;
    bool m_ended = false;
    ScanOutcome m_outcome;
    qint64 m_minimum = 0;
    int m_shift = 0;  // ranges beyond the progress bar's int are scaled down by 2^shift
};

}  // namespace tally
