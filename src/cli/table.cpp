#include "cli/table.h"

#include "cli/batch.h"
#include "cli/commands.h"
#include "numeric/app_error.h"
#include "numeric/decimal_separator.h"
#include "numeric/format.h"
#include "numeric/parse_real.h"
#include "itm/itm.h"
#include "itm/itm_entries.h"
#include "registry/registry.h"
#include "traffic/queueing.h"
#include "traffic/traffic_calculations.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <functional>
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
        throw UsageError(option, "'" + text + "' is not a number");
    }
}

// Whether the text reads as a number.
bool IsNumber(const std::string& text)
{
    try {
        ParseReal(text);
        return true;
    } catch (const ConversionFailure&) {
        return false;
    }
}

// A list of numbers ("1e-3,0.5"), or a range "a-b" or "a-b:step" where the
// text is not a list of numbers; every value a + k step, never summed up. A
// value given twice would give a column or row twice: refused.
std::vector<long double> Values(const std::string& option, const std::string& text)
{
    std::vector<long double> values;
    const std::vector<std::string> parts = Split(text, ListSeparator());
    const std::size_t dash = text.find('-', 1);
    if (std::all_of(parts.begin(), parts.end(), IsNumber) || dash == std::string::npos) {
        for (const std::string& part : parts) {
            values.push_back(Number(option, part));
        }
    } else {
        const std::size_t colon = text.find(':', dash);
        const long double first = Number(option, text.substr(0, dash));
        const long double last = Number(option, text.substr(dash + 1, colon - dash - 1));
        const long double step = colon == std::string::npos ? 1.0L : Number(option, text.substr(colon + 1));
        if (!(step > 0.0L) || !(last >= first) || !((last - first) / step < kMostRows)) {
            throw UsageError(option,
                             "'" + text + "' is not a range FIRST-LAST[:STEP] of at most " + std::to_string(kMostRows) +
                                 " values");
        }
        const auto count = static_cast<std::size_t>(std::floor((last - first) / step * (1.0L + 1e-15L))) + 1;
        for (std::size_t k = 0; k < count; ++k) {
            values.push_back(first + static_cast<long double>(k) * step);
        }
    }
    if (values.size() > kMostRows) {
        throw UsageError(option, "more than " + std::to_string(kMostRows) + " values");
    }
    return values;
}

// The texts of the values as the table writes them: each only once.
void RefuseRepeats(const std::string& option, const std::vector<std::string>& texts)
{
    for (std::size_t i = 0; i < texts.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (texts[i] == texts[j]) {
                throw UsageError(option, texts[i] + " is given twice");
            }
        }
    }
}

// A cell's text: the result, or the message of its refusal or fault.
struct CellText {
    std::string text;
    bool failed = false;
};

template <typename Run>
CellText Cell(Run run)
{
    try {
        return run();
    } catch (const ApplicationError& error) {
        return {ApplicationErrorBoxText(error.Message()), true};
    }
}

// The tables' models, each described once: its word, what its rows and
// columns are, and the plan that makes it. The help, the completion and the
// check of the word read this table.
enum class TableModel { Poisson, ErlangB, ErlangC, ExtendedErlangB, ServiceLevel, Itm, Availability };
enum class TablePlanKind { Traffic, Itm, Availability };
struct TableModelEntry {
    TableModel model;
    Choice choice;
    std::string_view what;
    TablePlanKind plan;
};
constexpr TableModelEntry kTableModelEntries[] = {
    {TableModel::ErlangB, {"Erlang B", "erlang-b"}, "traffic per channels, or channels per traffic, at each --gos",
     TablePlanKind::Traffic},
    {TableModel::ErlangC, {"Erlang C", "erlang-c"}, "the same at each probability of waiting (--gos)",
     TablePlanKind::Traffic},
    {TableModel::Poisson, {"Poisson", "poisson"}, "the same by Poisson's blocked calls held",
     TablePlanKind::Traffic},
    {TableModel::ExtendedErlangB, {"Extended Erlang B", "extended-erlang-b"},
     "the same with blocked calls retrying (--recall)", TablePlanKind::Traffic},
    {TableModel::ServiceLevel, {"Erlang C service level", "erlang-c-service-level"},
     "the servers each --traffic needs at each --service-level", TablePlanKind::Traffic},
    {TableModel::Itm, {"Longley-Rice", "itm"}, "a path's loss at each --time (rows) and --location (columns)",
     TablePlanKind::Itm},
    {TableModel::Availability, {"Availability", "availability"},
     "a hop's fade margin for each --availability at each frequency or distance", TablePlanKind::Availability},
};

