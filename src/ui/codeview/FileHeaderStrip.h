#pragma once
// The strip above the Routines view and the code view: the selected file's name with its kind
// icon, or a hint such as "Open a project to begin.".

#include <QString>
#include <QWidget>

class QLabel;

namespace tally {

class FileHeaderStrip : public QWidget {
    Q_OBJECT
public:
    explicit FileHeaderStrip(QWidget* parent = nullptr);

    // Shows a file: its name in bold, its kind icon, and the folder it lives in.
    void showFile(const QString& path);
    // Adds a note after the file's folder (how the file is read, say); showFile clears it.
    void showNote(const QString& note);
    // Shows a plain hint without an icon.
    void showText(const QString& text);
    void clear();

    // The text shown (the file name, or the hint).
    QString text() const;

private:
    QLabel* m_icon;
    QLabel* m_text;
    QLabel* m_detail;
    QLabel* m_note;
};

}  // namespace tally
