#pragma once

#include "propagation/cell_range.h"
#include "widgets/FieldTable.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace Ui {
class CellRangePanel;
}

namespace zandrevio {

// The upper part of the Planning page: a link budget's maximum allowed path
// loss, the cell radius a model reaches it at and the received level over
// distance.
class CellRangePanel : public QWidget {
    Q_OBJECT

public:
    explicit CellRangePanel(QWidget* parent = nullptr);
    ~CellRangePanel() override;

    // The maximum allowed path loss, the cell radius and area, the model's
    // warnings and the plot.
    void BitBtn21Click();
    // Offers the areas the chosen model has, keeping the one shown if it can.
    void RadioGroup5Click();

private:
    PathLossModel Model() const;
    // The area shown, as its place among every planning area.
    long double AreaIndex() const;

    const std::unique_ptr<Ui::CellRangePanel> m_ui;
    FieldTable<CellRangeField> m_fields;
    std::vector<PlanningArea> m_areas;
    // The field last typed into: a budget the model cannot reach is refused there.
    QWidget* m_lastEdited = nullptr;
};

} // namespace zandrevio
