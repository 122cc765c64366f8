// One table of cases run through the window and through zandrevio-calc:
// the results, the refusals and the faults must read the same, as text.
// The cases share one window, so each sets every choice it depends on.
#include "WindowFixture.h"

#include "../cli/run_calc.h"
#include "numeric/decimal_separator.h"
#include "widgets/RadioGroup.h"

#include <QRadioButton>

#include <nlohmann/json.hpp>

namespace zandrevio::test {
namespace {

struct Case {
    const char* what;
    int page;
    std::vector<std::pair<const char*, int>> choices; // radio group item, picker row or radio button (-1)
    std::vector<std::pair<const char*, const char*>> fields;
    const char* button;
    std::vector<const char*> results;
    std::vector<std::string> args;
    char separator = '.';
    // Where the command line gives more results than the window shows: the
    // names of those compared, read from its JSON in this order.
    std::vector<const char*> names = {};
};

// The README's example hop: 40 km at 7 GHz past a hill in the Fresnel zone.
constexpr const char* kHillHop = ZANDREVIO_SOURCE_DIR "/docs/examples/hill-hop.csv";

const Case kCases[] = {
    {"channel to frequencies",
     0,
     {{"RadioGroup1", 0}},
     {{"SpinEdit3", "124"}},
     "BitBtn10",
     {"Edit11", "Edit12"},
     {"channel", "--standard", "gsm", "--number", "124"}},
    {"frequency to channel, off the raster",
     0,
     {{"RadioGroup1", 1}},
     {{"Edit11", "824.03"}},
     "BitBtn9",
     {"SpinEdit3", "StaticText68"},
     {"channel", "--standard", "amps", "--rx", "824.03"}},
    {"channel refused",
     0,
     {{"RadioGroup1", 2}},
     {{"SpinEdit3", "181"}},
     "BitBtn10",
     {},
     {"channel", "--standard", "nmt", "--number", "181"}},
    {"link budget, Hata in feet and miles",
     0,
     {{"RadioButton5", -1}, {"RadioGroup4", 2}, {"ListBox19", 1}, {"ListBox11", 1}},
     {{"Edit20", "7"}, {"Edit6", "164"}},
     "BitBtn19",
     {"StaticText55", "StaticText58"},
     {"link-budget", "--model", "hata", "--area", "suburban", "--distance", "7", "--distance-unit", "miles",
      "--bs-height", "164", "--bs-height-unit", "ft"}},
    {"link budget refused with a beep", 0, {}, {{"Edit29", "0"}}, "BitBtn19", {}, {"link-budget", "--power", "0"}},
    {"channels for a GOS",
     1,
     {{"Model", 2}},
     {{"Edit1", "9"}, {"Edit2", "0.02"}},
     "BitBtn1",
     {"SpinEdit1"},
     {"traffic", "--model", "erlang-c", "--traffic", "9", "--gos", "0.02"}},
    {"traffic for a GOS",
     1,
     {{"Model", 1}},
     {{"SpinEdit1", "30"}, {"Edit2", "0.01"}},
     "BitBtn2",
     {"Edit1"},
     {"traffic", "--channels", "30", "--gos", "0.01"}},
    {"GOS for a traffic",
     1,
     {{"Model", 0}},
     {{"SpinEdit1", "15"}, {"Edit1", "9"}},
     "BitBtn3",
     {"Edit2"},
     {"traffic", "--model", "poisson", "--channels", "15", "--traffic", "9"},
     '.',
     {"gos"}},
    {"traffic of subscribers",
     1,
     {},
     {{"SpinEdit4", "1234"}, {"Edit27", "27.5"}},
     "BitBtn18",
     {"StaticText30"},
     {"subscribers", "--subscribers", "1234", "--rate", "27.5"}},
    {"subscribers of a traffic",
     1,
     {},
     {{"Edit28", "123456"}, {"Edit27", "0.5"}},
     "BitBtn11",
     {"StaticText32"},
     {"subscribers", "--traffic", "123456", "--rate", "0.5"}},
    {"cable loss",
     2,
     {{"RadioGroup2", 1}, {"ListBox9", 7}, {"ListBox10", 1}},
     {{"Edit14", "100"}},
     "BitBtn12",
     {"StaticText4"},
     {"cable-loss", "--impedance", "75", "--cable", "1/2\" Flex", "--length", "100", "--length-unit", "ft"}},
    {"VSWR",
     2,
     {},
     {{"Edit21", "10"}, {"Edit22", "1"}},
     "BitBtn14",
     {"StaticText19"},
     {"vswr", "--forward", "10", "--reflected", "1"}},
    {"corrected VSWR",
     2,
     {},
     {{"Edit23", "2"}, {"Edit24", "1"}},
     "BitBtn15",
     {"StaticText23"},
     {"corrected-vswr", "--vswr", "2", "--feeder-loss", "1"}},
    {"refused without a beep",
     2,
     {},
     {{"Edit23", "2"}, {"Edit24", "5"}},
     "BitBtn15",
     {},
     {"corrected-vswr", "--vswr", "2", "--feeder-loss", "5"}},
    {"a negative power refused", 2, {}, {{"Edit21", "-1"}}, "BitBtn14", {}, {"vswr", "--forward", "-1"}},
    {"a floating-point fault",
     4,
     {{"ListBox1", 4}, {"ListBox2", 0}},
     {{"Edit3", "1e4000"}},
     "BitBtn4",
     {},
     {"convert", "field-strength", "1e4000", "--from", "dBm", "--to", "W"}},
    {"loss from a short", 2, {}, {{"Edit25", "1.5"}}, "BitBtn16", {"StaticText27"}, {"short-vswr", "--vswr", "1.5"}},
    {"return loss",
     2,
     {{"ListBox15", 1}},
     {{"Edit26", "1.08"}},
     "BitBtn17",
     {"StaticText31"},
     {"reflection", "--vswr", "1.08", "--output", "rl"}},
    {"isolation",
     3,
     {{"RadioGroup3", 1}},
     {{"Edit17", "3"}, {"Edit16", "900"}},
     "BitBtn13",
     {"StaticText41"},
     {"isolation", "--separation", "vertical", "--spacing", "3", "--frequency", "900"}},
    {"downtilt labels", 3, {}, {{"Edit31", "7.5"}}, "BitBtn20", {"Label25", "Label26"}, {"downtilt", "--gain", "7.5"}},
    {"field strength",
     4,
     {{"ListBox1", 4}, {"ListBox2", 6}, {"Imp", 2}},
     {{"Edit3", "-20"}, {"SpinEdit2", "450"}},
     "BitBtn4",
     {"StaticText36"},
     {"convert", "field-strength", "-20", "--from", "dBm", "--to", "dBuV/m", "--impedance", "220", "--frequency",
      "450"}},
    {"traffic units",
     4,
     {{"ListBox4", 2}, {"ListBox3", 3}},
     {{"Edit5", "100"}},
     "BitBtn6",
     {"StaticText37"},
     {"convert", "traffic", "100", "--from", "CCS", "--to", "EBHC"}},
    {"length units with a decimal comma",
     4,
     {{"ListBox5", 6}, {"ListBox7", 7}},
     {{"Edit7", "2,5"}},
     "BitBtn7",
     {"StaticText38"},
     {"--decimal-comma", "convert", "length", "2,5", "--from", "mile", "--to", "yd"},
     ','},
    {"weight units",
     4,
     {{"ListBox6", 3}, {"ListBox8", 4}},
     {{"Edit8", "16"}},
     "BitBtn8",
     {"StaticText39"},
     {"convert", "weight", "16", "--from", "oz", "--to", "lb"}},
    {"cell range of a budget by Hata",
     5,
     {{"RadioGroup5", 0}},
     {{"Edit35", "900"}, {"Edit42", "-110"}},
     "BitBtn21",
     {"StaticText73", "StaticText74", "StaticText75"},
     {"cell-range", "--model", "hata", "--frequency", "900", "--sensitivity", "-110"}},
    {"cell range refused", 5, {}, {{"Edit38", "0"}}, "BitBtn21", {}, {"cell-range", "--power", "0"}},
    {"band plan, channel to frequencies",
     5,
     {{"ListBox21", 9}},
     {{"SpinEdit5", "1575"}},
     "BitBtn22",
     {"StaticText77", "Edit46", "Edit47", "StaticText79"},
     {"band", "--standard", "lte", "--channel", "1575"},
     '.',
     {"band", "uplink", "downlink", "bands"}},
    {"band plan, a frequency off the raster in several bands",
     5,
     {{"ListBox21", 9}, {"RadioGroup6", 1}},
     {{"Edit47", "2140.05"}},
     "BitBtn23",
     {"StaticText77", "SpinEdit5", "StaticText78", "StaticText79"},
     {"band", "--standard", "lte", "--downlink", "2140.05"},
     '.',
     {"band", "channel", "frequency-error", "bands"}},
    {"a path over a hill, with the budget",
     6,
     {},
     {{"ProfileFileField", kHillHop}, {"FrequencyField", "7000"}, {"TxHeightField", "30"}, {"RxHeightField", "30"}},
     "CalculateButton",
     {"DistanceResult", "LineOfSightResult", "ClearanceResult", "WorstPointResult", "Fresnel60Result",
      "FreeSpaceLossResult", "DiffractionLossResult", "PathLossResult", "ReceivedPowerResult", "FadeMarginResult",
      "DetailsBullingtonLossResult", "DetailsSmoothBullingtonLossResult", "DetailsSphericalEarthLossResult",
      "DetailsEdgeNuResult"},
     {"path", "--profile", kHillHop, "--power", "1", "--tx-gain", "30", "--rx-gain", "30", "--tx-feeder-loss", "2",
      "--rx-feeder-loss", "2", "--sensitivity", "-80"}},
    {"Longley-Rice over the hill, its range and what its loss is made of",
     6,
     {{"ModelGroup", 1}},
     {{"ProfileFileField", kHillHop}, {"FrequencyField", "7000"}, {"TxHeightField", "30"}, {"RxHeightField", "30"}},
     "CalculateButton",
     {"ModeResult", "DetailsFreeSpaceLossResult", "DetailsReferenceAttenuationResult", "DetailsVariabilityResult",
      "DetailsTerrainIrregularityResult", "DetailsTxHorizonDistanceResult", "DetailsRxHorizonDistanceResult",
      "DetailsTxHorizonAngleResult", "DetailsRxHorizonAngleResult", "DetailsTxEffectiveHeightResult",
      "DetailsRxEffectiveHeightResult", "DetailsSurfaceRefractivityResult"},
     {"itm", "--profile", kHillHop, "--frequency", "7000", "--tx-height", "30", "--rx-height", "30", "--polarization",
      "horizontal"},
     '.',
     {"range", "free-space-loss", "reference-attenuation", "variability", "terrain-irregularity", "tx-horizon-distance",
      "rx-horizon-distance", "tx-horizon-angle", "rx-horizon-angle", "tx-effective-height", "rx-effective-height",
      "surface-refractivity"}},
    {"a path refused, an antenna below ground",
     6,
     {},
     {{"ProfileFileField", kHillHop}, {"TxHeightField", "-1"}},
     "CalculateButton",
     {},
     {"path", "--profile", kHillHop, "--tx-height", "-1"}},
};

class CalcAgainstWindow : public WindowTest {
protected:
    // The texts of the results the window writes, or its one message.
    QStringList Window(const Case& c)
    {
        ShowPage(c.page);
        for (const auto& [name, index] : c.choices) {
            if (auto* group = window->findChild<RadioGroup*>(QString::fromLatin1(name))) {
                Click(group->Button(index));
            } else if (index < 0) {
                Click(Find<QRadioButton>(name));
            } else {
                ScrollTo(name, index);
            }
        }
        for (const auto& [name, text] : c.fields) {
            if (auto* spin = window->findChild<SpinField*>(QString::fromLatin1(name))) {
                spin->setText(QString::fromUtf8(text));
            } else {
                Put(Find<QLineEdit>(name), QString::fromUtf8(text));
            }
        }
        feedback.Take();
        Press(c.button);
        QStringList shown;
        for (const QString& event : feedback.Take()) {
            if (event.startsWith("error: ")) {
                shown << event.mid(7);
            } else if (event.startsWith("app: ")) {
                shown << event.mid(5);
            }
        }
        for (const char* name : c.results) {
            auto* spin = window->findChild<SpinField*>(QString::fromLatin1(name));
            shown << (spin != nullptr ? spin->text() : TextOf(name));
        }
        return shown;
    }

