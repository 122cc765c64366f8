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
class PathPanel;
class ReceiverPanel;

// The main window: eight pages of calculators and the About button.
class TZandrevio : public QWidget {
    Q_OBJECT

public:
    explicit TZandrevio(QWidget* parent = nullptr);
    ~TZandrevio() override;

    void FormCreate();
    void BitBtn5Click();

    // The about box, created hidden after the window.
    void SetAboutBox(TAboutBox* aboutBox) { m_aboutBox = aboutBox; }
    // Builds every page's panels, as showing each page would (for pictures
    // of every page).
    void BuildAllPages();

private:
    // Builds a page's panels, once; showing the page builds them (the first
    // page is built with the window).
    void BuildPage(QWidget* page);

    const std::unique_ptr<Ui::TZandrevio> m_ui;
    ChannelPlanPanel* m_channelPlan = nullptr;
    PropagationPanel* m_propagation = nullptr;
    TrafficPanel* m_traffic = nullptr;
    CablePanel* m_cable = nullptr;
    IsolationPanel* m_isolation = nullptr;
    DowntiltPanel* m_downtilt = nullptr;
    FieldStrengthPanel* m_fieldStrength = nullptr;
    UnitConversionPanel* m_unitConversion = nullptr;
    CellRangePanel* m_cellRange = nullptr;
    BandPlanPanel* m_bandPlan = nullptr;
    PathPanel* m_path = nullptr;
    ReceiverPanel* m_receiver = nullptr;
    TAboutBox* m_aboutBox = nullptr;
    std::unique_ptr<TAboutBox> m_ownAboutBox; // made the first time About is pressed, where none was given
};

} // namespace zandrevio
