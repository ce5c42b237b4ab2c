#pragma once
// The thin strip that fills from left to right while a colouring or tidy pass runs, with the busy
// pointer shown meanwhile. It lies over the top edge of the code and is hidden between passes.

#include <QElapsedTimer>
#include <QWidget>

#include "core/codeview/ColouringProgress.h"

namespace tally {

class ProgressStrip : public QWidget, public ColouringProgress {
    Q_OBJECT
public:
    explicit ProgressStrip(QWidget* parent = nullptr);

    void begin() override;
    void step(std::size_t total, std::size_t current) override;
    void end() override;

    // The painted width in pixels (0 when no pass runs).
    // How many passes have run.
    int passes() const { return m_passes; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_filled = 0;
    int m_passes = 0;
    QElapsedTimer m_sincePaint;
};

}  // namespace tally
