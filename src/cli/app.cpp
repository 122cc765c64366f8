#include "cli/app.h"

#include "channels/band_plans.h"
#include "cli/batch.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "cli/table.h"
#include "feeder/cable_catalogue.h"
#include "numeric/decimal_separator.h"
#include "numeric/format.h"
#include "registry/registry.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <map>
#include <memory>

namespace zandrevio::cli {

namespace {
constexpr const char* kProgram = "zandrevio-calc";

std::string Joined(const std::vector<std::string>& words, const char* separator)
{
    std::string text;
    for (const std::string& word : words) {
        text += text.empty() ? "" : separator;
        text += word;
    }
    return text;
}

// The subcommands that are no calculation.
constexpr const char* kListings[] = {"convert", "cables", "bands", "batch", "table"};

// The word that names the subcommand: the first that is neither an option
// nor the value of --digits; "" where there is none.
std::string SubcommandWord(const std::vector<std::string>& args)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--digits") {
            ++i;
        } else if (arg.empty() || arg[0] != '-') {
            return arg;
        }
    }
    return {};
}

bool KnownSubcommand(const std::string& word)
{
    if (std::find(std::begin(kListings), std::end(kListings), word) != std::end(kListings)) {
        return true;
    }
    const auto names = CalculationNames();
    return std::find(names.begin(), names.end(), word) != names.end();
}

// A subcommand of one calculation: an option per field, each kept as text.
struct Bound {
    const Command* command = nullptr;
    CLI::App* app = nullptr;
    std::map<std::string, std::string> texts;
    std::map<std::string, std::vector<std::string>> lists; // of the options given once per item
    std::map<std::string, CLI::Option*> options;
};

void Bind(CLI::App& parent, const char* name, const Command& command, Bound& bound, bool positionalValue)
{
    bound.command = &command;
    bound.app = parent.add_subcommand(name, command.summary);
    for (const OptionInfo& option : command.options) {
        std::string help = option.help;
        if (!option.start.empty()) {
            help += " (start: " + option.start + ")";
        }
        const bool positional = positionalValue && option.name == "value";
        CLI::Option* added = option.repeated
            ? bound.app->add_option("--" + option.name, bound.lists[option.name], help + " (one per item)")
                  ->expected(1)
                  ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
            : bound.app->add_option(positional ? option.name : "--" + option.name, bound.texts[option.name], help);
        added->type_name(!option.placeholder.empty()  ? option.placeholder
                             : option.choices.empty() ? "NUMBER"
                                                      : Joined(option.choices, "|"));
        if (positional) {
            added->required();
        }
        bound.options[option.name] = added;
    }
}

Request RequestOf(const Bound& bound)
{
    Request request;
    for (const auto& [name, option] : bound.options) {
        if (option->count() == 0) {
            continue;
        }
        if (const auto list = bound.lists.find(name); list != bound.lists.end()) {
            for (const std::string& item : list->second) {
                request.Give(name, item);
            }
        } else {
            request.Give(name, bound.texts.at(name));
        }
    }
    return request;
}

