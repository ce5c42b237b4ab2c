#pragma once
// The report chooser (frmReport, "Project Reports"): three options, "Spelling", "Code" and
// "Statistics", one under the other on a ruled background, and the buttons "Show" and "Cancel".
// Show hands the chosen report to whoever builds it and closes the chooser once that is done.

#include <QDialog>
#include <array>

class QPushButton;
class QRadioButton;

namespace tally {

enum class ReportChoice { Spelling = 0, Code = 1, Statistics = 2 };

class ReportChooser : public QDialog {
    Q_OBJECT
public:
    explicit ReportChooser(QWidget* parent = nullptr);

    ReportChoice selected() const;
    void select(ReportChoice choice);
    QRadioButton* option(ReportChoice choice) const { return m_options[static_cast<std::size_t>(choice)]; }
    QPushButton* showButton() const { return m_show; }
    QPushButton* cancelButton() const { return m_cancel; }

signals:
    // Show was clicked: the report is to be built now, while the chooser is still open.
    void reportChosen(tally::ReportChoice choice);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showChosen();

    std::array<QRadioButton*, 3> m_options{};
    QPushButton* m_show;
    QPushButton* m_cancel;
};

}  // namespace tally
