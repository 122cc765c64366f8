#pragma once

#include "receiver/ReceiverPlots.h"
#include "receiver/noise.h"
#include "receiver/radiated_power.h"
#include "widgets/FieldTable.h"

#include <QWidget>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

namespace zandrevio {

class EntryField;
class PlotImage;
class RadioGroup;
class ResultLabel;
class SpinField;
class StageTable;

// The Receiver page: the noise in a bandwidth and the sensitivity it
// allows; a cascade of stages typed in a table, worked out by Friis with
// each stage's share of the noise drawn as bars; what a transmitter
// radiates; and the intermodulation products of a site's carriers that
// land in its receive bands, listed and drawn on a frequency axis.
class ReceiverPanel : public QWidget {
    Q_OBJECT

public:
    explicit ReceiverPanel(QWidget* parent = nullptr);
    ~ReceiverPanel() override;

    void NoiseClick();
    void CascadeClick();
    void EirpClick();
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
    // A field named and started as its calculation describes it, its caption
    // in the grid's column `column` of `row` and the field beside it.
    template <typename Field>
    EntryField* AddField(QGridLayout& grid, int row, int column, const CalculationSpec<Field>& spec, Field field,
                         const char* name, bool signedValue);
    // A result's caption, value and unit in a row of the grid.
    ResultLabel* AddResult(QGridLayout& grid, int row, int column, const ResultSpec& spec, const char* name,
                           const QString& caption = {});
    QPushButton* AddButton(QGridLayout& grid, int row, int column, const QString& text, const QString& spoken,
                           const char* name, bool calculate);

    FieldTable<NoiseField> m_noise;
    FieldTable<RadiatedField> m_radiated;

    EntryField* m_bandwidth = nullptr;
    EntryField* m_snr = nullptr;
    ResultLabel* m_density = nullptr;
    ResultLabel* m_thermal = nullptr;
    ResultLabel* m_thermalWatts = nullptr;
    ResultLabel* m_floor = nullptr;
    ResultLabel* m_sensitivity = nullptr;
    ResultLabel* m_factor = nullptr;
    ResultLabel* m_temperature = nullptr;

    StageTable* m_stages = nullptr;
    std::vector<ResultLabel*> m_chain; // gain, NF, Te, IIP3, OIP3, IP1dB, OP1dB, floor, sensitivity, SFDR
    PlotImage* m_shareImage = nullptr;

    std::vector<ResultLabel*> m_radiatedResults;

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