void WriteJson(std::ostream& out, const nlohmann::ordered_json& json)
{
    out << json.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

int Report(const Answer& answer, bool json, std::ostream& out, std::ostream& err, bool rowsAsCsv = false)
{
    if (json) {
        std::string line;
        AppendJson(line, answer);
        out << line;
    } else if (!answer.Failed() && rowsAsCsv) {
        WriteRowsCsv(out, answer);
    } else if (!answer.Failed()) {
        WritePlain(out, answer);
    }
    out.flush(); // what was written comes before what is said of it
    for (const std::string& warning : answer.warnings) {
        err << kProgram << ": " << warning << '\n';
    }
    if (answer.Failed()) {
        err << kProgram << ": " << answer.error << '\n';
        return kExitFailed;
    }
    return 0;
}

char Delimiter(const std::string& word)
{
    if (word == ",") {
        return ',';
    }
    if (word == ";") {
        return ';';
    }
    if (word == "\t" || SameWithoutCase(word, "tab")) {
        return '\t';
    }
    throw UsageError("delimiter", "'" + word + "' is not one of ',', ';' and TAB");
}

void ListCables(const std::string& only, bool json, std::ostream& out)
{
    // The choice is checked before anything is written: a usage error leaves stdout empty.
    const int chosen = only.empty() ? -1 : MatchChoice("impedance", kCableImpedances, only);
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    if (!json) {
        out << "impedance\tcable\tloss-100MHz\tloss-1000MHz\n";
    }
    for (int i = 0; i < 2; ++i) {
        if (chosen >= 0 && chosen != i) {
            continue;
        }
        const std::string ohms(kCableImpedances[i].text);
        for (const CableType& cable : CableCatalogue(static_cast<CableImpedance>(i))) {
            const std::string at100 = FormatResult(cable.lossAt100);
            const std::string at1000 = FormatResult(cable.lossAt1000);
            if (json) {
                list.push_back({{"impedance", ohms},
                                {"cable", cable.name},
                                {"loss-100MHz", at100},
                                {"loss-1000MHz", at1000},
                                {"unit", "dB/100ft"}});
            } else {
                out << ohms << '\t' << cable.name << '\t' << at100 << '\t' << at1000 << '\n';
            }
        }
    }
    if (json) {
        WriteJson(out, list);
    }
}
void ListBands(const std::string& only, bool json, std::ostream& out)
{
    const int wanted = only.empty() ? -1 : MatchChoice("standard", BandStandardChoices(), only);
    const std::string wantedKey = wanted < 0 ? "" : std::string(BandStandardChoices()[wanted].key);
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    if (!json) {
        out << "standard\tband\tduplex\tuplink\tdownlink\n";
    }
    for (const BandSummary& band : BandSummaries()) {
        if (!wantedKey.empty() && band.standard != wantedKey) {
            continue;
        }
        if (json) {
            list.push_back({{"standard", band.standard},
                            {"band", band.band},
                            {"duplex", band.duplex},
                            {"uplink", band.uplink},
                            {"downlink", band.downlink}});
        } else {
            out << band.standard << '\t' << band.band << '\t' << band.duplex << '\t' << band.uplink << '\t'
                << band.downlink << '\n';
        }
    }
    if (json) {
        WriteJson(out, list);
    }
}
} // namespace

