#include "core/drill/question_view.h"

#include <gtest/gtest.h>

#include "core/drill/drill_windows_state.h"
#include "drill_test_support.h"

namespace cardwise {
namespace {

using testing::DrillHarness;
using testing::fillInPair;
using testing::multipleChoicePair;
using testing::standardPair;

struct QuestionViewTest : ::testing::Test {
    DrillHarness h;
    DrillWindowsState state;
    QuestionView view;

    bool build() { return buildQuestionView(h.program, h.engine, state, view, 22); }
};

TEST_F(QuestionViewTest, StandardPairShowsTextWithTheDisplayAnswerPanel) {
    DeckSettings& s = h.program.settings;
    s.QLeft = 10;
    s.QTop = 20;
    s.QWidth = 700;
    s.QHeight = 100;
    s.Center = 1;
    s.QFontName = "Times";
    s.AFontName = "Courier";
    h.program.deck.CurrentPair = 3;
    h.engine.pairs[3] = standardPair("Line one^Line two", "x");
    h.engine.pairs[3].question.Category = "Rivers";
    h.engine.pairs[3].question.Notes = {"hint", "", ""};
    ASSERT_TRUE(build());

    EXPECT_EQ(view.caption, "Question - Ask All Questions Equally Often Mode - GEO.DKS");
    EXPECT_EQ(view.placement, (Rect{10, 20, 700, 376}));
    EXPECT_EQ(view.memoText, "Line one\r\nLine two");
    EXPECT_EQ(view.memoLook.fontName, "Times");
    EXPECT_TRUE(view.centered);
    EXPECT_EQ(view.entryLook.fontName, "Courier");
    EXPECT_EQ(view.panel, QuestionPanel::DisplayAnswer);
    EXPECT_TRUE(view.hintEnabled);
    EXPECT_EQ(view.status.category, "Rivers");
    EXPECT_EQ(view.status.pairNumber, "3");
    EXPECT_EQ(view.status.left, "7");
    EXPECT_EQ(view.content, SideContent::TextOnly);
    EXPECT_TRUE(h.program.drill.QuestionShowing);
    EXPECT_FALSE(state.AnswerFirstApplied);
}

TEST_F(QuestionViewTest, HintButtonIsDisabledWhenHintsAreSwitchedOff) {
    h.engine.pairs[1].question.Notes = {"hint", "", ""};
    h.program.settings.EnableHints = 0;
    ASSERT_TRUE(build());
    EXPECT_FALSE(view.hintEnabled);
    h.program.settings.EnableHints = 1;
    h.engine.pairs[1].question.Notes = {"", "", ""};
    ASSERT_TRUE(build());
    EXPECT_FALSE(view.hintEnabled);
}

TEST_F(QuestionViewTest, MultipleChoiceListsFilledChoicesAndTheirButtons) {
    h.engine.pairs[1] = multipleChoicePair("Which?", {"Paris", "London", "", "Rome", "", ""}, "1");
    ASSERT_TRUE(build());
    EXPECT_EQ(view.panel, QuestionPanel::MultipleChoice);
    EXPECT_EQ(view.memoText, "Which?\r\n\r\n1. Paris\r\n2. London\r\n4. Rome\r\n");
    EXPECT_EQ(view.choiceButtons, (std::array<bool, 6>{true, true, false, true, false, false}));
}

TEST_F(QuestionViewTest, MultipleChoiceWithoutTextStartsWithTheFirstChoice) {
    h.engine.pairs[1] = multipleChoicePair("", {"a", "b", "c", "", "", ""}, "2");
    ASSERT_TRUE(build());
    EXPECT_EQ(view.memoText, "1. a\r\n2. b\r\n3. c\r\n");
}

TEST_F(QuestionViewTest, SixthChoiceEndsWithoutALineBreak) {
    h.engine.pairs[1] = multipleChoicePair("Q", {"a", "b", "c", "d", "e", "f^g"}, "6");
    ASSERT_TRUE(build());
    EXPECT_EQ(view.memoText, "Q\r\n\r\n1. a\r\n2. b\r\n3. c\r\n4. d\r\n5. e\r\n6. f\r\ng");
    EXPECT_EQ(view.choiceButtons, (std::array<bool, 6>{true, true, true, true, true, true}));
}

TEST_F(QuestionViewTest, FillInShowsTheEntryPanelAndEmptiesTheEntry) {
    h.engine.pairs[1] = fillInPair("Capital of France?", "", {"Paris", "", "", "", "", ""});
    state.FillInEntry = "old reply";
    ASSERT_TRUE(build());
    EXPECT_EQ(view.panel, QuestionPanel::FillIn);
    EXPECT_EQ(view.entryText, "");
    EXPECT_EQ(view.memoText, "Capital of France?");
}

TEST_F(QuestionViewTest, TryAgainKeepsTheTypedReply) {
    h.engine.pairs[1] = fillInPair("Capital of France?", "", {"Paris", "", "", "", "", ""});
    state.FillInEntry = "Lyon";
    h.program.drill.TryAgainPending = true;
    ASSERT_TRUE(build());
    EXPECT_EQ(view.entryText, "Lyon");
}

TEST_F(QuestionViewTest, AnswerFirstAsksTheAnswerOfAStandardPair) {
    DeckSettings& s = h.program.settings;
    s.AnsFirst = 1;
    s.ACurBkGndColor = 111;
    s.QCurBkGndColor = 222;
    ASSERT_TRUE(build());
    EXPECT_TRUE(state.AnswerFirstApplied);
    EXPECT_FALSE(state.AnswerFirstFillIn);
    EXPECT_EQ(view.memoText, "Answer 1");
    EXPECT_EQ(view.memoLook.background, Colour::fromStored(111));
    EXPECT_EQ(view.panel, QuestionPanel::DisplayAnswer);
}

TEST_F(QuestionViewTest, AnswerFirstLeavesMultipleChoiceAlone) {
    h.program.settings.AnsFirst = 1;
    h.engine.pairs[1] = multipleChoicePair("Which?", {"a", "b", "", "", "", ""}, "1");
    ASSERT_TRUE(build());
    EXPECT_FALSE(state.AnswerFirstApplied);
    EXPECT_EQ(view.panel, QuestionPanel::MultipleChoice);
    EXPECT_EQ(view.memoText, "Which?\r\n\r\n1. a\r\n2. b\r\n");
    EXPECT_EQ(h.engine.formatted, (std::vector<std::string>{"Q1"}));
}

TEST_F(QuestionViewTest, AnswerFirstLeavesAFillInWithSeveralAnswersAlone) {
    DeckSettings& s = h.program.settings;
    s.AnsFirst = 1;
    s.QCurBkGndColor = 222;
    h.engine.pairs[1] = fillInPair("Capital?", "", {"Paris", "paris.", "", "", "", ""});
    ASSERT_TRUE(build());
    EXPECT_FALSE(state.AnswerFirstApplied);
    EXPECT_FALSE(state.AnswerFirstFillIn);
    EXPECT_EQ(view.memoText, "Capital?");
    EXPECT_EQ(view.memoLook.background, Colour::fromStored(222));
    EXPECT_EQ(view.panel, QuestionPanel::FillIn);
    EXPECT_EQ(h.engine.formatted, (std::vector<std::string>{"Q1", "A1", "Q1"}));
}

TEST_F(QuestionViewTest, AnswerFirstReversesAFillInWithOneAnswer) {
    DeckSettings& s = h.program.settings;
    s.AnsFirst = 1;
    s.QFontName = "Times";
    s.ACurBkGndColor = 111;
    h.engine.pairs[1] = fillInPair("Capital of France?", "", {"Paris", "", "", "", "", ""});
    ASSERT_TRUE(build());
    EXPECT_TRUE(state.AnswerFirstApplied);
    EXPECT_TRUE(state.AnswerFirstFillIn);
    EXPECT_EQ(view.memoText, "Paris");
    EXPECT_EQ(view.memoLook.background, Colour::fromStored(111));
    EXPECT_EQ(view.entryLook.fontName, "Times");
    EXPECT_EQ(view.panel, QuestionPanel::FillIn);
}

TEST_F(QuestionViewTest, AnswerFirstWithAFaultyAnswerSideAsksTheQuestion) {
    h.program.settings.AnsFirst = 1;
    h.engine.pairs[1].answerOk = false;
    ASSERT_TRUE(build());
    EXPECT_FALSE(state.AnswerFirstApplied);
    EXPECT_EQ(view.memoText, "Question 1");
}

TEST_F(QuestionViewTest, PictureAndTextSidesCarryThePaths) {
    h.engine.pairs[1].question.TextOnly = false;
    h.engine.pairs[1].question.PicturePath = "map.bmp";
    h.engine.pairs[1].question.MediaPath = "song.wav";
    ASSERT_TRUE(build());
    EXPECT_EQ(view.content, SideContent::TextAndPicture);
    EXPECT_EQ(view.picturePath, "map.bmp");
    EXPECT_EQ(view.mediaPath, "song.wav");
}

TEST_F(QuestionViewTest, APictureOnlySideHasNoText) {
    h.engine.pairs[1].question = testing::textSide("");
    h.engine.pairs[1].question.TextOnly = false;
    h.engine.pairs[1].question.NoText = true;
    ASSERT_TRUE(build());
    EXPECT_EQ(view.content, SideContent::PictureOnly);
    EXPECT_EQ(view.memoText, "");
}

TEST_F(QuestionViewTest, AFaultyQuestionKeepsThePreviousDisplay) {
    ASSERT_TRUE(build());
    h.program.deck.CurrentPair = 2;
    h.engine.pairs[2].questionOk = false;
    h.program.settings.NoPriority = 2;
    EXPECT_FALSE(build());
    EXPECT_EQ(view.memoText, "Question 1");
    EXPECT_EQ(view.status.pairNumber, "1");
    EXPECT_EQ(view.caption, "Question - Priority Questions From List Mode - GEO.DKS");
}

TEST_F(QuestionViewTest, AnEarlierReplyIsNotHandedOn) {
    state.UserReply = "3";
    ASSERT_TRUE(build());
    EXPECT_EQ(state.UserReply, "");
}

TEST(QuestionSyntaxError, NamesThePairInFourColumns) {
    EXPECT_EQ(questionSyntaxErrorText(12),
              "Cardwise Has Encountered An Error In Question    12  And Cannot Correctly "
              "Process This Question.  To Open The .DKS File In NotePad And Correct The "
              "Problem Indicated In The Previous Error Dialog, Select OK.  To Skip This QA "
              "Pair And Continue With The Next Question, Select Cancel.");
    EXPECT_NE(questionSyntaxErrorText(12345).find("Question  12345  And"), std::string::npos);
}

}  // namespace
}  // namespace cardwise
