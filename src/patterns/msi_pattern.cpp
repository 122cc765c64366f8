// The MSI (Planet) antenna pattern format: a header of "KEYWORD value"
// lines, then "HORIZONTAL n" and "VERTICAL n", each followed by n lines of
// "angle attenuation". The gain is in dBd unless its unit says dBi; the
// header's other keywords (H_WIDTH, V_WIDTH, FRONT_TO_BACK, makers' own) are
// the maker's summary, which the cuts themselves supersede.
#include "patterns/pattern_lines.h"

#include <cstdio>

namespace zandrevio {

using namespace pattern_lines;

namespace {

// "17.5", "17.5 dBd", "17.5 dBi", "17.5dBi": the gain in dBi.
long double GainOf(const Line& line, const std::vector<std::string_view>& words)
{
    if (words.size() < 2 || words.size() > 3) {
        Fail(line.number, "GAIN", "give the gain and its unit, as GAIN 17.5 dBd");
    }
    std::string_view number = words[1];
    std::string_view unit = words.size() == 3 ? words[2] : std::string_view("dBd");
    if (words.size() == 2 && number.size() > 3) {
        const std::string_view tail = number.substr(number.size() - 3);
        if (SameWord(tail, "dBd") || SameWord(tail, "dBi")) {
            unit = tail;
            number.remove_suffix(3);
        }
    }
    const bool dbi = SameWord(unit, "dBi");
    if (!dbi && !SameWord(unit, "dBd")) {
        Fail(line.number, "GAIN", "the unit " + Quoted(unit) + " is neither dBd nor dBi");
    }
    const long double value = NumberAt(line.number, "GAIN", number, -30.0L, 70.0L);
    const long double gain = dbi ? value : value + kDipoleGainDbi;
    if (gain < -20.0L || gain > 60.0L) {
        Fail(line.number, "GAIN", "a gain of " + std::string(words[1]) + " is out of range, -20 to 60 dBi");
    }
    return gain;
}

// "TILT 6", "TILT ELECTRICAL 6", "ELECTRICAL_TILT 6"; a mechanical tilt in
// the file is the mounting's, not the antenna's, and is left out.
void TiltOf(const Line& line, const std::vector<std::string_view>& words, AntennaPattern& pattern)
{
    std::size_t at = 1;
    if (SameWord(words[0], "TILT") && words.size() == 3) {
        if (SameWord(words[1], "MECHANICAL")) {
            return;
        }
        if (!SameWord(words[1], "ELECTRICAL")) {
            Fail(line.number, "TILT", "a tilt is ELECTRICAL or MECHANICAL, not " + Quoted(words[1]));
        }
        at = 2;
    }
    if (words.size() != at + 1) {
        Fail(line.number, "TILT", "give the tilt in degrees, as TILT ELECTRICAL 6");
    }
    pattern.electricalTiltDeg = NumberAt(line.number, "TILT", words[at], -90.0L, 90.0L);
}

std::string RestOf(std::string_view line, std::string_view keyword)
{
    std::string_view rest = line.substr(keyword.size());
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) {
        rest.remove_prefix(1);
    }
    return std::string(rest);
}

} // namespace

