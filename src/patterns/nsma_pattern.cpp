// NSMA's standard format for digitized antenna patterns (Recommendation
// WG16.99.050): "FIELD:,value," lines (REVNUM, ANTMAN, MODNUM, LOWFRQ,
// HGHFRQ, GUNITS, MDGAIN, ELTILT, ...), then each cut as PATCUT (AZ or EL),
// POLARI (as H/H), NUPOIN (its points) and FSTLST, followed by its points as
// "angle,relative gain," in degrees from -180 to 180 and dB (0 or less),
// and ENDFIL. An elevation cut's angle is the elevation, up positive.
//
// Of several cuts the first co-polar (H/H, V/V) azimuth and elevation cuts
// are read, the first of each where no polarization is given.
#include "patterns/pattern_lines.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

namespace zandrevio {

using namespace pattern_lines;

namespace {

struct FieldLine {
    std::string key; // without its colon, upper case
    std::vector<std::string_view> values;
};

// "KEY:,a,b," as its key and values; none for a line of points.
std::optional<FieldLine> FieldOf(std::string_view text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 8) {
        return std::nullopt;
    }
    FieldLine field;
    for (const char c : text.substr(0, colon)) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
        field.key += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    std::string_view rest = text.substr(colon + 1);
    std::size_t start = rest.empty() || rest.front() != ',' ? 0 : 1;
    while (start < rest.size()) {
        std::size_t end = rest.find(',', start);
        end = end == std::string_view::npos ? rest.size() : end;
        std::string_view value = rest.substr(start, end - start);
        while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) {
            value.remove_prefix(1);
        }
        while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) {
            value.remove_suffix(1);
        }
        field.values.push_back(value);
        start = end + 1;
    }
    while (!field.values.empty() && field.values.back().empty()) {
        field.values.pop_back();
    }
    return field;
}

std::string_view First(const FieldLine& field, std::size_t line)
{
    if (field.values.empty()) {
        Fail(line, field.key, "the field has no value");
    }
    return field.values.front();
}

struct Cut {
    bool azimuth = true;
    std::string polarization;
    std::size_t count = 0;
    std::size_t line = 0;
    std::size_t countLine = 0; // NUPOIN's
    std::vector<PatternCut::Point> points; // in the MSI convention
    std::vector<std::size_t> lines;
};

bool CoPolar(const std::string& polarization)
{
    const std::size_t slash = polarization.find('/');
    return slash != std::string::npos && polarization.substr(0, slash) == polarization.substr(slash + 1);
}

// How well a cut serves as the pattern: co-polar first, then one that does
// not say, never a cross-polar one.
int Rank(const Cut& cut)
{
    return CoPolar(cut.polarization) ? 2 : cut.polarization.empty() ? 1 : 0;
}

// The cut's points sorted into the MSI convention; -180 and 180 are one
// angle, given once or twice with one value.
PatternCut MsiCut(Cut cut)
{
    std::vector<std::size_t> order(cut.points.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return cut.points[a].angleDeg < cut.points[b].angleDeg; });
    std::vector<PatternCut::Point> points;
    std::vector<std::size_t> lines;
    for (const std::size_t i : order) {
        if (!points.empty() && points.back().angleDeg == cut.points[i].angleDeg &&
            points.back().attenuationDb == cut.points[i].attenuationDb) {
            continue; // the same direction twice (-180 and 180)
        }
        points.push_back(cut.points[i]);
        lines.push_back(cut.lines[i]);
    }
    const std::string name = cut.azimuth ? "AZ" : "EL";
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (points[i].angleDeg == points[i - 1].angleDeg) {
            Fail(lines[i], "PATCUT " + name, "this direction is given twice with different values (see line " +
                                                 std::to_string(lines[i - 1]) + ")");
        }
    }
    return CutOf(std::move(points), lines, "PATCUT " + name);
}

} // namespace

