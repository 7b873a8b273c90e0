#pragma once

#include <string_view>

namespace cardwise {

// Fixed captions and tool tips of the drill windows, shared by every front end.

// Question window.
inline constexpr std::string_view kDisplayAnswerCaption = "&Display The Answer";
inline constexpr std::string_view kCheckMyAnswerCaption = "&Check My Answer";
inline constexpr std::string_view kFillInLabel1 = "Enter Your ";
inline constexpr std::string_view kFillInLabel2 = "Answer Here: ";
inline constexpr std::string_view kChoiceLabel1 = "Click On The Correct ";
inline constexpr std::string_view kChoiceLabel2 = "Answer's Button:";
inline constexpr std::string_view kAllOfTheAboveCaption = "&All Of The Above";
inline constexpr std::string_view kNoneOfTheAboveCaption = "&None Of The Above";

// Answer window.
inline constexpr std::string_view kCorrectCaption = "&Correct";
inline constexpr std::string_view kIncorrectCaption = "&Incorrect";
inline constexpr std::string_view kTryQuestionAgainCaption = "&Try Question Again";
inline constexpr std::string_view kShowNextQuestionCaption = "Show &Next Question";

// Pop-up menus of both windows.
inline constexpr std::string_view kMenuOptions = "&Options";
inline constexpr std::string_view kMenuEditPair = "&Edit Current Q&&A Pair";
inline constexpr std::string_view kMenuDeletePair = "&Delete Current Q&&A Pair";
inline constexpr std::string_view kMenuGoToPair = "&Go To Pair...";
// The question window's, after a grade.
inline constexpr std::string_view kMenuUndoGrade = "&Undo Last Grade";
// The same item while a deleted pair can be put back.
inline constexpr std::string_view kMenuUndoDelete = "&Undo Delete Pair";
inline constexpr std::string_view kMenuInsertPair = "&Insert New Q&&A Pair";
inline constexpr std::string_view kMenuResetStatusBar = "Reset Status Bar Statistics";

// Status-bar tool tips.
inline constexpr std::string_view kHintTip = "Press to get a hint if the button is enabled.";
inline constexpr std::string_view kCommentTip =
    "Press to get a comment about the answer if the button is enabled.";
inline constexpr std::string_view kPercentTip =
    "Percentage of questions answered correctly during this session - can be reset by "
    "right-clicking this bar.";
inline constexpr std::string_view kQuestionCategoryTip = "The category of this question.";
inline constexpr std::string_view kAnswerCategoryTip = "The category of this answer.";
inline constexpr std::string_view kQuestionNumberTip = "The number of this question.";
inline constexpr std::string_view kAnswerNumberTip = "The number of this answer.";
inline constexpr std::string_view kTotalTip =
    "Total questions asked in this session - can be reset by right-clicking this bar.";
inline constexpr std::string_view kCorrectTip =
    "Total questions answered correctly in this session - can be reset by right-clicking "
    "this bar.";
inline constexpr std::string_view kIncorrectTip =
    "Total questions answered incorrectly in this session - can be reset by right-clicking "
    "this bar.";
inline constexpr std::string_view kLeftTip = "Total questions remaining in this pass.";

}  // namespace cardwise
