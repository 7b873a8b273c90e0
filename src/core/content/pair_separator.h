#pragma once

#include <string_view>

namespace cardwise {

// Joins a pair's question line and answer line in its stored text.
inline constexpr std::string_view kPairSeparator = "$#$!";

}  // namespace cardwise
