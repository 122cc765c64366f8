#include "run_calc.h"

#include <gtest/gtest.h>

#include "cli/commands.h"
#include "cli/reference.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

namespace zandrevio::test {
namespace {

struct OutputCase {
    std::vector<std::string> args;
    const char* out;
};

// Worked values of the five pages, each written as the window writes it.
TEST(Calc, EveryCalculationGivesTheWindowsTexts)
{
    const OutputCase cases[] = {
        {{"channel", "--standard", "gsm", "--number", "1"}, "rx 890.2 MHz\ntx 935.2 MHz\n"},
        {{"channel", "--standard", "NMT", "--number", "180"}, "rx 457.475 MHz\ntx 467.475 MHz\n"},
        {{"channel", "--standard", "amps", "--rx", "824.03"}, "channel 991\nfrequency-error -10000 Hz\n"},
        {{"channel", "--standard", "gsm", "--tx", "935.2"}, "channel 1\nfrequency-error 0 Hz\n"},
        {{"link-budget"}, "loss 111.03 dB\nreceived-power -56.73 dBm\n"},
        {{"link-budget", "--model", "hata", "--area", "open"}, "loss 126.94 dB\nreceived-power -72.64 dBm\n"},
        {{"link-budget", "--model", "two-wave", "--distance", "2"}, "loss 97.05 dB\nreceived-power -42.75 dBm\n"},
        {{"traffic", "--model", "erlang-b", "--channels", "15", "--gos", "0.02"}, "traffic 9.0096 Erl\n"},
        {{"traffic", "--model", "erlang-c", "--traffic", "9", "--gos", "0.02"}, "channels 17\n"},
        {{"traffic", "--model", "poisson", "--channels", "15", "--traffic", "9"}, "gos 0.041\nblocking 0.041466\n"},
        {{"subscribers", "--subscribers", "1000", "--rate", "35"}, "traffic 35 Erl\n"},
        {{"subscribers", "--traffic", "35"}, "subscribers 1000\n"},
        {{"cable-loss", "--cable", "RG-58/U", "--length", "100"}, "loss 54.5 dB\n"},
        {{"cable-loss", "--impedance", "75", "--cable", "1/2\" flex", "--length-unit", "ft"}, "loss 3.19 dB\n"},
        {{"vswr", "--forward", "10", "--reflected", "1"}, "vswr 1.925\n"},
        {{"corrected-vswr", "--vswr", "2", "--feeder-loss", "1"}, "vswr 2.4461\n"},
        {{"short-vswr", "--vswr", "3"}, "loss 3.01 dB\n"},
        {{"reflection", "--vswr", "2", "--output", "rl"}, "reflection -9.5424 dB\n"},
        {{"isolation", "--separation", "vertical"}, "isolation 75.33 dB\n"},
        {{"isolation", "--spacing", "30", "--spacing-unit", "ft"}, "isolation 45.95 dB\n"},
        {{"convert", "field-strength", "0", "--from", "dBm", "--to", "dBuV"}, "value 106.99 dBuV\n"},
        {{"convert", "traffic", "1", "--from", "Erl", "--to", "CCS"}, "value 36 CCS\n"},
        {{"convert", "length", "1", "--from", "mile", "--to", "km"}, "value 1.609 km\n"},
        {{"convert", "weight", "1", "--from", "lb", "--to", "g"}, "value 453.59 g\n"},
    };
    for (const auto& c : cases) {
        const CalcRun run = RunCalc(c.args);
        EXPECT_EQ(run.status, 0) << c.args[0] << run.err;
        EXPECT_EQ(run.out, c.out) << c.args[0];
    }
}

TEST(Calc, TheDowntiltPlotGivesItsLabelsAndSeventyOnePoints)
{
    const CalcRun run = RunCalc({"downtilt", "--gain", "10.50"});
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, 35), "top-gain 10.50 dB\nmiddle-gain 6 dB\n");
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 73);
    EXPECT_NE(run.out.find("curve 1.6 km "), std::string::npos);
}

struct StatusCase {
    std::vector<std::string> args;
    int status;
    const char* err;
};