// The entry of a model's word, or a usage error naming the words.
const TableModelEntry& TableModelOf(std::string_view word)
{
    static const std::vector<Choice> choices = [] {
        std::vector<Choice> all;
        for (const TableModelEntry& entry : kTableModelEntries) {
            all.push_back(entry.choice);
        }
        return all;
    }();
    return kTableModelEntries[static_cast<std::size_t>(MatchChoice("model", choices, word))];
}

std::string_view WordOf(TableModel model)
{
    for (const TableModelEntry& entry : kTableModelEntries) {
        if (entry.model == model) {
            return entry.choice.key;
        }
    }
    return {};
}

} // namespace

std::vector<std::string> TableModelWords()
{
    std::vector<std::string> words;
    for (const TableModelEntry& entry : kTableModelEntries) {
        words.emplace_back(entry.choice.key);
    }
    return words;
}

namespace {
std::string Whole(std::int64_t value)
{
    return std::to_string(value);
}

template <typename T, typename Field, typename Write>
CellText TextOf(const Outcome<T, Field>& outcome, Write write)
{
    if (!outcome.Ok()) {
        return {outcome.Error().message, true};
    }
    return {write(outcome.Value())};
}

// The channels of a key: a whole number, or a usage error.
std::int32_t ChannelsOf(long double key)
{
    return ParseWhole("channels", FormatFull(key));
}

// A table's cells: at a row's key (channels or traffic) and a column's
// target, the registry's calculation run on them, written as the command
// line writes it, or its refusal. The keys and targets go in as values.
struct CellMaker {
    TableModel model;
    bool byChannels;
    long double recall;
    long double handlingTime;
    long double targetTime;
    const Settings& settings;

