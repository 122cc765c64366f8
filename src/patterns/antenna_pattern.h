#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// An antenna as its maker's pattern file describes it: the gain of its main
// beam and two cuts of the attenuation from it, read from the MSI (Planet)
// text format or NSMA's WG16.99.050 format.
//
// The cuts are held in the MSI convention, whichever format the file is:
// - horizontal: the azimuth from boresight, 0 to 360 degrees clockwise seen
//   from above;
// - vertical: the angle in the plane through boresight, 0 at the horizon
//   ahead, rising downwards: 90 below the antenna, 180 the horizon behind,
//   270 above it (a depression angle ahead, so a beam tilted 6 degrees down
//   has its peak at 6);
// each value the attenuation from the main beam's gain, in dB (0 or more).
namespace zandrevio {

// One cut: its points in ascending angle in [0, 360), read between them
// linearly and across 360 back to the first.
class PatternCut {
public:
    struct Point {
        long double angleDeg;
        long double attenuationDb;
    };

    PatternCut() = default;
    explicit PatternCut(std::vector<Point> points); // sorted, angles distinct, at least one

    // The attenuation at an angle (any, taken modulo 360); at a point's own
    // angle its value exactly.
    long double At(long double angleDeg) const;
    const std::vector<Point>& Points() const { return m_points; }
    bool Empty() const { return m_points.empty(); }
    long double Deepest() const; // the greatest attenuation

private:
    std::vector<Point> m_points;
};

enum class PatternFormat { Msi, Nsma };

struct AntennaPattern {
    PatternFormat format = PatternFormat::Msi;
    std::string name;  // the model's name, or the file's where it has none
    std::string maker; // empty where the file does not say
    std::optional<long double> frequencyMHz;
    long double gainDbi = 0;                        // the main beam's, in dBi whatever the file's unit
    std::optional<long double> electricalTiltDeg;   // as the file states it, down positive
    std::string polarization;                       // as the file states it
    std::vector<std::string> comments;
    PatternCut horizontal;
    PatternCut vertical;
};

// Why a file is refused: the line (1 the first; 0 the file as a whole), the
// field's name where one is at fault, and what is wrong.
struct PatternFault {
    std::size_t line = 0;
    std::string field;
    std::string message;

    std::string Text() const; // "line 12 (GAIN): ..." as a message reads it
};

using PatternRead = std::variant<AntennaPattern, PatternFault>;

// The file's text read as MSI or NSMA (NSMA by its "REVNUM:," first field,
// MSI otherwise). Refused: a line that is not of the format, a value not a
// number or out of range (a gain outside -20 to 60 dBi, an attenuation below
// 0 or above 200 dB, an angle out of its cut's range, angles repeated or out
// of order), a cut with fewer points than it announces, a cut missing.
PatternRead ReadPattern(std::string_view text);
PatternRead ReadMsiPattern(std::string_view text);
PatternRead ReadNsmaPattern(std::string_view text);

// The file read; a file that cannot be read is refused at line 0.
PatternRead LoadPattern(const std::filesystem::path& file);

// A pattern as an MSI file: what ReadMsiPattern reads back to the same cuts
// (every number with the digits that read back to its value).
std::string MsiText(const AntennaPattern& pattern);

} // namespace zandrevio
