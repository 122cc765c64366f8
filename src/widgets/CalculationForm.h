#pragma once

#include "calculation/protocol.h"
#include "widgets/ResultGrid.h"

#include <QGroupBox>

#include <string_view>
#include <vector>

class QGridLayout;
class QPushButton;

namespace zandrevio {

class NoteLabel;
class RadioGroup;
class ResultLabel;

// A calculation of the registry as a group of a page, laid out from its
// description alone: a choice between the alternatives of each rule ("from
// Eb/N0, SNR or C/N0"), a field for each option (caption, unit and start
// value as described; a choice as radio buttons), a Calculate button, and a
// row for each result (caption, value, unit). Calculate gives the fields'
// texts to the calculation as the command line gives its options, and
// writes the reply through the same projections; a refusal focuses the field
// of the option it names. Fields are named after their options
// ("noise-figure" gives NoiseFigureField, a choice NoiseFigureGroup), results
// after their names (NoiseFigureResult), so that tests and "Copy results"
// find them as they find a hand-made page's; where two forms share a page,
// `prefix` sets one's names apart (CapacitySnrField, CapacityButton).
class CalculationForm : public QGroupBox {
    Q_OBJECT

public:
    // `buttonSpoken` is what a screen reader says of Calculate ("Calculate noise").
    CalculationForm(const Calculation& calculation, const QString& title, const QString& buttonSpoken,
                    const QString& prefix = {}, QWidget* parent = nullptr);

    // Runs the calculation on the fields, then writes its results or refuses.
    void Calculate();

    // The field of an option, or nullptr.
    QWidget* FieldOf(std::string_view option) const;
    // The label of a result, or nullptr.
    ResultLabel* ResultOf(std::string_view name) const;
    QPushButton* Button() const { return m_button; }

private:
    struct Field {
        OptionSpec option;
        QWidget* widget;
        QWidget* caption;
    };
    struct Alternatives {
        const OneOf* rule;
        RadioGroup* group;
    };
    struct Result {
        const ResultSpec* spec;
        ResultLabel* label;
    };

    void AddAlternatives(QGridLayout& grid, int& row);
    void AddFields(QGridLayout& grid, int& row);
    void AddResults(QGridLayout& grid, int& row);
    // Enables the fields of the alternatives chosen, disables the others'.
    void ChooseAlternatives();
    bool Chosen(std::string_view option) const;
    const Calculation& calculation() const;
    Request RequestOfFields() const;

    // The object name of an option's or result's control, and of the form's own.
    QString Named(std::string_view name, const char* kind) const;
    QString Own(const char* kind) const;

    const Calculation& m_calculation;
    QString m_prefix;
    std::vector<Alternatives> m_alternatives;
    std::vector<Field> m_fields;
    std::vector<Result> m_results;
    QPushButton* m_button = nullptr;
    NoteLabel* m_notes = nullptr;
};

} // namespace zandrevio
