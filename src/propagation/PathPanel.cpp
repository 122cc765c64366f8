#include "propagation/PathPanel.h"
#include "ui_PathPanel.h"

#include "numeric/app_error.h"
#include "numeric/parse_real.h"
#include "propagation/PathPlot.h"
#include "fixed_link/availability_entries.h"
#include "itm/itm_entries.h"
#include "propagation/path_analysis.h"
#include "propagation/path_entries.h"
#include "propagation/path_model.h"
#include "fixed_link/polarization_tilt.h"
#include "fixed_link/rain_attenuation.h"
#include "widgets/FieldIo.h"
#include "widgets/HandlerGuard.h"
#include "widgets/RadioGroup.h"
#include "widgets/ResultGrid.h"
#include "widgets/ResultLabel.h"
#include "widgets/UnitPicker.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include <vector>

namespace zandrevio {

namespace {
const Choice kSources[] = {{"Profile file (CSV)", "csv"}, {"Elevation data", "dem"}};

QString Q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString YesNo(bool yes)
{
    return yes ? QStringLiteral("yes") : QStringLiteral("no");
}

// A result's caption, value and unit, shown or hidden together.
void ShowRow(QWidget* caption, ResultLabel* result, QWidget* unit, bool shown)
{
    caption->setVisible(shown);
    result->setVisible(shown);
    unit->setVisible(shown);
    if (!shown) {
        result->clear();
    }
}
} // namespace

PathPanel::PathPanel(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::PathPanel)
{
    m_ui->setupUi(this);
    // The parts of the loss, below everything else: made from the core's descriptions of the results.
    m_detailsGroup = new QGroupBox(tr("Details"), this);
    m_detailsGroup->setObjectName(QStringLiteral("DetailsGroup"));
    m_details = new ResultGrid(m_detailsGroup);
    m_details->setObjectName(QStringLiteral("DetailsGrid"));
    auto* detailsLayout = new QVBoxLayout(m_detailsGroup);
    detailsLayout->setContentsMargins(6, 4, 6, 6);
    detailsLayout->addWidget(m_details);
    // The hop's availability, its results as wide as the details'.
    m_hopGroup = new QGroupBox(tr("Availability of the hop"), this);
    m_hopGroup->setObjectName(QStringLiteral("HopGroup"));
    auto* hopGrid = new QGridLayout(m_hopGroup);
    hopGrid->setContentsMargins(6, 4, 6, 6);
    const std::vector<HopRow> hopRows = HopRows();
    for (std::size_t i = 0; i < hopRows.size(); ++i) {
        const int row = static_cast<int>(i / 2);
        const int column = static_cast<int>(i % 2) * 3;
        hopRows[i].result->setFixedSize(88, 19);
        hopGrid->addWidget(hopRows[i].caption, row, column);
        hopGrid->addWidget(hopRows[i].result, row, column + 1);
        hopGrid->addWidget(hopRows[i].unit, row, column + 2);
    }
    hopGrid->setColumnStretch(6, 1);
    m_hopGroup->hide();
    FillChoices(*m_ui->ProfileSourceGroup, kSources, 2);
    m_ui->ProfileSourceGroup->SetItemIndex(0);
    FillChoices(*m_ui->PolarizationGroup, kPolarizations, 2);
    m_ui->PolarizationGroup->SetItemIndex(StartIndex(kPath, PathField::Polarization));
    m_link = {
        {PathField::Frequency, m_ui->FrequencyField},
        {PathField::TxHeight, m_ui->TxHeightField},
        {PathField::RxHeight, m_ui->RxHeightField},
        {PathField::KFactor, m_ui->KFactorField},
        {PathField::Polarization, m_ui->PolarizationGroup},
        // The profile is no number: a profile the link refuses is refused at its file.
        {PathField::Profile, m_ui->ProfileFileField, [] { return 0.0L; }},
    };
    m_budget = {
        {PathField::Power, m_ui->PowerField},
        {PathField::TxGain, m_ui->TxGainField},
        {PathField::RxGain, m_ui->RxGainField},
        {PathField::TxFeederLoss, m_ui->TxFeederLossField},
        {PathField::RxFeederLoss, m_ui->RxFeederLossField},
        {PathField::Sensitivity, m_ui->SensitivityField},
    };
    FillChoices(*m_ui->ModelGroup, kPathModels, 1);
    m_ui->ModelGroup->SetItemIndex(static_cast<int>(PathModel::DeltaBullington));
    FillChoices(*m_ui->ClimatePicker, kItmClimates);
    m_ui->ClimatePicker->SetTopIndex(StartIndex(kItm, ItmField::Climate));
    // The frequency, the heights and the polarization are the link's: one
    // field each, whichever model reads them.
    m_itm = {
        {ItmField::Frequency, m_ui->FrequencyField},
        {ItmField::TxHeight, m_ui->TxHeightField},
        {ItmField::RxHeight, m_ui->RxHeightField},
        {ItmField::Polarization, m_ui->PolarizationGroup},
        {ItmField::Climate, m_ui->ClimatePicker},
        {ItmField::Refractivity, m_ui->RefractivityField},
        {ItmField::Permittivity, m_ui->PermittivityField},
        {ItmField::Conductivity, m_ui->ConductivityField},
        {ItmField::Variability, m_ui->VariabilityField},
        {ItmField::Time, m_ui->TimeField},
        {ItmField::Location, m_ui->LocationField},
        {ItmField::Situation, m_ui->SituationField},
        {ItmField::Profile, m_ui->ProfileFileField, [] { return 0.0L; }},
    };
    m_availability = {
        {AvailabilityField::RainRate, m_ui->RainRateField},
        {AvailabilityField::Dn1, m_ui->Dn1Field},
        {AvailabilityField::Sa, m_ui->SaField},
        {AvailabilityField::Latitude, m_ui->LatitudeField},
        {AvailabilityField::Pressure, m_ui->PressureField},
        {AvailabilityField::Temperature, m_ui->TemperatureField},
        {AvailabilityField::WaterVapour, m_ui->WaterVapourField},
    };
    for (const FieldSpec<ItmField>& spec : kItm.fields) {
        // The shared fields keep the link's names and starts.
        const bool shared = spec.field <= ItmField::Polarization;
        if (auto* field = qobject_cast<QLineEdit*>(m_itm.WidgetOf(spec.field)); field != nullptr && !shared) {
            field->setAccessibleName(Q(spec.caption));
            field->setText(Q(spec.start));
            field->setCursorPosition(0);
        }
    }
    m_ui->ClimatePicker->setAccessibleName(Q(kItm.fields[static_cast<int>(ItmField::Climate)].caption));
    for (const FieldSpec<AvailabilityField>& spec : kAvailability.fields) {
        if (auto* field = qobject_cast<QLineEdit*>(m_availability.WidgetOf(spec.field))) {
            field->setAccessibleName(Q(spec.caption));
            field->setText(Q(spec.start));
            field->setCursorPosition(0); // the pressure's 1013.25 shown from its first digit
        }
    }

    // Each field named and started as the calculation describes it.
    for (const FieldSpec<PathField>& spec : kPath.fields) {
        QWidget* widget =
            m_link.WidgetOf(spec.field) != nullptr ? m_link.WidgetOf(spec.field) : m_budget.WidgetOf(spec.field);
        if (auto* field = qobject_cast<QLineEdit*>(widget)) {
            field->setAccessibleName(Q(spec.caption));
            field->setText(Q(spec.start));
            field->setCursorPosition(0); // a long start (k's 15 digits) shown from its first digit
        }
    }

    m_ui->DistanceResult->Describe(kPathResultDistance, m_ui->DistanceCaption);
    m_ui->LineOfSightResult->Describe(kPathResultLineOfSight, m_ui->LineOfSightCaption);
    m_ui->ClearanceResult->Describe(kPathResultClearance, m_ui->ClearanceCaption);
    m_ui->WorstPointResult->Describe(kPathResultWorstPoint, m_ui->WorstPointCaption);
    m_ui->Fresnel60Result->Describe(kPathResultFresnel60, m_ui->Fresnel60Caption);
    m_ui->FreeSpaceLossResult->Describe(kPathResultFreeSpaceLoss, m_ui->FreeSpaceLossCaption);
    m_ui->DiffractionLossResult->Describe(kPathResultDiffractionLoss, m_ui->DiffractionLossCaption);
    m_ui->PathLossResult->Describe(kPathResultLoss, m_ui->PathLossCaption);
    m_ui->ReceivedPowerResult->Describe(kPathResultReceivedPower, m_ui->ReceivedPowerCaption);
    m_ui->FadeMarginResult->Describe(kPathResultFadeMargin, m_ui->FadeMarginCaption);
    m_ui->ModeResult->Describe(kItmResultMode, m_ui->ModeCaption);
    m_ui->RainSpecificResult->Describe(tr("Rain specific attenuation"), Q(kRainResultSpecificAttenuation.unit),
                                       m_ui->RainSpecificCaption);
    m_ui->RainAttenuationResult->Describe(tr("Rain attenuation A0.01"), Q(kRainResultAttenuation.unit),
                                          m_ui->RainAttenuationCaption);
    m_ui->GasAttenuationResult->Describe(kAvailabilityResultGasAttenuation, m_ui->GasAttenuationCaption);
    m_ui->RainOutageResult->Describe(kAvailabilityResultRainOutage, m_ui->RainOutageCaption);
    m_ui->MultipathOutageResult->Describe(kAvailabilityResultMultipathOutage, m_ui->MultipathOutageCaption);
    m_ui->OutageResult->Describe(kAvailabilityResultOutage, m_ui->OutageCaption);
    m_ui->AvailabilityResult->Describe(kAvailabilityResultAvailability, m_ui->AvailabilityCaption);
    m_ui->OutageTimeResult->Describe(kAvailabilityResultOutageTime, m_ui->OutageTimeCaption);
    ShowAvailability(std::nullopt, false);
    m_ui->BearingResult->Describe(kPathResultBearing, m_ui->BearingCaption);
    m_ui->ReverseBearingResult->Describe(kPathResultReverseBearing, m_ui->ReverseBearingCaption);
    // Bearings come only with elevation data.
    ShowRow(m_ui->BearingCaption, m_ui->BearingResult, m_ui->BearingUnit, false);
    ShowRow(m_ui->ReverseBearingCaption, m_ui->ReverseBearingResult, m_ui->ReverseBearingUnit, false);

    QPalette red = m_ui->PathWarnings->palette();
    red.setColor(QPalette::WindowText, QColor(160, 0, 0));
    m_ui->PathWarnings->setPalette(red);
    SourceClick();
    ModelClick();

    connect(m_ui->ModelGroup, &RadioGroup::clicked, this, Guarded([this] { ModelClick(); }));
    connect(m_ui->ProfileSourceGroup, &RadioGroup::clicked, this, Guarded([this] { SourceClick(); }));
    connect(m_ui->BrowseButton, &QPushButton::clicked, this, Guarded([this] { BrowseClick(); }));
    connect(m_ui->CalculateButton, &QPushButton::clicked, this, Guarded([this] { CalculateClick(); }));
}

PathPanel::~PathPanel() = default;

bool PathPanel::ElevationData() const
{
    return m_ui->ProfileSourceGroup->ItemIndex() == 1;
}

void PathPanel::SourceClick()
{
    const bool dem = ElevationData();
    m_ui->ProfileFileCaption->setText(dem ? tr("Files") : tr("File"));
    m_ui->ProfileFileField->setAccessibleName(dem ? tr("Elevation data files") : tr("Profile file"));
    m_ui->BrowseButton->setAccessibleName(dem ? tr("Browse for elevation data files")
                                              : tr("Browse for the profile file"));
    // The ends and the step cut a profile from elevation data; a profile's
    // file has its own.
    for (QWidget* widget :
         std::initializer_list<QWidget*>{m_ui->FromCaption, m_ui->FromField, m_ui->ToCaption, m_ui->ToField,
                                         m_ui->StepCaption, m_ui->StepField, m_ui->StepUnit, m_ui->StepHint}) {
        widget->setEnabled(dem);
    }
}

PathSource PathPanel::Source() const
{
    PathSource source;
    const std::string files = TextOf(*m_ui->ProfileFileField);
    if (ElevationData()) {
        source.rasters = SplitFileList(files);
        source.from = TextOf(*m_ui->FromField);
        source.to = TextOf(*m_ui->ToField);
        source.step = TextOf(*m_ui->StepField);
    } else {
        // A profile is one file, whatever its name holds: no list to split.
        const std::size_t first = files.find_first_not_of(" \t");
        source.csv =
            first == std::string::npos ? std::string() : files.substr(first, files.find_last_not_of(" \t") - first + 1);
    }
    return source;
}

Inputs<PathField> PathPanel::LinkInputs() const
{
    Inputs<PathField> in = m_link.Read();
    // Without the budget no power is given: the link gives no received power.
    if (m_ui->BudgetGroup->isChecked()) {
        for (const auto& entry : m_budget.Entries()) {
            in.Set(entry.field, ReaderOf(*entry.widget));
        }
    }
    return in;
}

bool PathPanel::LongleyRice() const
{
    return m_ui->ModelGroup->ItemIndex() == static_cast<int>(PathModel::LongleyRice);
}

namespace {
// The results a list of values is of, for rows not yet written.
std::vector<const ResultSpec*> SpecsOf(const std::vector<ResultValue>& values)
{
    std::vector<const ResultSpec*> specs;
    for (const ResultValue& value : values) {
        specs.push_back(value.spec);
    }
    return specs;
}
} // namespace

void PathPanel::ShowDetails(const std::vector<ResultValue>& values)
{
    m_details->SetResults(SpecsOf(values), 2, QStringLiteral("Details"));
    m_details->Write(values);
    const int top = 604;
    const int height = ResultGrid::HeightFor(m_details->Rows()) + 30;
    m_detailsGroup->setGeometry(2, top, 573, height);
    m_detailsGroup->show();
    LayOutFoot();
}

void PathPanel::LayOutFoot()
{
    // The hop's availability below the details, with the room its values need.
    int top = m_detailsGroup->geometry().bottom() + 4;
    if (m_hopGroup->isVisibleTo(this)) {
        m_hopGroup->setGeometry(2, top, 573, m_hopGroup->sizeHint().height());
        top = m_hopGroup->geometry().bottom() + 4;
    }
    // Then the warnings, the page's whole width and as many lines as they
    // take: in the font of every other text, however long they are.
    QLabel& warnings = *m_ui->PathWarnings;
    const int lines = warnings.text().isEmpty()
        ? 0
        : warnings.fontMetrics().boundingRect(QRect(0, 0, 569, 10000), Qt::TextWordWrap, warnings.text()).height();
    warnings.setGeometry(4, top, 569, lines);
    resize(width(), top + lines + 2);
}

void PathPanel::ModelClick()
{
    const bool itm = LongleyRice();
    // The rows of the model chosen, empty until calculated.
    std::vector<ResultValue> rows = itm ? ItmPartValues(ItmResult{}) : PathPartValues(PathResult{});
    for (ResultValue& row : rows) {
        row.format = ResultFormat::Text;
    }
    ShowDetails(rows);
    m_ui->ItmGroup->setVisible(itm);
    // The results of the other model would stand beside this one's inputs.
    ShowRow(m_ui->FreeSpaceLossCaption, m_ui->FreeSpaceLossResult, m_ui->FreeSpaceLossUnit, !itm);
    ShowRow(m_ui->DiffractionLossCaption, m_ui->DiffractionLossResult, m_ui->DiffractionLossUnit, !itm);
    m_ui->ModeCaption->setVisible(itm);
    m_ui->ModeResult->setVisible(itm);
    m_ui->ModeResult->clear();
    m_ui->PathLossResult->clear();
}

QWidget* PathPanel::WidgetOfOption(std::string_view option) const
{
    const std::pair<std::string_view, QWidget*> source[] = {{"profile", m_ui->ProfileFileField},
                                                            {"dem", m_ui->ProfileFileField},
                                                            {"from", m_ui->FromField},
                                                            {"to", m_ui->ToField},
                                                            {"step", m_ui->StepField}};
    for (const auto& [name, widget] : source) {
        if (name == option) {
            return widget;
        }
    }
    for (const FieldSpec<PathField>& spec : kPath.fields) {
        if (spec.option == option) {
            return m_link.WidgetOf(spec.field) != nullptr ? m_link.WidgetOf(spec.field) : m_budget.WidgetOf(spec.field);
        }
    }
    for (const FieldSpec<ItmField>& spec : kItm.fields) {
        if (spec.option == option && m_itm.WidgetOf(spec.field) != nullptr) {
            return m_itm.WidgetOf(spec.field);
        }
    }
    for (const FieldSpec<AvailabilityField>& spec : kAvailability.fields) {
        if (spec.option == option && m_availability.WidgetOf(spec.field) != nullptr) {
            return m_availability.WidgetOf(spec.field);
        }
    }
    return m_ui->CalculateButton;
}

void PathPanel::CalculateClick()
{
    // Whatever stops this calculation, a field that is not a number or a
    // refusal, no answer to the last one stays beside it.
    ClearResults();
    const bool availabilityOn = m_ui->AvailabilityGroup->isChecked();
    PathAnalysisInputs in{Source(), LinkInputs(), std::nullopt, std::nullopt, false, {}, std::nullopt};
    if (LongleyRice()) {
        in.itm = m_itm.Read();
    }
    if (availabilityOn) {
        in.availability = m_availability.Read();
    }
    const Outcome<PathAnalysis, std::string_view> analysed = AnalysePath(in);
    if (!analysed.Ok()) {
        return RefuseAt(WidgetOfOption(analysed.Error().field), analysed.Error().message, analysed.Error().beep);
    }
    const PathAnalysis& analysis = analysed.Value();
    std::vector<ResultValue> details = analysis.itm ? ItmPartValues(*analysis.itm) : PathPartValues(analysis.link);
    if (analysis.availability) {
        for (ResultValue& part : MultipathPartValues(*analysis.availability)) {
            details.push_back(std::move(part));
        }
    }
    ShowResult(analysis.link, analysis.loaded.dem,
               analysis.itm ? std::optional<ItmMode>(analysis.itm->mode) : std::nullopt);
    ShowAvailability(analysis.availability, analysis.noFadeMargin);
    ShowDetails(details);
}

void PathPanel::ClearResults()
{
    for (ResultLabel* label : findChildren<ResultLabel*>()) {
        label->clear();
    }
    ShowAvailability(std::nullopt, false);
    m_ui->PathWarnings->SetNotes({});
    m_ui->PathImage->Clear();
    LayOutFoot();
}

std::vector<PathPanel::HopRow> PathPanel::HopRows() const
{
    return {
        {m_ui->RainSpecificCaption, m_ui->RainSpecificResult, m_ui->RainSpecificUnit},
        {m_ui->RainAttenuationCaption, m_ui->RainAttenuationResult, m_ui->RainAttenuationUnit},
        {m_ui->GasAttenuationCaption, m_ui->GasAttenuationResult, m_ui->GasAttenuationUnit},
        {m_ui->RainOutageCaption, m_ui->RainOutageResult, m_ui->RainOutageUnit},
        {m_ui->MultipathOutageCaption, m_ui->MultipathOutageResult, m_ui->MultipathOutageUnit},
        {m_ui->OutageCaption, m_ui->OutageResult, m_ui->OutageUnit},
        {m_ui->AvailabilityCaption, m_ui->AvailabilityResult, m_ui->AvailabilityUnit},
        {m_ui->OutageTimeCaption, m_ui->OutageTimeResult, m_ui->OutageTimeUnit},
    };
}

void PathPanel::ShowAvailability(const std::optional<AvailabilityResult>& availability, bool noMargin)
{
    if (availability) {
        WriteResults({
            {*m_ui->RainSpecificResult, kRainResultSpecificAttenuation, availability->rainSpecificDbPerKm},
            {*m_ui->RainAttenuationResult, kRainResultAttenuation, availability->rainAttenuation001Db},
            {*m_ui->GasAttenuationResult, kAvailabilityResultGasAttenuation, availability->gasAttenuationDb},
            {*m_ui->RainOutageResult, kAvailabilityResultRainOutage, availability->rainOutagePercent},
            {*m_ui->MultipathOutageResult, kAvailabilityResultMultipathOutage, availability->multipathOutagePercent},
            {*m_ui->OutageResult, kAvailabilityResultOutage, availability->outagePercent},
            {*m_ui->AvailabilityResult, kAvailabilityResultAvailability, availability->availabilityPercent},
            {*m_ui->OutageTimeResult, kAvailabilityResultOutageTime, availability->outageMinutesPerYear},
        });
    }
    for (const HopRow& row : HopRows()) {
        ShowRow(row.caption, row.result, row.unit, availability.has_value());
    }
    m_hopGroup->setVisible(availability.has_value());
    LayOutFoot();
    m_ui->AvailabilityNote->setVisible(noMargin);
    m_ui->AvailabilityNote->SetNotes(
        noMargin ? QStringList{tr("No fade margin: tick \"Link budget\" for the availability of the hop")}
                 : QStringList());
}

void PathPanel::ShowResult(const PathResult& result, const std::optional<DemPath>& dem,
                           const std::optional<ItmMode>& mode)
{
    // Every text is made before the first is written: a value that cannot be
    // written leaves the results as they were.
    struct Shown {
        ResultLabel* label;
        QString text;
    };
    std::vector<Shown> shown = {
        {m_ui->DistanceResult, ResultText(kPathResultDistance, result.distanceKm)},
        {m_ui->LineOfSightResult, YesNo(result.lineOfSight)},
        {m_ui->ClearanceResult, ResultText(kPathResultClearance, result.clearance)},
        {m_ui->WorstPointResult, ResultText(kPathResultWorstPoint, result.worstPointKm)},
        {m_ui->Fresnel60Result, YesNo(result.fresnel60)},
        {m_ui->PathLossResult, ResultText(kPathResultLoss, result.pathLossDb)},
    };
    // Longley-Rice gives its mode; the split into free space and diffraction is delta-Bullington's.
    if (mode) {
        shown.push_back({m_ui->ModeResult, Q(ItmModeWord(*mode))});
    } else {
        shown.push_back({m_ui->FreeSpaceLossResult, ResultText(kPathResultFreeSpaceLoss, result.freeSpaceLossDb)});
        shown.push_back(
            {m_ui->DiffractionLossResult, ResultText(kPathResultDiffractionLoss, result.diffractionLossDb)});
    }
    if (result.receivedPowerDbm) {
        shown.push_back({m_ui->ReceivedPowerResult, ResultText(kPathResultReceivedPower, *result.receivedPowerDbm)});
    }
    if (result.fadeMarginDb) {
        shown.push_back({m_ui->FadeMarginResult, ResultText(kPathResultFadeMargin, *result.fadeMarginDb)});
    }
    if (dem) {
        shown.push_back({m_ui->BearingResult, ResultText(kPathResultBearing, dem->bearingDeg)});
        shown.push_back({m_ui->ReverseBearingResult, ResultText(kPathResultReverseBearing, dem->reverseBearingDeg)});
    }
    const QString description = PathPlotDescription(result);

    ShowRow(m_ui->ReceivedPowerCaption, m_ui->ReceivedPowerResult, m_ui->ReceivedPowerUnit,
            result.receivedPowerDbm.has_value());
    ShowRow(m_ui->FadeMarginCaption, m_ui->FadeMarginResult, m_ui->FadeMarginUnit, result.fadeMarginDb.has_value());
    ShowRow(m_ui->BearingCaption, m_ui->BearingResult, m_ui->BearingUnit, dem.has_value());
    ShowRow(m_ui->ReverseBearingCaption, m_ui->ReverseBearingResult, m_ui->ReverseBearingUnit, dem.has_value());
    for (const Shown& result : shown) {
        result.label->setText(result.text);
    }
    QStringList warnings;
    for (const std::string& warning : result.warnings) {
        warnings << ToQString(warning);
    }
    m_ui->PathWarnings->SetNotes(warnings);
    LayOutFoot();

    DrawPathPlot(m_ui->PathImage->Surface(), result);
    m_ui->PathImage->SetPicture(QSize(kPathPictureWidth, kPathPictureHeight), [result](QPainter& painter) {
        PaintPathPicture(painter, QSize(kPathPictureWidth, kPathPictureHeight), result);
    });
    m_ui->PathImage->setAccessibleDescription(description);
    m_ui->PathImage->update();
}

void PathPanel::BrowseClick()
{
    const std::vector<std::filesystem::path> named = SplitFileList(TextOf(*m_ui->ProfileFileField));
    const QString folder =
        named.empty() ? QString() : QFileInfo(QString::fromStdString(named.front().string())).absolutePath();
    if (ElevationData()) {
        const QStringList files = QFileDialog::getOpenFileNames(
            this, tr("Elevation data"), folder, tr("Elevation data (*.hgt *.tif *.tiff *.vrt);;All files (*)"));
        if (!files.isEmpty()) {
            m_ui->ProfileFileField->setText(files.join(QStringLiteral(", ")));
        }
        return;
    }
    const QString file = QFileDialog::getOpenFileName(this, tr("Terrain profile"), folder,
                                                      tr("Terrain profiles (*.csv);;All files (*)"));
    if (!file.isEmpty()) {
        m_ui->ProfileFileField->setText(file);
    }
}

} // namespace zandrevio
