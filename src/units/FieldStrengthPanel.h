#pragma once

#include "units/field_strength.h"
#include "widgets/FieldTable.h"

#include <QWidget>

#include <memory>

namespace Ui {
class FieldStrengthPanel;
}

namespace zandrevio {

// The field-strength and power converter of the Units page.
class FieldStrengthPanel : public QWidget {
    Q_OBJECT

public:
    explicit FieldStrengthPanel(QWidget* parent = nullptr);
    ~FieldStrengthPanel() override;

    // The output picker starts at "dBm".
    void StartPickers();

    // The level in the unit wanted.
    void BitBtn4Click();
    // Turns the value's sign.
    void Button1Click();
    // Makes the frequency positive.
    void SpinEdit2Exit();

private:
    const std::unique_ptr<Ui::FieldStrengthPanel> m_ui;
    FieldTable<FieldStrengthField> m_fields;
};

} // namespace zandrevio
