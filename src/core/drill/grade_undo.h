#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/deck/deck_state.h"
#include "core/drill/drill_flags.h"
#include "core/drill/selector_state.h"

namespace cardwise {

struct Program;

inline constexpr std::string_view kUndoGradeCaption = "Undo Last Grade";
inline constexpr std::string_view kNothingToUndoText =
    "There Is No Grade To Undo.  Only The Last Grade Can Be Taken Back, And Only While The "
    "Question After It Is Shown.";

// What a grade and the selection after it can change: the learning records (the selector
// may clear AskedInRun of every pair when a run ends, and re-enable the pair it lands on),
// the session counts, the selector with its saved rollover flags and the run flags.
struct GradeSnapshot {
    std::int32_t pair = 0;
    std::vector<PairLearning> Learning;
    std::int32_t SessionCorrect = 0;
    std::int32_t SessionIncorrect = 0;
    SelectorState selector;
    std::array<std::int32_t, 2> ListRollover{};
    std::array<std::int32_t, 2> RangeRollover{};
    std::array<std::int32_t, 3> HistoryRollover{};
    bool RunComplete = false;
    RunRestartFlags restart;

    bool operator==(const GradeSnapshot&) const = default;
};

// Taken just before CurrentPair is graded.
GradeSnapshot takeGradeSnapshot(const Program& program);

// Puts everything back as the snapshot holds it; CurrentPair becomes the graded pair again.
void restoreGradeSnapshot(Program& program, const GradeSnapshot& snapshot);

}  // namespace cardwise
