#pragma once
// The About box: the product and its version, who the machine is registered to, its processor,
// and its physical memory, total and free, refreshed once a second while the box is open.

#include <QDialog>
#include <functional>

#include "platform/desktop/MachineFacts.h"

class QLabel;
class QTimer;

namespace tally {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(const MachineFacts& facts, std::function<MemoryFigures()> memory, QWidget* parent = nullptr);

    QLabel* totalMemoryLabel() const { return m_total; }
    QLabel* freeMemoryLabel() const { return m_free; }
    QTimer* refreshTimer() const { return m_timer; }

private:
    void refresh();

    std::function<MemoryFigures()> m_memory;
    QLabel* m_total;
    QLabel* m_free;
    QTimer* m_timer;
};

// "23,437 MB" for a number of bytes.
QString memoryText(std::uint64_t bytes);

}  // namespace tally
