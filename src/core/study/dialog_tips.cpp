#include "core/study/dialog_tips.h"

#include <array>

namespace cardwise {
namespace {

constexpr std::array kOptionsTips{
    // "&Colors &&Fonts"
    ControlTip{"BitBtnMWColor", "Choose the background colour of the main window."},
    ControlTip{"BitBtnQColor", "Choose the background colour of the question text."},
    ControlTip{"BitAColor", "Choose the background colour of the answer text."},
    ControlTip{"BitBtnQFont", "Choose the font, size, style and colour of the question text."},
    ControlTip{"BitBtnAFont", "Choose the font, size, style and colour of the answer text."},
    // "&Directories"
    ControlTip{"RBUseLastOpenDIR", "Look for .DKS files in the folder of the last one opened."},
    ControlTip{"RBUseStartDIR", "Look for .DKS files in the folder typed beside this button."},
    ControlTip{"EditStartDir", "The folder in which to look for .DKS files."},
    ControlTip{"RBSameAsDKS", "Look for pictures in the folder of the .DKS file."},
    ControlTip{"RBUseGraphicsDIR", "Look for pictures in the folder typed beside this button."},
    ControlTip{"EditGraphicsDir", "The folder in which to look for pictures."},
    ControlTip{"RBUseSameAsDKS", "Look for audio and video files in the folder of the .DKS file."},
    ControlTip{"RBUseSoundDIR",
               "Look for audio and video files in the folder typed beside this button."},
    ControlTip{"EditSoundDir", "The folder in which to look for audio and video files."},
    // "P&air Order"
    ControlTip{"RBOnePass", "Ask each question once, then stop."},
    ControlTip{"RBContinuous", "Start again from the beginning after the last question."},
    ControlTip{"RBNumerical", "Ask the questions in the order of their numbers."},
    ControlTip{"RBRandomOrder", "Ask the questions in a random order."},
    ControlTip{"RBForward", "Go from the lowest question number to the highest."},
    ControlTip{"RBReverse", "Go from the highest question number to the lowest."},
    ControlTip{"RBUseEntireFile", "Ask questions from the whole file."},
    ControlTip{"RBNotNamed",
               "Ask only the questions numbered from the first number to the second."},
    ControlTip{"EditLowRange", "The number of the first question to ask."},
    ControlTip{"EditHighRange", "The number of the last question to ask."},
    ControlTip{"RBUseNamedRange", "Ask only the questions of the category chosen in the list."},
    ControlTip{"CBUseNamedRange", "The category whose questions are asked."},
    // "&Q&&A Modes"
    ControlTip{"RBNoPriority", "Every question is asked equally often."},
    ControlTip{"RBUseList", "Questions on the priority list are asked more often."},
    ControlTip{"RBUseRange", "Questions in the range are asked more often."},
    ControlTip{"RBUseHistory", "Questions not yet learned are asked more often than learned ones."},
    ControlTip{"CBAnsFirst", "Show the answer first, then the question."},
    ControlTip{"CBIncludeDisabled", "Ask the disabled questions too."},
    ControlTip{"CheckBoxUseTimer", "Show the answer by itself after the seconds typed here."},
    ControlTip{"EditNumSeconds", "Seconds before the answer is shown."},
    ControlTip{"CBResume", "Go on where the last session stopped when this .DKS file is opened."},
    ControlTip{"BitBtn4", "Settings of the Q&A mode ticked above."},
    ControlTip{"BitBtnReEnableList", "Enable every disabled question of this file again."},
    // "&View"
    ControlTip{"CBCheckCase", "A fill-in answer must match upper and lower case too."},
    ControlTip{"CBLenientFillIn",
               "A fill-in answer may differ in accents, punctuation and blanks."},
    ControlTip{"CBCenter", "Center the question and answer text."},
    ControlTip{"CBQOnly", "Show only the questions, never the answers."},
    ControlTip{"CBNoScale", "Show pictures at their own size instead of fitting them in."},
    ControlTip{"CBSyncWin", "The question and answer windows share one size and place."},
    ControlTip{"CBEnableHints", "Let the hint button show the hints of a question."},
    ControlTip{"CBEnableComments", "Let the comment button show the comments of an answer."},
    ControlTip{"CBEnableGraphics", "Show the pictures of questions and answers."},
    ControlTip{"CBEnableAudioVideo", "Play the audio and video files of questions and answers."},
    ControlTip{"CBEnableTips", "Show pop-up tips like this one."},
    ControlTip{"CBAutoPilot", "Show questions and answers one after another by themselves."},
    ControlTip{"EditAutoQTime", "Seconds each question is shown."},
    ControlTip{"EditAutoATime", "Seconds each answer is shown."},
};

constexpr std::array kListTips{
    ControlTip{"EditFrequency", "Percentage of the questions taken from the priority list."},
    ControlTip{"BitBtnResetPriorityList", "Take every question off the priority list."},
};

constexpr std::array kRangeTips{
    ControlTip{"EditFrequency", "Percentage of the questions taken from the range."},
};

constexpr std::array kHistoryTips{
    ControlTip{"EditUnFrequency", "Percentage of the questions that are unlearned pairs."},
    ControlTip{"EditShortFrequency",
               "Percentage of the questions that are short-term-learned pairs."},
    ControlTip{"EditLongFrequency",
               "Percentage of the questions that are long-term-learned pairs."},
    ControlTip{"EditShortThreshold",
               "Correct answers in one day that make an unlearned pair short-term learned."},
    ControlTip{"EditLongAnsThreshold",
               "Correct answers in one day that count the day towards long-term learned."},
    ControlTip{"EditLongDayThreshold",
               "Counted days that make a short-term-learned pair long-term learned."},
    ControlTip{"RGPromo", "How the message about a promoted pair is shown."},
    ControlTip{"BitBtnResetToUnlearned", "Make every pair of this file unlearned again."},
};

}  // namespace

std::span<const ControlTip> optionsDialogTips() {
    return kOptionsTips;
}
std::span<const ControlTip> listDialogTips() {
    return kListTips;
}
std::span<const ControlTip> rangeDialogTips() {
    return kRangeTips;
}
std::span<const ControlTip> historyDialogTips() {
    return kHistoryTips;
}

}  // namespace cardwise
