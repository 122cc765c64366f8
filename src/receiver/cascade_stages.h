#pragma once

#include "receiver/cascade.h"

#include <string>
#include <string_view>
#include <variant>

// A stage as a user types it: "name=LNA,gain=20,nf=1.2,oip3=30,p1db=18"
// (gain required; the separator is ";" where the decimal separator is ",").
namespace zandrevio {

// The stage, or why it cannot be read (naming the stage and the key).
std::variant<CascadeStage, std::string> ParseStage(std::string_view text, std::size_t index);

} // namespace zandrevio
