// The drill windows over real pair texts, as the markup parses them.
#include <gtest/gtest.h>

#include "core/drill/pair_format.h"
#include "core/drill/question_view.h"
#include "core/drill/run_control.h"
#include "drill_test_support.h"

namespace cardwise {
namespace {

using testing::MarkupDrillEngine;

struct MarkupDrillTest : ::testing::Test {
    testing::ProgramHarness h;
    MarkupDrillEngine engine;
    DrillController drill{h.program, engine};

    void deck(std::initializer_list<std::string> texts) {
        DeckState& d = h.program.deck;
        d.allocate(static_cast<std::int32_t>(texts.size()));
        d.QAFileName = "/decks/GEO.DKS";
        std::size_t i = 0;
        for (const auto& t : texts) d.PairText.set(i++, t);
    }
    void startAt(std::int32_t pair) {
        engine.selections.push_back(pair);
        drill.start();
    }
};

TEST_F(MarkupDrillTest, StandardPairWithHintsAndCategory) {
    deck({"Q1=<NAM>Rivers<HC1>long<HC2>wet%Longest river?^Name it.$#$!A1=The Nile"});
    startAt(1);
    const QuestionView& q = drill.question();
    EXPECT_EQ(q.memoText, "Longest river?\r\nName it.");
    EXPECT_EQ(q.panel, QuestionPanel::DisplayAnswer);
    EXPECT_EQ(q.status.category, "Rivers");
    EXPECT_TRUE(q.hintEnabled);
    h.ui.expectBox(testing::noteBox("There Are More Hints", "long"));
    h.ui.expectBox(testing::noteBox("This Is The Last Hint", "wet"));
    drill.hintClick();
    drill.hintClick();
    drill.displayAnswer();
    EXPECT_EQ(drill.answer().memoText, "The Nile");
    EXPECT_EQ(drill.answer().panel, AnswerPanel::UserGrades);
}

TEST_F(MarkupDrillTest, MultipleChoicePairJudgesTheChosenButton) {
    deck({"Q1=<MC1>Paris<MC2>London<MC3>Rome%Capital of France?$#$!A1=<FIB>1"});
    startAt(1);
    EXPECT_EQ(drill.question().memoText,
              "Capital of France?\r\n\r\n1. Paris\r\n2. London\r\n3. Rome\r\n");
    EXPECT_EQ(drill.question().choiceButtons,
              (std::array<bool, 6>{true, true, true, false, false, false}));
    drill.chooseAnswer('1');
    EXPECT_TRUE(drill.state().AnswerCorrect);
    EXPECT_EQ(drill.answer().memoText, "The correct answer was:\r\n\r\nNumber: 1");
    EXPECT_EQ(drill.answer().panel, AnswerPanel::Judged);
}

// Copying another pair while the question shows leaves that pair in the shared view; the
// answer is still judged against its own question.
TEST_F(MarkupDrillTest, AnswerIsReadAgainstItsOwnQuestion) {
    deck({"Q1=<MC1>Paris<MC2>London<MC3>Rome%Capital of France?$#$!A1=<FIB>3", "Q2=Plain$#$!A2=x"});
    startAt(1);
    h.program.drill.JumpingToPair = false;
    h.program.view = FormatPairSide(h.program, "Q", 2, {}).view;
    drill.displayAnswer();
    EXPECT_TRUE(h.ui.boxes.empty());
    EXPECT_EQ(drill.answer().memoText, "The correct answer was:\r\n\r\nNumber: 3");
}

TEST_F(MarkupDrillTest, FillInPairJudgesTheTypedReply) {
    deck({"Q1=<FIB>%Capital of France?$#$!A1=<MC1>Paris<MC2>paris.%"});
    startAt(1);
    EXPECT_EQ(drill.question().panel, QuestionPanel::FillIn);
    drill.checkFillIn("PARIS");
    EXPECT_TRUE(drill.state().AnswerCorrect);
    EXPECT_EQ(
        drill.answer().memoText,
        "You could have answered with any of the following:\r\n\r\n1. Paris\r\n2. paris.\r\n");
}

TEST_F(MarkupDrillTest, AnswerFirstFillInWithOneAnswerIsReversed) {
    h.program.settings.AnsFirst = 1;
    deck({"Q1=<FIB>%France$#$!A1=<MC1>Paris%"});
    startAt(1);
    EXPECT_TRUE(drill.state().AnswerFirstFillIn);
    EXPECT_EQ(drill.question().memoText, "Paris");
    EXPECT_EQ(drill.question().panel, QuestionPanel::FillIn);
    drill.checkFillIn("france");
    EXPECT_TRUE(drill.state().AnswerCorrect);
    EXPECT_EQ(drill.answer().panel, AnswerPanel::Judged);
}

TEST_F(MarkupDrillTest, AnswerFirstFillInWithTwoAnswersIsAskedNormally) {
    h.program.settings.AnsFirst = 1;
    deck({"Q1=<FIB>%Capital of France?$#$!A1=<MC1>Paris<MC2>paris.%"});
    startAt(1);
    EXPECT_FALSE(drill.state().AnswerFirstApplied);
    EXPECT_EQ(drill.question().memoText, "Capital of France?");
    drill.checkFillIn("Paris");
    EXPECT_TRUE(drill.state().AnswerCorrect);
}

TEST_F(MarkupDrillTest, AnswerFirstStandardPairSwapsTheSides) {
    h.program.settings.AnsFirst = 1;
    deck({"Q1=Question text$#$!A1=Answer text"});
    startAt(1);
    EXPECT_EQ(drill.question().memoText, "Answer text");
    drill.displayAnswer();
    EXPECT_EQ(drill.answer().memoText, "Question text");
    EXPECT_EQ(drill.answer().panel, AnswerPanel::UserGrades);
}

TEST_F(MarkupDrillTest, AFaultyQuestionShowsBothSyntaxErrorBoxesAfterTheMarkupsOwn) {
    deck({"Q1=Fine$#$!A1=ok", "Q2=<XYZ>bad%text$#$!A2=ok"});
    startAt(1);
    drill.displayAnswer();
    engine.selections = {2, 1};
    h.ui.expectBox(testing::unknownTagBox("Q", 2));
    h.ui.expectBox(
        {"Question Syntax Error", questionSyntaxErrorText(2), Icon::Error, Buttons::OkCancel},
        Button::Cancel);
    h.ui.expectBox({"Question Syntax Error",
                    "Just Bypass The Answer And Go To The Next Question...", Icon::Error,
                    Buttons::OkCancel});
    drill.markCorrect();
    EXPECT_EQ(h.program.deck.CurrentPair, 1);
    EXPECT_EQ(drill.question().memoText, "Fine");
}

}  // namespace
}  // namespace cardwise
