#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class DowntiltPanel;
}

namespace zandrevio {

// The lower part of the Antenna page: the gain drop of a down-tilted
// antenna plotted over ground distance.
class DowntiltPanel : public QWidget {
    Q_OBJECT

public:
    explicit DowntiltPanel(QWidget* parent = nullptr);
    ~DowntiltPanel() override;

    void BitBtn20Click();

private:
    const std::unique_ptr<Ui::DowntiltPanel> m_ui;
};

} // namespace zandrevio