TEST(Calc, RefusalsFaultsAndUsageErrorsHaveTheirStatusAndMessage)
{
    const StatusCase cases[] = {
        {{"link-budget", "--power", "0"}, 1, "zandrevio-calc: BS transmitter power must be  greater than 0\n"},
        {{"channel", "--standard", "gsm", "--number", "125"}, 1, "zandrevio-calc: GSM channel number must be 1..124\n"},
        {{"vswr", "--forward", "abc"}, 2, "zandrevio-calc: --forward: 'abc' is not a number\n"},
        // Read before the calculation: free space does not read the heights.
        {{"link-budget", "--bs-height", "3O"}, 2, "zandrevio-calc: --bs-height: '3O' is not a number\n"},
        {{"link-budget", "--ms-height-unit", "yards"},
         2,
         "zandrevio-calc: --ms-height-unit: 'yards' is not one of m, ft\n"},
        {{"vswr", "--forward", "-1"}, 1, "zandrevio-calc: Forward power must not be negative\n"},
        {{"convert", "field-strength", "1e4000", "--from", "dBm", "--to", "W"},
         1,
         "zandrevio-calc: Floating point overflow.\n"},
        {{"corrected-vswr", "--vswr", "2", "--feeder-loss", "5"},
         1,
         "zandrevio-calc: Your VSWR measurement was wrong\n"},
        {{"link-budget", "--area", "downtown"},
         2,
         "zandrevio-calc: --area: 'downtown' is not one of medium-city, large-city, suburban, open\n"},
        {{"traffic", "--channels", "15"}, 2, "zandrevio-calc: traffic takes two of --channels, --traffic and --gos\n"},
        {{"traffic", "--channels", "1.5", "--gos", "0.02"},
         2,
         "zandrevio-calc: --channels: '1.5' is not a whole number from -2147483648 to 2147483647\n"},
        {{"channel", "--number", "1", "--rx", "825"},
         2,
         "zandrevio-calc: channel takes one of --number, --rx and --tx\n"},
        {{"cable-loss", "--cable", "RG-6A/U"}, 2, nullptr},
    };
    for (const auto& c : cases) {
        const CalcRun run = RunCalc(c.args);
        EXPECT_EQ(run.status, c.status) << c.args[0] << ' ' << c.args[1];
        EXPECT_EQ(run.out, "") << c.args[0];
        if (c.err != nullptr) {
            EXPECT_EQ(run.err, c.err);
        }
    }
    EXPECT_EQ(RunCalc({"link-budget", "--no-such-option"}).status, 2);
    EXPECT_EQ(RunCalc({"--digits", "19", "vswr"}).status, 2);
    EXPECT_EQ(RunCalc({}).status, 2);
}

TEST(Calc, TheNoteOfAnOffRasterFrequencyGoesToTheErrorStream)
{
    const CalcRun run = RunCalc({"channel", "--standard", "gsm", "--rx", "890.25"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "channel 1\nfrequency-error 50000 Hz\n");
    EXPECT_EQ(run.err, "zandrevio-calc: Note the frequency error !\n");
}

TEST(Calc, DigitsAndTheDecimalComma)
{
    EXPECT_EQ(RunCalc({"--digits", "10", "vswr", "--reflected", "1"}).out, "vswr 1.924950591\n");
    EXPECT_EQ(RunCalc({"vswr", "--reflected", "1", "--digits", "3"}).out, "vswr 1.92\n");
    EXPECT_EQ(RunCalc({"--decimal-comma", "convert", "length", "1", "--from", "inch", "--to", "mm"}).out,
              "value 25,4 mm\n");
    EXPECT_EQ(RunCalc({"--decimal-comma", "short-vswr", "--vswr", "1,5"}).out, "loss 6,99 dB\n");
    EXPECT_EQ(RunCalc({"short-vswr", "--vswr", "1,5"}).err, "zandrevio-calc: --vswr: '1,5' is not a number\n");
    // Digits asked for are the value's own, also where the window shows hundredths.
    EXPECT_EQ(RunCalc({"--digits", "8", "link-budget"}).out, "loss 111.03015 dB\nreceived-power -56.730151 dBm\n");
    EXPECT_EQ(RunCalc({"--digits", "3", "link-budget"}).out, "loss 111 dB\nreceived-power -56.7 dBm\n");
}

// Every number's help says its unit or what kind of number it is, and every
// subcommand's help lists the global options.
// A number's text as --decimal-comma writes it: a "." between digits becomes ",".
std::string WithComma(std::string text)
{
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == '.' && std::isdigit(static_cast<unsigned char>(text[i - 1])) &&
            std::isdigit(static_cast<unsigned char>(text[i + 1]))) {
            text[i] = ',';
        }
    }
    return text;
}

