#pragma once

#include "core/drill/drill_engine.h"

namespace cardwise {

// The drill engine of the program: the pair markup, the selector, grading and the toggles.
class CoreDrillEngine : public DrillEngine {
  public:
    bool formatPairSide(Program& program, std::string_view side) override;
    void decodeMarks(std::string& text) override;
    bool selectNextPair(Program& program) override;
    std::int32_t pairsLeftInRun(Program& program) override;
    void gradeCorrect(Program& program) override;
    void gradeIncorrect(Program& program) override;
    std::optional<std::string> togglePriorityList(Program& program) override;
    std::optional<std::string> toggleDisabled(Program& program) override;
};

}  // namespace cardwise
