#include "receiver/ReceiverPanel.h"

#include "numeric/app_error.h"
#include "numeric/format.h"
#include "numeric/parse_real.h"
#include "receiver/ProductTableModel.h"
#include "receiver/StageTable.h"
#include "receiver/cascade.h"
#include "receiver/noise.h"
#include "receiver/intermodulation.h"
#include "receiver/receiver_results.h"
#include "registry/registry.h"
#include "widgets/CalculateButton.h"
#include "widgets/CalculationForm.h"
#include "widgets/EntryField.h"
#include "widgets/Feedback.h"
#include "widgets/FieldIo.h"
#include "widgets/FieldTable.h"
#include "widgets/HandlerGuard.h"
#include "widgets/ItemViewFocus.h"
#include "widgets/PlotImage.h"
#include "widgets/RadioGroup.h"
#include "widgets/ResultLabel.h"
#include "widgets/SpinField.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace zandrevio {

namespace {
QString Q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The room of a result: the longest text ("-1.2346E-4951") fits once the
// label has made its font smaller.
constexpr QSize kResultSize(88, 19);
constexpr int kFieldWidth = 64;
constexpr int kPlotHeight = 150;

QString Name(const char* name)
{
    return QString::fromLatin1(name);
}

// A caption whose buddy is the control it names.
QLabel* Caption(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

// A list of typed values (carriers, bands), moved through with the arrows.
QListWidget* ValueList(const char* name, const QString& spoken)
{
    auto* list = new QListWidget;
    list->setObjectName(Name(name));
    list->setAccessibleName(spoken);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setMinimumHeight(72);
    list->setMaximumHeight(96);
    CurrentOnlyWhileFocused(*list);
    return list;
}

// A carrier's or a band edge's text as the list shows and reads it back.
QString ValueText(long double value)
{
    return ToQString(FormatAs(ResultFormat::Full, value));
}

// A list's item keeps the texts typed, read again as typed (the shown text
// has 15 digits at most); `Qt::UserRole + i` holds the i-th.
constexpr int kTyped = Qt::UserRole;

QListWidgetItem* TypedItem(const QString& shown, const QStringList& typed)
{
    auto* item = new QListWidgetItem(shown);
    for (int i = 0; i < typed.size(); ++i) {
        item->setData(kTyped + i, typed[i]);
    }
    return item;
}

long double TypedValue(const QListWidgetItem& item, int i)
{
    return ParseReal(item.data(kTyped + i).toString().toStdString());
}

// The stages' refusal box: a text that is no number as a field's, a missing
// gain as a calculation's.
void RefuseCell(StageTable& table, const StageTable::CellRefusal& refusal)
{
    if (refusal.conversion) {
        ShowApplicationError(ToQString(ApplicationErrorBoxText(refusal.message)));
    } else {
        Beep();
        ShowError(ToQString(refusal.message));
    }
    table.FocusCell(refusal.row, refusal.column);
}
} // namespace

ReceiverPanel::ReceiverPanel(QWidget* parent)
    : QWidget(parent)
{
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(6, 4, 6, 6);
    page->addWidget(BuildNoise());
    page->addWidget(BuildCascade());
    page->addWidget(BuildEirp());
    page->addWidget(BuildIntermod());
    page->addWidget(new CalculationForm(RegisteredCalculation("ebno"), tr("Eb/N0, SNR and C/N0"),
                                        tr("Calculate Eb/N0"), QStringLiteral("Signal")));
    page->addWidget(new CalculationForm(RegisteredCalculation("capacity"), tr("Shannon capacity"),
                                        tr("Calculate capacity"), QStringLiteral("Capacity")));
    page->addStretch(1);
}

ReceiverPanel::~ReceiverPanel() = default;

ResultLabel* ReceiverPanel::AddResult(QGridLayout& grid, int row, int column, const ResultSpec& spec, const char* name,
                                      const QString& caption)
{
    auto* result = new ResultLabel;
    result->setObjectName(Name(name));
    result->setFixedSize(kResultSize);
    auto* captionLabel = new QLabel;
    result->Describe(caption.isEmpty() ? Q(spec.caption) : caption, Q(spec.unit), captionLabel);
    captionLabel->setText(caption.isEmpty() ? Q(spec.caption) : caption);
    grid.addWidget(captionLabel, row, column);
    grid.addWidget(result, row, column + 1);
    grid.addWidget(new QLabel(Q(spec.unit)), row, column + 2);
    return result;
}

QPushButton* ReceiverPanel::AddButton(QGridLayout& grid, int row, int column, const QString& text,
                                      const QString& spoken, const char* name, bool calculate)
{
    QPushButton* button = calculate ? new CalculateButton : new QPushButton;
    button->setObjectName(Name(name));
    button->setText(text);
    button->setAccessibleName(spoken);
    grid.addWidget(button, row, column);
    return button;
}

QGroupBox* ReceiverPanel::BuildNoise()
{
    m_noise = new CalculationForm(RegisteredCalculation("noise"), tr("Noise and sensitivity"), tr("Calculate noise"));
    m_noise->setObjectName(QStringLiteral("NoiseGroup"));
    return m_noise;
}

QGroupBox* ReceiverPanel::BuildCascade()
{
    auto* group = new QGroupBox(tr("Cascade"));
    group->setObjectName(QStringLiteral("CascadeGroup"));
    auto* grid = new QGridLayout(group);
    auto* note = new QLabel(tr("Stages in order from the antenna; the bandwidth and the SNR are those above."));
    note->setWordWrap(true);
    grid->addWidget(note, 0, 0, 1, 7);
    m_stages = new StageTable;
    m_stages->setObjectName(QStringLiteral("StageTable"));
    m_stages->setAccessibleName(tr("Stages"));
    m_stages->setMinimumHeight(140);
    // A low-noise amplifier, its feeder and a mixer.
    const QStringList start[] = {
        {"LNA", "20", "1", "30", "20"}, {"Cable", "-3", "", "", ""}, {"Mixer", "-7", "7", "15", "5"}};
    m_stages->setRowCount(3);
    for (int row = 0; row < 3; ++row) {
        m_stages->SetStage(row, start[row]);
    }
    grid->addWidget(m_stages, 1, 0, 1, 7);
    auto* buttons = new QHBoxLayout;
    const struct {
        const char* text;
        const char* spoken;
        const char* name;
    } kButtons[] = {{"Add stage", "Add a stage after the current one", "AddStageButton"},
                    {"Remove stage", "Remove the current stage", "RemoveStageButton"},
                    {"Move up", "Move the current stage up", "MoveUpButton"},
                    {"Move down", "Move the current stage down", "MoveDownButton"}};
    std::vector<QPushButton*> made;
    for (const auto& b : kButtons) {
        auto* button = new QPushButton(tr(b.text));
        button->setObjectName(Name(b.name));
        button->setAccessibleName(tr(b.spoken));
        buttons->addWidget(button);
        made.push_back(button);
    }
    auto* calculate = new CalculateButton;
    calculate->setObjectName(QStringLiteral("CascadeButton"));
    calculate->setText(tr("Calculate"));
    calculate->setAccessibleName(tr("Calculate cascade"));
    buttons->addWidget(calculate);
    buttons->addStretch(1);
    grid->addLayout(buttons, 2, 0, 1, 7);
    const ResultSpec* specs[] = {
        &kCascadeGainResult,  &kNoiseFigureResult,  &kNoiseTemperatureResult, &kCascadeIip3Result, &kCascadeOip3Result,
        &kCascadeIp1dbResult, &kCascadeOp1dbResult, &kNoiseFloorResult,       &kSensitivityResult, &kCascadeSfdrResult};
    const char* names[] = {"CascadeGainResult",
                           "CascadeNoiseFigureResult",
                           "CascadeTemperatureResult",
                           "Iip3Result",
                           "Oip3Result",
                           "Ip1dbResult",
                           "Op1dbResult",
                           "CascadeFloorResult",
                           "CascadeSensitivityResult",
                           "SfdrResult"};
    for (int i = 0; i < 10; ++i) {
        m_chain.push_back(AddResult(*grid, 3 + i / 2, (i % 2) * 3, *specs[i], names[i]));
    }
    m_shareImage = new PlotImage;
    m_shareImage->setObjectName(QStringLiteral("NoiseShareImage"));
    m_shareImage->setAccessibleName(tr("Share of the added noise by stage"));
    m_shareImage->setFixedHeight(kPlotHeight);
    m_shareImage->setAccessibleDescription(NoiseShareDescription({}));
    grid->addWidget(m_shareImage, 8, 0, 1, 7);
    grid->setColumnStretch(6, 1);

    connect(made[0], &QPushButton::clicked, this, Guarded([this] { m_stages->AddStage(); }));
    connect(made[1], &QPushButton::clicked, this, Guarded([this] { m_stages->RemoveStage(); }));
    connect(made[2], &QPushButton::clicked, this, Guarded([this] { m_stages->MoveStage(-1); }));
    connect(made[3], &QPushButton::clicked, this, Guarded([this] { m_stages->MoveStage(1); }));
    connect(calculate, &QPushButton::clicked, this, Guarded([this] { CascadeClick(); }));
    return group;
}

QGroupBox* ReceiverPanel::BuildEirp()
{
    auto* form =
        new CalculationForm(RegisteredCalculation("eirp"), tr("Radiated power"), tr("Calculate radiated power"));
    form->setObjectName(QStringLiteral("EirpGroup"));
    return form;
}

QGroupBox* ReceiverPanel::BuildIntermod()
{
    auto* group = new QGroupBox(tr("Intermodulation"));
    group->setObjectName(QStringLiteral("IntermodGroup"));
    auto* grid = new QGridLayout(group);

    // The carriers on the left, the bands on the right: each typed above
    // its list, added and removed by the buttons beneath the field.
    const auto listButton = [](const QString& text, const QString& spoken, const char* name) {
        auto* button = new QPushButton(text);
        button->setObjectName(Name(name));
        button->setAccessibleName(spoken);
        return button;
    };
    m_carrier = new DecimalField;
    m_carrier->setObjectName(QStringLiteral("CarrierField"));
    m_carrier->setAccessibleName(tr("Carrier (MHz)"));
    m_carrier->setFixedWidth(kFieldWidth);
    auto* carriers = new QGridLayout;
    carriers->addWidget(Caption(tr("Carrier (MHz)"), m_carrier), 0, 0);
    carriers->addWidget(m_carrier, 0, 1, Qt::AlignLeft);
    QPushButton* addCarrier = listButton(tr("Add"), tr("Add the carrier"), "AddCarrierButton");
    QPushButton* removeCarrier = listButton(tr("Remove"), tr("Remove the carrier"), "RemoveCarrierButton");
    carriers->addWidget(addCarrier, 1, 0);
    carriers->addWidget(removeCarrier, 1, 1);
    m_carriers = ValueList("CarrierList", tr("Carriers (MHz)"));
    carriers->addWidget(m_carriers, 2, 0, 1, 2);

    m_bandLow = new DecimalField;
    m_bandLow->setObjectName(QStringLiteral("BandLowField"));
    m_bandLow->setAccessibleName(tr("Band from (MHz)"));
    m_bandLow->setFixedWidth(kFieldWidth);
    m_bandHigh = new DecimalField;
    m_bandHigh->setObjectName(QStringLiteral("BandHighField"));
    m_bandHigh->setAccessibleName(tr("Band to (MHz)"));
    m_bandHigh->setFixedWidth(kFieldWidth);
    auto* bands = new QGridLayout;
    auto* edges = new QHBoxLayout;
    edges->addWidget(Caption(tr("Band (MHz)"), m_bandLow));
    edges->addWidget(m_bandLow);
    edges->addWidget(Caption(tr("to"), m_bandHigh));
    edges->addWidget(m_bandHigh);
    edges->addStretch(1);
    bands->addLayout(edges, 0, 0, 1, 2);
    QPushButton* addBand = listButton(tr("Add"), tr("Add the band"), "AddBandButton");
    QPushButton* removeBand = listButton(tr("Remove"), tr("Remove the band"), "RemoveBandButton");
    bands->addWidget(addBand, 1, 0);
    bands->addWidget(removeBand, 1, 1);
    m_bands = ValueList("BandList", tr("Receive bands (MHz)"));
    bands->addWidget(m_bands, 2, 0, 1, 2);
    auto* lists = new QHBoxLayout;
    lists->addLayout(carriers, 1);
    lists->addSpacing(12);
    lists->addLayout(bands, 1);
    grid->addLayout(lists, 0, 0, 2, 7);

    m_highestOrder = new SpinField;
    m_highestOrder->setObjectName(QStringLiteral("HighestOrderField"));
    m_highestOrder->setAccessibleName(tr("Highest order"));
    m_highestOrder->setText(QString::number(kHighestIntermodOrder));
    m_highestOrder->setFixedSize(kFieldWidth, 21);
    grid->addWidget(Caption(tr("Highest order"), m_highestOrder), 2, 0);
    grid->addWidget(m_highestOrder, 2, 1);
    m_oddOnly = new QCheckBox(tr("Odd orders only"));
    m_oddOnly->setObjectName(QStringLiteral("OddOrdersBox"));
    grid->addWidget(m_oddOnly, 2, 3, 1, 2);
    QPushButton* calculate =
        AddButton(*grid, 3, 0, tr("Calculate"), tr("Calculate intermodulation"), "IntermodButton", true);

    m_productCount = AddResult(*grid, 4, 0, kProductCountResult, "ProductCountResult");
    for (int i = 0; i < kHighestIntermodOrder - kLowestIntermodOrder + 1; ++i) {
        const QString name = QStringLiteral("Order%1Result").arg(i + kLowestIntermodOrder);
        ResultLabel* count = AddResult(*grid, 5 + i / 2, (i % 2) * 3, kOrderCountResults[i], name.toLatin1().data());
        m_orderCounts.push_back(count);
    }

    m_products = new QTableView;
    m_products->setObjectName(QStringLiteral("ProductTable"));
    m_products->setAccessibleName(tr("Products in the bands"));
    m_products->setModel(new ProductTableModel(m_products));
    m_products->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_products->horizontalHeader()->setStretchLastSection(true);
    m_products->verticalHeader()->setVisible(false);
    m_products->verticalHeader()->setDefaultSectionSize(m_products->fontMetrics().height() + 6);
    m_products->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_products->setTabKeyNavigation(false);
    CurrentOnlyWhileFocused(*m_products);
    m_products->setMinimumHeight(120);
    grid->addWidget(m_products, 8, 0, 1, 7);

    m_intermodImage = new PlotImage;
    m_intermodImage->setObjectName(QStringLiteral("IntermodImage"));
    m_intermodImage->setAccessibleName(tr("Intermodulation products on the frequency axis"));
    m_intermodImage->setAccessibleDescription(IntermodDescription({}));
    m_intermodImage->setFixedHeight(kPlotHeight);
    grid->addWidget(m_intermodImage, 9, 0, 1, 7);
    grid->setColumnStretch(6, 1);

    // A site's downlink carriers and its uplink band.
    for (const char* carrier : {"935.2", "947.6", "959.8"}) {
        m_carriers->addItem(TypedItem(QString::fromLatin1(carrier), {QString::fromLatin1(carrier)}));
    }
    m_bands->addItem(TypedItem(QStringLiteral("890 - 915"), {QStringLiteral("890"), QStringLiteral("915")}));
    m_carrier->setText(QStringLiteral("950"));
    m_bandLow->setText(QStringLiteral("890"));
    m_bandHigh->setText(QStringLiteral("915"));

    connect(addCarrier, &QPushButton::clicked, this, Guarded([this] { AddCarrierClick(); }));
    connect(removeCarrier, &QPushButton::clicked, this, Guarded([this] { RemoveCarrierClick(); }));
    connect(addBand, &QPushButton::clicked, this, Guarded([this] { AddBandClick(); }));
    connect(removeBand, &QPushButton::clicked, this, Guarded([this] { RemoveBandClick(); }));
    connect(calculate, &QPushButton::clicked, this, Guarded([this] { IntermodClick(); }));
    return group;
}

void ReceiverPanel::CascadeClick()
{
    const auto typed = m_stages->Stages();
    if (const auto* refused = std::get_if<StageTable::CellRefusal>(&typed)) {
        return RefuseCell(*m_stages, *refused);
    }
    const std::vector<CascadeStage>& stages = std::get<std::vector<CascadeStage>>(typed);
    auto& bandwidthField = *static_cast<EntryField*>(m_noise->FieldOf("bandwidth"));
    const long double bandwidth = ReadReal(bandwidthField);
    const long double snr = ReadReal(*static_cast<EntryField*>(m_noise->FieldOf("snr")));
    const auto outcome = Cascade(stages, bandwidth, snr);
    if (const auto* refused = std::get_if<CascadeRefusal>(&outcome)) {
        Beep();
        if (refused->stage) {
            ShowError(ToQString(refused->message));
            return m_stages->FocusCell(static_cast<int>(*refused->stage), StageTable::NoiseFigure);
        }
        if (stages.empty()) {
            ShowError(ToQString(refused->message));
            return m_stages->setFocus(Qt::OtherFocusReason);
        }
        return RefuseAt(&bandwidthField, refused->message, false);
    }
    const CascadeResult& chain = std::get<CascadeResult>(outcome);
    // Every text is made before the first is written; a point not given
    // (no stage's IP3 or P1dB) leaves its result empty.
    const std::optional<long double> values[] = {
        chain.gainDb,   chain.noiseFigureDb, chain.noiseTemperatureK, chain.iip3Dbm,        chain.oip3Dbm,
        chain.ip1dbDbm, chain.op1dbDbm,      chain.noiseFloorDbm,     chain.sensitivityDbm, chain.sfdrDb};
    const ResultSpec* specs[] = {
        &kCascadeGainResult,  &kNoiseFigureResult,  &kNoiseTemperatureResult, &kCascadeIip3Result, &kCascadeOip3Result,
        &kCascadeIp1dbResult, &kCascadeOp1dbResult, &kNoiseFloorResult,       &kSensitivityResult, &kCascadeSfdrResult};
    QStringList texts;
    for (std::size_t i = 0; i < m_chain.size(); ++i) {
        texts << (values[i] ? ResultText(*specs[i], *values[i]) : QString());
    }
    std::vector<NoiseShareBar> bars;
    for (std::size_t i = 0; i < stages.size(); ++i) {
        bars.push_back({stages[i].name, chain.stages[i].noiseShare});
    }
    const QString description = NoiseShareDescription(bars);
    for (std::size_t i = 0; i < m_chain.size(); ++i) {
        m_chain[i]->setText(texts[static_cast<qsizetype>(i)]);
    }
    m_stages->ShowShares(&chain.stages);
    m_shareImage->Draw([bars](QImage& surface) { DrawNoiseShareChart(surface, bars); });
    m_shareImage->SetPicture(QSize(kNoiseSharePictureWidth, kNoiseSharePictureHeight), [bars](QPainter& painter) {
        PaintNoiseSharePicture(painter, QSize(kNoiseSharePictureWidth, kNoiseSharePictureHeight), bars);
    });
    m_shareImage->setAccessibleDescription(description);
}

void ReceiverPanel::AddCarrierClick()
{
    const long double carrier = ReadReal(*m_carrier);
    std::vector<long double> carriers;
    for (int i = 0; i < m_carriers->count(); ++i) {
        carriers.push_back(TypedValue(*m_carriers->item(i), 0));
    }
    if (const auto refused = CarrierJoining(carriers, carrier)) {
        return RefuseAt(m_carrier, refused->message, refused->beep);
    }
    m_carriers->addItem(TypedItem(ValueText(carrier), {m_carrier->text()}));
    m_carriers->setCurrentRow(m_carriers->count() - 1);
}

void ReceiverPanel::RemoveCarrierClick()
{
    delete m_carriers->takeItem(CurrentOrPutAside(*m_carriers).row());
}

void ReceiverPanel::AddBandClick()
{
    const long double low = ReadReal(*m_bandLow);
    const long double high = ReadReal(*m_bandHigh);
    if (const auto refused = BandOfEdges(low, high)) {
        return RefuseAt(refused->highEdge ? m_bandHigh : m_bandLow, refused->message, true);
    }
    m_bands->addItem(
        TypedItem(ValueText(low) + QStringLiteral(" - ") + ValueText(high), {m_bandLow->text(), m_bandHigh->text()}));
    m_bands->setCurrentRow(m_bands->count() - 1);
}

void ReceiverPanel::RemoveBandClick()
{
    delete m_bands->takeItem(CurrentOrPutAside(*m_bands).row());
}

void ReceiverPanel::IntermodClick()
{
    IntermodSearch search;
    for (int i = 0; i < m_carriers->count(); ++i) {
        search.carriersMhz.push_back(TypedValue(*m_carriers->item(i), 0));
    }
    for (int i = 0; i < m_bands->count(); ++i) {
        search.bands.push_back({TypedValue(*m_bands->item(i), 0), TypedValue(*m_bands->item(i), 1)});
    }
    search.highestOrder = m_highestOrder->Value();
    search.oddOrdersOnly = m_oddOnly->isChecked();
    const Outcome<IntermodResult, IntermodField> outcome = IntermodulationProducts(search);
    if (!outcome.Ok()) {
        const Refusal<IntermodField>& refusal = outcome.Error();
        QWidget* field = refusal.field == IntermodField::Carriers ? static_cast<QWidget*>(m_carrier)
            : refusal.field == IntermodField::Bands               ? static_cast<QWidget*>(m_bandLow)
                                                                  : static_cast<QWidget*>(m_highestOrder);
        return RefuseAt(field, refusal.message, refusal.beep);
    }
    const IntermodResult& found = outcome.Value();
    m_productCount->setText(ResultText(kProductCountResult, static_cast<long double>(found.products.size())));
    for (int order = kLowestIntermodOrder; order <= kHighestIntermodOrder; ++order) {
        const bool searched = order <= search.highestOrder && (!search.oddOrdersOnly || order % 2 == 1);
        ResultLabel* count = m_orderCounts[static_cast<std::size_t>(order - kLowestIntermodOrder)];
        count->setText(searched ? ResultText(kOrderCountResults[order - kLowestIntermodOrder],
                                             static_cast<long double>(found.countByOrder[order]))
                                : QString());
    }
    // One list of products for the table and both pictures, however many.
    const auto picture =
        std::make_shared<const IntermodPicture>(IntermodPicture{search.carriersMhz, search.bands, found.products});
    static_cast<ProductTableModel*>(m_products->model())
        ->SetProducts(std::shared_ptr<const std::vector<IntermodProduct>>(picture, &picture->products));
    const QString description = IntermodDescription(*picture);
    m_intermodImage->Draw([picture](QImage& surface) { DrawIntermodPlot(surface, *picture); });
    m_intermodImage->SetPicture(QSize(kIntermodPictureWidth, kIntermodPictureHeight), [picture](QPainter& painter) {
        PaintIntermodPicture(painter, QSize(kIntermodPictureWidth, kIntermodPictureHeight), *picture);
    });
    m_intermodImage->setAccessibleDescription(description);
}

} // namespace zandrevio
