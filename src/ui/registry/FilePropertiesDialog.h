#pragma once
// The Properties of an object's server file where the shell has no Properties sheet to show: its
// path, size, dates and what its version resource says.

#include <QDialog>

#include "core/project/VersionInfo.h"

class QFormLayout;

namespace tally {

class FilePropertiesDialog : public QDialog {
    Q_OBJECT
public:
    FilePropertiesDialog(const QString& path, const VersionInfoSource& versions, QWidget* parent = nullptr);

    // The label of each shown line and its value, in order (for tests and for copying).
    QStringList lines() const;

private:
    void addLine(const QString& label, const QString& value);

    QFormLayout* m_form;
};

}  // namespace tally
