#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cardwise {

struct Program;

// What run control needs from the pair markup, the selector and grading. Going through
// this seam lets the drill windows be driven by a scripted deck in tests.
class DrillEngine {
  public:
    virtual ~DrillEngine() = default;

    // Parses one side ("Q" or "A") of CurrentPair into program.view; false after a fault
    // was reported to the user.
    virtual bool formatPairSide(Program& program, std::string_view side) = 0;
    virtual void decodeMarks(std::string& text) = 0;

    // Chooses the next pair; false when the user declined to run the deck again, in
    // which case the caller closes the deck.
    virtual bool selectNextPair(Program& program) = 0;
    virtual std::int32_t pairsLeftInRun(Program& program) = 0;

    virtual void gradeCorrect(Program& program) = 0;
    virtual void gradeIncorrect(Program& program) = 0;

    // The answer window's toggles on CurrentPair: the caption both buttons of the kind show
    // afterwards, or nothing when the toggle refused to act.
    virtual std::optional<std::string> togglePriorityList(Program& program) = 0;
    virtual std::optional<std::string> toggleDisabled(Program& program) = 0;
};

}  // namespace cardwise
