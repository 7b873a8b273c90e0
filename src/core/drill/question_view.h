#pragma once

#include <array>
#include <string>

#include "core/drill/drill_window_common.h"
#include "core/drill/window_layout.h"

namespace cardwise {

struct Program;
class DrillEngine;
struct DrillWindowsState;

// The bottom panel of the question window.
enum class QuestionPanel { DisplayAnswer, FillIn, MultipleChoice };

// Everything the question window shows for the current pair.
struct QuestionView : DrillWindowView {
    // The fill-in entry field; its font size (0) is the field's own.
    TextLook entryLook;
    std::string entryText;

    QuestionPanel panel = QuestionPanel::DisplayAnswer;
    // Buttons 1..6 of the multiple-choice panel; "All" and "None" are always shown.
    std::array<bool, 6> choiceButtons{};

    bool hintEnabled = false;
    std::array<std::string, 3> hints;

    StatusFields status;
};

// Builds the question display of CurrentPair. False when its question side could not be
// read: the view then keeps its previous display, with only the caption, placement, looks
// and entry field renewed.
bool buildQuestionView(Program& program, DrillEngine& engine, DrillWindowsState& state,
                       QuestionView& view, int captionBarHeight);

// The "Question Syntax Error" text for a pair.
std::string questionSyntaxErrorText(std::int32_t pair);

}  // namespace cardwise
