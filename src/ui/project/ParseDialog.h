#pragma once
// The modal "Parse Project Files" dialog (frmParse): runs the passes on a worker thread on its first
// activation, shows their progress, and lets the user cancel. Returns when the passes have ended;
// the window behind it keeps repainting meanwhile.

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

    // Shows the dialog modally and returns the outcome once the passes have ended.
    ParseOutcome runModal();
    // The Cancel button: asks whether to cancel and sets the cancel flag on Yes.
    void requestCancel();

    QPushButton* cancelButton() const { return m_cmdOK; }
    QString fileLabel() const;
    QString lineLabel() const;

signals:
    // The worker thread has started running the passes.
    void passesStarted();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape asks like the Cancel button; the dialog never closes before the passes end.
    void reject() override;

private:
    void startPasses();
    void passesEnded(bool cancelled);
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

    bool m_activated = false;
    bool m_running = false;
    bool m_asking = false;
    bool m_ended = false;
    bool m_cancelled = false;
    qint64 m_minimum = 0;
    int m_shift = 0;  // ranges beyond the progress bar's int are scaled down by 2^shift
};

}  // namespace tally
