#pragma once

#include <cstdint>
#include <string_view>

#include "core/platform/colour.h"

namespace cardwise {

struct Program;

inline constexpr std::string_view kEditorOpenCaption = "Editor Open";
inline constexpr std::string_view kCloseNotePadText = "Please Close NotePad In Order To Continue";
inline constexpr std::string_view kAddToListCaption = "&Add Pair To Priority List";
inline constexpr std::string_view kRemoveFromListCaption = "&Remove Pair From Priority List";
inline constexpr std::string_view kDisableCaption = "&Disable This Pair";
inline constexpr std::string_view kReEnableCaption = "Re-&enable This Pair";
inline constexpr std::string_view kCannotDisableCaption = "Priority List";
inline constexpr std::string_view kCannotDisableText =
    "Cannot Disable The Only Active Question On/Off The Priority List Or Inside/Outside The "
    "Range";

// What a toggle leaves for the answer window to show.
struct ToggleOutcome {
    bool changed = false;      // false when the toggle refused or was undone
    std::string_view caption;  // the toggle's buttons now read this
    FieldColours colours;      // the pair-number field
};

std::string_view priorityListCaption(std::int32_t listFlags);
std::string_view disableCaption(std::int32_t listFlags);
// The pair-number field after a toggle: red for a pair on the priority list, green
// otherwise, white text on both.
FieldColours pairNumberColours(std::int32_t listFlags);

// Puts CurrentPair on the priority list or takes it off; the pair counts as unasked again.
ToggleOutcome TogglePriorityList(Program& program);
// Disables or re-enables CurrentPair; a disable the settings validation rejects is undone.
ToggleOutcome ToggleDisabled(Program& program);

}  // namespace cardwise
