#include "patterns/PatternPanel.h"

#include "patterns/PatternPlot.h"
#include "patterns/pattern_entries.h"
#include "registry/registry.h"
#include "widgets/CalculationForm.h"
#include "widgets/EntryField.h"
#include "widgets/HandlerGuard.h"
#include "widgets/PlotImage.h"
#include "widgets/ResultLabel.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace zandrevio {

PatternPanel::PatternPanel(QWidget* parent)
    : QWidget(parent)
    , m_form(new CalculationForm(RegisteredCalculation("pattern"), tr("Antenna pattern file (MSI or NSMA)"),
                                 tr("Calculate the pattern's gain"), QStringLiteral("Pattern")))
    , m_horizontal(new PlotImage)
    , m_vertical(new PlotImage)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    auto* browse = new QPushButton(tr("Browse for a pattern file..."));
    browse->setObjectName(QStringLiteral("PatternBrowseButton"));
    browse->setAccessibleName(tr("Browse for the antenna pattern file"));
    auto* row = new QHBoxLayout;
    row->addWidget(browse);
    row->addStretch(1);
    layout->addLayout(row);
    layout->addWidget(m_form);
    auto* plots = new QHBoxLayout;
    for (const auto& [plot, name, spoken] :
         {std::tuple{m_horizontal, "HorizontalPatternImage", tr("Horizontal pattern")},
          std::tuple{m_vertical, "VerticalPatternImage", tr("Vertical pattern")}}) {
        plot->setObjectName(QString::fromLatin1(name));
        plot->setAccessibleName(spoken);
        plot->setFixedSize(PatternPictureSize());
        plots->addWidget(plot);
    }
    plots->addStretch(1);
    layout->addLayout(plots);
    setTabOrder(browse, m_form->FieldOf("pattern"));
    connect(browse, &QPushButton::clicked, this, Guarded([this] { BrowseClick(); }));
    // After the form's own handler, which was connected first.
    connect(m_form->Button(), &QPushButton::clicked, this, Guarded([this] { DrawPattern(); }));
    adjustSize();
}

void PatternPanel::BrowseClick()
{
    auto* field = static_cast<QLineEdit*>(m_form->FieldOf("pattern"));
    const QString folder = field->text().isEmpty() ? QString() : QFileInfo(field->text()).absolutePath();
    const QString file = QFileDialog::getOpenFileName(
        this, tr("Antenna pattern"), folder,
        tr("Antenna patterns (*.msi *.pln *.txt *.nsm *.adf);;All files (*)"));
    if (!file.isEmpty()) {
        field->setText(file);
    }
}

void PatternPanel::DrawPattern()
{
    m_horizontal->Clear();
    m_vertical->Clear();
    // A refused form shows no gain: nothing to draw.
    if (m_form->ResultOf("gain")->text().isEmpty()) {
        return;
    }
    const auto read = PatternOf("pattern", static_cast<QLineEdit*>(m_form->FieldOf("pattern"))->text().toStdString());
    if (!read.Ok()) {
        return;
    }
    const std::shared_ptr<const AntennaPattern> pattern = read.Value();
    const PatternFigures figures = FiguresOf(*pattern);
    for (const auto& [plot, plane] : {std::pair{m_horizontal, PatternPlane::Horizontal},
                                      std::pair{m_vertical, PatternPlane::Vertical}}) {
        const QSize size = PatternPictureSize();
        plot->Draw([pattern, plane](QImage& surface) {
            QPainter painter(&surface);
            PaintPatternPlot(painter, PlotArea(surface).size().toSize(), *pattern, plane);
        });
        plot->SetPicture(size, [pattern, plane, size](QPainter& painter) {
            PaintPatternPlot(painter, size, *pattern, plane);
        });
        plot->setAccessibleDescription(PatternPlotDescription(*pattern, figures, plane));
        plot->update();
    }
}

} // namespace zandrevio
