#pragma once

#include "propagation/cell_range.h"
#include "widgets/FieldTable.h"

#include <QWidget>

#include <memory>

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

private:
    const std::unique_ptr<Ui::CellRangePanel> m_ui;
    FieldTable<CellRangeField> m_fields;
};

} // namespace zandrevio
