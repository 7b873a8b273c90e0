#include "core/drill/answer_view.h"

#include "core/content/answer_texts.h"
#include "core/content/lenient_text.h"
#include "core/drill/drill_engine.h"
#include "core/drill/drill_windows_state.h"
#include "core/drill/pair_toggles.h"
#include "core/program.h"

namespace cardwise {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

// Lower case of a Windows-1252 character.
unsigned char foldCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    switch (c) {
        case 0x8A:
        case 0x8C:
        case 0x8E:
            return static_cast<unsigned char>(c + 16);
        case 0x9F:
            return 0xFF;
        default:
            return c;
    }
}

void appendMultipleChoiceVerdict(std::string& text, std::string_view correctChoice) {
    if (!text.empty()) {
        text += kLineBreak;
        text += kLineBreak;
    }
    text += kCorrectAnswerLead;
    text += kLineBreak;
    text += kLineBreak;
    text += correctChoiceText(correctChoice);
}

void appendAcceptedAnswers(std::string& text, const std::array<std::string, 6>& accepted,
                           bool reversed) {
    const bool several = !accepted[1].empty();
    if (!text.empty()) {
        text += kLineBreak;
        text += kLineBreak;
    } else if (several) {
        text += kAnyOfTheFollowing;
        text += kLineBreak;
        text += kLineBreak;
    }
    if (several) {
        text += "1. " + accepted[0];
        text += kLineBreak;
    } else if (!reversed) {
        // A reversed pair's only answer is already the text.
        text += accepted[0];
    }
    for (std::size_t k = 1; k < 5; ++k) {
        if (accepted[k].empty()) continue;
        text += std::to_string(k + 1) + ". " + accepted[k];
        text += kLineBreak;
    }
    if (!accepted[5].empty()) text += "6. " + accepted[5];
}

template <typename Matches>
bool anyAccepted(const std::array<std::string, 6>& accepted, Matches matches) {
    if (matches(accepted[0])) return true;
    for (std::size_t k = 1; k < accepted.size(); ++k) {
        if (!accepted[k].empty() && matches(accepted[k])) return true;
    }
    return false;
}

void showVerdictPicture(AnswerView& view, bool correct) {
    view.correctPicture = correct;
    view.incorrectPicture = !correct;
}

}  // namespace

Rect answerResizePlacement(Rect requested, const DeckSettings& settings, int captionBarHeight) {
    if (settings.SyncWin == 1) {
        requested.left = settings.QLeft;
        requested.top = settings.QTop;
        requested.height = settings.QHeight;
    }
    return placeDrillWindow(requested, captionBarHeight);
}

bool fillInReplyMatches(std::string_view reply, std::string_view accepted, bool checkCase) {
    if (reply.size() != accepted.size()) return false;
    if (checkCase) return reply == accepted;
    for (std::size_t i = 0; i < reply.size(); ++i) {
        if (foldCase(static_cast<unsigned char>(reply[i])) !=
            foldCase(static_cast<unsigned char>(accepted[i])))
            return false;
    }
    return true;
}

FillInVerdict judgeFillInReply(std::string_view reply, const std::array<std::string, 6>& accepted,
                               bool checkCase, bool lenient) {
    if (anyAccepted(accepted, [&](const std::string& answer) {
            return fillInReplyMatches(reply, answer, checkCase);
        })) {
        return FillInVerdict::Correct;
    }
    if (!lenient) return FillInVerdict::Wrong;
    const std::string loose = lenientForm(reply);
    const bool matched = anyAccepted(accepted, [&](const std::string& answer) {
        const std::string form = lenientForm(answer);
        return !form.empty() && fillInReplyMatches(loose, form, checkCase);
    });
    return matched ? FillInVerdict::CorrectLeniently : FillInVerdict::Wrong;
}

