#pragma once

#include "calculation/protocol.h"
#include "terrain/path_source.h"

#include <vector>

// The options that name a path's terrain (a profile's CSV file, or elevation
// rasters with the two ends), shared by the calculations over a profile.
namespace zandrevio {

// --profile, --dem, --from, --to, --step and, where asked, --profile-out.
std::vector<OptionSpec> PathSourceOptions(bool withProfileOut);
// The source the request names.
PathSource PathSourceOf(const Request& request);
// A loader's refusal as the reply carries it, naming its option.
void RefusePathSource(Reply& reply, const Refusal<PathSourceField>& refusal);
// The echo of the source options given.
void EchoPathSource(Reply& reply, const Request& request);

} // namespace zandrevio
