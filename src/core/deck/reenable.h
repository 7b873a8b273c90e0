#pragma once

#include <string_view>

namespace cardwise {

struct DeckSession;

inline constexpr std::string_view kReEnabledCaption = "Priority List";
inline constexpr std::string_view kReEnabledText = "The Disabled Questions Have Been Re-enabled";

// Clears the disabled mark of every pair (ListFlags 2 -> 0, 3 -> 1), tells the user, and
// makes the selector start a new run. Works on a read-only deck too: memory only.
void ReEnableAllPairs(DeckSession& program);

}  // namespace cardwise
