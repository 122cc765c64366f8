#include "cli/table.h"

#include "cli/commands.h"
#include "numeric/app_error.h"
#include "numeric/decimal_separator.h"
#include "numeric/format.h"
#include "numeric/parse_real.h"
#include "traffic/queueing.h"
#include "traffic/traffic_calculations.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <future>
#include <thread>

namespace zandrevio::cli {

namespace {
constexpr std::size_t kMostRows = 100000;
constexpr std::size_t kMostColumns = 100;

// The separator of a list: a comma, or a semicolon where the comma is the
// decimal separator.
char ListSeparator()
{
    return DecimalSeparator() == ',' ? ';' : ',';
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t end = text.find(separator, begin);
        parts.push_back(text.substr(begin, end - begin));
        if (end == std::string::npos) {
            return parts;
        }
        begin = end + 1;
    }
}

long double Number(const std::string& option, const std::string& text)
{
    try {
        return ParseReal(text);
    } catch (const ConversionFailure&) {
        throw UsageError("--" + option + ": '" + text + "' is not a number");
    }
}

// "a-b", "a-b:step" or a list; every value a + k step, never summed up.
std::vector<long double> Values(const std::string& option, const std::string& text)
{
    std::vector<long double> values;
    const std::size_t dash = text.find('-', 1);
    if (dash == std::string::npos) {
        for (const std::string& part : Split(text, ListSeparator())) {
            values.push_back(Number(option, part));
        }
    } else {
        const std::size_t colon = text.find(':', dash);
        const long double first = Number(option, text.substr(0, dash));
        const long double last = Number(option, text.substr(dash + 1, colon - dash - 1));
        const long double step = colon == std::string::npos ? 1.0L : Number(option, text.substr(colon + 1));
        if (!(step > 0.0L) || !(last >= first) || !((last - first) / step < kMostRows)) {
            throw UsageError("--" + option + ": '" + text + "' is not a range FIRST-LAST[:STEP] of at most " +
                             std::to_string(kMostRows) + " values");
        }
        const auto count = static_cast<std::size_t>(std::floor((last - first) / step * (1.0L + 1e-15L))) + 1;
        for (std::size_t k = 0; k < count; ++k) {
            values.push_back(first + static_cast<long double>(k) * step);
        }
    }
    if (values.size() > kMostRows) {
        throw UsageError("--" + option + ": more than " + std::to_string(kMostRows) + " values");
    }
    return values;
}

// A cell's text: the result, or the message of its refusal or fault.
template <typename Run>
std::string Cell(Run run)
{
    try {
        return run();
    } catch (const ApplicationError& error) {
        return ApplicationErrorBoxText(error.Message());
    }
}

// The tables' models: the three of the Traffic page, Extended Erlang B and
// Erlang C by service level.
enum class TableModel { Poisson, ErlangB, ErlangC, ExtendedErlangB, ServiceLevel };
constexpr Choice kTableModels[] = {{"Poisson", "poisson"},
                                   {"Erlang B", "erlang-b"},
                                   {"Erlang C", "erlang-c"},
                                   {"Extended Erlang B", "extended-erlang-b"},
                                   {"Erlang C service level", "erlang-c-service-level"}};

} // namespace

std::vector<std::string> TableModelWords()
{
    std::vector<std::string> words;
    for (const Choice& model : kTableModels) {
        words.emplace_back(model.key);
    }
    return words;
}

namespace {
std::string Whole(std::int64_t value)
{
    return std::to_string(value);
}

template <typename T, typename Field, typename Write>
std::string TextOf(const Outcome<T, Field>& outcome, Write write)
{
    return outcome.Ok() ? write(outcome.Value()) : outcome.Error().message;
}

// A table's cells: at a row's key (channels or traffic) and a column's
// target, the window's text of the answer or its refusal.
struct CellMaker {
    TableModel model;
    bool byChannels;
    long double recall;
    long double handlingTime;
    long double targetTime;
    const Settings& settings;

