#pragma once

// Traffic, length and weight: each value goes into a base unit (Erlang,
// metre, gram) by the source unit's factor and out of it by the target
// unit's rule, held in double precision after each step.
namespace zandrevio {

double ConvertTrafficUnit(long double value, int source, int target);
double ConvertLengthUnit(long double value, int source, int target);
double ConvertWeightUnit(long double value, int source, int target);

} // namespace zandrevio
