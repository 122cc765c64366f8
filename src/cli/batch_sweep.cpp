#include "cli/batch_sweep.h"

#include "numeric/app_error.h"
#include "numeric/parse_real.h"

#include <algorithm>

namespace zandrevio::cli {

namespace {
// A column a row gives: its index, and its option.
struct Given {
    std::size_t column;
    const OptionInfo* option;
};

// The columns a row gives, each with its option; false where a row cannot
// lead or join a sweep (a column the calculation does not take: a usage
// error the row gets on its own).
bool GivenColumns(const Command& command, const CsvRecord& row, const SweepColumns& columns, std::vector<Given>& given)
{
    given.clear();
    if (!row.error.empty() || row.overlong || row.count > columns.width) {
        return false;
    }
    for (std::size_t i = 0; i < row.fields.size(); ++i) {
        if (i == columns.calculation || columns.options[i].empty() || row.fields[i].empty()) {
            continue;
        }
        const auto option = std::find_if(command.options.begin(), command.options.end(),
                                         [&](const OptionInfo& o) { return o.name == columns.options[i]; });
        if (option == command.options.end()) {
            return false;
        }
        given.push_back({i, &*option});
    }
    return true;
}

// Whether a row gives the columns the lead row gives, and only those: rows
// with the same options given.
bool SameColumns(const CsvRecord& row, const CsvRecord& lead, const SweepColumns& columns)
{
    if (!row.error.empty() || row.overlong || row.count > columns.width || row.fields.size() != lead.fields.size()) {
        return false;
    }
    for (std::size_t i = 0; i < row.fields.size(); ++i) {
        if (!columns.options[i].empty() && row.fields[i].empty() != lead.fields[i].empty()) {
            return false;
        }
    }
    return true;
}

bool IsNumber(const OptionInfo& option)
{
    return option.kind == FieldKind::Real || option.kind == FieldKind::Whole;
}

// A number cell's value as the row on its own reads it; false where it
// does not read (the row's own run names the slip).
bool ValueOf(const OptionInfo& option, const std::string& text, long double& value)
{
    try {
        value =
            option.kind == FieldKind::Whole ? static_cast<long double>(ParseWhole(option.name, text)) : ParseReal(text);
        return true;
    } catch (const ConversionFailure&) {
        return false;
    } catch (const RequestError&) {
        return false;
    }
}
} // namespace

SweepOutcome SweepRows(const Command& command, std::span<const CsvRecord> rows, const SweepColumns& columns,
                       const Settings& settings, const std::function<void(std::size_t row, Answer answer)>& out)
{
    if (rows.size() < 2) {
        return {};
    }
    std::vector<Given> lead;
    if (!GivenColumns(command, rows[0], columns, lead)) {
        return {};
    }
    std::vector<std::size_t> numbers; // indexes into `lead`
    for (std::size_t k = 0; k < lead.size(); ++k) {
        if (IsNumber(*lead[k].option)) {
            numbers.push_back(k);
        }
    }
    // The rows that join: the same calculation's text, the same columns, the
    // same words; every number read.
    std::vector<std::vector<long double>> values(numbers.size());
    std::size_t count = 0;
    for (; count < rows.size(); ++count) {
        const CsvRecord& row = rows[count];
        if (row.fields.size() <= columns.calculation ||
            row.fields[columns.calculation] != rows[0].fields[columns.calculation] ||
            !SameColumns(row, rows[0], columns)) {
            break;
        }
        bool joins = true;
        for (std::size_t k = 0; k < lead.size() && joins; ++k) {
            joins = IsNumber(*lead[k].option) || row.fields[lead[k].column] == rows[0].fields[lead[k].column];
        }
        for (std::size_t n = 0; n < numbers.size() && joins; ++n) {
            const Given& cell = lead[numbers[n]];
            long double value = 0.0L;
            joins = ValueOf(*cell.option, row.fields[cell.column], value);
            if (joins) {
                values[n].push_back(value);
            }
        }
        if (!joins) {
            for (std::vector<long double>& column : values) {
                column.resize(count);
            }
            break;
        }
    }
    if (count < 2) {
        return {};
    }
    // The first row's request stands for all: the rules and the variant
    // follow from which options are given, not from their values.
    Request request;
    request.SetEcho(settings.echoInputs);
    for (const Given& cell : lead) {
        request.Give(cell.option->name, rows[0].fields[cell.column]);
    }
    Sweep sweep;
    std::vector<std::vector<std::string_view>> texts(settings.echoInputs ? numbers.size() : 0);
    for (std::size_t n = 0; n < numbers.size(); ++n) {
        const Given& cell = lead[numbers[n]];
        request.Remember(cell.option->name, values[n][0]);
        sweep.options.push_back(cell.option->name);
        sweep.values.push_back(values[n].data());
        if (settings.echoInputs) {
            for (std::size_t row = 0; row < count; ++row) {
                texts[n].push_back(rows[row].fields[cell.column]);
            }
            sweep.texts.push_back(texts[n].data());
        }
    }
    std::size_t emitted = 0;
    try {
        CheckRequest(command, request);
        const std::vector<std::string_view> skip = command.calculation->CheckRules(request);
        const Variant& variant = command.calculation->VariantFor(request);
        if (!variant.sweep) {
            return {0, count};
        }
        const bool swept = variant.sweep(request, skip, sweep, 0, count, [&](std::size_t run, const Reply& reply) {
            Answer answer;
            try {
                answer = AnswerOf(reply, settings);
            } catch (const ApplicationError& error) {
                // A result that cannot be written (an overflow in its rounding), as a row alone gets it.
                answer = Answer{};
                answer.error = ApplicationErrorBoxText(error.Message());
            }
            answer.calculation = command.name;
            ++emitted;
            out(run, std::move(answer));
        });
        return swept ? SweepOutcome{count, 0} : SweepOutcome{0, count};
    } catch (const std::exception&) {
        if (emitted > 0) {
            throw; // not a slip of the rows': a fault of the program's
        }
        return {0, count}; // a usage slip or a broken rule: each row names it on its own
    }
}

} // namespace zandrevio::cli