    CellText operator()(long double key, long double target) const
    {
        if (model == TableModel::ExtendedErlangB && byChannels) {
            // No calculation gives the fresh traffic of a blocking: the core's search.
            using R = RetryField;
            const auto n = static_cast<long double>(ChannelsOf(key));
            return TextOf(ExtendedErlangBTraffic({{R::Recall, recall}, {R::Channels, n}, {R::Blocking, target}}),
                          [&](long double a) { return FormatAs(kTrafficResult.format, a, settings.digits); });
        }
        Request request;
        std::string_view calculation = "traffic";
        std::string_view result = byChannels ? "traffic" : "channels";
        const auto give = [&](const char* option, long double value) {
            request.Give(option, value, FormatFull(value));
        };
        switch (model) {
        case TableModel::ExtendedErlangB:
            calculation = "extended-erlang-b";
            give("traffic", key);
            give("recall", recall);
            give("blocking", target);
            break;
        case TableModel::ServiceLevel:
            calculation = "service-level";
            result = "servers";
            give("traffic", key);
            give("handling-time", handlingTime);
            give("target-time", targetTime);
            give("target-service-level", target);
            break;
        default:
            request.Give("model", std::string(WordOf(model)));
            if (byChannels) {
                request.Give("channels", std::to_string(ChannelsOf(key)));
            } else {
                give("traffic", key);
            }
            give("gos", target);
            break;
        }
        const Reply reply = FindCalculation(calculation)->Run(request);
        if (reply.Failed()) {
            return {reply.error, true};
        }
        for (const ResultValue& value : reply.results) {
            if (value.spec->name == result) {
                return {FormatAs(value.format, value.value, settings.digits)};
            }
        }
        throw std::logic_error("a table's calculation gave no " + std::string(result));
    }
};

// The text of a row's key.
std::string KeyText(const CellMaker& cell, long double key)
{
    return cell.byChannels ? Whole(ChannelsOf(key)) : FormatAs(ResultFormat::Result, key, cell.settings.digits);
}

// One row: its key, then a cell at each target; counts the cells refused.
std::vector<std::string> Row(const CellMaker& cell, long double key, const std::vector<long double>& targets,
                             std::size_t& failed)
{
    std::vector<std::string> row;
    row.push_back(KeyText(cell, key));
    for (long double target : targets) {
        CellText text = Cell([&] { return cell(key, target); });
        failed += text.failed ? 1 : 0;
        row.push_back(std::move(text.text));
    }
    return row;
}

// An option of one model only, or its start value.
long double ModelOption(const std::string& text, const char* option, long double start, bool forModel)
{
    if (!forModel && !text.empty()) {
        throw UsageError(std::string("--") + option + " is not an option of this table");
    }
    return text.empty() ? start : Number(option, text);
}

// RFC 4180, as a batch writes it.
std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

// Writes a table as its rows come. Text is aligned to the widths of the
// header and the first rows; a later, wider cell only pushes its own row.
class TableWriter {
public:
    TableWriter(std::ostream& out, std::string format, const std::string& model, std::vector<std::string> header)
        : m_out(out)
        , m_format(std::move(format))
        , m_header(std::move(header))
    {
        if (m_format == "markdown") {
            Markdown(m_header);
            m_out << '|';
            for (std::size_t i = 0; i < m_header.size(); ++i) {
                m_out << " ---: |";
            }
            m_out << '\n';
        } else if (m_format == "csv") {
            Csv(m_header);
        } else if (m_format == "json") {
            m_out << "{\"table\":" << nlohmann::ordered_json(model).dump() << ",\"rows\":[";
        }
    }

    void Rows(const std::vector<std::vector<std::string>>& rows)
    {
        if (m_format == "text" && m_widths.empty()) {
            for (const std::string& name : m_header) {
                m_widths.push_back(name.size());
            }
            for (const auto& row : rows) {
                for (std::size_t i = 0; i < row.size(); ++i) {
                    m_widths[i] = std::max(m_widths[i], row[i].size());
                }
            }
            Aligned(m_header);
        }
        for (const auto& row : rows) {
            if (m_format == "text") {
                Aligned(row);
            } else if (m_format == "markdown") {
                Markdown(row);
            } else if (m_format == "csv") {
                Csv(row);
            } else {
                nlohmann::ordered_json object;
                for (std::size_t i = 0; i < row.size(); ++i) {
                    object[m_header[i]] = row[i];
                }
                m_out << (m_first ? "" : ",") << object.dump();
                m_first = false;
            }
        }
    }

    void End()
    {
        if (m_format == "text" && m_widths.empty()) {
            Rows({});
        }
        if (m_format == "json") {
            m_out << "]}\n";
        }
    }

private:
    void Aligned(const std::vector<std::string>& cells)
    {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const std::size_t pad = m_widths[i] > cells[i].size() ? m_widths[i] - cells[i].size() : 0;
            m_out << (i > 0 ? "  " : "") << std::string(pad, ' ') << cells[i];
        }
        m_out << '\n';
    }
    void Markdown(const std::vector<std::string>& cells)
    {
        m_out << '|';
        for (const std::string& cell : cells) {
            m_out << ' ' << cell << " |";
        }
        m_out << '\n';
    }
    void Csv(const std::vector<std::string>& cells)
    {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            m_out << (i > 0 ? "," : "") << CsvField(cells[i]);
        }
        m_out << '\n';
    }

    std::ostream& m_out;
    std::string m_format;
    std::vector<std::string> m_header;
    std::vector<std::size_t> m_widths;
    bool m_first = true;
};

