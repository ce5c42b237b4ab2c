#pragma once
// "Edit Value" (frmRegEdit): one string or DWORD value edited in place, a binary value shown in
// hexadecimal or ASCII. The conversions, the key filter and what OK writes are ValueEditor's.

#include <QDialog>

#include "core/registry/ValueEditor.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QGroupBox;

namespace tally {

class UserPrompts;

class EditValueDialog : public QDialog {
    Q_OBJECT
public:
    EditValueDialog(ValueEditor editor, RegistryStore& store, UserPrompts& prompts, QWidget* parent = nullptr);

    // The row data to show once OK has written the value (empty when nothing was written).
    const QString& writtenRowData() const { return m_rowData; }

    QPlainTextEdit* dataField() const { return m_data; }
    QLabel* valueNameLabel() const { return m_valueName; }
    QLabel* keyLabel() const { return m_key; }
    QGroupBox* viewFrame() const { return m_frame; }
    QRadioButton* viewOption(int index) const { return m_views[index]; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void viewChosen(ValueView view);
    void okClicked();

    ValueEditor m_editor;
    RegistryStore& m_store;
    UserPrompts& m_prompts;
    QLabel* m_valueName;
    QPlainTextEdit* m_data;
    QGroupBox* m_frame;
    QRadioButton* m_views[2];
    QLabel* m_key;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QString m_rowData;
    bool m_loading = true;
};

}  // namespace tally
