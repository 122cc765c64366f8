#pragma once

#include "calculation/calculation.h"
#include "numeric/format.h"
#include "calculation/protocol.h"

#include <QString>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QWidget;

namespace zandrevio {

class UnitPicker;
class RadioGroup;

// What a field of the window gives a calculation: an entry field its text
// read by ParseReal, a spin field its whole number, a picker or radio group
// its chosen item.
Input ReaderOf(const QWidget& widget);
// The refusal of a field: the beep where the calculation sounds one, the
// error box, then the field selected and focused.
void RefuseAt(QWidget* widget, const std::string& message, bool beep);
// Fills a picker or a radio group with the items of a list of choices.
void FillChoices(UnitPicker& picker, std::span<const Choice> choices);
void FillChoices(RadioGroup& group, std::span<const Choice> choices, int columns);

// A result written as its description says: 5 digits, to hundredths first,
// or the 15 digits of a field the program writes back.
QString ResultText(const ResultSpec& result, long double value);
void WriteResult(QLabel& label, const ResultSpec& result, long double value);
void WriteResult(QLineEdit& field, const ResultSpec& result, long double value);

// Several results: every text is made before the first is written, so a
// value that cannot be written leaves all of them as they were.
struct ResultWrite {
    QLabel& label;
    const ResultSpec& result;
    long double value;
};
void WriteResults(std::initializer_list<ResultWrite> writes);
// The results of a calculation's value, by its projections, each into the
// label in the same place: all texts made before the first is written.
void WriteResults(const std::vector<ResultValue>& results, std::initializer_list<QLabel*> labels);
template <typename T>
void WriteResults(const T& value, const std::vector<ResultOf<T>>& results, std::initializer_list<QLabel*> labels)
{
    WriteResults(ResultsOf(value, results), labels);
}

// Which widget of a panel holds each field of a calculation: the panel's
// inputs are read through it and its refusals routed by it.
template <typename Field>
class FieldTable {
public:
    struct Entry {
        Field field;
        QWidget* widget;
        // Reads the field where it is not simply its widget's value.
        std::function<long double()> reader = {};
    };

    FieldTable() = default;
    FieldTable(std::initializer_list<Entry> entries)
        : m_entries(entries)
    {
    }

    Inputs<Field> Read() const
    {
        Inputs<Field> inputs;
        for (const Entry& entry : m_entries) {
            if (entry.reader) {
                inputs.Set(entry.field, entry.reader);
            } else if (entry.widget != nullptr) {
                inputs.Set(entry.field, ReaderOf(*entry.widget));
            }
        }
        return inputs;
    }

    void Refuse(const Refusal<Field>& refusal) const
    {
        RefuseAt(WidgetOf(refusal.field), refusal.message, refusal.beep);
    }

    QWidget* WidgetOf(Field field) const
    {
        for (const Entry& entry : m_entries) {
            if (entry.field == field) {
                return entry.widget;
            }
        }
        return nullptr;
    }

    const std::vector<Entry>& Entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
};

} // namespace zandrevio
