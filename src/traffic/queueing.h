#pragma once

#include "calculation/calculation.h"

#include <cstdint>

// Planning by service level and with retries: Erlang C queues judged by the
// share of calls answered within a target time, and the Extended Erlang B
// model, in which a share of the blocked calls tries again.
namespace zandrevio {

// The stable Erlang B recursion B(k) = A B(k-1) / (k + A B(k-1)), B(0) = 1
// (no term overflows, whatever the traffic).
long double ErlangBRecursion(std::int64_t channels, long double traffic);
// C = N B / (N - A (1 - B)), Erlang C from Erlang B (A < N).
long double ErlangCFromB(std::int64_t channels, long double traffic);

enum class ServiceField { Traffic, Calls, Interval, HandlingTime, TargetTime, Servers, TargetServiceLevel };
extern const CalculationSpec<ServiceField> kServiceLevel;
extern const CalculationSpec<ServiceField> kServersForServiceLevel;

struct ServiceLevelResult {
    std::int32_t servers;
    long double traffic;              // Erl
    long double waitingProbability;   // Erlang C
    long double serviceLevel;         // answered within the target time
    long double averageSpeedOfAnswer; // s
    long double occupancy;
};
extern const ResultSpec kServersResult;
extern const ResultSpec kQueueTrafficResult;
extern const ResultSpec kWaitingProbabilityResult;
extern const ResultSpec kServiceLevelResult;
extern const ResultSpec kAverageSpeedOfAnswerResult;
extern const ResultSpec kOccupancyResult;

// For N servers: Pw = C(N, A), SL = 1 - Pw e^(-(N - A) t / h),
// ASA = Pw h / (N - A), occupancy A / N. The traffic is given, or made of
// calls in an interval: A = calls h / interval.
Outcome<ServiceLevelResult, ServiceField> ServiceLevel(const Inputs<ServiceField>& in);
// The fewest servers whose service level reaches the target.
Outcome<ServiceLevelResult, ServiceField> ServersForServiceLevel(const Inputs<ServiceField>& in);

enum class RetryField { Traffic, Recall, Channels, Blocking };
extern const CalculationSpec<RetryField> kExtendedBlocking;
extern const CalculationSpec<RetryField> kExtendedChannels;

struct ExtendedErlangBResult {
    std::int32_t channels;
    long double blocking;
    long double offeredTraffic; // the fresh traffic and its retries, Erl
};
extern const ResultSpec kRetryChannelsResult;
extern const ResultSpec kRetryBlockingResult;
extern const ResultSpec kRetryOfferedResult;

// Extended Erlang B: of the blocked calls a share R (0 to 1) tries again, so
// the offered traffic A = A0 + R B(N, A) A; blocking B(N, A) at that A. With
// R = 1 (every blocked call retries) A settles only where A0 < N: refused
// elsewhere.
Outcome<ExtendedErlangBResult, RetryField> ExtendedErlangBBlocking(const Inputs<RetryField>& in);
// The fewest channels whose blocking, retries included, is below the target.
Outcome<ExtendedErlangBResult, RetryField> ExtendedErlangBChannels(const Inputs<RetryField>& in);
// The fresh traffic that N channels carry at the target blocking, retries
// included, to full precision: the offered traffic A of that blocking,
// B(N, A) = b, less its retries, A0 = A (1 - R b). Reads the recall, the
// channels and the blocking.
Outcome<long double, RetryField> ExtendedErlangBTraffic(const Inputs<RetryField>& in);

} // namespace zandrevio