// What a table is made of: its cells' maker, its rows' keys and its columns.
struct TablePlan {
    CellMaker cell;
    std::vector<long double> keys;
    std::vector<long double> targets;
    std::vector<std::string> header;
};

TablePlan PlanTable(const TableOptions& options, const Settings& settings)
{
    const TableModel model = TableModelOf(options.model).model;
    if (!options.given.empty()) {
        throw UsageError("--" + options.given.front().first + " is not an option of this table");
    }
    if (!options.time.empty() || !options.location.empty() || !options.availability.empty()) {
        throw UsageError(std::string("--") +
                         (!options.time.empty()           ? "time"
                              : !options.location.empty() ? "location"
                                                          : "availability") +
                         " is not an option of this table");
    }
    if (options.channels.empty() == options.traffic.empty()) {
        throw UsageError("table takes one of --channels and --traffic");
    }
    const bool byChannels = !options.channels.empty();
    const bool retries = model == TableModel::ExtendedErlangB;
    const bool queue = model == TableModel::ServiceLevel;
    if (queue && byChannels) {
        throw UsageError("table erlang-c-service-level takes --traffic: the servers each traffic needs");
    }
    if (queue && !options.gos.empty()) {
        throw UsageError("table erlang-c-service-level takes --service-level for its columns");
    }
    TablePlan plan{CellMaker{model, byChannels, ModelOption(options.recall, "recall", 0.5L, retries),
                             ModelOption(options.handlingTime, "handling-time", 180.0L, queue),
                             ModelOption(options.targetTime, "target-time", 20.0L, queue), settings},
                   {},
                   {},
                   {}};
    if (!queue && !options.serviceLevel.empty()) {
        throw UsageError("--service-level is not an option of this table");
    }
    const char* columns = queue ? "service-level" : "gos";
    plan.targets = queue
        ? (options.serviceLevel.empty() ? std::vector<long double>{0.8L, 0.85L, 0.9L, 0.95L}
                                        : Values(columns, options.serviceLevel))
        : (options.gos.empty() ? std::vector<long double>{0.001L, 0.002L, 0.005L, 0.01L, 0.02L, 0.05L, 0.1L}
                               : Values(columns, options.gos));
    if (plan.targets.size() > kMostColumns) {
        throw UsageError("more than " + std::to_string(kMostColumns) + " columns");
    }
    plan.keys = byChannels ? Values("channels", options.channels) : Values("traffic", options.traffic);
    plan.header.emplace_back(byChannels ? "channels" : "traffic");
    for (long double target : plan.targets) {
        plan.header.push_back(FormatAs(ResultFormat::Result, target, settings.digits));
    }
    RefuseRepeats(columns, {plan.header.begin() + 1, plan.header.end()});
    return plan;
}

// Rows `begin` to `end` of a table, each worked out alone; where there are
// two cores, two threads take every other row (later rows cost more).
std::vector<std::vector<std::string>> RowsOf(const TablePlan& plan, std::size_t begin, std::size_t end,
                                             std::size_t& failed)
{
    std::vector<std::vector<std::string>> rows(end - begin);
    std::size_t failures[2] = {0, 0};
    const auto work = [&](std::size_t first, std::size_t stride, std::size_t& count) {
        for (std::size_t i = first; i < rows.size(); i += stride) {
            rows[i] = Row(plan.cell, plan.keys[begin + i], plan.targets, count);
        }
    };
    if (std::thread::hardware_concurrency() > 1 && rows.size() > 1) {
        auto odd = std::async(std::launch::async, work, 1, 2, std::ref(failures[1]));
        work(0, 2, failures[0]);
        odd.get();
    } else {
        work(0, 1, failures[0]);
    }
    failed += failures[0] + failures[1];
    return rows;
}
} // namespace

