#include "core/drill/core_drill_engine.h"

#include "core/content/marks.h"
#include "core/content/pair_side.h"
#include "core/drill/grading.h"
#include "core/drill/pair_format.h"
#include "core/drill/pair_selector.h"
#include "core/drill/pair_toggles.h"
#include "core/program.h"

namespace cardwise {

namespace {

std::optional<std::string> captionOf(const ToggleOutcome& outcome) {
    if (!outcome.changed) return std::nullopt;
    return std::string(outcome.caption);
}

}  // namespace

// An answer is read against its own question, parsed afresh, whatever the windows
// formatted last.
bool CoreDrillEngine::formatPairSide(Program& program, std::string_view side) {
    const std::int32_t n = program.deck.CurrentPair;
    FormattedSide formatted =
        side == "Q" ? FormatPairSide(program, side, n, {}) : FormatAnswerOf(program, n);
    program.view = std::move(formatted.view);
    return formatted.ok;
}

void CoreDrillEngine::decodeMarks(std::string& text) {
    DecodeMarks(text);
}

bool CoreDrillEngine::selectNextPair(Program& program) {
    return SelectNextPair(program) != SelectionResult::DeckClosed;
}

std::int32_t CoreDrillEngine::pairsLeftInRun(Program& program) {
    return PairsLeftInRun(program);
}

void CoreDrillEngine::gradeCorrect(Program& program) {
    GradeCorrect(program);
}

void CoreDrillEngine::gradeIncorrect(Program& program) {
    GradeIncorrect(program);
}

std::optional<std::string> CoreDrillEngine::togglePriorityList(Program& program) {
    return captionOf(TogglePriorityList(program));
}

std::optional<std::string> CoreDrillEngine::toggleDisabled(Program& program) {
    return captionOf(ToggleDisabled(program));
}

}  // namespace cardwise
