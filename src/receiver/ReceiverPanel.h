#pragma once

#include "receiver/ReceiverPlots.h"

#include <QWidget>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

namespace zandrevio {

class CalculationForm;
class EntryField;
class PlotImage;
class RadioGroup;
class ResultLabel;
class SpinField;
class StageTable;

// The Receiver page: the noise in a bandwidth and the sensitivity it
// allows; a cascade of stages typed in a table, worked out by Friis with
// each stage's share of the noise drawn as bars; what a transmitter
// radiates; the intermodulation products of a site's carriers that land in
// its receive bands, listed and drawn on a frequency axis; and Eb/N0, SNR and
// C/N0 from one another, with Shannon's capacity.
class ReceiverPanel : public QWidget {
    Q_OBJECT

public:
    explicit ReceiverPanel(QWidget* parent = nullptr);
    ~ReceiverPanel() override;

    void CascadeClick();
    void IntermodClick();
    void AddCarrierClick();
    void RemoveCarrierClick();
    void AddBandClick();
    void RemoveBandClick();

private:
    QGroupBox* BuildNoise();
    QGroupBox* BuildCascade();
    QGroupBox* BuildEirp();
    QGroupBox* BuildIntermod();
    // A result's caption, value and unit in a row of the grid.
    ResultLabel* AddResult(QGridLayout& grid, int row, int column, const ResultSpec& spec, const char* name,
                           const QString& caption = {});
    QPushButton* AddButton(QGridLayout& grid, int row, int column, const QString& text, const QString& spoken,
                           const char* name, bool calculate);

    CalculationForm* m_noise = nullptr; // its bandwidth and SNR are the cascade's too

    StageTable* m_stages = nullptr;
    std::vector<ResultLabel*> m_chain; // gain, NF, Te, IIP3, OIP3, IP1dB, OP1dB, floor, sensitivity, SFDR
    PlotImage* m_shareImage = nullptr;

    EntryField* m_carrier = nullptr;
    QListWidget* m_carriers = nullptr;
    EntryField* m_bandLow = nullptr;
    EntryField* m_bandHigh = nullptr;
    QListWidget* m_bands = nullptr;
    SpinField* m_highestOrder = nullptr;
    QCheckBox* m_oddOnly = nullptr;
    ResultLabel* m_productCount = nullptr;
    std::vector<ResultLabel*> m_orderCounts;
    std::vector<QLabel*> m_orderCaptions;
    QTableView* m_products = nullptr;
    PlotImage* m_intermodImage = nullptr;
};

} // namespace zandrevio
