#pragma once
// A list of panel rows (properties, dependencies, parameters): bold header rows, icons by image key
// and sub-items in the further columns.

#include <QStringList>
#include <QTreeWidget>
#include <vector>

#include "core/review/PropertyPanels.h"

namespace tally {

class PanelRowsView : public QTreeWidget {
    Q_OBJECT
public:
    PanelRowsView(const QStringList& headers, QWidget* parent = nullptr);

    // Shows `rows` in place of what was shown.
    void resetRows(std::vector<PanelRow> rows);
    const std::vector<PanelRow>& rows() const { return m_rows; }

signals:
    // A row was double-clicked (or Enter was pressed on it).
    void rowActivated(int row);

private:
    std::vector<PanelRow> m_rows;
};

}  // namespace tally
