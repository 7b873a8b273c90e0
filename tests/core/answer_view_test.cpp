#include "core/drill/answer_view.h"

#include <gtest/gtest.h>

#include "core/drill/drill_windows_state.h"
#include "core/drill/question_view.h"
#include "drill_test_support.h"

namespace cardwise {
namespace {

using testing::DrillHarness;
using testing::fillInPair;
using testing::multipleChoicePair;
using testing::ScriptedPair;
using testing::standardPair;

struct AnswerViewHarness {
    DrillHarness h;
    DrillWindowsState state;
    QuestionView question;
    AnswerView view;

    // The question window always comes first.
    bool ask() { return buildQuestionView(h.program, h.engine, state, question, 22); }
    bool build() { return buildAnswerView(h.program, h.engine, state, view, 22); }
    bool askAndAnswer(std::string reply) {
        if (!ask()) return false;
        state.UserReply = std::move(reply);
        return build();
    }
};

struct AnswerViewTest : ::testing::Test, AnswerViewHarness {};

TEST_F(AnswerViewTest, StandardPairIsGradedByTheUser) {
    h.program.settings.AFontName = "Courier";
    ASSERT_TRUE(askAndAnswer(""));
    EXPECT_EQ(view.caption, "Answer - Ask All Questions Equally Often Mode - GEO.DKS");
    EXPECT_EQ(view.panel, AnswerPanel::UserGrades);
    EXPECT_EQ(view.memoText, "Answer 1");
    EXPECT_EQ(view.memoLook.fontName, "Courier");
    EXPECT_FALSE(view.judged);
    EXPECT_FALSE(view.correctPicture);
    EXPECT_FALSE(view.incorrectPicture);
    EXPECT_TRUE(state.AnswerCorrect);
    EXPECT_FALSE(h.program.drill.QuestionShowing);
}

TEST_F(AnswerViewTest, MultipleChoiceRightReply) {
    h.engine.pairs[1] = multipleChoicePair("Which?", {"a", "b", "", "", "", ""}, "2");
    h.engine.pairs[1].answer.Text = "Because.";
    ASSERT_TRUE(askAndAnswer("2"));
    EXPECT_TRUE(state.AnswerCorrect);
    EXPECT_EQ(view.panel, AnswerPanel::Judged);
    EXPECT_TRUE(view.correctPicture);
    EXPECT_FALSE(view.incorrectPicture);
    EXPECT_EQ(view.memoText, "Because.\r\n\r\nThe correct answer was:\r\n\r\nNumber: 2");
}

TEST_F(AnswerViewTest, MultipleChoiceAllOrNone) {
    h.engine.pairs[1] = multipleChoicePair("Which?", {"a", "b", "", "", "", ""}, "N");
    ASSERT_TRUE(askAndAnswer("A"));
    EXPECT_FALSE(state.AnswerCorrect);
    EXPECT_TRUE(view.incorrectPicture);
    EXPECT_FALSE(view.correctPicture);
    EXPECT_EQ(view.memoText, "The correct answer was:\r\n\r\nNone Of The Above");

    h.engine.pairs[1].answer.CorrectChoice = "A";
    ASSERT_TRUE(askAndAnswer("A"));
    EXPECT_TRUE(state.AnswerCorrect);
    EXPECT_EQ(view.memoText, "The correct answer was:\r\n\r\nAll Of The Above");
}

TEST_F(AnswerViewTest, FillInIgnoresCaseUnlessCheckCase) {
    h.engine.pairs[1] = fillInPair("Capital?", "", {"Paris", "paris.", "", "", "", ""});
    ASSERT_TRUE(askAndAnswer("PARIS"));
    EXPECT_TRUE(state.AnswerCorrect);
    EXPECT_EQ(view.panel, AnswerPanel::Judged);
    EXPECT_EQ(
        view.memoText,
        "You could have answered with any of the following:\r\n\r\n1. Paris\r\n2. paris.\r\n");

    h.program.settings.CheckCase = 1;
    ASSERT_TRUE(askAndAnswer("PARIS"));
    EXPECT_FALSE(state.AnswerCorrect);
    EXPECT_TRUE(view.incorrectPicture);
    ASSERT_TRUE(askAndAnswer("paris."));
    EXPECT_TRUE(state.AnswerCorrect);
}

TEST_F(AnswerViewTest, FillInWithTextListsTheAnswersAfterIt) {
    h.engine.pairs[1] = fillInPair("Capital?", "Notes:", {"Paris", "b", "c", "d", "e", "X"});
    ASSERT_TRUE(askAndAnswer("X"));
    EXPECT_TRUE(state.AnswerCorrect);
    EXPECT_EQ(view.memoText, "Notes:\r\n\r\n1. Paris\r\n2. b\r\n3. c\r\n4. d\r\n5. e\r\n6. X");
    ASSERT_TRUE(askAndAnswer("x "));
    EXPECT_FALSE(state.AnswerCorrect);
}

TEST_F(AnswerViewTest, FillInWithOneAnswerAndNoTextShowsTheAnswerAlone) {
    h.engine.pairs[1] = fillInPair("Capital?", "", {"Paris", "", "", "", "", ""});
    ASSERT_TRUE(askAndAnswer("Lyon"));
    EXPECT_FALSE(state.AnswerCorrect);
    EXPECT_EQ(view.memoText, "Paris");
}

TEST_F(AnswerViewTest, AnswerFirstStandardPairShowsTheQuestionAsTheAnswer) {
    DeckSettings& s = h.program.settings;
    s.AnsFirst = 1;
    s.QCurBkGndColor = 222;
    ASSERT_TRUE(askAndAnswer(""));
    EXPECT_EQ(view.memoText, "Question 1");
    EXPECT_EQ(view.memoLook.background, Colour::fromStored(222));
    EXPECT_EQ(view.panel, AnswerPanel::UserGrades);
}

TEST_F(AnswerViewTest, AnswerFirstFillInJudgesAgainstTheQuestionText) {
    h.program.settings.AnsFirst = 1;
    h.engine.pairs[1] = fillInPair("France", "", {"Paris", "", "", "", "", ""});
    ASSERT_TRUE(askAndAnswer("france"));
    EXPECT_TRUE(state.AnswerCorrect);
    EXPECT_EQ(view.panel, AnswerPanel::Judged);
    EXPECT_TRUE(view.correctPicture);
    EXPECT_EQ(view.memoText, "France\r\n\r\n");

    ASSERT_TRUE(askAndAnswer("Paris"));
    EXPECT_FALSE(state.AnswerCorrect);
}

// Replies judged by the program: the verdict and that it is shown as judged.
TEST(AnswerViewVerdicts, RepliesAreJudgedExactlyWhereTheyMust) {
    struct Row {
        const char* name;
        ScriptedPair pair;
        int ansFirst;
        std::string reply;
        bool correct;
    };
    const ScriptedPair choice = multipleChoicePair("Which?", {"a", "b", "", "", "", ""}, "1");
    const ScriptedPair second = multipleChoicePair("Which?", {"a", "b", "", "", "", ""}, "2");
    const ScriptedPair oneAnswer = fillInPair("Capital?", "", {"Paris", "", "", "", "", ""});
    const Row rows[] = {
        {"ChoiceWithTrailingBlankIsWrong", choice, 0, "1 ", false},
        {"EmptyChoiceIsWrong", choice, 0, "", false},
        {"EmptyReplyNeverMatchesAnEmptyExtraAnswer", oneAnswer, 0, "", false},
        {"AnswerFirstChoiceIsJudgedNormally", second, 1, "2", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        AnswerViewHarness t;
        t.h.program.settings.AnsFirst = row.ansFirst;
        t.h.engine.pairs[1] = row.pair;
        ASSERT_TRUE(t.askAndAnswer(row.reply));
        EXPECT_EQ(t.state.AnswerCorrect, row.correct);
        EXPECT_EQ(t.view.panel, AnswerPanel::Judged);
    }
}

TEST_F(AnswerViewTest, ListButtonsDependOnTheModeAndTheFlags) {
    Program& p = h.program;
    p.deck.Learning[1].ListFlags = 3;
    ASSERT_TRUE(askAndAnswer(""));
    EXPECT_FALSE(view.listEnabled);
    EXPECT_EQ(view.listCaption, "&Add Pair To Priority List");
    EXPECT_EQ(view.disableCaption, "Re-&enable This Pair");

    p.settings.NoPriority = 2;
    ASSERT_TRUE(askAndAnswer(""));
    EXPECT_TRUE(view.listEnabled);
    EXPECT_EQ(view.listCaption, "&Remove Pair From Priority List");
    EXPECT_EQ(view.status.pairNumberColours, (FieldColours{kRed, kWhite}));

    p.deck.Learning[1].ListFlags = 2;
    ASSERT_TRUE(askAndAnswer(""));
    EXPECT_EQ(view.listCaption, "&Add Pair To Priority List");
    EXPECT_EQ(view.disableCaption, "Re-&enable This Pair");

    p.deck.Learning[1].ListFlags = 0;
    ASSERT_TRUE(askAndAnswer(""));
    EXPECT_EQ(view.disableCaption, "&Disable This Pair");
}

TEST_F(AnswerViewTest, SyncWinPutsTheAnswerOverTheQuestion) {
    DeckSettings& s = h.program.settings;
    s.QLeft = 10, s.QTop = 20, s.QWidth = 700, s.QHeight = 400;
    s.ALeft = 300, s.ATop = 200, s.AWidth = 620, s.AHeight = 380;
    ASSERT_TRUE(askAndAnswer(""));
    EXPECT_EQ(view.placement, (Rect{300, 200, 620, 380}));
    s.SyncWin = 1;
    ASSERT_TRUE(askAndAnswer(""));
    EXPECT_EQ(view.placement, question.placement);
    EXPECT_EQ(answerResizePlacement(Rect{50, 60, 900, 100}, s, 22), (Rect{10, 20, 900, 400}));
}

TEST_F(AnswerViewTest, AutopilotShowsItsPicturesAndNoVerdictPicture) {
    h.program.settings.AutoPilot = 1;
    h.engine.pairs[1] = multipleChoicePair("Which?", {"a", "b", "", "", "", ""}, "2");
    ASSERT_TRUE(askAndAnswer(""));
    EXPECT_TRUE(view.autopilotPictures);
    EXPECT_FALSE(view.correctPicture);
    EXPECT_FALSE(view.incorrectPicture);
}

TEST_F(AnswerViewTest, CommentsNeedTheSettingAndAFirstComment) {
    h.engine.pairs[1].answer.Notes = {"c1", "c2", ""};
    ASSERT_TRUE(askAndAnswer(""));
    EXPECT_TRUE(view.commentEnabled);
    EXPECT_EQ(view.comments[1], "c2");
    h.program.settings.EnableComments = 0;
    ASSERT_TRUE(askAndAnswer(""));
    EXPECT_FALSE(view.commentEnabled);
}

TEST_F(AnswerViewTest, AFaultyAnswerSideShowsNothingOfThePreviousPair) {
    h.engine.pairs[1] = multipleChoicePair("Which?", {"a", "b", "", "", "", ""}, "2");
    ASSERT_TRUE(askAndAnswer("1"));
    EXPECT_EQ(view.panel, AnswerPanel::Judged);
    h.program.deck.CurrentPair = 2;
    h.engine.pairs[2].answerOk = false;
    EXPECT_FALSE(askAndAnswer(""));
    EXPECT_EQ(view.memoText, "");
    EXPECT_EQ(view.panel, AnswerPanel::UserGrades);
    EXPECT_FALSE(view.incorrectPicture);
    EXPECT_EQ(view.status.pairNumber, "2");
    EXPECT_TRUE(state.AnswerCorrect);
}

TEST(FillInReply, CaseFoldingCoversWesternLetters) {
    struct Case {
        const char* reply;
        const char* accepted;
        bool checkCase;
        bool matches;
    };
    for (const Case& c :
         {Case{"PARIS", "Paris", false, true}, Case{"PARIS", "Paris", true, false},
          Case{"Paris", "Paris", true, true}, Case{"Pari", "Paris", false, false},
          Case{"\xC9T\xC9", "\xE9t\xE9", false, true},  // ÉTÉ / été
          Case{"\xC9T\xC9", "\xE9t\xE9", true, false}, Case{"\x8A", "\x9A", false, true},  // Š / š
          Case{"\x9F", "\xFF", false, true},   // Ÿ / ÿ
          Case{"\xD7", "\xF7", false, false},  // × is not ÷
          Case{"", "", false, true}}) {
        EXPECT_EQ(fillInReplyMatches(c.reply, c.accepted, c.checkCase), c.matches)
            << c.reply << " / " << c.accepted;
    }
}

}  // namespace
}  // namespace cardwise