PatternRead ReadMsiPattern(std::string_view text)
{
    try {
        AntennaPattern pattern;
        pattern.format = PatternFormat::Msi;
        bool gainGiven = false;
        const std::vector<Line> lines = LinesOf(text);
        std::size_t i = 0;
        const auto readCut = [&](const Line& header, const std::vector<std::string_view>& words, PatternCut& cut,
                                 const std::string& name) {
            if (!cut.Empty()) {
                Fail(header.number, name, "the " + name + " cut is given twice");
            }
            if (words.size() != 2) {
                Fail(header.number, name, "give the number of points, as " + name + " 360");
            }
            const long double announced = NumberAt(header.number, name, words[1], 1.0L, 36000.0L);
            const auto count = static_cast<std::size_t>(announced);
            if (static_cast<long double>(count) != announced) {
                Fail(header.number, name, "the number of points must be whole");
            }
            std::vector<PatternCut::Point> points;
            std::vector<std::size_t> numbers;
            while (points.size() < count) {
                if (++i >= lines.size()) {
                    Fail(header.number, name,
                         "the cut announces " + std::to_string(count) + " points and the file ends after " +
                             std::to_string(points.size()));
                }
                const Line& line = lines[i];
                if (line.text.empty()) {
                    continue;
                }
                const std::vector<std::string_view> pair = WordsOf(line.text);
                const char lead = pair.front().front();
                if (lead != '-' && lead != '+' && lead != '.' && !(lead >= '0' && lead <= '9')) {
                    // A keyword where a point should be: the cut ended short.
                    Fail(header.number, name,
                         "the cut announces " + std::to_string(count) + " points and has " +
                             std::to_string(points.size()) + " (line " + std::to_string(line.number) + " is " +
                             Quoted(pair.front()) + ")");
                }
                if (pair.size() != 2) {
                    Fail(line.number, name,
                         "the cut announces " + std::to_string(count) + " points; this line, after " +
                             std::to_string(points.size()) + ", is not 'angle attenuation'");
                }
                points.push_back({NumberAt(line.number, name, pair[0], 0.0L, 360.0L),
                                  NumberAt(line.number, name, pair[1], 0.0L, 200.0L)});
                numbers.push_back(line.number);
            }
            // 360 is 0 again: one point where the cut gives it twice with one value.
            if (points.size() > 1 && points.back().angleDeg == 360.0L) {
                if (points.front().angleDeg != 0.0L) {
                    points.insert(points.begin(), {0.0L, points.back().attenuationDb});
                    numbers.insert(numbers.begin(), numbers.back());
                } else if (points.front().attenuationDb != points.back().attenuationDb) {
                    Fail(numbers.back(), name,
                         "360 degrees is 0 again, given with another value on line " + std::to_string(numbers.front()));
                }
                points.pop_back();
                numbers.pop_back();
            } else if (points.size() == 1 && points.front().angleDeg == 360.0L) {
                points.front().angleDeg = 0.0L;
            }
            cut = CutOf(std::move(points), numbers, name);
        };
        for (; i < lines.size(); ++i) {
            const Line& line = lines[i];
            if (line.text.empty()) {
                continue;
            }
            const std::vector<std::string_view> words = WordsOf(line.text);
            const std::string_view key = words[0];
            if (SameWord(key, "HORIZONTAL")) {
                readCut(line, words, pattern.horizontal, "HORIZONTAL");
            } else if (SameWord(key, "VERTICAL")) {
                readCut(line, words, pattern.vertical, "VERTICAL");
            } else if (SameWord(key, "NAME")) {
                pattern.name = RestOf(line.text, key);
            } else if (SameWord(key, "MAKE")) {
                pattern.maker = RestOf(line.text, key);
            } else if (SameWord(key, "COMMENT")) {
                pattern.comments.push_back(RestOf(line.text, key));
            } else if (SameWord(key, "POLARIZATION")) {
                pattern.polarization = RestOf(line.text, key);
            } else if (SameWord(key, "FREQUENCY")) {
                if (words.size() < 2) {
                    Fail(line.number, "FREQUENCY", "give the frequency in MHz");
                }
                pattern.frequencyMHz = NumberAt(line.number, "FREQUENCY", words[1], 1.0e-3L, 3.0e6L);
            } else if (SameWord(key, "GAIN")) {
                if (gainGiven) {
                    Fail(line.number, "GAIN", "the gain is given twice");
                }
                pattern.gainDbi = GainOf(line, words);
                gainGiven = true;
            } else if (SameWord(key, "TILT") || SameWord(key, "ELECTRICAL_TILT")) {
                TiltOf(line, words, pattern);
            } else if (words.size() >= 1 && (key.front() == '-' || key.front() == '.' ||
                                              (key.front() >= '0' && key.front() <= '9'))) {
                Fail(line.number, {}, "a point outside a cut: more points than its HORIZONTAL or VERTICAL line says");
            }
            // Any other keyword is a maker's own summary: kept out of the calculation.
        }
        if (!gainGiven) {
            Fail(0, "GAIN", "the file gives no GAIN line: the pattern's attenuations need the main beam's gain");
        }
        if (pattern.horizontal.Empty() || pattern.vertical.Empty()) {
            Fail(0, pattern.horizontal.Empty() ? "HORIZONTAL" : "VERTICAL",
                 std::string("the file has no ") + (pattern.horizontal.Empty() ? "horizontal" : "vertical") +
                     " cut: a pattern needs both");
        }
        return pattern;
    } catch (const Faulted& faulted) {
        return faulted.fault;
    }
}

std::string MsiText(const AntennaPattern& pattern)
{
    const auto exact = [](long double value) {
        char text[64];
        std::snprintf(text, sizeof text, "%.21Lg", value);
        return std::string(text);
    };
    std::string text = "NAME " + pattern.name + "\n";
    if (!pattern.maker.empty()) {
        text += "MAKE " + pattern.maker + "\n";
    }
    if (pattern.frequencyMHz) {
        text += "FREQUENCY " + exact(*pattern.frequencyMHz) + "\n";
    }
    text += "GAIN " + exact(pattern.gainDbi) + " dBi\n";
    if (pattern.electricalTiltDeg) {
        text += "TILT ELECTRICAL " + exact(*pattern.electricalTiltDeg) + "\n";
    }
    for (const std::string& comment : pattern.comments) {
        text += "COMMENT " + comment + "\n";
    }
    for (const auto& [name, cut] : {std::pair{"HORIZONTAL", &pattern.horizontal}, std::pair{"VERTICAL", &pattern.vertical}}) {
        text += std::string(name) + " " + std::to_string(cut->Points().size()) + "\n";
        for (const PatternCut::Point& point : cut->Points()) {
            text += exact(point.angleDeg) + " " + exact(point.attenuationDb) + "\n";
        }
    }
    return text;
}

} // namespace zandrevio
