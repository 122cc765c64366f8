#include "receiver/cascade.h"

#include "receiver/noise.h"

#include "numeric/radio.h"
#include "numeric/real.h"

namespace zandrevio {

using fp::Real;

namespace {
using radio::kBoltzmann;

Real Ratio(Real db)
{
    return fp::Exp10(0.1L * db);
}

Real Db(Real ratio)
{
    return 10.0L * fp::Log10(ratio);
}

// An intercept or compression point of the chain at its output: the sum of
// each stage's inverse point carried to the output by the gain after it,
// 1/P = sum 1/(P_i G_(i+1..n)) in mW (Pozar, Microwave Engineering, 4th ed.,
// §10.3, the cascaded intercept point). Stages without a point are taken as
// linear; none with one: none. `shares` receives each stage's part (%).
std::optional<Real> OutputPoint(const std::vector<CascadeStage>& stages,
                                std::optional<long double> CascadeStage::*point,
                                std::vector<std::optional<long double>>* shares)
{
    std::vector<Real> inverse(stages.size(), Real(0.0L));
    Real sum = 0.0L;
    bool any = false;
    for (std::size_t i = 0; i < stages.size(); ++i) {
        if (!(stages[i].*point)) {
            continue;
        }
        Real after = 0.0L; // dB of the stages after this one
        for (std::size_t j = i + 1; j < stages.size(); ++j) {
            after = after + stages[j].gainDb;
        }
        inverse[i] = 1.0L / (Ratio(*(stages[i].*point)) * Ratio(after));
        sum = sum + inverse[i];
        any = true;
    }
    if (!any) {
        return std::nullopt;
    }
    if (shares != nullptr) {
        for (std::size_t i = 0; i < stages.size(); ++i) {
            (*shares)[i] =
                stages[i].*point ? std::optional<long double>((100.0L * inverse[i] / sum).Value()) : std::nullopt;
        }
    }
    return Db(1.0L / sum);
}
} // namespace

std::variant<CascadeResult, CascadeRefusal> Cascade(const std::vector<CascadeStage>& stages, long double bandwidthKhz,
                                                    long double snrDb)
{
    if (stages.empty()) {
        return CascadeRefusal{"The cascade has no stage", std::nullopt};
    }
    if (!(bandwidthKhz > 0.0L)) {
        return CascadeRefusal{"Bandwidth must be greater than 0", std::nullopt};
    }
    // Each stage's noise factor: a passive loss at 290 K has F = 1/G.
    std::vector<Real> factors;
    for (std::size_t i = 0; i < stages.size(); ++i) {
        const CascadeStage& stage = stages[i];
        const std::string who = "Stage " + std::to_string(i + 1) + " (" + stage.name + ")";
        if (!stage.noiseFigureDb && stage.gainDb >= 0.0L) {
            return CascadeRefusal{who + " has no noise figure; only a loss takes its loss as its noise figure", i};
        }
        const long double figure = stage.noiseFigureDb.value_or(-stage.gainDb);
        if (!(figure >= 0.0L)) {
            return CascadeRefusal{who + ": the noise figure must not be negative", i};
        }
        factors.push_back(Ratio(figure));
    }
    // F = F1 + (F2 - 1)/G1 + (F3 - 1)/(G1 G2) + ...  (Friis, Proc. IRE 32 (1944), eq. 13)
    CascadeResult result{};
    std::vector<Real> added(stages.size(), Real(0.0L));
    Real before = 0.0L; // dB of the gain before the stage
    Real factor = 1.0L;
    for (std::size_t i = 0; i < stages.size(); ++i) {
        added[i] = (factors[i] - 1.0L) / Ratio(before);
        factor = factor + added[i];
        before = before + stages[i].gainDb;
        result.stages.push_back({before.Value(), Db(factor).Value(), 0.0L, std::nullopt});
    }
    for (std::size_t i = 0; i < stages.size(); ++i) {
        // Of the noise the chain adds, F - 1: none where it adds none.
        result.stages[i].noiseShare = factor > 1.0L ? (100.0L * added[i] / (factor - 1.0L)).Value() : 0.0L;
    }
    result.gainDb = before.Value();
    result.noiseFigureDb = Db(factor).Value();
    result.noiseTemperatureK = (kReferenceTemperature * (factor - 1.0L)).Value();
    std::vector<std::optional<long double>> ip3Shares(stages.size());
    if (const auto oip3 = OutputPoint(stages, &CascadeStage::oip3Dbm, &ip3Shares)) {
        result.oip3Dbm = oip3->Value();
        result.iip3Dbm = (*oip3 - before).Value();
        for (std::size_t i = 0; i < stages.size(); ++i) {
            result.stages[i].ip3Share = ip3Shares[i];
        }
    }
    if (const auto op1db = OutputPoint(stages, &CascadeStage::op1dbDbm, nullptr)) {
        result.op1dbDbm = op1db->Value();
        // The input's compression point: the output's less the small-signal gain, less the 1 dB it compresses.
        result.ip1dbDbm = (*op1db - before + 1.0L).Value();
    }
    // The input-referred floor kT0 B F, and the sensitivity above it.
    const Real floor = Db(Real(kBoltzmann) * kReferenceTemperature * bandwidthKhz * 1000.0L) + 30.0L + Db(factor);
    result.noiseFloorDbm = floor.Value();
    result.sensitivityDbm = (floor + snrDb).Value();
    if (result.iip3Dbm) {
        // SFDR = 2/3 (IIP3 - N_in)  (Pozar, Microwave Engineering, 4th ed., §10.3, third-order dynamic range)
        result.sfdrDb = (2.0L / 3.0L * (Real(*result.iip3Dbm) - floor)).Value();
    }
    return result;
}

} // namespace zandrevio
