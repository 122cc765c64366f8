#include "propagation/CellRangePanel.h"
#include "ui_CellRangePanel.h"

#include "propagation/CellRangePlot.h"
#include "widgets/HandlerGuard.h"
#include "widgets/RadioGroup.h"
#include "widgets/ResultLabel.h"
#include "widgets/UnitPicker.h"

#include <algorithm>

namespace zandrevio {

namespace {
constexpr int kPlotPoints = 121;
}

CellRangePanel::CellRangePanel(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::CellRangePanel)
{
    m_ui->setupUi(this);
    m_ui->StaticText73->Describe(kMaxPathLossResult, m_ui->StaticText93);
    m_ui->StaticText74->Describe(kCellRadiusResult, m_ui->StaticText95);
    m_ui->StaticText75->Describe(kCellAreaResult, m_ui->StaticText97);
    FillChoices(*m_ui->RadioGroup5, kCellRangeModels, 1);
    m_ui->RadioGroup5->SetItemIndex(StartIndex(kCellRange, CellRangeField::Model));
    RadioGroup5Click();
    QPalette red = m_ui->StaticText76->palette();
    red.setColor(QPalette::WindowText, QColor(160, 0, 0));
    m_ui->StaticText76->setPalette(red);
    m_fields = {
        {CellRangeField::Model, m_ui->RadioGroup5},
        {CellRangeField::Area, m_ui->ListBox20, [this] { return AreaIndex(); }},
        {CellRangeField::Frequency, m_ui->Edit35},
        {CellRangeField::BsHeight, m_ui->Edit36},
        {CellRangeField::MsHeight, m_ui->Edit37},
        {CellRangeField::Power, m_ui->Edit38},
        {CellRangeField::BsGain, m_ui->Edit39},
        {CellRangeField::MsGain, m_ui->Edit40},
        {CellRangeField::FeederLoss, m_ui->Edit41},
        {CellRangeField::Sensitivity, m_ui->Edit42},
        {CellRangeField::FadingMargin, m_ui->Edit43},
        {CellRangeField::BodyLoss, m_ui->Edit44},
        {CellRangeField::PenetrationLoss, m_ui->Edit45},
        // The loss the budget makes: a range it cannot reach is refused at the
        // budget's first field.
        {CellRangeField::MaxPathLoss, m_ui->Edit38, [] { return 0.0L; }},
    };
    m_lastEdited = m_ui->Edit38;
    for (QLineEdit* field : std::initializer_list<QLineEdit*>{m_ui->Edit35, m_ui->Edit36, m_ui->Edit37, m_ui->Edit38,
                                                              m_ui->Edit39, m_ui->Edit40, m_ui->Edit41, m_ui->Edit42,
                                                              m_ui->Edit43, m_ui->Edit44, m_ui->Edit45}) {
        connect(field, &QLineEdit::textEdited, this, [this, field] { m_lastEdited = field; });
    }
    connect(m_ui->RadioGroup5, &RadioGroup::clicked, this, Guarded([this] { RadioGroup5Click(); }));
    connect(m_ui->BitBtn21, &QPushButton::clicked, this, Guarded([this] { BitBtn21Click(); }));
}

CellRangePanel::~CellRangePanel() = default;

PathLossModel CellRangePanel::Model() const
{
    return m_ui->RadioGroup5->ItemIndex() == 0 ? PathLossModel::Hata : PathLossModel::Cost231;
}

long double CellRangePanel::AreaIndex() const
{
    const int shown = m_ui->ListBox20->TopIndex();
    return static_cast<long double>(m_areas.at(static_cast<std::size_t>(shown)));
}

void CellRangePanel::RadioGroup5Click()
{
    const auto before = m_areas.empty() ? PlanningArea::MediumCity : static_cast<PlanningArea>(AreaIndex());
    m_areas = AreasOf(Model());
    std::vector<Choice> offered;
    for (PlanningArea area : m_areas) {
        offered.push_back(kPlanningAreas[static_cast<int>(area)]);
    }
    FillChoices(*m_ui->ListBox20, offered);
    const auto kept = std::find(m_areas.begin(), m_areas.end(), before);
    m_ui->ListBox20->SetTopIndex(kept == m_areas.end() ? 0 : static_cast<int>(kept - m_areas.begin()));
}

void CellRangePanel::BitBtn21Click()
{
    const Inputs<CellRangeField> in = m_fields.Read();
    const auto range = CellRangeOfBudget(in);
    if (!range.Ok() && range.Error().field == CellRangeField::MaxPathLoss) {
        // The budget as a whole is out of the model's reach: the field that
        // took it there is the one last changed.
        return RefuseAt(m_lastEdited, range.Error().message, range.Error().beep);
    }
    if (!range.Ok()) {
        return m_fields.Refuse(range.Error());
    }
    const std::vector<LevelPoint> levels = ReceivedLevels(in, 2.0L * range.Value().radiusKm, kPlotPoints);
    WriteResults(range.Value(), kCellRangeResults, {m_ui->StaticText73, m_ui->StaticText74, m_ui->StaticText75});
    QStringList warnings;
    for (const std::string& warning : range.Value().warnings) {
        warnings << QString::fromStdString(warning);
    }
    m_ui->StaticText76->SetNotes(warnings);
    const long double sensitivity = in.Real(CellRangeField::Sensitivity);
    const long double radius = range.Value().radiusKm;
    DrawCellRangePlot(m_ui->Image2->Surface(), levels, sensitivity, radius);
    m_ui->Image2->SetPicture(QSize(kCellRangePictureWidth, kCellRangePictureHeight),
                             [levels, sensitivity, radius](QPainter& painter) {
                                 PaintCellRangePicture(painter, QSize(kCellRangePictureWidth, kCellRangePictureHeight),
                                                       levels, sensitivity, radius);
                             });
    m_ui->Image2->update();
}

} // namespace zandrevio
