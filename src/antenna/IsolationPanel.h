#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class IsolationPanel;
}

namespace zandrevio {

// The upper group of the Antenna page: isolation between two antennas.
class IsolationPanel : public QWidget {
    Q_OBJECT

public:
    explicit IsolationPanel(QWidget* parent = nullptr);
    ~IsolationPanel() override;

    void BitBtn13Click();
    void RadioGroup3Click();

private:
    const std::unique_ptr<Ui::IsolationPanel> m_ui;
};

} // namespace zandrevio
