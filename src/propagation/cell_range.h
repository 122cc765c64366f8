#pragma once

#include "calculation/protocol.h"
#include "propagation/path_loss.h"

#include <string>
#include <vector>

// How far a cell reaches: the maximum allowed path loss of a downlink
// budget, the distance at which a planning model's loss reaches it, and the
// area of a hexagonal cell of that radius.
namespace zandrevio {

inline constexpr Choice kCellRangeModels[] = {{"Hata", "hata"}, {"COST-231 Hata", "cost-231"}};

enum class CellRangeField {
    Model,
    Area,
    Frequency,
    BsHeight,
    MsHeight,
    Power,
    BsGain,
    MsGain,
    FeederLoss,
    Sensitivity,
    FadingMargin,
    BodyLoss,
    PenetrationLoss,
    MaxPathLoss,
};
// The budget's fields (power to penetration loss), and the range's (model
// to mobile height, and the maximum allowed path loss).
extern const CalculationSpec<CellRangeField> kMaximumPathLoss;
extern const CalculationSpec<CellRangeField> kCellRange;
// The range's fields less the maximum allowed path loss, then the budget's.
extern const CalculationSpec<CellRangeField> kCellRangeOfBudget;
extern const ResultSpec kMaxPathLossResult;
extern const ResultSpec kCellRadiusResult;
extern const ResultSpec kCellAreaResult;

// MAPL = Pt + Gbs + Gms - feeder - fading - body - penetration - sensitivity (dB, dBm),
// the sensitivity a negative level: 43 dBm + 17 dBi - 14 dB + 104 dB = 150 dB.
// Reads the fields in their order; refuses a power not above 0 and a
// negative body or penetration loss.
Outcome<long double, CellRangeField> MaximumPathLoss(const Inputs<CellRangeField>& in);

struct CellRangeResult {
    long double maxPathLossDb; // the loss the radius reaches
    long double radiusKm;      // to the metre
    long double areaKm2;
    std::vector<std::string> warnings; // the model's validity at that radius
};

// The maximum allowed path loss, the radius and the area, as written.
extern const std::vector<ResultOf<CellRangeResult>> kCellRangeResults;

// The distance (1 m to 10000 km) at which the model's loss reaches the
// maximum allowed path loss, to the nearest metre.
Outcome<CellRangeResult, CellRangeField> CellRange(const Inputs<CellRangeField>& in);
// The range of a downlink budget: its maximum allowed path loss, then the
// distance at which the model reaches it.
Outcome<CellRangeResult, CellRangeField> CellRangeOfBudget(const Inputs<CellRangeField>& in);

// The area of a regular hexagon of circumradius R: 3 sqrt(3) / 2 R^2.
long double HexagonArea(long double radiusKm);

// The level the mobile receives with every margin taken off, at `points`
// distances evenly up to `farKm` (the first a step from the mast):
// Pt + Gbs + Gms - feeder - fading - body - penetration - L(d), in dBm. It
// falls to the receiver's sensitivity at the cell radius.
struct LevelPoint {
    long double distanceKm;
    long double levelDbm;
};
std::vector<LevelPoint> ReceivedLevels(const Inputs<CellRangeField>& in, long double farKm, int points);

} // namespace zandrevio