    std::string operator()(long double key, long double target) const
    {
        using F = TrafficField;
        using R = RetryField;
        using S = ServiceField;
        switch (model) {
        case TableModel::ExtendedErlangB:
            if (byChannels) {
                const auto n = static_cast<long double>(ParseWhole("channels", FormatFull(key)));
                return TextOf(ExtendedErlangBTraffic({{R::Recall, recall}, {R::Channels, n}, {R::Blocking, target}}),
                              [&](long double a) { return FormatAs(kTrafficResult.format, a, settings.digits); });
            }
            return TextOf(ExtendedErlangBChannels({{R::Traffic, key}, {R::Recall, recall}, {R::Blocking, target}}),
                          [](const ExtendedErlangBResult& r) { return Whole(r.channels); });
        case TableModel::ServiceLevel:
            return TextOf(ServersForServiceLevel({{S::Traffic, key},
                                                  {S::HandlingTime, handlingTime},
                                                  {S::TargetTime, targetTime},
                                                  {S::TargetServiceLevel, target}}),
                          [](const ServiceLevelResult& r) { return Whole(r.servers); });
        default:
            break;
        }
        const auto traffic = static_cast<long double>(model);
        if (byChannels) {
            const auto n = static_cast<long double>(ParseWhole("channels", FormatFull(key)));
            return TextOf(TrafficForGos({{F::Model, traffic}, {F::Channels, n}, {F::Gos, target}}),
                          [&](long double a) { return FormatAs(kTrafficResult.format, a, settings.digits); });
        }
        return TextOf(ChannelsForGos({{F::Model, traffic}, {F::Traffic, key}, {F::Gos, target}}),
                      [](std::int32_t n) { return Whole(n); });
    }
};

// One row: its key, then a cell at each target.
std::vector<std::string> Row(const CellMaker& cell, long double key, const std::vector<long double>& targets)
{
    std::vector<std::string> row;
    row.push_back(cell.byChannels ? Whole(ParseWhole("channels", FormatFull(key))) : FormatResult(key));
    for (long double target : targets) {
        row.push_back(Cell([&] { return cell(key, target); }));
    }
    return row;
}

// An option of one model only.
long double ModelOption(const std::string& text, const char* option, const char* start, bool forModel)
{
    if (!forModel && !text.empty()) {
        throw UsageError(std::string("--") + option + " is not an option of this table");
    }
    return Number(option, text.empty() ? start : text);
}

void WriteAligned(std::ostream& out, const Table& table)
{
    std::vector<std::size_t> widths(table.header.size());
    for (std::size_t i = 0; i < widths.size(); ++i) {
        widths[i] = table.header[i].size();
        for (const auto& row : table.rows) {
            widths[i] = std::max(widths[i], row[i].size());
        }
    }
    const auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            out << (i > 0 ? "  " : "") << std::string(widths[i] - cells[i].size(), ' ') << cells[i];
        }
        out << '\n';
    };
    line(table.header);
    for (const auto& row : table.rows) {
        line(row);
    }
}

void WriteMarkdown(std::ostream& out, const Table& table)
{
    const auto line = [&](const std::vector<std::string>& cells) {
        out << '|';
        for (const std::string& cell : cells) {
            out << ' ' << cell << " |";
        }
        out << '\n';
    };
    line(table.header);
    out << '|';
    for (std::size_t i = 0; i < table.header.size(); ++i) {
        out << " ---: |";
    }
    out << '\n';
    for (const auto& row : table.rows) {
        line(row);
    }
}

void WriteCsv(std::ostream& out, const Table& table)
{
    const auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const bool quote = cells[i].find_first_of(",\"") != std::string::npos;
            out << (i > 0 ? "," : "") << (quote ? "\"" + cells[i] + "\"" : cells[i]);
        }
        out << "\r\n";
    };
    line(table.header);
    for (const auto& row : table.rows) {
        line(row);
    }
}
} // namespace

void AddTableOptions(CLI::App& table, TableOptions& options)
{
    table.add_option("model", options.model, "The traffic model")
        ->required()
        ->type_name("erlang-b|erlang-c|poisson|extended-erlang-b|erlang-c-service-level");
    table.add_option("--channels", options.channels, "Channel counts: the traffic each carries at each GOS")
        ->type_name("FIRST-LAST[:STEP]|LIST");
    table.add_option("--traffic", options.traffic, "Traffics (Erlang): the channels each needs at each GOS")
        ->type_name("FIRST-LAST[:STEP]|LIST");
    table.add_option("--gos", options.gos, "The grades of service, the table's columns (start: " + options.gos + ")")
        ->type_name("LIST");
    table.add_option("--format", options.format, "text, csv, markdown or json")->type_name("text|csv|markdown|json");
    table
        .add_option("--recall", options.recall, "extended-erlang-b: the share of blocked calls that retry (start: 0.5)")
        ->type_name("R");
    table
        .add_option("--handling-time", options.handlingTime,
                    "erlang-c-service-level: average handling time, s (start: 180)")
        ->type_name("NUMBER");
    table.add_option("--target-time", options.targetTime, "erlang-c-service-level: target answer time, s (start: 20)")
        ->type_name("NUMBER");
    table
        .add_option("--service-level", options.serviceLevel,
                    "erlang-c-service-level: the target service levels, the columns (start: 0.8,0.85,0.9,0.95)")
        ->type_name("LIST");
}

