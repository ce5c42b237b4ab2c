#pragma once
// The rows of the Spell Check list (lvwOutPut) as a Qt item model: "File", "Control/Routine",
// "Variable/Property", "Value/Caption" and "Corrected Text", with the file icon on each file's first row.

#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "core/model/Records.h"

namespace tally {

class SpellListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows `rows` (null: none) in place of what was shown. The rows are read where they are, not
    // copied, as a big project has hundreds of thousands: whoever changes or drops them resets the
    // model first.
    void resetRows(const std::vector<SpellRow>* rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const std::vector<SpellRow>* m_rows = nullptr;
    std::vector<std::string> m_fileOfRow;  // the file each row belongs to
};

}  // namespace tally
