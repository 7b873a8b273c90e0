#pragma once

#include <cstdint>
#include <string>

namespace cardwise {

// Which drill window is on screen.
enum class DrillScreen { None, Question, Answer };

// What the two drill windows hand each other and count while they are shown.
struct DrillWindowsState {
    DrillScreen screen = DrillScreen::None;

    // Question window.
    int HintIndex = 0;        // the hint the hint button shows next, 0..2
    std::string UserReply;    // "1".."6", "A", "N" or the fill-in text
    std::string FillInEntry;  // the entry field's text, kept for a second try
    bool AnswerFirstApplied = false;
    bool AnswerFirstFillIn = false;
    int questionTicks = 0;

    // Answer window.
    bool AnswerCorrect = true;
    int CommentIndex = 0;
    int answerTicks = 0;
};

}  // namespace cardwise
