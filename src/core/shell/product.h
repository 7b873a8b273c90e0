#pragma once

#include <string_view>

namespace cardwise {

// Kept equal to the project version in CMakeLists.txt (a test compares them).
inline constexpr std::string_view kCardwiseVersion = "5.0";
inline constexpr std::string_view kLicence = "GPL-3.0-or-later";
// The project's address until it has a public one (example.org is reserved for examples).
inline constexpr std::string_view kProjectAddress = "https://example.org/cardwise";

}  // namespace cardwise