    // The same from zandrevio-calc: its messages, then each result's text.
    static QStringList Calc(const Case& c)
    {
        std::vector<std::string> args = c.args;
        if (!c.names.empty()) {
            args.insert(args.begin(), "--json");
        }
        const CalcRun run = RunCalc(args);
        QStringList shown;
        const QString prefix = "zandrevio-calc: ";
        for (const QString& line : QString::fromStdString(run.err).split('\n', Qt::SkipEmptyParts)) {
            shown << (line.startsWith(prefix) ? line.mid(prefix.size()) : line);
        }
        if (!c.names.empty()) {
            const auto json = nlohmann::json::parse(run.out);
            for (const char* name : c.names) {
                shown << QString::fromStdString(json["results"][name]["value"].get<std::string>());
            }
            return shown;
        }
        for (const QString& line : QString::fromStdString(run.out).split('\n', Qt::SkipEmptyParts)) {
            if (!line.startsWith("curve ")) {
                shown << line.section(' ', 1, 1);
            }
        }
        return shown;
    }
};

TEST_F(CalcAgainstWindow, EveryCaseReadsTheSame)
{
    for (const Case& c : kCases) {
        SetDecimalSeparator(c.separator);
        const QStringList window = Window(c);
        SetDecimalSeparator(c.separator);
        const QStringList calc = Calc(c);
        EXPECT_EQ(window, calc) << c.what;
        EXPECT_FALSE(window.isEmpty()) << c.what;
        SetDecimalSeparator('.');
    }
}

} // namespace
} // namespace zandrevio::test
