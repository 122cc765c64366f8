#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TZandrevio;
}

namespace zandrevio {

class CablePanel;
class DowntiltPanel;
class IsolationPanel;
class ChannelPlanPanel;
class PropagationPanel;
class TrafficPanel;
class TAboutBox;
class FieldStrengthPanel;
class UnitConversionPanel;
class CellRangePanel;
class BandPlanPanel;

// The main window: five pages of calculators and the About button.
class TZandrevio : public QWidget {
    Q_OBJECT

public:
    explicit TZandrevio(QWidget* parent = nullptr);
    ~TZandrevio() override;

    void FormCreate();
    void BitBtn5Click();

    // The about box, created hidden after the window.
    void SetAboutBox(TAboutBox* aboutBox) { m_aboutBox = aboutBox; }
    // Builds the Planning page's panels, once; showing the page builds them.
    void BuildPlanning();

private:
    const std::unique_ptr<Ui::TZandrevio> m_ui;
    ChannelPlanPanel* m_channelPlan;
    PropagationPanel* m_propagation;
    TrafficPanel* m_traffic;
    CablePanel* m_cable;
    IsolationPanel* m_isolation;
    DowntiltPanel* m_downtilt;
    FieldStrengthPanel* m_fieldStrength;
    UnitConversionPanel* m_unitConversion;
    CellRangePanel* m_cellRange = nullptr;
    BandPlanPanel* m_bandPlan = nullptr;
    TAboutBox* m_aboutBox = nullptr;
};

} // namespace zandrevio
