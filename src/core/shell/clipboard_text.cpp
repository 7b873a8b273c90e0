#include "core/shell/clipboard_text.h"

#include "core/content/answer_texts.h"
#include "core/content/marks.h"
#include "core/content/pair_side.h"
#include "core/drill/pair_format.h"
#include "core/platform/clipboard.h"
#include "core/program.h"

namespace cardwise {

namespace {

constexpr std::string_view kBreak = "\r\n";
constexpr std::string_view kQuestionHeading = "Question ";
constexpr std::string_view kAnswerHeading = "Answer ";

void appendHeading(std::string& out, std::string_view word, std::int32_t n) {
    out += word;
    out += std::to_string(n);
    out += kBreak;
    out += kBreak;
}

// Choices 2 to 6 follow the first on their own lines; empty entries leave no gap.
void appendChoices(std::string& out, const PairView& view) {
    out += "1. ";
    out += view.Choices[0];
    for (std::size_t i = 1; i < view.Choices.size(); ++i) {
        if (view.Choices[i].empty()) continue;
        out += kBreak;
        out += std::to_string(i + 1) + ". ";
        out += view.Choices[i];
    }
}

void appendQuestionBody(std::string& out, PairView& view) {
    DecodeMarks(view.Text);
    out += view.Text;
    if (!view.Choices[0].empty()) {
        out += kBreak;
        out += kBreak;
        appendChoices(out, view);
    }
}

void appendAnswerBody(std::string& out, PairView& view) {
    bool textWritten = false;
    if (!view.Text.empty()) {
        DecodeMarks(view.Text);
        out += view.Text;
        textWritten = true;
    }
    if (!view.CorrectChoice.empty()) {
        if (textWritten) {
            out += kBreak;
            out += kBreak;
        }
        out += kCorrectAnswerLead;
        out += kBreak;
        out += kBreak;
        out += correctChoiceText(view.CorrectChoice);
    }
    if (!view.Choices[0].empty()) {
        if (textWritten) {
            out += kBreak;
            out += kBreak;
        }
        out += kAnyOfTheFollowing;
        out += kBreak;
        out += kBreak;
        appendChoices(out, view);
    }
}

std::string limited(std::string text) {
    if (text.size() > kClipboardTextMax) {
        text.resize(kClipboardTextMax);
        if (text.back() == '\r') text.pop_back();
    }
    return text;
}

}  // namespace

// The side copied last stays in the shared view, as after every other reading of a pair.
std::string questionCopyText(Program& program, std::int32_t printPair) {
    std::string out;
    const bool printing = program.drill.JumpingToPair;
    const std::int32_t n = printing ? printPair : program.deck.CurrentPair;
    program.view = FormatPairSide(program, "Q", n, {}).view;
    if (!printing) appendHeading(out, kQuestionHeading, n);
    appendQuestionBody(out, program.view);
    return limited(std::move(out));
}

// A copy of the answer alone (the answer pass of a print job) is judged against its own
// question, never against the one formatted last.
std::string answerCopyText(Program& program, std::int32_t printPair) {
    std::string out;
    const bool printing = program.drill.JumpingToPair;
    const std::int32_t n = printing ? printPair : program.deck.CurrentPair;
    program.view = FormatAnswerOf(program, n).view;
    if (!printing) appendHeading(out, kAnswerHeading, n);
    appendAnswerBody(out, program.view);
    return limited(std::move(out));
}

std::string bothCopyText(Program& program) {
    std::string out;
    const std::int32_t n = program.deck.CurrentPair;
    PairView question = FormatPairSide(program, "Q", n, {}).view;
    appendHeading(out, kQuestionHeading, n);
    appendQuestionBody(out, question);
    out += kBreak;
    out += kBreak;
    program.view = FormatPairSide(program, "A", n, question).view;
    appendHeading(out, kAnswerHeading, n);
    appendAnswerBody(out, program.view);
    return limited(std::move(out));
}

void EditCopyQClick(Program& program, std::int32_t printPair) {
    program.platform.clipboard.setText(questionCopyText(program, printPair));
}

void EditCopyAClick(Program& program, std::int32_t printPair) {
    program.platform.clipboard.setText(answerCopyText(program, printPair));
}

void EditCopyBothClick(Program& program) {
    program.platform.clipboard.setText(bothCopyText(program));
}

}  // namespace cardwise
