#include "core/drill/question_view.h"

#include "core/drill/drill_engine.h"
#include "core/drill/drill_windows_state.h"
#include "core/program.h"

namespace cardwise {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

// The entry field takes a look's colours, name and style but keeps its own size.
TextLook entryFieldLook(TextLook look) {
    look.fontSize = 0;
    return look;
}

// "1. choice" lines after the question text; returns which numbered buttons are needed.
std::array<bool, 6> appendChoices(std::string& text, const std::array<std::string, 6>& choices) {
    std::array<bool, 6> buttons{};
    if (!text.empty()) {
        text += kLineBreak;
        text += kLineBreak;
    }
    text += "1. ";
    text += choices[0];
    text += kLineBreak;
    buttons[0] = true;
    for (std::size_t k = 1; k < 5; ++k) {
        if (choices[k].empty()) continue;
        text += std::to_string(k + 1) + ". " + choices[k];
        text += kLineBreak;
        buttons[k] = true;
    }
    if (!choices[5].empty()) {
        text += "6. " + choices[5];
        buttons[5] = true;
    }
    return buttons;
}

// Answer first: the answer side is asked and the question side becomes the answer, for
// standard pairs and fill-in pairs with a single accepted answer. False when a side could
// not be read.
bool applyAnswerFirst(Program& program, DrillEngine& engine, DrillWindowsState& state,
                      QuestionView& view) {
    const DeckSettings& s = program.settings;
    if (s.AnsFirst != 1 || !program.view.Choices[0].empty()) return true;

    view.memoLook = answerLook(s);
    if (!engine.formatPairSide(program, "A")) {
        // An answer side with a fault is not asked as the question.
        view.memoLook = questionLook(s);
        return engine.formatPairSide(program, "Q");
    }
    if (program.view.FillInQuestion) {
        if (!program.view.Choices[1].empty()) {
            view.memoLook = questionLook(s);
            return engine.formatPairSide(program, "Q");
        }
        state.AnswerFirstApplied = true;
        state.AnswerFirstFillIn = true;
        view.entryLook = entryFieldLook(questionLook(s));
        return true;
    }
    state.AnswerFirstApplied = true;
    return true;
}

}  // namespace

bool buildQuestionView(Program& program, DrillEngine& engine, DrillWindowsState& state,
                       QuestionView& view, int captionBarHeight) {
    const DeckSettings& s = program.settings;

    view.memoLook = questionLook(s);
    view.centered = s.Center == 1;

    program.drill.QuestionShowing = true;
    state.HintIndex = 0;
    view.tipsEnabled = s.EnableTips == 1;
    if (!program.drill.TryAgainPending) state.FillInEntry.clear();
    view.entryText = state.FillInEntry;
    // A reply is only ever the one given to this question.
    state.UserReply.clear();

    view.placement = placeDrillWindow(Rect{s.QLeft, s.QTop, s.QWidth, s.QHeight}, captionBarHeight);
    view.caption = drillWindowCaption("Question", program);

    if (!engine.formatPairSide(program, "Q")) return false;

    view.entryLook = entryFieldLook(answerLook(s));
    state.AnswerFirstApplied = false;
    state.AnswerFirstFillIn = false;
    if (!applyAnswerFirst(program, engine, state, view)) return false;

    PairView& pv = program.view;
    view.content = sideContentOf(pv);
    view.picturePath = pv.PicturePath;
    view.mediaPath = pv.MediaPath;
    view.status = drillStatusFields(program, pv.Category, engine.pairsLeftInRun(program));
    view.hints = pv.Notes;
    view.hintEnabled = !pv.Notes[0].empty() && s.EnableHints == 1;

    view.choiceButtons = {};
    if (!pv.Choices[0].empty() && !state.AnswerFirstApplied) {
        view.panel = QuestionPanel::MultipleChoice;
        view.choiceButtons = appendChoices(pv.Text, pv.Choices);
    } else if (pv.FillInQuestion) {
        view.panel = QuestionPanel::FillIn;
    } else {
        view.panel = QuestionPanel::DisplayAnswer;
    }

    view.memoText.clear();
    if (!pv.NoText) {
        engine.decodeMarks(pv.Text);
        if (state.AnswerFirstFillIn) {
            view.memoText = pv.Choices[0];
            engine.decodeMarks(view.memoText);
        } else {
            view.memoText = pv.Text;
        }
    }
    return true;
}

std::string questionSyntaxErrorText(std::int32_t pair) {
    return "Cardwise Has Encountered An Error In Question  " + rightAligned(pair, 4) +
           "  And Cannot Correctly Process This Question.  "
           "To Open The .DKS File In NotePad And Correct The Problem "
           "Indicated In The Previous Error Dialog, Select OK.  To Skip "
           "This QA Pair And Continue With The Next Question, Select Cancel.";
}

}  // namespace cardwise
