#include "cli/output.h"

namespace zandrevio::cli {

void WritePlain(std::ostream& out, const Answer& answer)
{
    for (const ResultText& result : answer.results) {
        out << result.name << ' ' << result.value;
        if (!result.unit.empty()) {
            out << ' ' << result.unit;
        }
        out << '\n';
    }
    for (const auto& [distance, gain] : answer.curve) {
        out << "curve " << distance << " km " << gain << " dB\n";
    }
}

nlohmann::ordered_json ToJson(const Answer& answer)
{
    nlohmann::ordered_json json;
    json["calculation"] = answer.calculation;
    json["inputs"] = nlohmann::ordered_json::object();
    for (const auto& [name, text] : answer.inputs) {
        json["inputs"][name] = text;
    }
    json["results"] = nlohmann::ordered_json::object();
    for (const ResultText& result : answer.results) {
        json["results"][result.name] = {{"value", result.value}, {"unit", result.unit}};
    }
    json["warnings"] = answer.warnings;
    json["error"] = answer.Failed() ? nlohmann::ordered_json(answer.error) : nlohmann::ordered_json(nullptr);
    if (!answer.curve.empty()) {
        json["curve"] = nlohmann::ordered_json::array();
        for (const auto& [distance, gain] : answer.curve) {
            json["curve"].push_back({{"distance", distance}, {"gain", gain}});
        }
    }
    return json;
}

} // namespace zandrevio::cli
