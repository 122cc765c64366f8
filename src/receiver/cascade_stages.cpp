#include "receiver/cascade_stages.h"

#include "numeric/app_error.h"
#include "numeric/decimal_separator.h"
#include "numeric/parse_real.h"
#include "calculation/request.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace zandrevio {

std::variant<CascadeStage, std::string> ParseStage(std::string_view text, std::size_t index)
{
    const char separator = DecimalSeparator() == ',' ? ';' : ',';
    const std::string who = "Stage " + std::to_string(index + 1);
    CascadeStage stage;
    stage.name = "stage " + std::to_string(index + 1);
    bool gain = false;
    std::vector<std::string> keys; // each given once: a second would silently win

    for (std::size_t begin = 0; begin <= text.size();) {
        std::size_t end = text.find(separator, begin);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view pair = text.substr(begin, end - begin);
        begin = end + 1;
        if (pair.empty()) {
            continue;
        }
        const std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos) {
            return who + ": '" + std::string(pair) + "' is not key=value";
        }
        const std::string_view key = pair.substr(0, equals);
        const std::string value(pair.substr(equals + 1));
        std::string lowered(key);
        for (char& c : lowered) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        if (std::find(keys.begin(), keys.end(), lowered) != keys.end()) {
            return who + ": the key '" + std::string(key) + "' is given twice";
        }
        keys.push_back(lowered);
        if (SameWithoutCase(key, "name")) {
            stage.name = value;
            continue;
        }
        std::optional<long double>* slot = nullptr;
        if (SameWithoutCase(key, "nf")) {
            slot = &stage.noiseFigureDb;
        } else if (SameWithoutCase(key, "oip3")) {
            slot = &stage.oip3Dbm;
        } else if (SameWithoutCase(key, "p1db")) {
            slot = &stage.op1dbDbm;
        } else if (!SameWithoutCase(key, "gain")) {
            return who + ": no key '" + std::string(key) + "' (name, gain, nf, oip3, p1db)";
        }
        long double number = 0.0L;
        try {
            number = ParseReal(value);
        } catch (const ConversionFailure&) {
            return who + ": " + std::string(key) + " '" + value + "' is not a number";
        }
        if (slot != nullptr) {
            *slot = number;
        } else {
            stage.gainDb = number;
            gain = true;
        }
    }
    if (!gain) {
        return who + " (" + stage.name + ") has no gain: give gain=dB, negative for a loss";
    }
    return stage;
}

} // namespace zandrevio
