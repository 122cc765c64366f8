#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <variant>
#include <vector>

// A terrain profile between two antennas, and the answer of whatever reads or
// cuts one: the profile, or the reason it could not be had.
namespace zandrevio {

// One point of a profile: its distance from the transmitter (km) and the
// height of the ground there above sea level (m).
struct ProfilePoint {
    long double distanceKm;
    long double heightM;
};

// The ground from the transmitter (distance 0) to the receiver (the last
// point). The spacing need not be uniform.
struct TerrainProfile {
    std::vector<ProfilePoint> points;

    // The path's length: the last point's distance, 0 for an empty profile.
    long double LengthKm() const { return points.empty() ? 0.0L : points.back().distanceKm; }
};

// The ground of the earth lies between the deepest sea floor (the Challenger
// Deep, 10 935 m down) and the highest summit (8 849 m): a height beyond
// these bounds is a slip of the data, not terrain.
inline constexpr long double kLowestGroundM = -11000.0L;
inline constexpr long double kHighestGroundM = 9000.0L;
// No two places on earth are farther apart than half a great circle.
inline constexpr long double kLongestPathKm = 20037.5L;

// Why a height or distance is no terrain's, or "" (for the message of a
// profile's point or line).
std::string GroundHeightFault(long double heightM);
std::string PathLengthFault(long double distanceKm);

// Why a profile cannot carry a path calculation, naming the first bad point
// (counted from 1): fewer than 3 points, a value that is not finite, a first
// distance other than 0, distances not strictly increasing, a height beyond
// any ground, a path longer than half a great circle; "" when it can.
std::string ProfileFault(const TerrainProfile& profile);

// A value read or cut from terrain data, or the message of why it was not.
template <typename T>
class TerrainOutcome {
public:
    TerrainOutcome(T value)
        : m_value(std::move(value))
    {
    }
    static TerrainOutcome Failure(std::string message) { return TerrainOutcome(Message{std::move(message)}); }

    bool Ok() const { return std::holds_alternative<T>(m_value); }
    const T& Value() const { return std::get<T>(m_value); }
    T& Value() { return std::get<T>(m_value); }
    const std::string& Error() const { return std::get<Message>(m_value).text; }

private:
    struct Message {
        std::string text;
    };
    explicit TerrainOutcome(Message message)
        : m_value(std::move(message))
    {
    }
    std::variant<T, Message> m_value;
};

} // namespace zandrevio
