#pragma once

#include "units/unit_tables.h"
#include "widgets/FieldTable.h"

#include <QWidget>

#include <memory>

namespace Ui {
class UnitConversionPanel;
}

namespace zandrevio {

// The traffic, length and weight converters of the Units page.
class UnitConversionPanel : public QWidget {
    Q_OBJECT

public:
    explicit UnitConversionPanel(QWidget* parent = nullptr);
    ~UnitConversionPanel() override;

    // The pickers start at Erl to CCS, inch to mm and lb to g.
    void StartPickers();

    // The traffic, length and weight in the unit wanted.
    void BitBtn6Click();
    void BitBtn7Click();
    void BitBtn8Click();

private:
    const std::unique_ptr<Ui::UnitConversionPanel> m_ui;
    FieldTable<UnitField> m_traffic;
    FieldTable<UnitField> m_length;
    FieldTable<UnitField> m_weight;
};

} // namespace zandrevio
