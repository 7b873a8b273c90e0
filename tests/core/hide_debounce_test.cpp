#include "core/editor/hide_debounce.h"

#include <gtest/gtest.h>

#include <vector>

namespace cardwise {
namespace {

// What the editor window forwards, and what the debounce must answer (Show answers nothing).
enum class Event { Show, HideOnScreen, HideOffScreen, Settle };
struct Step {
    Event event;
    bool answer;
};

TEST(EditorHideDebounce, AHideWaitsForTheLoopToTurnAndAShowDropsIt) {
    struct Row {
        const char* name;
        std::vector<Step> steps;
    };
    const Row rows[] = {
        {"a close hides at the next turn", {{Event::HideOnScreen, true}, {Event::Settle, true}}},
        {"a move hides and shows within one command: the window stays",
         {{Event::HideOnScreen, true}, {Event::Show, false}, {Event::Settle, false}}},
        {"a window off screen has nothing to hide",
         {{Event::HideOffScreen, false}, {Event::Settle, false}}},
        {"a second hide before the turn asks for no second turn",
         {{Event::HideOnScreen, true},
          {Event::HideOnScreen, false},
          {Event::Settle, true},
          {Event::Settle, false}}},
        {"a hide after a move's show holds again",
         {{Event::HideOnScreen, true},
          {Event::Show, false},
          {Event::HideOnScreen, true},
          {Event::Settle, true}}},
        {"a turn with no hide hides nothing", {{Event::Show, false}, {Event::Settle, false}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HideDebounce debounce;
        for (std::size_t i = 0; i < row.steps.size(); ++i) {
            SCOPED_TRACE("step " + std::to_string(i + 1));
            const Step& step = row.steps[i];
            switch (step.event) {
                case Event::Show:
                    debounce.shown();
                    break;
                case Event::HideOnScreen:
                case Event::HideOffScreen:
                    EXPECT_EQ(debounce.hideRequested(step.event == Event::HideOnScreen),
                              step.answer);
                    break;
                case Event::Settle:
                    EXPECT_EQ(debounce.settle(), step.answer);
                    break;
            }
        }
    }
}

}  // namespace
}  // namespace cardwise
