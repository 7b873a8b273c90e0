#pragma once

#include <cstdint>

namespace cardwise {

// The drill's program-wide flags; none is saved.
struct DrillFlags {
    bool DrillActive = false;
    bool QuestionShowing = false;
    bool TryAgainPending = false;
    bool EditorTestRun = false;
    bool JumpingToPair = false;
    bool SkipNextSelection = false;
    bool ReturnToPair = false;
    std::int32_t ReturnPair = 1;
    bool RunStarting = false;
    bool RunComplete = false;
    bool DeferredFirstShow = false;
};

// Set by the options dialog, read and cleared by the selector.
struct RunRestartFlags {
    bool ModeChanged = false;
    bool OnePassTurnedOn = false;
    bool OrderBecameNumerical = false;
    bool OrderBecameRandom = false;
    bool DirectionChanged = false;
    bool RangeChoiceChanged = false;

    void clear() { *this = RunRestartFlags{}; }
    bool operator==(const RunRestartFlags&) const = default;
};

}  // namespace cardwise