// Every variant of every calculation at the start values of the options it needs (a profile where it needs
// one), with and without --decimal-comma: the same status, and the same texts but for the separator.
TEST(Calc, EveryCalculationRunsAtItsStartValuesWithTheDecimalComma)
{
    const std::string hop = ZANDREVIO_SOURCE_DIR "/docs/examples/hill-hop.csv";
    int ran = 0;
    for (const cli::Command& command : cli::Commands()) {
        for (const Variant& variant : command.calculation->variants) {
            std::vector<std::string> args;
            const std::string name = command.name;
            if (name.rfind("convert-", 0) == 0) {
                args = {"convert", name.substr(8)};
            } else {
                args = {name};
            }
            bool runnable = true;
            for (std::string_view need : variant.needs) {
                const auto option = std::find_if(variant.options.begin(), variant.options.end(),
                                                 [&](const OptionSpec& o) { return o.name == need; });
                ASSERT_NE(option, variant.options.end()) << name << " --" << need;
                args.push_back("--" + std::string(need));
                if (need == "profile") {
                    args.push_back(hop);
                } else if (!option->start.empty()) {
                    args.push_back(std::string(option->start));
                } else {
                    runnable = false; // elevation data, or a list without a start
                }
            }
            // A rule that the needs leave open takes its first alternative at its start values.
            for (const OneOf& rule : command.calculation->rules) {
                const bool met = std::any_of(rule.alternatives.begin(), rule.alternatives.end(), [&](const auto& a) {
                    return std::find(args.begin(), args.end(), "--" + std::string(a.front())) != args.end();
                });
                if (met || rule.atMostOne) {
                    continue;
                }
                for (std::string_view option : rule.alternatives.front()) {
                    const auto spec = std::find_if(variant.options.begin(), variant.options.end(),
                                                   [&](const OptionSpec& o) { return o.name == option; });
                    args.push_back("--" + std::string(option));
                    args.push_back(option == "profile" ? hop : std::string(spec->start));
                }
            }
            // Lists have no start: a chain of two stages, three carriers into a band.
            if (name == "cascade") {
                args.insert(args.end(), {"--stage", "name=LNA,gain=20.5,nf=1.2", "--stage", "gain=-3.5"});
            } else if (name == "intermod") {
                args.insert(args.end(),
                            {"--carrier", "935.2", "--carrier", "947.6", "--carrier", "959.8", "--band", "890.5-915"});
            } else if (name.rfind("convert-", 0) == 0) {
                args.push_back("12.5");
            }
            if (!runnable) {
                continue;
            }
            const CalcRun point = RunCalc(args);
            std::vector<std::string> commaArgs{"--decimal-comma"};
            for (const std::string& arg : args) {
                // A list item's keys are then parted by ";".
                std::string item = arg == hop ? arg : WithComma(arg);
                if (name == "cascade") {
                    for (std::size_t i = 0; i < arg.size(); ++i) {
                        item[i] = arg[i] == ',' ? ';' : item[i];
                    }
                }
                commaArgs.push_back(item);
            }
            const CalcRun comma = RunCalc(commaArgs);
            const std::string what = name + " " + std::string(variant.needs.empty() ? "" : variant.needs.front());
            EXPECT_EQ(point.status, 0) << what << ": " << point.err;
            EXPECT_EQ(comma.status, point.status) << what << ": " << comma.err;
            EXPECT_EQ(comma.out, WithComma(point.out)) << what;
            ran += point.status == 0 ? 1 : 0;
        }
    }
    EXPECT_GE(ran, 45); // every variant but those of elevation data
    // The tables of Longley-Rice and of the availability read the same start values.
    for (const std::vector<std::string>& table :
         std::vector<std::vector<std::string>>{{"table", "itm", "--profile", hop}, {"table", "availability"}}) {
        const CalcRun point = RunCalc(table);
        std::vector<std::string> commaArgs{"--decimal-comma"};
        commaArgs.insert(commaArgs.end(), table.begin(), table.end());
        const CalcRun comma = RunCalc(commaArgs);
        EXPECT_EQ(point.status, 0) << table[1] << ": " << point.err;
        EXPECT_EQ(comma.status, 0) << table[1] << ": " << comma.err;
        EXPECT_EQ(comma.out, WithComma(point.out)) << table[1];
    }
}

