#include "propagation/PathPanel.h"
#include "ui_PathPanel.h"

#include "numeric/app_error.h"
#include "numeric/parse_real.h"
#include "propagation/PathPlot.h"
#include "widgets/FieldIo.h"
#include "widgets/HandlerGuard.h"
#include "widgets/RadioGroup.h"
#include "widgets/ResultLabel.h"

#include <QFileDialog>
#include <QFileInfo>

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

// The field of the source at fault. The loader names the elevation data for
// every refusal of the cut, also where the cut refuses a place off the globe,
// two ends at one place or a step not above 0: those go to the place's or
// the step's own field, which the cut checks first.
PathSourceField FieldAtFault(const PathSource& source, PathSourceField named)
{
    if (named != PathSourceField::Dem || source.rasters.empty()) {
        return named;
    }
    const auto offGlobe = [](const GeoPoint& place) {
        return !(place.latitudeDeg >= -90.0L && place.latitudeDeg <= 90.0L && place.longitudeDeg >= -180.0L &&
                 place.longitudeDeg <= 180.0L);
    };
    const std::optional<GeoPoint> from = ParseCoordinates(source.from);
    const std::optional<GeoPoint> to = ParseCoordinates(source.to);
    if (!from || !to) {
        return named;
    }
    if (offGlobe(*from)) {
        return PathSourceField::From;
    }
    if (offGlobe(*to)) {
        return PathSourceField::To;
    }
    if (!source.step.empty() && source.step.find_first_not_of(" \t") != std::string::npos) {
        try {
            if (!(ParseReal(source.step) > 0.0L)) {
                return PathSourceField::Step;
            }
        } catch (const ConversionFailure&) {
            return PathSourceField::Step;
        }
    }
    if (from->latitudeDeg == to->latitudeDeg && from->longitudeDeg == to->longitudeDeg) {
        return PathSourceField::To;
    }
    return named;
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
    m_ui->BearingResult->Describe(kPathResultBearing, m_ui->BearingCaption);
    m_ui->ReverseBearingResult->Describe(kPathResultReverseBearing, m_ui->ReverseBearingCaption);
    // Bearings come only with elevation data.
    ShowRow(m_ui->BearingCaption, m_ui->BearingResult, m_ui->BearingUnit, false);
    ShowRow(m_ui->ReverseBearingCaption, m_ui->ReverseBearingResult, m_ui->ReverseBearingUnit, false);

    QPalette red = m_ui->PathWarnings->palette();
    red.setColor(QPalette::WindowText, QColor(160, 0, 0));
    m_ui->PathWarnings->setPalette(red);
    SourceClick();

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

void PathPanel::CalculateClick()
{
    const PathSource source = Source();
    const Outcome<LoadedProfile, PathSourceField> loaded = LoadPathProfile(source);
    if (!loaded.Ok()) {
        const Refusal<PathSourceField>& refusal = loaded.Error();
        QWidget* field = m_ui->ProfileFileField;
        switch (FieldAtFault(source, refusal.field)) {
        case PathSourceField::From:
            field = m_ui->FromField;
            break;
        case PathSourceField::To:
            field = m_ui->ToField;
            break;
        case PathSourceField::Step:
            field = m_ui->StepField;
            break;
        case PathSourceField::Profile:
        case PathSourceField::Dem:
            break;
        }
        return RefuseAt(field, refusal.message, refusal.beep);
    }
    const Outcome<PathResult, PathField> link = PathLink(loaded.Value().profile, LinkInputs());
    if (!link.Ok()) {
        const Refusal<PathField>& refusal = link.Error();
        QWidget* field = m_link.WidgetOf(refusal.field) != nullptr ? m_link.WidgetOf(refusal.field)
                                                                   : m_budget.WidgetOf(refusal.field);
        return RefuseAt(field, refusal.message, refusal.beep);
    }
    ShowResult(link.Value(), loaded.Value().dem);
}

void PathPanel::ShowResult(const PathResult& result, const std::optional<DemPath>& dem)
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
        {m_ui->FreeSpaceLossResult, ResultText(kPathResultFreeSpaceLoss, result.freeSpaceLossDb)},
        {m_ui->DiffractionLossResult, ResultText(kPathResultDiffractionLoss, result.diffractionLossDb)},
        {m_ui->PathLossResult, ResultText(kPathResultLoss, result.pathLossDb)},
    };
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