Table MakeTable(const TableOptions& options, const Settings& settings)
{
    const auto model = static_cast<TableModel>(MatchChoice("model", kTableModels, options.model));
    if (options.channels.empty() == options.traffic.empty()) {
        throw UsageError("table takes one of --channels and --traffic");
    }
    const bool byChannels = !options.channels.empty();
    const bool retries = model == TableModel::ExtendedErlangB;
    const bool queue = model == TableModel::ServiceLevel;
    if (queue && byChannels) {
        throw UsageError("table erlang-c-service-level takes --traffic: the servers each traffic needs");
    }
    if (queue && options.gos != TableOptions{}.gos) {
        throw UsageError("table erlang-c-service-level takes --service-level for its columns");
    }
    const CellMaker cell{model,
                         byChannels,
                         ModelOption(options.recall, "recall", "0.5", retries),
                         ModelOption(options.handlingTime, "handling-time", "180", queue),
                         ModelOption(options.targetTime, "target-time", "20", queue),
                         settings};
    if (!queue && !options.serviceLevel.empty()) {
        throw UsageError("--service-level is not an option of this table");
    }
    const std::vector<long double> targets = queue
        ? Values("service-level", options.serviceLevel.empty() ? "0.8,0.85,0.9,0.95" : options.serviceLevel)
        : Values("gos", options.gos);
    if (targets.size() > kMostColumns) {
        throw UsageError("more than " + std::to_string(kMostColumns) + " columns");
    }
    const std::vector<long double> keys =
        byChannels ? Values("channels", options.channels) : Values("traffic", options.traffic);

    Table table;
    table.header.emplace_back(byChannels ? "channels" : "traffic");
    for (long double target : targets) {
        table.header.push_back(FormatResult(target));
    }
    // Each row is worked out alone; where there are two cores, two threads
    // take every other row (later rows cost more).
    table.rows.resize(keys.size());
    const auto rows = [&](std::size_t first, std::size_t stride) {
        for (std::size_t i = first; i < keys.size(); i += stride) {
            table.rows[i] = Row(cell, keys[i], targets);
        }
    };
    if (std::thread::hardware_concurrency() > 1 && keys.size() > 1) {
        auto odd = std::async(std::launch::async, rows, 1, 2);
        rows(0, 2);
        odd.get();
    } else {
        rows(0, 1);
    }
    return table;
}

void WriteTable(std::ostream& out, const Table& table, const std::string& format, const std::string& model)
{
    if (format == "text") {
        WriteAligned(out, table);
    } else if (format == "markdown") {
        WriteMarkdown(out, table);
    } else if (format == "csv") {
        WriteCsv(out, table);
    } else if (format == "json") {
        nlohmann::ordered_json json;
        json["table"] = model;
        json["rows"] = nlohmann::ordered_json::array();
        for (const auto& row : table.rows) {
            nlohmann::ordered_json object;
            for (std::size_t i = 0; i < row.size(); ++i) {
                object[table.header[i]] = row[i];
            }
            json["rows"].push_back(object);
        }
        out << json.dump() << '\n';
    } else {
        throw UsageError("--format: '" + format + "' is not one of text, csv, markdown, json");
    }
}

int PrintTable(const TableOptions& options, const Settings& settings, std::ostream& out)
{
    if (options.format != "text" && options.format != "csv" && options.format != "markdown" &&
        options.format != "json") {
        throw UsageError("--format: '" + options.format + "' is not one of text, csv, markdown, json");
    }
    WriteTable(out, MakeTable(options, settings), options.format, options.model);
    return 0;
}

} // namespace zandrevio::cli
