#pragma once

#include "calculation/request.h"

// The command line's requests are the core's.
namespace zandrevio::cli {

using zandrevio::Request;
// A request that cannot even start: exit status 2.
using UsageError = zandrevio::RequestError;

} // namespace zandrevio::cli
