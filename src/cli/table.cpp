#include "cli/table.h"

#include "cli/command_kit.h"
#include "numeric/app_error.h"
#include "numeric/decimal_separator.h"
#include "numeric/parse_real.h"
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

// One row: its key, then the traffic or the channels at each GOS.
std::vector<std::string> Row(int model, bool byChannels, long double key, const std::vector<long double>& targets,
                             const Settings& settings)
{
    using F = TrafficField;
    std::vector<std::string> row;
    if (byChannels) {
        const std::int32_t n = ParseWhole("channels", FormatFull(key));
        row.push_back(std::to_string(n));
        for (long double gos : targets) {
            row.push_back(Cell([&] {
                const auto traffic = TrafficForGos({{F::Model, model}, {F::Channels, n}, {F::Gos, gos}});
                return traffic.Ok() ? Result(kTrafficResult, traffic.Value(), settings).value : traffic.Error().message;
            }));
        }
        return row;
    }
    row.push_back(FormatResult(key));
    for (long double gos : targets) {
        row.push_back(Cell([&] {
            const auto channels = ChannelsForGos({{F::Model, model}, {F::Traffic, key}, {F::Gos, gos}});
            return channels.Ok() ? std::to_string(channels.Value()) : channels.Error().message;
        }));
    }
    return row;
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
    table.add_option("model", options.model, "The traffic model")->required()->type_name("erlang-b|erlang-c|poisson");
    table.add_option("--channels", options.channels, "Channel counts: the traffic each carries at each GOS")
        ->type_name("FIRST-LAST[:STEP]|LIST");
    table.add_option("--traffic", options.traffic, "Traffics (Erlang): the channels each needs at each GOS")
        ->type_name("FIRST-LAST[:STEP]|LIST");
    table.add_option("--gos", options.gos, "The grades of service, the table's columns (start: " + options.gos + ")")
        ->type_name("LIST");
    table.add_option("--format", options.format, "text, csv, markdown or json")->type_name("text|csv|markdown|json");
}

Table MakeTable(const TableOptions& options, const Settings& settings)
{
    const int model = MatchChoice("model", kTrafficModels, options.model);
    if (options.channels.empty() == options.traffic.empty()) {
        throw UsageError("table takes one of --channels and --traffic");
    }
    const std::vector<long double> targets = Values("gos", options.gos);
    if (targets.size() > kMostColumns) {
        throw UsageError("--gos: more than " + std::to_string(kMostColumns) + " columns");
    }
    const bool byChannels = !options.channels.empty();
    const std::vector<long double> keys =
        byChannels ? Values("channels", options.channels) : Values("traffic", options.traffic);

    Table table;
    table.header.emplace_back(byChannels ? "channels" : "traffic");
    for (long double gos : targets) {
        table.header.push_back(FormatResult(gos));
    }
    // Each row is worked out alone; where there are two cores, two threads
    // take every other row (later rows cost more).
    table.rows.resize(keys.size());
    const auto rows = [&](std::size_t first, std::size_t stride) {
        for (std::size_t i = first; i < keys.size(); i += stride) {
            table.rows[i] = Row(model, byChannels, keys[i], targets, settings);
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
