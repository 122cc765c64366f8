#pragma once

#include "numeric/app_error.h"
#include "calculation/calculation.h"
#include "numeric/decimal_separator.h"
#include "calculation/request.h"

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A calculation as one value: its name and summary, its variants (each with
// its fields, operation and results), and the rules that say which options
// select a variant. The command line, batches, the manual, the completion
// and the window's result writing are all made from these values.
namespace zandrevio {

// One option of a calculation, as the command line, a batch, the manual and
// the completion meet it.
struct OptionSpec {
    std::string_view name;    // without dashes
    std::string_view caption; // the window's caption, with its unit
    FieldKind kind;
    std::string_view start; // the start text; empty where the option is one of several alternatives
    std::vector<Choice> choices;
    std::string_view help = {};        // the unit or the kind of number, where the caption does not say
    std::string_view placeholder = {}; // the help's name of a text's value (FILE)
    // Where another choice narrows this one (a model has only some areas):
    // that option, and for each of its words the words this one then takes.
    std::string_view narrowedBy = {};
    std::vector<std::pair<std::string_view, std::vector<std::string_view>>> wordsFor = {};
    // Given once per item (--stage A --stage B): a list of texts.
    bool repeated = false;
    // Whether a value below 0 has a meaning: the window's field takes a minus.
    bool negative = false;
};

// One result of a run in physical units, with the unit and format in force
// (a unit or format may follow a choice: the return loss is in dB).
struct ResultValue {
    const ResultSpec* spec = nullptr;
    long double value = 0.0L;
    std::string text; // for a result that is a text (a band's name)
    std::string_view unit;
    ResultFormat format = ResultFormat::Result;
};

// One point of a plotted curve, in the calculation's own units.
struct CurvePoint {
    long double x;
    long double y;
};

// What one run of a calculation gives, before a face writes it: the options
// it read (with the text given or the start value), its results, notes and
// warnings, or the message of its refusal.
struct Reply {
    std::vector<std::pair<std::string_view, std::string>> inputs;
    bool beep = true; // whether the window sounds the refusal
    std::vector<ResultValue> results;
    // Where a calculation answers for several bands: each band's results (the
    // first of them are also the results above).
    std::vector<std::vector<ResultValue>> matches;
    std::vector<std::string> warnings;
    std::vector<CurvePoint> curve; // the downtilt plot: distance km, gain dB
    // A list the calculation gives beside its results, a row an item (the
    // intermodulation products), each row's values in the same order.
    std::vector<std::vector<ResultValue>> rows;
    std::string error;
    std::string_view errorOption; // the option a refusal names, where it names one

    bool Failed() const { return !error.empty(); }
};

// The value of one result of a result type T.
template <typename T>
struct ResultOf {
    const ResultSpec* spec;
    long double (*value)(const T&);
};

// A result that is the whole value, or one member of a result struct:
// Whole<long double>, Member<&ExtendedErlangBResult::blocking>.
template <typename T>
long double Whole(const T& value)
{
    return static_cast<long double>(value);
}
template <auto MemberPointer>
struct MemberOf;
template <typename T, typename M, M T::*MemberPointer>
struct MemberOf<MemberPointer> {
    static long double Get(const T& value) { return static_cast<long double>(value.*MemberPointer); }
};
template <auto MemberPointer>
inline constexpr auto Member = &MemberOf<MemberPointer>::Get;

// A reply's results from the projections of one result value, each with its
// description's unit and format.
template <typename T>
std::vector<ResultValue> ResultsOf(const T& value, const std::vector<ResultOf<T>>& results)
{
    std::vector<ResultValue> values;
    values.reserve(results.size());
    for (const ResultOf<T>& result : results) {
        values.push_back({result.spec, result.value(value), {}, result.spec->unit, result.spec->format});
    }
    return values;
}

// Many runs of one variant that differ only in numbers: `options` are the
// numeric options whose value changes from run to run, `values[k]` holds
// option k's value of every run.
struct Sweep {
    std::vector<std::string_view> options;
    std::vector<const long double*> values;
    // Where the request asks for an echo: option k's text of every run.
    std::vector<const std::string_view*> texts;
};
// Receives each run of a sweep: its index and its reply (results, warnings
// or refusal; no echo).
using SweepOut = std::function<void(std::size_t run, const Reply& reply)>;

// One way of running a calculation, selected by the options given.
struct Variant {
    // The options that select it: all of them are given. A variant that
    // needs none is the calculation's default.
    std::vector<std::string_view> needs;
    std::vector<OptionSpec> options;
    std::vector<const ResultSpec*> results;
    // Runs on a request; `skip` lists options that stay unread (those of the
    // alternatives not chosen). Throws RequestError.
    std::function<Reply(const Request&, const std::vector<std::string_view>& skip)> run;
    // Runs [begin, end) of a sweep on the request's other options, reading
    // them once; false where the variant cannot (a field read through a
    // hook, an option that is no field), and the caller runs each on its
    // own request. Throws RequestError as `run` does.
    std::function<bool(const Request&, const std::vector<std::string_view>& skip, const Sweep& sweep, std::size_t begin,
                       std::size_t end, const SweepOut& out)>
        sweep;
};

// A rule over alternatives: exactly `count` of them are given (or, with
// `atMostOne`, none or one). An alternative is one option or several that go
// together ("--calls with --interval").
struct OneOf {
    std::vector<std::vector<std::string_view>> alternatives;
    int count = 1;
    bool atMostOne = false;
    // The words after "<calculation> takes"; made from the alternatives
    // where empty.
    std::string_view wording = {};
    // Whether an alternative's first option must come with the others: they
    // only qualify it (--interval, which has a start, without --calls, which
    // has none, is no alternative).
    bool firstLeads = false;
};

class Calculation {
public:
    std::string_view name; // the subcommand, and a batch row's calculation
    std::string_view summary;
    std::vector<Variant> variants;
    std::vector<OneOf> rules;
    // Whether a batch row can hold its inputs (not where they are lists).
    bool inBatch = true;

    // Every option of the variants, each once in the order first met; an
    // option of a rule's alternatives has no start value.
    std::vector<OptionSpec> Options() const;
    // Every result of the variants, each name once.
    std::vector<const ResultSpec*> Results() const;
    // The "takes one of ..." sentence of a rule.
    std::string RuleText(const OneOf& rule) const;
    // Checks the rules (RequestError for a broken one); the options of the
    // alternatives not chosen, which stay unread.
    std::vector<std::string_view> CheckRules(const Request& request) const;
    // Checks the rules, then runs the variant the options select. Throws
    // RequestError for an unknown option, a broken rule or a bad choice.
    Reply Run(const Request& request) const;
    // The variant the options select (the rules already checked), or a
    // RequestError.
    const Variant& VariantFor(const Request& request) const;
};

// What a variant needs beyond its fields, its operation and its results.
template <typename Field, typename T>
struct VariantHooks {
    // Sets what the options do not give field by field: a field that no
    // option names, a list that follows another field's choice.
    void (*prepare)(Inputs<Field>&, const Request&) = nullptr;
    // Adds what the projections do not: warnings, a curve, several bands, a
    // unit that follows a choice.
    void (*finish)(Reply&, const T&, const Inputs<Field>&) = nullptr;
    // A field read from another option than its own ("--tx" gives the
    // receive frequency through the duplex), for the echo of the inputs.
    std::vector<std::pair<Field, std::string_view>> aliases = {};
};

// The inputs of a calculation from a request: each field from its option or
// its start value; a real field is parsed only when the calculation reaches
// it. Fields without an option, lists without items and `skip`ped options
// are left to the caller.
template <typename Field>
Inputs<Field> InputsFrom(const Request& request, const CalculationSpec<Field>& calculation,
                         const std::vector<std::string_view>& skip = {})
{
    Inputs<Field> inputs;
    inputs.Reserve(calculation.fields.size());
    for (const FieldSpec<Field>& spec : calculation.fields) {
        if (spec.option.empty() || std::find(skip.begin(), skip.end(), spec.option) != skip.end()) {
            continue;
        }
        const std::string_view text = request.TextOr(spec.option, spec.start);
        switch (spec.kind) {
        case FieldKind::Real:
            if (const auto exact = request.Exact(spec.option)) {
                inputs.Set(spec.field, *exact);
            } else if (request.Has(spec.option)) {
                inputs.Set(spec.field, Input::Text(std::string(text)));
            } else {
                // A start value is the program's own text, written with ".".
                inputs.Set(spec.field, Input::Text(std::string(text), '.'));
            }
            break;
        case FieldKind::Whole:
            if (const auto exact = request.Exact(spec.option)) {
                if (!IsWhole32(*exact)) {
                    throw RequestError(spec.option, NotWholeNumber(*exact));
                }
                inputs.Set(spec.field, *exact);
            } else {
                inputs.Set(spec.field, static_cast<long double>(ParseWhole(spec.option, text)));
            }
            break;
        case FieldKind::Choice:
            if (!spec.choices.empty()) {
                inputs.Set(spec.field, static_cast<long double>(MatchChoice(spec.option, spec.choices, text)));
            }
            break;
        case FieldKind::Text:
            break;
        }
    }
    return inputs;
}

template <typename Field>
std::vector<OptionSpec> OptionsOf(const CalculationSpec<Field>& calculation)
{
    std::vector<OptionSpec> options;
    for (const FieldSpec<Field>& spec : calculation.fields) {
        if (!spec.option.empty()) {
            options.push_back({spec.option,
                               spec.caption,
                               spec.kind,
                               spec.start,
                               {spec.choices.begin(), spec.choices.end()},
                               spec.help,
                               spec.placeholder,
                               {},
                               {},
                               false,
                               spec.negative});
        }
    }
    return options;
}

// A field's start value as an echo gives it, in the words an option takes:
// a choice's word ("vertical", not the window's "Vertical"), a number with
// the decimal separator in force.
template <typename Field>
std::string EchoedStart(const FieldSpec<Field>& spec)
{
    if (spec.kind == FieldKind::Choice) {
        const int index = ChoiceIndex(spec.choices, spec.start);
        if (index >= 0 && !spec.choices[static_cast<std::size_t>(index)].key.empty()) {
            return std::string(spec.choices[static_cast<std::size_t>(index)].key);
        }
    }
    std::string text(spec.start);
    if (spec.kind == FieldKind::Real) {
        std::replace(text.begin(), text.end(), '.', DecimalSeparator());
    }
    return text;
}

// The echo of the options a run read, each with the text given or its start
// value; a field read from another option than its own (`aliases`) is
// echoed under that option where it was given.
template <typename Field>
void EchoFields(Reply& reply, const Request& request, const CalculationSpec<Field>& calculation,
                const Inputs<Field>& in, const std::vector<std::pair<Field, std::string_view>>& aliases = {})
{
    if (!request.Echo()) {
        return;
    }
    for (const FieldSpec<Field>& spec : calculation.fields) {
        if (!in.WasRead(spec.field)) {
            continue;
        }
        std::string_view option = spec.option;
        for (const auto& [field, alias] : aliases) {
            if (field == spec.field && request.Has(alias)) {
                option = alias;
            }
        }
        if (!option.empty()) {
            reply.inputs.emplace_back(
                option, request.Has(option) ? std::string(request.TextOr(option, {})) : EchoedStart(spec));
        }
    }
}

// The echo of one run of a sweep: the options it read, a varying one with
// that run's text.
template <typename Field>
void EchoRun(Reply& reply, const Request& request, const CalculationSpec<Field>& calculation, const Inputs<Field>& in,
             const Sweep& sweep, std::size_t run)
{
    reply.inputs.clear();
    for (const FieldSpec<Field>& spec : calculation.fields) {
        if (spec.option.empty() || !in.WasRead(spec.field)) {
            continue;
        }
        const auto varying = std::find(sweep.options.begin(), sweep.options.end(), spec.option);
        const auto k = static_cast<std::size_t>(varying - sweep.options.begin());
        if (varying != sweep.options.end() && k < sweep.texts.size()) {
            reply.inputs.emplace_back(spec.option, std::string(sweep.texts[k][run]));
        } else {
            reply.inputs.emplace_back(spec.option,
                                      request.Has(spec.option) ? std::string(request.TextOr(spec.option, {}))
                                                               : EchoedStart(spec));
        }
    }
}

// A refusal as the reply carries it: its message and the option of its field.
template <typename Field>
void Refuse(Reply& reply, const CalculationSpec<Field>& calculation, const Refusal<Field>& refusal)
{
    reply.error = refusal.message;
    reply.beep = refusal.beep;
    for (const FieldSpec<Field>& spec : calculation.fields) {
        if (spec.field == refusal.field) {
            reply.errorOption = spec.option;
        }
    }
}

// A result's warnings (the model's limits), where its type has them.
template <typename T>
void CopyWarnings(Reply& reply, const T& result)
{
    if constexpr (requires { result.warnings.begin(); }) {
        reply.warnings.assign(result.warnings.begin(), result.warnings.end());
    }
}

// The generic variant: read the inputs, run the operation, then the refusal
// or the results and warnings, and the echo of the options the operation read.
template <typename Field, typename T>
Variant MakeVariant(std::vector<std::string_view> needs, const CalculationSpec<Field>& calculation,
                    Outcome<T, Field> (*operation)(const Inputs<Field>&), std::vector<ResultOf<T>> results,
                    VariantHooks<Field, T> hooks = {})
{
    Variant variant;
    variant.needs = std::move(needs);
    variant.options = OptionsOf(calculation);
    for (const ResultOf<T>& result : results) {
        variant.results.push_back(result.spec);
    }
    variant.run = [&calculation, operation, results, hooks](const Request& request,
                                                            const std::vector<std::string_view>& skip) {
        Inputs<Field> in = InputsFrom(request, calculation, skip);
        if (hooks.prepare != nullptr) {
            hooks.prepare(in, request);
        }
        Reply reply;
        const Outcome<T, Field> outcome = operation(in);
        EchoFields(reply, request, calculation, in, hooks.aliases);
        if (!outcome.Ok()) {
            Refuse(reply, calculation, outcome.Error());
            return reply;
        }
        reply.results = ResultsOf(outcome.Value(), results);
        CopyWarnings(reply, outcome.Value());
        if (hooks.finish != nullptr) {
            hooks.finish(reply, outcome.Value(), in); // after the echo, which it may read
        }
        return reply;
    };
    if (hooks.prepare != nullptr || !hooks.aliases.empty()) {
        return variant; // a hook may read a number that changes from run to run
    }
    variant.sweep = [&calculation, operation, results = std::move(results), finish = hooks.finish](
                        const Request& request, const std::vector<std::string_view>& skip, const Sweep& sweep,
                        std::size_t begin, std::size_t end, const SweepOut& out) {
        std::vector<const FieldSpec<Field>*> varying;
        for (std::string_view option : sweep.options) {
            const auto spec = std::find_if(calculation.fields.begin(), calculation.fields.end(),
                                           [&](const FieldSpec<Field>& f) { return f.option == option; });
            if (spec == calculation.fields.end() || spec->kind == FieldKind::Choice || spec->kind == FieldKind::Text) {
                return false;
            }
            varying.push_back(&*spec);
        }
        // The numbers that change are set run by run, never read from the request.
        std::vector<std::string_view> unread = skip;
        unread.insert(unread.end(), sweep.options.begin(), sweep.options.end());
        Inputs<Field> in = InputsFrom(request, calculation, unread);
        Reply reply;
        for (std::size_t run = begin; run < end; ++run) {
            reply.inputs.clear();
            reply.results.clear();
            reply.matches.clear();
            reply.rows.clear();
            reply.warnings.clear();
            reply.curve.clear();
            reply.error.clear();
            reply.errorOption = {};
            bool refused = false;
            in.ForgetReads();
            for (std::size_t k = 0; k < varying.size(); ++k) {
                const long double value = sweep.values[k][run];
                if (varying[k]->kind == FieldKind::Whole && !IsWhole32(value)) {
                    reply.error = WholeRefusal(varying[k]->option, value);
                    reply.errorOption = varying[k]->option;
                    refused = true;
                }
                in.Set(varying[k]->field, value);
            }
            if (!refused) {
                try {
                    const Outcome<T, Field> outcome = operation(in);
                    if (request.Echo()) {
                        EchoRun(reply, request, calculation, in, sweep, run); // before `finish`, which may read it
                    }
                    if (!outcome.Ok()) {
                        Refuse(reply, calculation, outcome.Error());
                    } else {
                        for (const ResultOf<T>& result : results) {
                            reply.results.push_back({result.spec,
                                                     result.value(outcome.Value()),
                                                     {},
                                                     result.spec->unit,
                                                     result.spec->format});
                        }
                        CopyWarnings(reply, outcome.Value());
                        if (finish != nullptr) {
                            finish(reply, outcome.Value(), in);
                        }
                    }
                } catch (const ApplicationError& error) {
                    // A fault of one run (an overflow) is that run's refusal, and all it gives.
                    reply = Reply{};
                    reply.error = ApplicationErrorBoxText(error.Message());
                }
            }
            out(run, reply);
        }
        return true;
    };
    return variant;
}

// An operation that cannot refuse, as one that can.
template <typename T, typename Field, T (*Operation)(const Inputs<Field>&)>
Outcome<T, Field> NeverRefused(const Inputs<Field>& in)
{
    return Operation(in);
}

} // namespace zandrevio