namespace {
bool TrafficOptionGiven(const TableOptions& options)
{
    return !options.channels.empty() || !options.traffic.empty() || !options.gos.empty() || !options.recall.empty() ||
        !options.handlingTime.empty() || !options.targetTime.empty() || !options.serviceLevel.empty();
}

std::string Joined(const std::vector<std::string>& words)
{
    std::string joined;
    for (const std::string& word : words) {
        joined += (joined.empty() ? "" : "|") + word;
    }
    return joined;
}

// A table of a calculation beyond traffic: its rows, or the refusal that
// stopped it, and its warnings.
struct CalculationTable {
    Table table;
    std::string error;
    std::vector<std::string> warnings;
};

// Longley-Rice's reliability table: a row a time percentage, a column a
// location percentage, the path as the itm subcommand takes it.
CalculationTable PlanItmTable(const TableOptions& options, const Settings& settings)
{
    if (TrafficOptionGiven(options) || !options.availability.empty()) {
        throw UsageError("table itm takes --time and --location, and the options of itm");
    }
    const std::vector<long double> times =
        options.time.empty() ? std::vector<long double>{10.0L, 50.0L, 90.0L, 99.0L} : Values("time", options.time);
    const std::vector<long double> locations =
        options.location.empty() ? std::vector<long double>{50.0L, 90.0L} : Values("location", options.location);
    if (locations.size() > kMostColumns) {
        throw UsageError("more than " + std::to_string(kMostColumns) + " columns");
    }
    Request request(options.given);
    const Command* itm = FindCommand("itm");
    CheckRequest(*itm, request);
    // The calculation's rule: one source of the path.
    itm->calculation->CheckRules(request);
    CalculationTable plan;
    plan.table.header.emplace_back("time");
    for (long double location : locations) {
        plan.table.header.push_back(FormatAs(ResultFormat::Result, location, settings.digits));
    }
    RefuseRepeats("location", {plan.table.header.begin() + 1, plan.table.header.end()});
    std::vector<std::string> keys;
    for (long double time : times) {
        keys.push_back(FormatAs(ResultFormat::Result, time, settings.digits));
    }
    RefuseRepeats("time", keys);
    const ItmTableReply reply = ItmTableOf(request, times, locations);
    if (!reply.error.empty()) {
        plan.error = reply.error;
        return plan;
    }
    plan.warnings = reply.warnings;
    for (std::size_t t = 0; t < times.size(); ++t) {
        std::vector<std::string> row{keys[t]};
        for (std::size_t l = 0; l < locations.size(); ++l) {
            row.push_back(FormatAs(kItmResultLoss.format, reply.lossDb[t * locations.size() + l], settings.digits));
        }
        plan.table.rows.push_back(std::move(row));
    }
    return plan;
}

// A hop's fade margins: a row a frequency or a distance (whichever is a
// list), a column a target availability, each cell the margin the
// availability calculation finds for it, or its refusal.
CalculationTable PlanAvailabilityTable(const TableOptions& options, const Settings& settings, std::size_t& failed)
{
    if (TrafficOptionGiven(options) || !options.time.empty() || !options.location.empty()) {
        throw UsageError("table availability takes --availability, and the options of availability");
    }
    const std::vector<long double> targets = options.availability.empty()
        ? std::vector<long double>{99.9L, 99.99L, 99.995L, 99.999L}
        : Values("availability", options.availability);
    if (targets.size() > kMostColumns) {
        throw UsageError("more than " + std::to_string(kMostColumns) + " columns");
    }
    // The rows: the option given as a list; the others as they are.
    std::string key = "frequency";
    std::vector<std::pair<std::string, std::string>> fixed;
    std::vector<long double> keys;
    int lists = 0;
    for (const auto& [name, text] : options.given) {
        if (name == "fade-margin" || name == "target-availability") {
            throw UsageError("table availability takes its targets as --availability");
        }
        if ((name == "frequency" || name == "distance") && Values(name, text).size() > 1) {
            key = name;
            keys = Values(name, text);
            ++lists;
        } else {
            fixed.emplace_back(name, text);
        }
    }
    if (lists > 1) {
        throw UsageError("table availability takes a list of frequencies or of distances, not both");
    }
    const Command* availability = FindCommand("availability");
    if (keys.empty()) {
        // One row: the frequency given, or the calculation's start.
        const auto given =
            std::find_if(fixed.begin(), fixed.end(), [](const auto& o) { return o.first == "frequency"; });
        const auto start = std::find_if(availability->options.begin(), availability->options.end(),
                                        [](const OptionInfo& o) { return o.name == "frequency"; });
        keys = {Number("frequency", given != fixed.end() ? given->second : start->start)};
        if (given != fixed.end()) {
            fixed.erase(given);
        }
    }
    Request base(fixed);
    base.Give("target-availability", "99");
    base.Give(key, "1");
    CheckRequest(*availability, base);
    CalculationTable plan;
    plan.table.header.push_back(key);
    for (long double target : targets) {
        plan.table.header.push_back(FormatAs(ResultFormat::Nines, target, settings.digits));
    }
    RefuseRepeats("availability", {plan.table.header.begin() + 1, plan.table.header.end()});
    for (long double value : keys) {
        std::vector<std::string> row{FormatAs(ResultFormat::Result, value, settings.digits)};
        for (long double target : targets) {
            Request request(fixed);
            request.Give(key, value, FormatFull(value));
            request.Give("target-availability", target, FormatFull(target));
            request.SetEcho(false);
            const CellText cell = Cell([&]() -> CellText {
                const Reply reply = availability->calculation->Run(request);
                if (reply.Failed()) {
                    return {reply.error, true};
                }
                for (const ResultValue& result : reply.results) {
                    if (result.spec->name == "fade-margin") {
                        return {FormatAs(result.format, result.value, settings.digits)};
                    }
                }
                throw std::logic_error("availability gave no fade margin");
            });
            failed += cell.failed ? 1 : 0;
            row.push_back(cell.text);
        }
        plan.table.rows.push_back(std::move(row));
    }
    return plan;
}

bool IsItm(const TableOptions& options)
{
    return TableModelOf(options.model).plan == TablePlanKind::Itm;
}

bool IsAvailability(const TableOptions& options)
{
    return TableModelOf(options.model).plan == TablePlanKind::Availability;
}
} // namespace

