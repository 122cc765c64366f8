#include "cli/output.h"

namespace zandrevio::cli {

namespace {
void WriteLines(std::ostream& out, const std::vector<ResultText>& results)
{
    for (const ResultText& result : results) {
        out << result.name << ' ' << result.value;
        if (!result.unit.empty()) {
            out << ' ' << result.unit;
        }
        out << '\n';
    }
}

nlohmann::ordered_json Object(const std::vector<ResultText>& results)
{
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    for (const ResultText& result : results) {
        json[result.name] = {{"value", result.value}, {"unit", result.unit}};
    }
    return json;
}
} // namespace

void WritePlain(std::ostream& out, const Answer& answer)
{
    if (answer.matches.empty()) {
        WriteLines(out, answer.results);
    }
    for (const std::vector<ResultText>& match : answer.matches) {
        WriteLines(out, match);
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
    json["results"] = Object(answer.results);
    json["warnings"] = answer.warnings;
    json["error"] = answer.Failed() ? nlohmann::ordered_json(answer.error) : nlohmann::ordered_json(nullptr);
    if (!answer.matches.empty()) {
        json["matches"] = nlohmann::ordered_json::array();
        for (const std::vector<ResultText>& match : answer.matches) {
            json["matches"].push_back(Object(match));
        }
    }
    if (!answer.curve.empty()) {
        json["curve"] = nlohmann::ordered_json::array();
        for (const auto& [distance, gain] : answer.curve) {
            json["curve"].push_back({{"distance", distance}, {"gain", gain}});
        }
    }
    return json;
}

} // namespace zandrevio::cli