// The echo of a run, fed back as its options, gives the same answer: choices in their words, start values
// as numbers read with the separator in force.
TEST(Calc, AnEchoFedBackGivesTheSameAnswer)
{
    for (const bool comma : {false, true}) {
        std::vector<std::string> args{"--json", "itm", "--distance", "10"};
        if (comma) {
            args.insert(args.begin(), "--decimal-comma");
        }
        const CalcRun first = RunCalc(args);
        ASSERT_EQ(first.status, 0) << first.err;
        const auto json = nlohmann::json::parse(first.out);
        std::vector<std::string> again{"--json", "itm"};
        if (comma) {
            again.insert(again.begin(), "--decimal-comma");
        }
        for (const auto& [option, text] : json["inputs"].items()) {
            again.push_back("--" + option);
            again.push_back(text.get<std::string>());
        }
        EXPECT_EQ(json["inputs"]["polarization"], "vertical");
        const CalcRun second = RunCalc(again);
        EXPECT_EQ(second.status, 0) << second.err;
        EXPECT_EQ(second.out, first.out);
    }
}

// A value that cannot be read as its option's kind is a usage error naming the option, with nothing on the
// standard output: places, bands, carriers, polarizations, stages (a key given twice too), a listing's
// choice, a subcommand that does not exist; a file is named once, a folder called a folder.
TEST(Calc, EveryStructuredValueThatCannotBeReadIsAUsageErrorNamingItsOption)
{
    const std::string hop = ZANDREVIO_SOURCE_DIR "/docs/examples/hill-hop.csv";
    const struct {
        std::vector<std::string> args;
        const char* message;
    } slips[] = {
        {{"path", "--dem", "x.tif", "--from", "45.5", "--to", "45,6"}, "--from: '45.5' is not LAT,LON"},
        {{"itm", "--dem", "x.tif", "--from", "45.5,6", "--to", "north"}, "--to: 'north' is not LAT,LON"},
        {{"intermod", "--carrier", "900", "--band", "880"}, "--band: '880' (band 1) is not LOW-HIGH"},
        {{"intermod", "--carrier", "9x0", "--band", "880-915"}, "--carrier: '9x0'"},
        {{"availability", "--polarization", "diagonal", "--fade-margin", "40"}, "--polarization: 'diagonal' is not"},
        {{"rain-attenuation", "--polarization", "slanted"}, "--polarization: 'slanted' is not"},
        {{"cascade", "--stage", "name=a,gain=x"}, "--stage: Stage 1: gain 'x' is not a number"},
        {{"cascade", "--stage", "name=a,gain=10,gain=20"}, "--stage: Stage 1: the key 'gain' is given twice"},
        {{"cascade", "--stage", "name=a,GAIN=10,gain=20"}, "the key 'gain' is given twice"},
        {{"cables", "--impedance", "60"}, "--impedance: '60' is not one of 50, 75"},
        {{"nosuch", "--help"}, "not expected: nosuch"},
        {{"batch", "/"}, "/ is a folder, not a CSV file"},
    };
    for (const auto& slip : slips) {
        const CalcRun run = RunCalc(slip.args);
        EXPECT_EQ(run.status, 2) << slip.message << ": " << run.err;
        EXPECT_EQ(run.out, "") << slip.message;
        EXPECT_NE(run.err.find(slip.message), std::string::npos) << run.err;
    }
    // Values that read but are no place on earth or beyond the ranges are the calculation's refusals.
    EXPECT_EQ(RunCalc({"availability", "--polarization", "95", "--fade-margin", "40"}).status, 1);
    const CalcRun folder = RunCalc({"path", "--profile", "/"});
    EXPECT_EQ(folder.status, 1);
    EXPECT_EQ(folder.err, "zandrevio-calc: / is a folder, not a profile's CSV file\n");
    const CalcRun missing = RunCalc({"path", "--profile", "/nonexistent/p.csv"});
    EXPECT_EQ(missing.err.find("/nonexistent/p.csv"), missing.err.rfind("/nonexistent/p.csv")) << missing.err;
}