void AddTableOptions(CLI::App& table, TableOptions& options)
{
    std::string models = "The table's model:";
    std::string words;
    for (const TableModelEntry& entry : kTableModelEntries) {
        models += "\n  " + std::string(entry.choice.key) + ": " + std::string(entry.what);
        words += (words.empty() ? "" : "|") + std::string(entry.choice.key);
    }
    table.add_option("model", options.model, models)->required()->type_name(words);
    table.add_option("--channels", options.channels, "Channel counts: the traffic each carries at each GOS")
        ->type_name("FIRST-LAST[:STEP]|LIST");
    table.add_option("--traffic", options.traffic, "Traffics (Erlang): the channels each needs at each GOS")
        ->type_name("FIRST-LAST[:STEP]|LIST");
    table
        .add_option(
            "--gos", options.gos,
            "The grades of service (fractions), the table's columns (start: 0.001,0.002,0.005,0.01,0.02,0.05,0.1)")
        ->type_name("LIST");
    table.add_option("--format", options.format, "text, csv, markdown or json (start: text)")
        ->type_name("text|csv|markdown|json");
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
    table.add_option("--time", options.time, "itm: the time percentages, the rows (start: 10,50,90,99)")
        ->type_name("LIST");
    table.add_option("--location", options.location, "itm: the location percentages, the columns (start: 50,90)")
        ->type_name("LIST");
    table
        .add_option("--availability", options.availability,
                    "availability: the target availabilities (%), the columns (start: 99.9,99.99,99.995,99.999)")
        ->type_name("LIST");
    // The options of itm (the path, the frequency...) and of availability
    // (the hop, the climate), each once, but those the tables make their
    // rows and columns of.
    std::vector<std::string> added;
    for (const char* model : {"itm", "availability"}) {
        for (const OptionInfo& option : FindCommand(model)->options) {
            const std::string name = option.name;
            if (name == "time" || name == "location" || name == "target-availability" ||
                std::find(added.begin(), added.end(), name) != added.end()) {
                continue;
            }
            added.push_back(name);
            const bool list = std::string_view(model) == "availability" && (name == "frequency" || name == "distance");
            table
                .add_option_function<std::string>(
                    "--" + name, [&options, name](const std::string& text) { options.given.emplace_back(name, text); },
                    std::string(model) + ": " + option.help)
                ->type_name(!option.placeholder.empty()  ? option.placeholder
                                : list                   ? std::string("NUMBER|LIST")
                                : option.choices.empty() ? std::string("NUMBER")
                                                         : Joined(option.choices));
        }
    }
}

