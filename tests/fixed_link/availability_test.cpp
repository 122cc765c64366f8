#include "fixed_link/availability.h"
#include "fixed_link/polarization_tilt.h"

#include <gtest/gtest.h>

#include <string>

namespace zandrevio {
namespace {

using F = AvailabilityField;

struct Hop {
    long double km = 20.0L;
    long double mhz = 18000.0L;
    const char* polarization = "horizontal";
    long double rainRate = 42.0L;
    long double dN1 = -400.0L;
    long double saM = 20.0L;
    long double latitudeDeg = 45.0L;
    long double txM = 0.0L;
    long double rxM = 0.0L;
    long double pressureHpa = 1013.25L;
    long double temperatureC = 15.0L;
    long double vapourGm3 = 7.5L;
    long double fadeMarginDb = 40.0L;
    long double targetPercent = 99.999L;
};

Inputs<F> InputsOf(const Hop& hop)
{
    return {{F::Distance, hop.km},
            {F::Frequency, hop.mhz},
            {F::Polarization, PolarizationInput(hop.polarization)},
            {F::RainRate, hop.rainRate},
            {F::Dn1, hop.dN1},
            {F::Sa, hop.saM},
            {F::Latitude, hop.latitudeDeg},
            {F::TxAltitude, hop.txM},
            {F::RxAltitude, hop.rxM},
            {F::Pressure, hop.pressureHpa},
            {F::Temperature, hop.temperatureC},
            {F::WaterVapour, hop.vapourGm3},
            {F::FadeMargin, hop.fadeMarginDb},
            {F::TargetAvailability, hop.targetPercent}};
}

AvailabilityResult Calculate(const Hop& hop)
{
    const auto outcome = Availability(InputsOf(hop));
    EXPECT_TRUE(outcome.Ok()) << (outcome.Ok() ? "" : outcome.Error().message);
    return outcome.Ok() ? outcome.Value() : AvailabilityResult{};
}

bool Warns(const AvailabilityResult& result, const std::string& words)
{
    for (const std::string& warning : result.warnings) {
        if (warning.find(words) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// Two hops worked by hand: rain by P.838-3 and P.530-17 §2.4.1 solved for
// p, multipath by §2.3.2 from the detailed method's p0 and §2.3.4 (at 40
// digits with mpmath), their sum, and the minutes of a 365.25-day year.
TEST(Availability, HopsWorkedByHand)
{
    struct Case {
        Hop hop;
        long double specific, rain, multipath, availability, minutes;
    };
    Hop sloping;
    sloping.km = 40.0L;
    sloping.mhz = 7500.0L;
    sloping.polarization = "vertical";
    sloping.rainRate = 30.0L;
    sloping.dN1 = -300.0L;
    sloping.saM = 50.0L;
    sloping.latitudeDeg = 52.0L;
    sloping.txM = 250.0L;
    sloping.rxM = 600.0L;
    sloping.fadeMarginDb = 12.0L;
    const Case cases[] = {
        {Hop{}, 4.03654648069L, 0.0094214750784L, 0.000565851165413L, 99.9900126738L, 52.529341112L},
        {sloping, 0.293235058314L, 0.00040253866275L, 0.0256712888907L, 99.9739261724L, 137.1379034L},
    };
    for (const Case& c : cases) {
        const AvailabilityResult result = Calculate(c.hop);
        EXPECT_NEAR(result.rainSpecificDbPerKm / c.specific, 1.0L, 1e-10L) << c.hop.km;
        EXPECT_NEAR(result.rainOutagePercent / c.rain, 1.0L, 1e-9L) << c.hop.km;
        EXPECT_NEAR(result.multipathOutagePercent / c.multipath, 1.0L, 1e-9L) << c.hop.km;
        EXPECT_NEAR(result.outagePercent, result.rainOutagePercent + result.multipathOutagePercent, 1e-18L);
        EXPECT_NEAR(result.availabilityPercent, c.availability, 1e-9L) << c.hop.km;
        EXPECT_NEAR(result.outageMinutesPerYear / c.minutes, 1.0L, 1e-9L) << c.hop.km;
        EXPECT_EQ(result.fadeMarginDb, c.hop.fadeMarginDb);
    }
}

// The gases' attenuation is reported beside the outage, not taken off the margin.
TEST(Availability, GasAttenuationIsReportedBeside)
{
    Hop humid;
    humid.vapourGm3 = 20.0L;
    const AvailabilityResult standard = Calculate(Hop{});
    const AvailabilityResult wet = Calculate(humid);
    EXPECT_NEAR(standard.gasAttenuationDb, GasAttenuationOverHop(18.0L, GasConditions{}, 20.0L).Value(), 1e-15L);
    EXPECT_GT(wet.gasAttenuationDb, standard.gasAttenuationDb);
    EXPECT_EQ(wet.outagePercent, standard.outagePercent);
}

// Fade margin → availability → fade margin, over climates and targets: the
// margin found is within the search's tolerance of the one given.
TEST(Availability, FadeMarginRoundTrips)
{
    Hop tropical;
    tropical.rainRate = 95.0L;
    tropical.latitudeDeg = 5.0L;
    tropical.mhz = 23000.0L;
    tropical.km = 8.0L;
    Hop longHop;
    longHop.km = 60.0L;
    longHop.mhz = 6000.0L;
    longHop.txM = 300.0L;
    longHop.rxM = 100.0L;
    for (const Hop& base : {Hop{}, tropical, longHop}) {
        for (long double margin = 15.0L; margin <= 50.0L; margin += 5.0L) {
            Hop hop = base;
            hop.fadeMarginDb = margin;
            const AvailabilityResult forward = Calculate(hop);
            hop.targetPercent = forward.availabilityPercent;
            const auto back = FadeMarginForAvailability(InputsOf(hop));
            ASSERT_TRUE(back.Ok()) << back.Error().message;
            EXPECT_NEAR(back.Value().fadeMarginDb, margin, 2.0L * kFadeMarginToleranceDb) << hop.km << " km";
            EXPECT_GE(back.Value().availabilityPercent, forward.availabilityPercent - 1e-12L);
        }
    }
}

// The least margin reaching the target: a little less no longer reaches it.
TEST(Availability, FadeMarginFoundIsTheLeast)
{
    for (const long double target : {99.9L, 99.99L, 99.995L, 99.999L}) {
        Hop hop;
        hop.targetPercent = target;
        const auto found = FadeMarginForAvailability(InputsOf(hop));
        ASSERT_TRUE(found.Ok());
        EXPECT_GE(found.Value().availabilityPercent, target);
        hop.fadeMarginDb = found.Value().fadeMarginDb - 1e-4L;
        EXPECT_LT(Calculate(hop).availabilityPercent, target);
    }
}

TEST(Availability, TargetBeyondTheRainLawIsRefused)
{
    Hop hop;
    hop.targetPercent = 99.9999999L;
    const auto outcome = FadeMarginForAvailability(InputsOf(hop));
    ASSERT_FALSE(outcome.Ok());
    EXPECT_EQ(outcome.Error().field, F::TargetAvailability);
}

TEST(Availability, WarningsWhereMethodsAreExtrapolated)
{
    const AvailabilityResult standard = Calculate(Hop{});
    EXPECT_TRUE(Warns(standard, "lower antenna altitude")); // 0 m, below 17 m
    Hop deep;
    deep.fadeMarginDb = 100.0L; // A0.001 is 77.5 dB, the law's most 128.6 dB
    EXPECT_TRUE(Warns(Calculate(deep), "below 0.001 %"));
    deep.fadeMarginDb = 200.0L;
    EXPECT_TRUE(Warns(Calculate(deep), "upper bound"));
    Hop weak;
    weak.fadeMarginDb = 3.0L; // A1 is 4.2 dB
    EXPECT_TRUE(Warns(Calculate(weak), "above 1 %"));
    Hop far;
    far.km = 200.0L;
    far.mhz = 120000.0L;
    const AvailabilityResult farResult = Calculate(far);
    EXPECT_TRUE(Warns(farResult, "longer than 60 km"));
    EXPECT_TRUE(Warns(farResult, "above 100 GHz"));
    EXPECT_TRUE(Warns(farResult, "path length"));
}

TEST(Availability, RefusalsNameTheirField)
{
    struct Case {
        Hop hop;
        F field;
    };
    std::vector<Case> cases;
    const auto refuse = [&cases](auto change, F field) {
        Hop hop;
        change(hop);
        cases.push_back({hop, field});
    };
    refuse([](Hop& h) { h.km = 0.0L; }, F::Distance);
    refuse([](Hop& h) { h.mhz = -1.0L; }, F::Frequency);
    refuse([](Hop& h) { h.polarization = "diagonal"; }, F::Polarization);
    refuse([](Hop& h) { h.rainRate = -0.1L; }, F::RainRate);
    // Inputs no planner means: more rain than ever fell, a hop longer than half the earth's girth, a
    // frequency below the radio spectrum.
    refuse([](Hop& h) { h.rainRate = 1e6L; }, F::RainRate);
    refuse([](Hop& h) { h.km = 2e9L; }, F::Distance);
    refuse([](Hop& h) { h.mhz = 1e-300L; }, F::Frequency);
    refuse([](Hop& h) { h.saM = -1.0L; }, F::Sa);
    refuse([](Hop& h) { h.latitudeDeg = 91.0L; }, F::Latitude);
    refuse([](Hop& h) { h.pressureHpa = 0.0L; }, F::Pressure);
    refuse([](Hop& h) { h.temperatureC = -300.0L; }, F::Temperature);
    refuse([](Hop& h) { h.vapourGm3 = -1.0L; }, F::WaterVapour);
    refuse([](Hop& h) { h.fadeMarginDb = 0.0L; }, F::FadeMargin);
    for (const Case& c : cases) {
        const auto outcome = Availability(InputsOf(c.hop));
        ASSERT_FALSE(outcome.Ok());
        EXPECT_EQ(outcome.Error().field, c.field) << outcome.Error().message;
    }
    for (const long double target : {0.0L, 100.0L, 120.0L}) {
        Hop hop;
        hop.targetPercent = target;
        const auto outcome = FadeMarginForAvailability(InputsOf(hop));
        ASSERT_FALSE(outcome.Ok());
        EXPECT_EQ(outcome.Error().field, F::TargetAvailability);
    }
}

// Every field of the calculation has its option, and the two operations
// read the margin or the target, never both.
TEST(Availability, CalculationSpec)
{
    EXPECT_EQ(kAvailability.fields.size(), 14u);
    EXPECT_EQ(SpecOf(kAvailability, F::Polarization).kind, FieldKind::Text);
    EXPECT_EQ(SpecOf(kAvailability, F::Dn1).start, "-400");
    const Inputs<F> in = InputsOf(Hop{});
    ASSERT_TRUE(Availability(in).Ok());
    EXPECT_TRUE(in.WasRead(F::FadeMargin));
    EXPECT_FALSE(in.WasRead(F::TargetAvailability));
    const Inputs<F> inverse = InputsOf(Hop{});
    ASSERT_TRUE(FadeMarginForAvailability(inverse).Ok());
    EXPECT_FALSE(inverse.WasRead(F::FadeMargin));
    EXPECT_TRUE(inverse.WasRead(F::TargetAvailability));
}

} // namespace
} // namespace zandrevio
