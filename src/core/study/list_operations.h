#pragma once

#include <string_view>

namespace cardwise {

struct Program;

inline constexpr std::string_view kResetToUnlearnedCaption = "Reset To Unlearned";
inline constexpr std::string_view kResetToUnlearnedQuestion =
    "This Will Reset ALL Questions In This File To Unlearned Status - Are You Sure?";
inline constexpr std::string_view kPriorityListCaption = "Priority List";
inline constexpr std::string_view kPriorityListClearedText = "The Priority List Has Been Cleared";

// After the user confirms, every pair of the deck becomes Unlearned with no correct answers
// today and no counted days.
void ResetToUnlearned(Program& program);

// Takes every pair off the priority list (disabled pairs stay disabled). A read-only deck
// is left alone without a word.
void ClearPriorityList(Program& program);

}  // namespace cardwise