Table MakeTable(const TableOptions& options, const Settings& settings)
{
    if (IsItm(options)) {
        CalculationTable plan = PlanItmTable(options, settings);
        if (!plan.error.empty()) {
            throw UsageError(plan.error);
        }
        return plan.table;
    }
    if (IsAvailability(options)) {
        std::size_t failed = 0;
        return PlanAvailabilityTable(options, settings, failed).table;
    }
    const TablePlan plan = PlanTable(options, settings);
    std::size_t failed = 0;
    return {plan.header, RowsOf(plan, 0, plan.keys.size(), failed)};
}

void WriteTable(std::ostream& out, const Table& table, const std::string& format, const std::string& model)
{
    TableWriter writer(out, format, model, table.header);
    writer.Rows(table.rows);
    writer.End();
}

int PrintTable(const TableOptions& options, const Settings& settings, bool json, std::ostream& out, std::ostream& err)
{
    const std::string format = json ? "json" : options.format;
    if (format != "text" && format != "csv" && format != "markdown" && format != "json") {
        throw UsageError("format", "'" + options.format + "' is not one of text, csv, markdown, json");
    }
    if (IsItm(options)) {
        const CalculationTable itm = PlanItmTable(options, settings);
        if (!itm.error.empty()) {
            err << "zandrevio-calc: " << itm.error << '\n';
            return 1;
        }
        WriteTable(out, itm.table, format, options.model);
        out.flush();
        if (!out) {
            throw OutputFailed("the output could not be written");
        }
        for (const std::string& warning : itm.warnings) {
            err << "zandrevio-calc: " << warning << '\n';
        }
        return 0;
    }
    if (IsAvailability(options)) {
        std::size_t failed = 0;
        const CalculationTable margins = PlanAvailabilityTable(options, settings, failed);
        WriteTable(out, margins.table, format, options.model);
        out.flush();
        if (!out) {
            throw OutputFailed("the output could not be written");
        }
        if (failed > 0) {
            err << "zandrevio-calc: " << failed << " of "
                << margins.table.rows.size() * (margins.table.header.size() - 1) << " cells failed\n";
            return 1;
        }
        return 0;
    }
    const TablePlan plan = PlanTable(options, settings);
    TableWriter writer(out, format, options.model, plan.header);
    // The first rows fix the text's widths; after them, rows go out in small
    // chunks as they are worked out.
    constexpr std::size_t kFirstRows = 256;
    constexpr std::size_t kChunk = 32;
    std::size_t failed = 0;
    for (std::size_t begin = 0; begin < plan.keys.size();) {
        const std::size_t end = std::min(plan.keys.size(), begin + (begin == 0 ? kFirstRows : kChunk));
        writer.Rows(RowsOf(plan, begin, end, failed));
        out.flush();
        if (!out) {
            throw OutputFailed("the output could not be written");
        }
        begin = end;
    }
    writer.End();
    out.flush();
    if (failed > 0) {
        err << "zandrevio-calc: " << failed << " of " << plan.keys.size() * plan.targets.size() << " cells failed\n";
        return 1;
    }
    return 0;
}

} // namespace zandrevio::cli
