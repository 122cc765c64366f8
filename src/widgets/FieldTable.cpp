#include "widgets/FieldTable.h"

#include "widgets/EntryField.h"
#include "widgets/Feedback.h"
#include "widgets/FieldIo.h"
#include "widgets/RadioGroup.h"
#include "widgets/SpinField.h"
#include "widgets/UnitPicker.h"

#include <QLabel>

#include <stdexcept>

namespace zandrevio {

namespace {
QStringList Texts(std::span<const Choice> choices)
{
    QStringList texts;
    for (const Choice& choice : choices) {
        texts << QString::fromUtf8(choice.text.data(), static_cast<qsizetype>(choice.text.size()));
    }
    return texts;
}
} // namespace

Input ReaderOf(const QWidget& widget)
{
    if (const auto* field = qobject_cast<const QLineEdit*>(&widget)) {
        return [field] { return ReadReal(*field); };
    }
    if (const auto* spin = qobject_cast<const SpinField*>(&widget)) {
        return [spin] { return static_cast<long double>(spin->Value()); };
    }
    if (const auto* picker = qobject_cast<const UnitPicker*>(&widget)) {
        return [picker] { return static_cast<long double>(picker->TopIndex()); };
    }
    if (const auto* group = qobject_cast<const RadioGroup*>(&widget)) {
        return [group] { return static_cast<long double>(group->ItemIndex()); };
    }
    throw std::logic_error("a field table holds a widget that gives no input");
}

void RefuseAt(QWidget* widget, const std::string& message, bool beep)
{
    if (beep) {
        Beep();
    }
    ShowError(ToQString(message));
    if (auto* field = qobject_cast<EntryField*>(widget)) {
        field->SelectAndFocus();
    } else if (auto* spin = qobject_cast<SpinField*>(widget)) {
        spin->SelectAndFocus();
    }
}

void FillChoices(UnitPicker& picker, std::span<const Choice> choices)
{
    picker.SetItems(Texts(choices));
}

void FillChoices(RadioGroup& group, std::span<const Choice> choices, int columns)
{
    group.SetItems(Texts(choices), columns);
}

QString ResultText(const ResultSpec& result, long double value)
{
    return ToQString(FormatAs(result.format, value));
}

void WriteResult(QLabel& label, const ResultSpec& result, long double value)
{
    label.setText(ResultText(result, value));
}

void WriteResult(QLineEdit& field, const ResultSpec& result, long double value)
{
    field.setText(ResultText(result, value));
}

void WriteResults(std::initializer_list<ResultWrite> writes)
{
    QStringList texts;
    for (const ResultWrite& write : writes) {
        texts << ResultText(write.result, write.value);
    }
    qsizetype i = 0;
    for (const ResultWrite& write : writes) {
        write.label.setText(texts[i++]);
    }
}

void WriteResults(const std::vector<ResultValue>& results, std::initializer_list<QLabel*> labels)
{
    QStringList texts;
    for (const ResultValue& result : results) {
        texts << (result.format == ResultFormat::Text ? ToQString(result.text)
                                                      : ToQString(FormatAs(result.format, result.value)));
    }
    qsizetype i = 0;
    for (QLabel* label : labels) {
        label->setText(texts[i++]);
    }
}

} // namespace zandrevio