bool buildAnswerView(Program& program, DrillEngine& engine, DrillWindowsState& state,
                     AnswerView& view, int captionBarHeight) {
    const DeckSettings& s = program.settings;
    const std::int32_t pair = program.deck.CurrentPair;

    view.memoLook = answerLook(s);
    view.centered = s.Center == 1;

    program.drill.QuestionShowing = false;
    state.AnswerCorrect = true;
    state.CommentIndex = 0;
    view.tipsEnabled = s.EnableTips == 1;

    const std::int32_t flags = program.deck.learningOf(pair).ListFlags;
    view.listEnabled = s.questionMode() == 2;
    // Outside the list mode the buttons are disabled and always offer to add.
    view.listCaption =
        std::string(view.listEnabled ? priorityListCaption(flags) : kAddToListCaption);
    view.disableCaption = std::string(disableCaption(flags));

    const Rect stored = s.SyncWin != 0 ? Rect{s.QLeft, s.QTop, s.QWidth, s.QHeight}
                                       : Rect{s.ALeft, s.ATop, s.AWidth, s.AHeight};
    view.placement = placeDrillWindow(stored, captionBarHeight);
    view.caption = drillWindowCaption("Answer", program);
    view.autopilotPictures = false;

    if (state.AnswerFirstApplied) view.memoLook = questionLook(s);
    if (!engine.formatPairSide(program, state.AnswerFirstApplied ? "Q" : "A")) {
        // Nothing of another pair may stay on show; the user grades this one by hand.
        view.content = SideContent::TextOnly;
        view.memoText.clear();
        view.picturePath.clear();
        view.mediaPath.clear();
        view.panel = AnswerPanel::UserGrades;
        view.judged = false;
        view.acceptedLeniently = false;
        view.correctPicture = false;
        view.incorrectPicture = false;
        view.autopilotPictures = s.AutoPilot == 1;
        view.commentEnabled = false;
        view.comments = {};
        view.status = drillStatusFields(program, {}, engine.pairsLeftInRun(program));
        return false;
    }

    PairView& pv = program.view;
    view.content = sideContentOf(pv);
    view.picturePath = pv.PicturePath;
    view.mediaPath = pv.MediaPath;

    const bool autoPilot = s.AutoPilot == 1;
    view.judged = false;
    view.acceptedLeniently = false;
    view.correctPicture = false;
    view.incorrectPicture = false;
    if (!pv.CorrectChoice.empty() && !state.AnswerFirstApplied) {
        state.AnswerCorrect = pv.CorrectChoice == state.UserReply;
        view.judged = true;
        appendMultipleChoiceVerdict(pv.Text, pv.CorrectChoice);
    } else if ((!pv.Choices[0].empty() && !state.AnswerFirstApplied) || state.AnswerFirstFillIn) {
        if (state.AnswerFirstFillIn) pv.Choices[0] = pv.Text;
        const FillInVerdict verdict = judgeFillInReply(state.UserReply, pv.Choices,
                                                       s.CheckCase == 1, s.LenientFillIn == 1);
        state.AnswerCorrect = verdict != FillInVerdict::Wrong;
        view.acceptedLeniently = verdict == FillInVerdict::CorrectLeniently;
        view.judged = true;
        appendAcceptedAnswers(pv.Text, pv.Choices, state.AnswerFirstFillIn);
        if (view.acceptedLeniently) {
            // One empty line after the list of answers, whose last entry may end a line.
            if (!pv.Text.ends_with(kLineBreak)) pv.Text += kLineBreak;
            pv.Text += kLineBreak;
            pv.Text += kLenientVerdictText;
        }
    }
    if (view.judged && !autoPilot) showVerdictPicture(view, state.AnswerCorrect);
    view.autopilotPictures = autoPilot;

    view.status = drillStatusFields(program, pv.Category, engine.pairsLeftInRun(program));

    const bool userGrades = (pv.Choices[0].empty() && pv.CorrectChoice.empty()) ||
                            (state.AnswerFirstApplied && !state.AnswerFirstFillIn);
    view.panel = userGrades ? AnswerPanel::UserGrades : AnswerPanel::Judged;

    view.comments = pv.Notes;
    view.commentEnabled = !pv.Notes[0].empty() && s.EnableComments == 1;

    view.memoText.clear();
    if (!pv.NoText) {
        engine.decodeMarks(pv.Text);
        view.memoText = pv.Text;
    }
    return true;
}

}  // namespace cardwise
