#include "cli/command_kit.h"
#include "units/field_strength.h"
#include "units/unit_tables.h"

namespace zandrevio::cli {

namespace {
// The converted value carries the target unit as its unit.
template <typename Field>
ResultText Converted(double value, const Settings& settings, const CalculationSpec<Field>& calculation, Field to,
                     int target)
{
    ResultText text = Result(kConvertedValue, value, settings);
    text.unit = std::string(SpecOf(calculation, to).choices[static_cast<std::size_t>(target)].text);
    return text;
}

Answer FieldStrength(const Request& request, const Settings& settings)
{
    const Inputs<FieldStrengthField> in = InputsFrom(request, kFieldStrengthConversion);
    return AnswerOf(ConvertFieldStrengthUnit(in), [&](Answer& answer, double value) {
        answer.results.push_back(Converted(value, settings, kFieldStrengthConversion, FieldStrengthField::To,
                                           in.Index(FieldStrengthField::To)));
    });
}

Command Units(const char* name, const char* summary, const CalculationSpec<UnitField>& calculation,
              double (*convert)(const Inputs<UnitField>&))
{
    auto run = [&calculation, convert](const Request& request, const Settings& settings) {
        const Inputs<UnitField> in = InputsFrom(request, calculation);
        Answer answer;
        answer.results.push_back(Converted(convert(in), settings, calculation, UnitField::To, in.Index(UnitField::To)));
        return answer;
    };
    return {name, summary, OptionsOf(calculation), Names({kConvertedValue}), run};
}
} // namespace

void AddUnitCommands(std::vector<Command>& commands)
{
    commands.push_back({"convert-field-strength", "Field strength and power units", OptionsOf(kFieldStrengthConversion),
                        Names({kConvertedValue}), FieldStrength});
    commands.push_back(Units("convert-traffic", "Traffic units", kTrafficUnitConversion, ConvertTrafficUnit));
    commands.push_back(Units("convert-length", "Length units", kLengthUnitConversion, ConvertLengthUnit));
    commands.push_back(Units("convert-weight", "Weight units", kWeightUnitConversion, ConvertWeightUnit));
}

} // namespace zandrevio::cli
