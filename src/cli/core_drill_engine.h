#pragma once

#include "core/drill/drill_engine.h"

namespace cardwise::cli {

// Run control's engine over the core's own pair markup, selector, grading and toggles.
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

}  // namespace cardwise::cli
