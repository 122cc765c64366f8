#include "antenna/DowntiltPanel.h"
#include "ui_DowntiltPanel.h"

#include "antenna/DowntiltPlot.h"
#include "widgets/FieldIo.h"
#include "widgets/HandlerGuard.h"

namespace zandrevio {

DowntiltPanel::DowntiltPanel(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::DowntiltPanel)
{
    m_ui->setupUi(this);
    m_ui->BitBtn20->UseDrawPicture();
    m_fields = {
        {DowntiltField::Gain, m_ui->Edit31},
        {DowntiltField::Height, m_ui->Edit32},
        {DowntiltField::Beamwidth, m_ui->Edit33},
        {DowntiltField::Downtilt, m_ui->Edit34},
    };
    connect(m_ui->BitBtn20, &QPushButton::clicked, this, Guarded([this] { BitBtn20Click(); }));
}

DowntiltPanel::~DowntiltPanel() = default;

void DowntiltPanel::BitBtn20Click()
{
    // The grid is drawn before any field is read: a bad field leaves it
    // cleared, without a curve.
    DrawDowntiltGrid(m_ui->Image1->Surface());
    m_ui->Image1->update();
    SetPicture(std::nullopt);
    const auto plot = DowntiltPlot(m_fields.Read());
    if (!plot.Ok()) {
        return m_fields.Refuse(plot.Error());
    }
    const DowntiltCurvePoints points = CurvePixels(plot.Value().curve);
    DrawDowntiltCurve(m_ui->Image1->Surface(), points);
    m_ui->Label25->setText(m_ui->Edit31->text());
    m_ui->Label26->setText(QString::number(plot.Value().middleLineGain));
    SetPicture(points);
}

void DowntiltPanel::SetPicture(const std::optional<DowntiltCurvePoints>& points)
{
    const DowntiltScale scale{
        m_ui->Label25->text(),
        m_ui->Label26->text(),
        {m_ui->Label21->text(), m_ui->Label22->text(), m_ui->Label23->text(), m_ui->Label24->text()},
        m_ui->Label19->text(),
        m_ui->Label20->text()};
    m_ui->Image1->SetPicture(DowntiltPictureSize(),
                             [points, scale](QPainter& painter) { PaintDowntiltPicture(painter, points, scale); });
}

} // namespace zandrevio
