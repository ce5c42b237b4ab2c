#pragma once
// The page of a main-window tab whose part of the program is not built yet: one short line saying
// what the tab will hold, in place of a blank page.

#include <QWidget>

class QLabel;

namespace tally {

class ComingLaterPage : public QWidget {
    Q_OBJECT
public:
    ComingLaterPage(const QString& text, QWidget* parent = nullptr);

    QString text() const;

private:
    QLabel* m_label;
};

}  // namespace tally
