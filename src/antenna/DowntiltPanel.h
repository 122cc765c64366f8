#pragma once

#include "antenna/DowntiltPlot.h"
#include "antenna/downtilt.h"
#include "widgets/FieldTable.h"

#include <QWidget>

#include <memory>
#include <optional>

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

    // The gain drop over distance, plotted with its gain labels.
    void BitBtn20Click();

private:
    // The picture copied and saved: the plot with its scale, as the labels show it.
    void SetPicture(const std::optional<DowntiltCurvePoints>& points);

    const std::unique_ptr<Ui::DowntiltPanel> m_ui;
    FieldTable<DowntiltField> m_fields;
};

} // namespace zandrevio
