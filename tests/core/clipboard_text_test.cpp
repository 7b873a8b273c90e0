#include "core/shell/clipboard_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/content/pair_side.h"
#include "core/drill/pair_format.h"
#include "core/platform/clipboard.h"
#include "support/fakes.h"

namespace cardwise {
namespace {

using testing::ProgramHarness;

// Pair n (1-based) gets question/answer sides; the others stay new pairs.
struct CopyFixture : ::testing::Test {
    ProgramHarness h;
    Program& program = h.program;
    testing::RecordingClipboard& clipboard = h.services.clipboard;
    CopyFixture() {
        program.deck.allocate(9);
        for (std::int32_t i = 1; i <= 9; ++i) program.deck.PairText.set(i - 1, newPairText(i));
    }
    void setPair(std::int32_t n, const std::string& q, const std::string& a) {
        std::string k = std::to_string(n);
        program.deck.PairText.set(n - 1, "Q" + k + "=" + q + "$#$!A" + k + "=" + a);
        program.deck.CurrentPair = n;
    }
};

struct CopyCase {
    const char* name;
    std::string question;
    std::string answer;
    std::string questionCopy;
    std::string answerCopy;
};

class CopyTable : public CopyFixture, public ::testing::WithParamInterface<CopyCase> {};

TEST_P(CopyTable, QuestionAnswerAndBoth) {
    const CopyCase& c = GetParam();
    setPair(7, c.question, c.answer);
    EditCopyQClick(program);
    EditCopyAClick(program);
    EditCopyBothClick(program);
    ASSERT_EQ(clipboard.texts.size(), 3u);
    EXPECT_EQ(clipboard.texts[0], "Question 7\r\n\r\n" + c.questionCopy);
    EXPECT_EQ(clipboard.texts[1], "Answer 7\r\n\r\n" + c.answerCopy);
    EXPECT_EQ(clipboard.texts[2],
              "Question 7\r\n\r\n" + c.questionCopy + "\r\n\r\nAnswer 7\r\n\r\n" + c.answerCopy);
    EXPECT_TRUE(h.ui.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CopyTable,
    ::testing::Values(
        CopyCase{"Standard", "Capital of France?", "Paris", "Capital of France?", "Paris"},
        CopyCase{"DecodedLines", "Line one^Line two <<b>", "a^^b", "Line one\r\nLine two <b>",
                 "a^b"},
        CopyCase{"MultipleChoiceWithText", "<MC1>Rome<MC2>Oslo<MC3>Bern%Capital of Italy?",
                 "<FIB>1%Rome it is", "Capital of Italy?\r\n\r\n1. Rome\r\n2. Oslo\r\n3. Bern",
                 "Rome it is\r\n\r\nThe correct answer was:\r\n\r\nNumber: 1"},
        CopyCase{"MultipleChoiceWithoutText", "<MC1>a<MC2>b<MC3>c%Pick", "<FIB>2",
                 "Pick\r\n\r\n1. a\r\n2. b\r\n3. c", "The correct answer was:\r\n\r\nNumber: 2"},
        CopyCase{"AllOfTheAbove", "<MC1>a<MC2>b%Pick", "<FIB>a", "Pick\r\n\r\n1. a\r\n2. b",
                 "The correct answer was:\r\n\r\nAll Of The Above"},
        CopyCase{"NoneOfTheAbove", "<MC1>a<MC2>b%Pick", "<FIB>N%Neither",
                 "Pick\r\n\r\n1. a\r\n2. b",
                 "Neither\r\n\r\nThe correct answer was:\r\n\r\nNone Of The Above"},
        CopyCase{"EmptyChoiceSkipped", "<MC1>a<MC2><MC3>c%Pick", "<FIB>3",
                 "Pick\r\n\r\n1. a\r\n3. c", "The correct answer was:\r\n\r\nNumber: 3"},
        CopyCase{"FillInWithoutText", "<FIB>%The sky is ____.", "<MC1>blue<MC2>azure",
                 "The sky is ____.",
                 "You could have answered with any of the following:\r\n\r\n1. blue\r\n2. azure"},
        CopyCase{"FillInWithText", "<FIB>%The sky is ____.", "<MC1>blue%Look up",
                 "The sky is ____.",
                 "Look up\r\n\r\nYou could have answered with any of the following:\r\n\r\n1. "
                 "blue"},
        CopyCase{"HintsAndPicturesNotCopied", "<HC1>think<BMP>p.bmp%Who?", "<HC1>well%Me", "Who?",
                 "Me"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CopyFixture, PrintJobCopiesPrintPairWithoutHeading) {
    setPair(3, "<MC1>a<MC2>b%Pick", "<FIB>2%Because");
    program.deck.CurrentPair = 1;
    program.drill.JumpingToPair = true;
    EditCopyQClick(program, 3);
    EditCopyAClick(program, 3);
    ASSERT_EQ(clipboard.texts.size(), 2u);
    EXPECT_EQ(clipboard.texts[0], "Pick\r\n\r\n1. a\r\n2. b");
    EXPECT_EQ(clipboard.texts[1], "Because\r\n\r\nThe correct answer was:\r\n\r\nNumber: 2");
    EXPECT_EQ(bothCopyText(program).substr(0, 12), "Question 1\r\n");
}

// The answer pass of a print job copies answers only; each must be judged against its own
// question, not the one formatted last.
TEST_F(CopyFixture, AnswerAloneUsesItsOwnQuestion) {
    setPair(2, "Plain", "x");
    setPair(5, "<MC1>a<MC2>b<MC3>c%Pick", "<FIB>3");
    program.drill.JumpingToPair = true;
    program.view = FormatPairSide(program, "Q", 2, {}).view;
    EXPECT_EQ(answerCopyText(program, 5), "The correct answer was:\r\n\r\nNumber: 3");
    program.drill.JumpingToPair = false;
    program.deck.CurrentPair = 5;
    program.view = FormatPairSide(program, "Q", 2, {}).view;
    EXPECT_EQ(answerCopyText(program), "Answer 5\r\n\r\nThe correct answer was:\r\n\r\nNumber: 3");
    EXPECT_TRUE(h.ui.boxes.empty());
}

TEST_F(CopyFixture, FaultyAnswerStillCopiedAfterOneBox) {
    setPair(4, "<MC1>a<MC2>b%Pick", "<FIB>3%Text");
    h.ui.expectBox({"Invalid Multiple Choice Answer Number",
                    "The Indicated Multiple Choice Answer Number For Answer   4 Did Not Have A "
                    "Corresponding Choice In The Question Section. ",
                    Icon::Error, Buttons::Ok});
    EXPECT_EQ(answerCopyText(program), "Answer 4\r\n\r\nText");
}

TEST_F(CopyFixture, LongTextCutAtLimitWithoutHalfLineBreak) {
    setPair(1, std::string(2100, 'x'), "a");
    EXPECT_EQ(questionCopyText(program).size(), kClipboardTextMax);
    // "Question 1" CR LF CR LF is 14 characters; the break's CR would be the 2000th.
    setPair(1, std::string(kClipboardTextMax - 15, 'x') + "^y", "a");
    std::string text = questionCopyText(program);
    EXPECT_EQ(text.size(), kClipboardTextMax - 1);
    EXPECT_EQ(text.back(), 'x');
}

}  // namespace
}  // namespace cardwise
