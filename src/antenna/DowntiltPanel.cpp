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
    connect(m_ui->BitBtn20, &QPushButton::clicked, this, Guarded([this] { BitBtn20Click(); }));
}

DowntiltPanel::~DowntiltPanel() = default;

void DowntiltPanel::BitBtn20Click()
{
    // The grid is drawn before any field is read: a bad field leaves it
    // cleared, without a curve.
    DrawDowntiltGrid(m_ui->Image1->Surface());
    m_ui->Image1->update();
    const long double gain = ReadReal(*m_ui->Edit31);
    const long double height = ReadReal(*m_ui->Edit32);
    const long double beamwidth = ReadReal(*m_ui->Edit33);
    const long double downtilt = ReadReal(*m_ui->Edit34);

    // Both answers are worked out before anything is written: a gain too
    // large to round leaves the labels as they were.
    const DowntiltCurvePoints curve = DowntiltCurve(height, beamwidth, downtilt);
    const std::int64_t middle = MiddleLineGain(gain);
    DrawDowntiltCurve(m_ui->Image1->Surface(), curve);
    m_ui->Label25->setText(m_ui->Edit31->text());
    m_ui->Label26->setText(QString::number(middle));
}

} // namespace zandrevio
