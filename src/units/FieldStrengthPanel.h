#pragma once

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

    void BitBtn4Click();
    void Button1Click();
    void SpinEdit2Exit();

private:
    const std::unique_ptr<Ui::FieldStrengthPanel> m_ui;
};

} // namespace zandrevio
