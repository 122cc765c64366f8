#include "widgets/ResultGrid.h"

#include "numeric/format.h"
#include "widgets/ResultLabel.h"

#include <QGridLayout>

namespace zandrevio {

namespace {
// The house's row: 19 pixels high, 3 apart, as on the hand-placed pages.
constexpr int kRowHeight = 19;
constexpr int kRowGap = 3;

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

QString CamelName(std::string_view name)
{
    QString camel;
    bool upper = true;
    for (const char c : name) {
        if (c == '-') {
            upper = true;
            continue;
        }
        camel += upper ? QChar(c).toUpper() : QChar(c);
        upper = false;
    }
    return camel;
}

ResultGrid::ResultGrid(QWidget* parent)
    : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(kRowGap);
}

int ResultGrid::HeightFor(int rows)
{
    return rows <= 0 ? 0 : rows * kRowHeight + (rows - 1) * kRowGap;
}

void ResultGrid::SetResults(const std::vector<const ResultSpec*>& results, int columns, const QString& prefix)
{
    for (const Row& row : m_rows) {
        delete row.caption;
        delete row.value;
        delete row.unit;
    }
    m_rows.clear();
    m_columns = columns < 1 ? 1 : columns;
    auto* grid = static_cast<QGridLayout*>(layout());
    const int perColumn = (static_cast<int>(results.size()) + m_columns - 1) / m_columns;
    // Created column by column, so that Tab runs down a column, then down the next.
    for (std::size_t i = 0; i < results.size(); ++i) {
        const ResultSpec& spec = *results[i];
        Row row{&spec, new CaptionLabel(this), new ResultLabel(this), new CaptionLabel(this)};
        row.caption->setText(Text(spec.caption));
        row.caption->setFixedHeight(kRowHeight);
        row.value->setObjectName(prefix + CamelName(spec.name) + QStringLiteral("Result"));
        row.value->setFixedHeight(kRowHeight);
        // Wide enough for a five-digit result with its exponent at the page's font; only the
        // extremes ("-1.2346E-4951") are shown smaller.
        row.value->setFixedWidth(row.value->fontMetrics().horizontalAdvance(QStringLiteral("-1.2346E-123")) + 8);
        row.value->Describe(spec, row.caption);
        row.unit->setText(Text(spec.unit));
        row.unit->setFixedHeight(kRowHeight);
        row.unit->setFixedWidth(row.unit->fontMetrics().horizontalAdvance(QStringLiteral("N-units")) + 8);
        const int r = static_cast<int>(i) % perColumn;
        const int c = static_cast<int>(i) / perColumn * 3;
        grid->addWidget(row.caption, r, c);
        grid->addWidget(row.value, r, c + 1);
        grid->addWidget(row.unit, r, c + 2);
        grid->setColumnStretch(c, 1);
        row.caption->show();
        row.value->show();
        row.unit->show();
        m_rows.push_back(row);
    }
}

int ResultGrid::Rows() const
{
    return (static_cast<int>(m_rows.size()) + m_columns - 1) / m_columns;
}

void ResultGrid::Write(const std::vector<ResultValue>& values)
{
    std::vector<QString> texts(m_rows.size());
    for (const ResultValue& value : values) {
        for (std::size_t i = 0; i < m_rows.size(); ++i) {
            if (m_rows[i].spec->name == value.spec->name) {
                texts[i] =
                    value.format == ResultFormat::Text ? Text(value.text) : Text(FormatAs(value.format, value.value));
            }
        }
    }
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        m_rows[i].value->setText(texts[i]);
    }
}

void ResultGrid::Clear()
{
    for (const Row& row : m_rows) {
        row.value->clear();
    }
}

ResultLabel* ResultGrid::LabelOf(std::string_view name) const
{
    for (const Row& row : m_rows) {
        if (row.spec->name == name) {
            return row.value;
        }
    }
    return nullptr;
}

} // namespace zandrevio