int RunCalc(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err)
{
    CLI::App app("Zandrevio's radio-planning calculations on the command line: the same numbers, texts and "
                 "messages as the window.",
                 kProgram);
    app.fallthrough();
    // The parser's messages, like every other, say whose they are.
    app.failure_message([](const CLI::App*, const CLI::Error& error) {
        return std::string(kProgram) + ": " + error.what() + "\nTry '" + kProgram + " --help' for more information.\n";
    });
    app.footer("Global options, before or after the subcommand: --json (JSON output), --digits N (N significant\n"
               "digits of every result, 1 to 18), --decimal-comma (read and write a decimal comma).\n"
               "Numbers are read and written as the window does, with \".\" as the decimal separator.\n"
               "Exit status: 0 on success, 1 when a calculation is refused or faults (the message on\n"
               "the standard error) or the output cannot be written, 2 on a usage error.\n"
               "See zandrevio-calc(1).");
    app.set_version_flag("--version", std::string(kProgram) + " " + ZANDREVIO_VERSION);
    bool json = false;
    bool decimalComma = false;
    Settings settings;
    app.add_flag("--json", json, "Write JSON instead of text");
    app.add_option("--digits", settings.digits, "Significant digits of every result (1 to 18)")
        ->check(CLI::Range(1, 18))
        ->type_name("N");
    app.add_flag("--decimal-comma", decimalComma, "Read and write numbers with a decimal comma");

    // Only the subcommand named is bound (every one where none is, for the help): a start
    // costs what one calculation's options cost, not what all of theirs do.
    const std::string word = SubcommandWord(args);
    const bool every = word.empty() || !KnownSubcommand(word);
    if (!word.empty() && every) {
        // Also before --help: help for a subcommand that does not exist is no help.
        err << kProgram << ": the following argument was not expected: " << word << "\nTry '" << kProgram
            << " --help' for more information.\n";
        return kExitUsage;
    }
    std::vector<std::unique_ptr<Bound>> bound;
    CLI::App* convert = app.add_subcommand("convert", "Unit conversions: field-strength, traffic, length, weight");
    convert->require_subcommand(1);
    for (std::size_t i = 0; i < CalculationNames().size(); ++i) {
        const std::string_view name = CalculationNames()[i];
        const bool converts = name.rfind("convert-", 0) == 0;
        if (!every && word != (converts ? std::string_view("convert") : name)) {
            continue;
        }
        const Command& command = CommandAt(i);
        bound.push_back(std::make_unique<Bound>());
        if (converts) {
            Bind(*convert, command.name.c_str() + 8, command, *bound.back(), true);
        } else {
            Bind(app, command.name.c_str(), command, *bound.back(), false);
        }
    }

    std::string cablesImpedance;
    CLI::App* cables = app.add_subcommand("cables", "The cable catalogue: loss per 100 ft at 100 and 1000 MHz");
    cables->add_option("--impedance", cablesImpedance, "Only the cables of 50 or 75 ohm")->type_name("50|75");

    std::string bandsStandard;
    CLI::App* bandsList = app.add_subcommand("bands", "The band plans: every band with its frequencies and channels");
    bandsList->add_option("--standard", bandsStandard, "Only the bands of one standard")->type_name("STANDARD");

    BatchOptions batchOptions;
    CLI::App* batch = app.add_subcommand("batch", "Run every row of a CSV file (or - for the standard input)");
    batch->add_option("file", batchOptions.file, "The CSV file, with a header row and a calculation column")
        ->type_name("FILE|-");
    std::string delimiter = ",";
    batch
        ->add_option("--delimiter", delimiter,
                     "The field delimiter of the input and the output: \",\" (start), \";\" (as spreadsheets "
                     "save CSV where the decimal separator is a comma) or TAB")
        ->type_name(",|;|TAB");
    batch->add_flag("--crlf", batchOptions.format.crlf, "End the output's lines with CR LF instead of LF");
    batch->add_flag("--strict-columns", batchOptions.format.strictColumns,
                    "Refuse a column that is no option of any calculation (else it passes through, named once on "
                    "the standard error)");

    TableOptions tableOptions;
    CLI::App* table = app.add_subcommand("table",
                                         "A table of a model: traffic per channels or channels per traffic at "
                                         "each GOS, Longley-Rice's loss by time and location, or a hop's fade "
                                         "margins by availability");
    if (every || word == "table") {
        AddTableOptions(*table, tableOptions);
    }

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error, out, err);
        return status == 0 ? 0 : kExitUsage;
    }
    SetDecimalSeparator(decimalComma ? ',' : '.');

    try {
        if (cables->parsed()) {
            ListCables(cablesImpedance, json, out);
            return 0;
        }
        if (bandsList->parsed()) {
            ListBands(bandsStandard, json, out);
            return 0;
        }
        if (batch->parsed()) {
            batchOptions.format.delimiter = Delimiter(delimiter);
            batchOptions.format.notes = &err;
            return RunBatch(batchOptions, settings, json, in, out, err);
        }
        if (table->parsed()) {
            return PrintTable(tableOptions, settings, json, out, err);
        }
        for (const auto& b : bound) {
            if (b->app->parsed()) {
                const Request request = RequestOf(*b);
                // A calculation that gives a list may write it alone as CSV (--format csv).
                const bool rowsAsCsv = SameWithoutCase(request.TextOr("format", ""), "csv");
                return Report(Execute(*b->command, request, settings), json, out, err, rowsAsCsv);
            }
        }
    } catch (const UsageError& error) {
        err << kProgram << ": " << error.what() << '\n';
        return kExitUsage;
    } catch (const SpoolError& error) {
        err << kProgram << ": " << error.what() << '\n';
        return kExitFailed;
    } catch (const OutputFailed&) {
        return kExitFailed; // the caller reports why the output failed
    }
    err << app.help();
    return kExitUsage;
}

} // namespace zandrevio::cli
