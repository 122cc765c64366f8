#pragma once

#include "calculation/calculation.h"
#include "calculation/protocol.h"

#include <QWidget>

#include <string_view>
#include <vector>

namespace zandrevio {

class CaptionLabel;
class ResultLabel;

// Results laid out from their descriptions in the core: a row a result, its
// caption, its value in a ResultLabel and its unit, in columns filled top to
// bottom. Each value label is named after its result, behind a prefix
// ("bullington-loss" gives DetailsBullingtonLossResult behind "Details"), so
// that tests find it as they find a hand-placed one.
class ResultGrid : public QWidget {
    Q_OBJECT

public:
    explicit ResultGrid(QWidget* parent = nullptr);

    // Makes the rows anew (the old ones are removed).
    void SetResults(const std::vector<const ResultSpec*>& results, int columns, const QString& prefix = {});
    // Writes the values of a reply into their rows, every text made before
    // the first is written; the rows of results the reply lacks are emptied.
    void Write(const std::vector<ResultValue>& values);
    void Clear();
    // The value label of a result, or nullptr.
    ResultLabel* LabelOf(std::string_view name) const;
    int Rows() const;

    // The height of a grid of `rows` rows, for the panel that places it.
    static int HeightFor(int rows);

private:
    struct Row {
        const ResultSpec* spec;
        CaptionLabel* caption;
        ResultLabel* value;
        CaptionLabel* unit;
    };
    std::vector<Row> m_rows;
    int m_columns = 1;
};

// "bullington-loss" as an object name's stem: "BullingtonLoss".
QString CamelName(std::string_view name);

} // namespace zandrevio