PatternRead ReadNsmaPattern(std::string_view text)
{
    try {
        AntennaPattern pattern;
        pattern.format = PatternFormat::Nsma;
        std::optional<long double> gain;
        std::size_t gainLine = 0;
        std::optional<bool> dbd; // the gain's unit, where a field states it
        std::optional<long double> low;
        std::optional<long double> high;
        std::vector<Cut> cuts;
        bool ended = false;
        for (const Line& line : LinesOf(text)) {
            if (line.text.empty()) {
                continue;
            }
            if (ended) {
                Fail(line.number, {}, "a line after ENDFIL");
            }
            Cut* open = cuts.empty() || cuts.back().points.size() == cuts.back().count ? nullptr : &cuts.back();
            const std::optional<FieldLine> field = FieldOf(line.text);
            if (!field) {
                if (open == nullptr || open->count == 0) {
                    Fail(line.number, {}, "neither a field (NAME:,value) nor a point of a cut with its NUPOIN");
                }
                const std::vector<std::string_view> pair = WordsOf(line.text, ',');
                if (pair.size() != 2) {
                    Fail(line.number, open->azimuth ? "PATCUT AZ" : "PATCUT EL", "a point is 'angle,relative gain,'");
                }
                const long double angle = NumberAt(line.number, "angle", pair[0], -180.0L, 360.0L);
                const long double relative = NumberAt(line.number, "relative gain", pair[1], -200.0L, 0.0L);
                // The azimuth clockwise as MSI's; the elevation (up) as MSI's depression (down).
                long double msi = std::fmod(open->azimuth ? angle : -angle, 360.0L);
                msi = msi < 0.0L ? msi + 360.0L : msi;
                open->points.push_back({msi, -relative});
                open->lines.push_back(line.number);
                continue;
            }
            // Before its points a cut takes its own fields; any other field,
            // or any once its points have begun, ends it short.
            const bool ownField = field->key == "POLARI" || field->key == "NUPOIN" || field->key == "NUPOINTS" ||
                field->key == "FSTLST";
            if (open != nullptr && open->count > 0 && (!open->points.empty() || !ownField)) {
                Fail(line.number, field->key,
                     "the cut of line " + std::to_string(open->line) + " announces " + std::to_string(open->count) +
                         " points and has " + std::to_string(open->points.size()));
            }
            const std::string& key = field->key;
            if (key == "ANTMAN") {
                pattern.maker = std::string(First(*field, line.number));
            } else if (key == "MODNUM") {
                pattern.name = std::string(First(*field, line.number));
            } else if (key.rfind("DESCR", 0) == 0 || key.rfind("COMNT", 0) == 0) {
                if (!field->values.empty()) {
                    pattern.comments.emplace_back(field->values.front());
                }
            } else if (key == "LOWFRQ" || key == "HGHFRQ") {
                (key == "LOWFRQ" ? low : high) = NumberAt(line.number, key, First(*field, line.number), 1.0e-3L, 3.0e6L);
            } else if (key == "GUNITS") {
                const std::string_view units = First(*field, line.number);
                const bool inDbd = units.size() >= 3 && SameWord(units.substr(0, 3), "DBD");
                if (!inDbd && !(units.size() >= 3 && SameWord(units.substr(0, 3), "DBI"))) {
                    Fail(line.number, key, "the gain's unit " + Quoted(units) + " is neither DBI nor DBD");
                }
                if (dbd && *dbd != inDbd) {
                    Fail(line.number, key, "the gain's unit disagrees with the one stated before");
                }
                dbd = inDbd;
            } else if (key == "MDGAIN") {
                gain = NumberAt(line.number, key, First(*field, line.number), -30.0L, 70.0L);
                gainLine = line.number;
                if (field->values.size() > 1) {
                    const bool inDbd = SameWord(field->values[1], "dBd");
                    if (!inDbd && !SameWord(field->values[1], "dBi")) {
                        Fail(line.number, key, "the gain's unit " + Quoted(field->values[1]) + " is neither dBi nor dBd");
                    }
                    if (dbd && *dbd != inDbd) {
                        Fail(line.number, key, "the gain's unit disagrees with the one stated before");
                    }
                    dbd = inDbd;
                }
            } else if (key == "ELTILT") {
                pattern.electricalTiltDeg = NumberAt(line.number, key, First(*field, line.number), -90.0L, 90.0L);
            } else if (key == "PATCUT") {
                const std::string_view plane = First(*field, line.number);
                Cut cut;
                cut.line = line.number;
                if (SameWord(plane, "AZ") || SameWord(plane, "H") || SameWord(plane, "HOR")) {
                    cut.azimuth = true;
                } else if (SameWord(plane, "EL") || SameWord(plane, "V") || SameWord(plane, "VER")) {
                    cut.azimuth = false;
                } else {
                    Fail(line.number, key, "a cut is AZ or EL, not " + Quoted(plane));
                }
                cuts.push_back(std::move(cut));
            } else if (key == "POLARI" || key == "NUPOIN" || key == "NUPOINTS" || key == "FSTLST") {
                if (cuts.empty()) {
                    Fail(line.number, key, "this field belongs to a cut: give PATCUT first");
                }
                Cut& cut = cuts.back();
                if (key == "POLARI") {
                    cut.polarization = std::string(First(*field, line.number));
                    std::transform(cut.polarization.begin(), cut.polarization.end(), cut.polarization.begin(),
                                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
                } else if (key == "FSTLST") {
                    // The first and last angles: the points themselves say them.
                } else {
                    if (cut.count > 0) {
                        Fail(line.number, key, "the cut's number of points is given twice");
                    }
                    const long double count = NumberAt(line.number, key, First(*field, line.number), 1.0L, 36001.0L);
                    if (count != std::floor(count)) {
                        Fail(line.number, key, "the number of points must be whole");
                    }
                    cut.count = static_cast<std::size_t>(count);
                    cut.countLine = line.number;
                }
            } else if (key == "ENDFIL") {
                ended = true;
            }
            // Every other field describes the antenna (its VSWR, its size, ...) and not its pattern.
        }
        if (!cuts.empty() && cuts.back().points.size() < cuts.back().count) {
            Fail(cuts.back().countLine, "NUPOIN",
                 "the cut announces " + std::to_string(cuts.back().count) + " points and the file ends after " +
                     std::to_string(cuts.back().points.size()));
        }
        if (!gain) {
            Fail(0, "MDGAIN", "the file gives no mid-band gain (MDGAIN): the pattern's relative gains need it");
        }
        pattern.gainDbi = dbd.value_or(false) ? *gain + kDipoleGainDbi : *gain;
        if (pattern.gainDbi < -20.0L || pattern.gainDbi > 60.0L) {
            Fail(gainLine, "MDGAIN", "the gain is out of range, -20 to 60 dBi");
        }
        if (low && high) {
            pattern.frequencyMHz = (*low + *high) / 2.0L;
        } else if (low || high) {
            pattern.frequencyMHz = low ? *low : *high;
        }
        // The first co-polar cut of each plane, or the first where none says its polarization.
        for (const bool azimuth : {true, false}) {
            const Cut* chosen = nullptr;
            for (const Cut& cut : cuts) {
                if (cut.azimuth == azimuth && cut.count > 0 && (chosen == nullptr || Rank(cut) > Rank(*chosen))) {
                    chosen = &cut;
                }
            }
            if (chosen == nullptr) {
                Fail(0, "PATCUT", std::string("the file has no ") + (azimuth ? "azimuth (AZ)" : "elevation (EL)") +
                                      " cut: a pattern needs both");
            }
            if (Rank(*chosen) == 0) {
                Fail(chosen->line, "POLARI",
                     std::string("the file's ") + (azimuth ? "azimuth (AZ)" : "elevation (EL)") + " cuts are all " +
                         "cross-polar (" + chosen->polarization + "): a pattern needs the co-polar cut");
            }
            (azimuth ? pattern.horizontal : pattern.vertical) = MsiCut(*chosen);
            if (azimuth) {
                pattern.polarization = chosen->polarization;
            }
        }
        if (pattern.name.empty()) {
            pattern.name = "(no model number)";
        }
        return pattern;
    } catch (const Faulted& faulted) {
        return faulted.fault;
    }
}

} // namespace zandrevio