TEST(Calc, TheHelpSaysEachNumbersUnit)
{
    const std::string budget = RunCalc({"link-budget", "--help"}).out;
    EXPECT_NE(budget.find("Antenna BS Gain, in dBd or dBi as --bs-gain-unit says"), std::string::npos) << budget;
    EXPECT_NE(budget.find("Distance, in km or miles as --distance-unit says"), std::string::npos);
    EXPECT_NE(budget.find("--digits N"), std::string::npos);
    const std::string traffic = RunCalc({"traffic", "--help"}).out;
    EXPECT_NE(traffic.find("GOS: the share of calls blocked, a fraction: 0 < GOS < 1"), std::string::npos) << traffic;
    const std::string retries = RunCalc({"extended-erlang-b", "--help"}).out;
    EXPECT_NE(retries.find("the share of blocked calls that retry, a fraction"), std::string::npos);
    EXPECT_NE(RunCalc({"table", "--help"}).out.find("(start: text)"), std::string::npos);
    for (const cli::Command& command : cli::Commands()) {
        for (const cli::OptionInfo& option : command.options) {
            if (option.kind != FieldKind::Real) {
                continue;
            }
            // A unit in the caption, a unit option beside it, or the kind of number said.
            const bool said = option.help.find('(') != std::string::npos ||
                option.help.find(", in ") != std::string::npos || option.help.find(": ") != std::string::npos ||
                option.name == "value" || option.name == "vswr";
            EXPECT_TRUE(said) << command.name << " --" << option.name << ": " << option.help;
        }
    }
}

// The parser's own messages say whose they are, as every other message does.
TEST(Calc, EveryUsageMessageCarriesTheProgramsName)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--no-such"}, {"traffic", "--gos"}, {"--digits", "x", "vswr"}, {"vswr", "stray"}, {"nope"}}) {
        const CalcRun run = RunCalc(args);
        EXPECT_EQ(run.status, 2) << args[0];
        EXPECT_EQ(run.err.rfind("zandrevio-calc: ", 0), 0u) << run.err;
    }
}

TEST(Calc, JsonCarriesEveryResultAsTheWindowsText)
{
    const CalcRun run = RunCalc({"--json", "traffic", "--channels", "100", "--gos", "0.02"});
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["calculation"], "traffic");
    EXPECT_EQ(json["inputs"]["channels"], "100");
    EXPECT_EQ(json["inputs"]["model"], "erlang-b"); // the option's own word, so that the echo can be fed back
    EXPECT_EQ(json["results"]["traffic"]["value"], "87.972");
    EXPECT_EQ(json["results"]["traffic"]["unit"], "Erl");
    EXPECT_TRUE(json["error"].is_null());
    const auto refused = nlohmann::json::parse(RunCalc({"--json", "short-vswr", "--vswr", "1"}).out);
    EXPECT_EQ(refused["error"], "VSWR must be greater than 1");
    EXPECT_TRUE(refused["results"].empty());
}

TEST(Calc, HelpAndVersionSucceed)
{
    EXPECT_EQ(RunCalc({"--version"}).out, "zandrevio-calc 1.04\n");
    for (const char* command : {"channel", "link-budget", "traffic", "batch", "table", "cables"}) {
        const CalcRun run = RunCalc({command, "--help"});
        EXPECT_EQ(run.status, 0) << command;
        EXPECT_NE(run.out.find("Usage: "), std::string::npos) << command;
    }
    const CalcRun cables = RunCalc({"cables", "--impedance", "75"});
    EXPECT_EQ(cables.out.substr(0, cables.out.find('\n', 50) + 1),
              "impedance\tcable\tloss-100MHz\tloss-1000MHz\n75\tRG-6A/U\t2.9\t11.2\n");
}

std::string FileText(const char* path)
{
    std::ifstream file(std::string(ZANDREVIO_SOURCE_DIR) + "/" + path);
    return {std::istreambuf_iterator<char>(file), {}};
}

TEST(Calc, TheCompletionAndTheManPageKnowEverySubcommandAndOption)
{
    const std::string completion = cli::BashCompletion();
    const std::string manual = cli::ManualPage(FileText("docs/man/zandrevio-calc.1.in"));
    for (const cli::Command& command : cli::Commands()) {
        std::string name = command.name;
        if (name.rfind("convert-", 0) == 0) {
            name = name.substr(8);
        }
        EXPECT_NE(completion.find(name), std::string::npos) << name;
        EXPECT_NE(manual.find(name), std::string::npos) << name;
        for (const cli::OptionInfo& option : command.options) {
            if (option.name != "value") {
                const std::string flag = "--" + option.name;
                EXPECT_TRUE(completion.find(flag + " ") != std::string::npos ||
                            completion.find(flag + "\"") != std::string::npos)
                    << name << " " << option.name;
            }
            for (const std::string& choice : option.choices) {
                EXPECT_NE(completion.find(choice), std::string::npos) << option.name << " " << choice;
            }
        }
    }
}

} // namespace
} // namespace zandrevio::test
