#include "core/drill/run_control.h"

#include <gtest/gtest.h>

#include "drill_test_support.h"

namespace cardwise {
namespace {

using testing::DrillHarness;
using testing::fillInPair;
using testing::multipleChoicePair;
using testing::ShownBox;

struct RunControlTest : ::testing::Test {
    DrillHarness h;
    DrillController drill{h.program, h.engine};
    DeckSettings& settings = h.program.settings;
    DrillFlags& flags = h.program.drill;
    DeckState& deck = h.program.deck;

    void startAt(std::int32_t pair) {
        h.engine.selections.push_back(pair);
        drill.start();
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) drill.tick();
    }
};

TEST_F(RunControlTest, StartSelectsTheFirstPairAsARunStart) {
    flags.EditorTestRun = true;
    flags.RunComplete = true;
    startAt(4);
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
    EXPECT_EQ(deck.CurrentPair, 4);
    EXPECT_EQ(h.engine.runStartingAtSelection, (std::vector<bool>{true}));
    EXPECT_FALSE(flags.RunStarting);
    EXPECT_FALSE(flags.RunComplete);
    EXPECT_FALSE(flags.EditorTestRun);
    EXPECT_TRUE(flags.DrillActive);
    EXPECT_EQ(drill.question().memoText, "Question 4");
}

TEST_F(RunControlTest, ASidesFilesAreCheckedOncePerShowNotOnEachRedraw) {
    testing::TempDir dir;
    h.program.currentDirectory = dir.path();
    dir.write("here.gif", "GIF89a");
    h.engine.pairs[3].question.PicturePath = "missing.gif";
    h.engine.pairs[3].answer.MediaPath = "gone.wav";
    h.engine.pairs[4].question.PicturePath = "here.gif";
    const ShownBox missingPicture{
        "Missing Graphics File",
        "Cardwise Cannot Locate The Graphics File missing.gif Referenced By The "
        "Currently-Displayed Question Or Answer. Please Check Its Path In The Editor's "
        "Associated Files Page.",
        Icon::Warning, Buttons::Ok};
    const ShownBox missingSound{
        "Missing Multi-Media File",
        "Cardwise Cannot Locate The Multi-Media File gone.wav Referenced By The "
        "Currently-Displayed Question Or Answer Please Check Its Path In The Editor's "
        "Associated Files Page.",
        Icon::Warning, Buttons::Ok};

    h.ui.expectBox(missingPicture);
    startAt(3);
    h.ui.checkAllShown();
    EXPECT_TRUE(drill.question().pictureFile.empty());
    drill.resetStatusBar();
    ticks(3);

    h.ui.expectBox(missingSound);
    drill.displayAnswer();
    h.ui.checkAllShown();
    drill.togglePriorityList();
    drill.toggleDisabled();
    drill.resetStatusBar();

    // Trying again shows the side anew, and so checks it anew.
    h.ui.expectBox(missingPicture);
    drill.tryAgain();
    h.ui.checkAllShown();
    h.ui.expectBox(missingSound);
    drill.displayAnswer();
    h.ui.checkAllShown();

    h.engine.selections.push_back(4);
    drill.markCorrect();
    EXPECT_EQ(drill.question().pictureFile, dir.file("here.gif"));
    EXPECT_EQ(drill.question().picturePath, "here.gif");
}

TEST_F(RunControlTest, StartReturnsToARememberedPair) {
    flags.ReturnToPair = true;
    flags.ReturnPair = 7;
    startAt(2);
    EXPECT_EQ(deck.CurrentPair, 7);
    EXPECT_EQ(drill.question().status.pairNumber, "7");
}

TEST_F(RunControlTest, StartIgnoresAReturnPairOutsideTheDeck) {
    flags.ReturnToPair = true;
    flags.ReturnPair = 11;
    startAt(2);
    EXPECT_EQ(deck.CurrentPair, 2);
}

TEST_F(RunControlTest, StartShowsAPairOfTheDeckWhenTheSelectionLeftNone) {
    startAt(0);
    EXPECT_EQ(deck.CurrentPair, 1);
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
}

TEST_F(RunControlTest, CorrectGradesSelectsAndAsksTheNextQuestion) {
    startAt(3);
    drill.displayAnswer();
    ASSERT_EQ(drill.screen(), DrillScreen::Answer);
    EXPECT_EQ(drill.answer().memoText, "Answer 3");
    h.engine.selections.push_back(5);
    drill.markCorrect();
    EXPECT_EQ(h.engine.grades, (std::vector<std::pair<std::int32_t, bool>>{{3, true}}));
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
    EXPECT_EQ(deck.CurrentPair, 5);
    EXPECT_EQ(drill.question().status.total, "1");
    EXPECT_EQ(drill.question().status.percent, "100 %");
}

TEST_F(RunControlTest, IncorrectGradesIncorrect) {
    startAt(3);
    drill.displayAnswer();
    h.engine.selections.push_back(5);
    drill.markIncorrect();
    EXPECT_EQ(h.engine.grades, (std::vector<std::pair<std::int32_t, bool>>{{3, false}}));
    EXPECT_EQ(deck.SessionIncorrect, 1);
}

TEST_F(RunControlTest, JudgedReplyIsGradedWithItsVerdict) {
    h.engine.pairs[2] = multipleChoicePair("Which?", {"a", "b", "", "", "", ""}, "2");
    startAt(2);
    drill.chooseAnswer('1');
    ASSERT_EQ(drill.screen(), DrillScreen::Answer);
    drill.markCorrect();  // not a button of the judged panel
    EXPECT_TRUE(h.engine.grades.empty());
    h.engine.selections.push_back(3);
    drill.showNextQuestion();
    EXPECT_EQ(h.engine.grades, (std::vector<std::pair<std::int32_t, bool>>{{2, false}}));
}

TEST_F(RunControlTest, ChoiceButtonsThatAreHiddenDoNothing) {
    h.engine.pairs[2] = multipleChoicePair("Which?", {"a", "b", "", "", "", ""}, "2");
    startAt(2);
    drill.chooseAnswer('3');
    drill.chooseAnswer('x');
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
    drill.chooseAnswer('N');
    EXPECT_EQ(drill.screen(), DrillScreen::Answer);
    EXPECT_EQ(drill.state().UserReply, "N");
}

TEST_F(RunControlTest, AnswerTimerOpensTheAnswerOnTheSixthTick) {
    settings.UseTimer = 1;
    settings.NumSeconds = 5;
    startAt(1);
    ticks(5);
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
    drill.tick();
    EXPECT_EQ(drill.screen(), DrillScreen::Answer);
    // The answer window has no answer timer of its own.
    ticks(20);
    EXPECT_EQ(drill.screen(), DrillScreen::Answer);
}

TEST_F(RunControlTest, TimerWithAutopilotCountsTwicePerTick) {
    settings.UseTimer = 1;
    settings.NumSeconds = 60;
    settings.AutoPilot = 1;
    settings.AutoQTime = 5;
    startAt(1);
    ticks(3);  // the autopilot sees 1, 3, 5: never above 5
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
    drill.tick();  // it sees 7
    EXPECT_EQ(drill.screen(), DrillScreen::Answer);
}

TEST_F(RunControlTest, TimerTicksAreIgnoredWhilePaused) {
    settings.UseTimer = 1;
    settings.NumSeconds = 1;
    startAt(1);
    drill.setTimersRunning(false);
    ticks(5);
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
    drill.setTimersRunning(true);
    ticks(2);
    EXPECT_EQ(drill.screen(), DrillScreen::Answer);
}

TEST_F(RunControlTest, ATimedOutMultipleChoiceQuestionHasNoReply) {
    settings.UseTimer = 1;
    settings.NumSeconds = 1;
    h.engine.pairs[1] = multipleChoicePair("Which?", {"a", "b", "", "", "", ""}, "2");
    h.engine.pairs[2] = multipleChoicePair("Which?", {"a", "b", "", "", "", ""}, "2");
    startAt(1);
    drill.chooseAnswer('2');
    h.engine.selections.push_back(2);
    drill.showNextQuestion();
    ticks(2);
    ASSERT_EQ(drill.screen(), DrillScreen::Answer);
    EXPECT_FALSE(drill.state().AnswerCorrect);
}

TEST_F(RunControlTest, QuestionOnlyAsksTheNextQuestionAtOnce) {
    settings.QOnly = 1;
    startAt(1);
    h.engine.selections.push_back(2);
    drill.displayAnswer();
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
    EXPECT_EQ(deck.CurrentPair, 2);
    EXPECT_TRUE(h.engine.grades.empty());
    EXPECT_EQ(deck.SessionCorrect + deck.SessionIncorrect, 0);
    EXPECT_EQ(drill.question().status.total, "");
    EXPECT_EQ(h.engine.formatted, (std::vector<std::string>{"Q1", "Q2"}));
}

TEST_F(RunControlTest, TryAgainAfterAWrongFillInKeepsTheReplyAndCountsNothing) {
    h.engine.pairs[4] = fillInPair("Capital?", "", {"Paris", "", "", "", "", ""});
    startAt(4);
    drill.checkFillIn("Lyon");
    ASSERT_EQ(drill.screen(), DrillScreen::Answer);
    EXPECT_FALSE(drill.state().AnswerCorrect);
    drill.tryAgain();
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
    EXPECT_EQ(deck.CurrentPair, 4);
    EXPECT_EQ(drill.question().entryText, "Lyon");
    EXPECT_EQ(deck.SessionIncorrect, 0);
    EXPECT_TRUE(h.engine.grades.empty());
    EXPECT_EQ(h.engine.selectCalls, 1);
    EXPECT_TRUE(flags.TryAgainPending);

    drill.checkFillIn("Paris");
    EXPECT_FALSE(flags.TryAgainPending);
    EXPECT_TRUE(drill.state().AnswerCorrect);
    h.engine.selections.push_back(5);
    drill.showNextQuestion();
    EXPECT_EQ(h.engine.grades, (std::vector<std::pair<std::int32_t, bool>>{{4, true}}));
}

TEST_F(RunControlTest, TryAgainOnAStandardPairCountsNothing) {
    startAt(2);
    drill.displayAnswer();
    drill.tryAgain();
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
    EXPECT_EQ(deck.CurrentPair, 2);
    EXPECT_TRUE(h.engine.grades.empty());
}

TEST_F(RunControlTest, AutopilotAlternatesWithoutGrading) {
    settings.AutoPilot = 1;
    settings.AutoQTime = 2;
    settings.AutoATime = 3;
    deck.SessionCorrect = 4;
    startAt(1);
    EXPECT_EQ(drill.question().status.total, "");
    ticks(2);
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
    drill.tick();
    ASSERT_EQ(drill.screen(), DrillScreen::Answer);
    EXPECT_TRUE(drill.answer().autopilotPictures);
    EXPECT_EQ(drill.answer().status.percent, "");

    std::vector<bool> pictures;
    for (int i = 0; i < 3; ++i) {
        drill.tick();
        pictures.push_back(drill.answer().autopilotPictures);
    }
    EXPECT_EQ(pictures, (std::vector<bool>{true, false, true}));
    h.engine.selections.push_back(2);
    drill.tick();  // AutoATime + 1 ticks
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
    EXPECT_EQ(deck.CurrentPair, 2);
    EXPECT_TRUE(h.engine.grades.empty());
    EXPECT_EQ(deck.SessionCorrect, 4);

    ticks(3);
    h.engine.selections.push_back(3);
    ticks(4);
    EXPECT_EQ(deck.CurrentPair, 3);
    EXPECT_TRUE(h.engine.grades.empty());
}

TEST_F(RunControlTest, AutopilotDoesNotRunInHistoryMode) {
    settings.AutoPilot = 1;
    settings.AutoQTime = 1;
    settings.NoPriority = 4;
    startAt(1);
    ticks(10);
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
}

TEST_F(RunControlTest, StoppingTheAutopilotLetsTheUserGradeAgain) {
    settings.AutoPilot = 1;
    settings.AutoQTime = 0;
    settings.AutoATime = 2;
    startAt(1);
    drill.tick();
    ASSERT_EQ(drill.screen(), DrillScreen::Answer);
    drill.stopAutoPilot();
    EXPECT_EQ(settings.AutoPilot, 0);
    EXPECT_FALSE(drill.answer().autopilotPictures);
    ticks(10);
    EXPECT_EQ(drill.screen(), DrillScreen::Answer);
    h.engine.selections.push_back(2);
    drill.markCorrect();
    EXPECT_EQ(h.engine.grades, (std::vector<std::pair<std::int32_t, bool>>{{1, true}}));
}

TEST_F(RunControlTest, VerdictPictureBlinksFromVisible) {
    h.engine.pairs[1] = multipleChoicePair("Which?", {"a", "b", "", "", "", ""}, "2");
    startAt(1);
    drill.chooseAnswer('2');
    std::vector<bool> shown{drill.answer().correctPicture};
    for (int i = 0; i < 3; ++i) {
        drill.tick();
        shown.push_back(drill.answer().correctPicture);
        EXPECT_FALSE(drill.answer().incorrectPicture);
        EXPECT_FALSE(drill.answer().autopilotPictures);
    }
    EXPECT_EQ(shown, (std::vector<bool>{true, false, true, false}));
}

// A window whose tick would change nothing runs no timer: an idle drill never wakes.
TEST_F(RunControlTest, OnlyAWindowWhoseTickDoesSomethingNeedsIt) {
    struct Case {
        const char* name;
        int autoPilot, useTimer, mode;
        bool choicePair, question, answer;
    };
    const Case cases[] = {
        {"plain drill", 0, 0, 1, false, false, false},
        {"answer timer", 0, 1, 1, false, true, false},
        {"autopilot", 1, 0, 1, false, true, true},
        {"autopilot is off in history mode", 1, 0, 4, false, false, false},
        {"a judged reply blinks its verdict", 0, 0, 1, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DrillHarness harness;
        DrillController controller{harness.program, harness.engine};
        DeckSettings& s = harness.program.settings;
        s.AutoPilot = c.autoPilot;
        s.UseTimer = c.useTimer;
        s.NumSeconds = 60;
        s.AutoQTime = s.AutoATime = 60;
        s.NoPriority = c.mode;
        if (c.choicePair) {
            harness.engine.pairs[1] = multipleChoicePair("Which?", {"a", "b", "", "", "", ""}, "2");
        }
        harness.engine.selections.push_back(1);
        controller.start();
        ASSERT_EQ(controller.screen(), DrillScreen::Question);
        EXPECT_EQ(controller.tickNeeded(), c.question);
        if (c.choicePair) {
            controller.chooseAnswer('2');
        } else {
            controller.displayAnswer();
        }
        ASSERT_EQ(controller.screen(), DrillScreen::Answer);
        EXPECT_EQ(controller.tickNeeded(), c.answer);
    }
}

TEST_F(RunControlTest, GoToPairRejectsNumbersOutsideTheDeck) {
    startAt(3);
    for (const char* entry : {"0", "11", "-2", "99999999999999"}) {
        h.ui.inputs.push_back(std::string(entry));
        h.ui.expectBox({std::string(kAppTitle),
                        "Please Enter A Number Less Than The Highest Number In The Deck And "
                        "Greater Than 0",
                        Icon::None, Buttons::Ok});
        drill.goToPair();
        h.ui.checkAllShown();
        EXPECT_EQ(deck.CurrentPair, 3) << entry;
    }
    EXPECT_EQ(h.ui.inputPrompts.at(0), "Enter The Number Of The Pair To Jump To|Pair Number");
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
}

TEST_F(RunControlTest, GoToPairIgnoresNonNumbersTheSamePairAndCancel) {
    startAt(3);
    h.ui.inputs = {std::string("abc"), std::string(""), std::string("3"), std::nullopt};
    for (int i = 0; i < 4; ++i) drill.goToPair();
    EXPECT_TRUE(h.ui.boxes.empty());
    EXPECT_EQ(deck.CurrentPair, 3);
    EXPECT_EQ(h.engine.formatted, (std::vector<std::string>{"Q3"}));
}

TEST_F(RunControlTest, GoToPairInTheQuestionWindowShowsThatPair) {
    startAt(3);
    h.ui.inputs.push_back(std::string(" 8 "));
    drill.goToPair();
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
    EXPECT_EQ(deck.CurrentPair, 8);
    EXPECT_EQ(drill.question().memoText, "Question 8");
    EXPECT_FALSE(flags.JumpingToPair);
    EXPECT_EQ(h.engine.selectCalls, 1);
    EXPECT_EQ(h.engine.formatted, (std::vector<std::string>{"Q3", "Q8"}));
}

TEST_F(RunControlTest, GoToPairInTheAnswerWindowGradesNoPair) {
    startAt(3);
    drill.displayAnswer();
    h.ui.inputs.push_back(std::string("8"));
    drill.goToPair();
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
    EXPECT_EQ(deck.CurrentPair, 8);
    EXPECT_TRUE(h.engine.grades.empty());
    EXPECT_EQ(h.engine.selectCalls, 1);
    EXPECT_FALSE(flags.SkipNextSelection);

    drill.displayAnswer();
    h.engine.selections.push_back(9);
    drill.markCorrect();
    EXPECT_EQ(h.engine.grades, (std::vector<std::pair<std::int32_t, bool>>{{8, true}}));
    EXPECT_EQ(deck.CurrentPair, 9);
}

TEST_F(RunControlTest, DecliningTheContinuationClosesTheDeck) {
    startAt(1);
    drill.displayAnswer();
    h.engine.selections.push_back(std::nullopt);
    drill.markCorrect();
    EXPECT_EQ(drill.screen(), DrillScreen::None);
    EXPECT_EQ(h.frontEnd.count("closeDeck"), 1);
    EXPECT_FALSE(flags.DrillActive);
}

TEST_F(RunControlTest, ClosingADrillWindowClosesTheDeckWithoutGrading) {
    startAt(1);
    drill.displayAnswer();
    EXPECT_TRUE(drill.closeWindow());
    EXPECT_EQ(drill.screen(), DrillScreen::None);
    EXPECT_EQ(h.frontEnd.count("closeDeck"), 1);
    EXPECT_TRUE(h.engine.grades.empty());
    EXPECT_FALSE(flags.DrillActive);
}

TEST_F(RunControlTest, EditorPairRunShowsOnePairWithoutGradingAndReturns) {
    startAt(1);
    deck.CurrentPair = 6;
    drill.runEditorPair();
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
    EXPECT_EQ(drill.question().memoText, "Question 6");
    EXPECT_FALSE(drill.closeWindow());
    drill.displayAnswer();
    EXPECT_FALSE(drill.closeWindow());
    drill.markIncorrect();
    EXPECT_EQ(drill.screen(), DrillScreen::None);
    EXPECT_TRUE(h.engine.grades.empty());
    EXPECT_EQ(h.engine.selectCalls, 1);
    EXPECT_EQ(h.frontEnd.count("returnToEditor"), 1);
    EXPECT_FALSE(flags.EditorTestRun);
}

TEST_F(RunControlTest, EditorPairRunInQuestionOnlyModeReturnsToTheEditor) {
    settings.QOnly = 1;
    startAt(1);
    drill.runEditorPair();
    drill.displayAnswer();
    EXPECT_EQ(drill.screen(), DrillScreen::None);
    EXPECT_EQ(h.frontEnd.count("returnToEditor"), 1);
    EXPECT_EQ(h.engine.selectCalls, 1);
}

TEST_F(RunControlTest, HidingAWindowStoresItsGeometry) {
    startAt(1);
    drill.windowGeometryChanged(Rect{11, 22, 633, 444});
    drill.displayAnswer();
    EXPECT_EQ(settings.QLeft, 11);
    EXPECT_EQ(settings.QTop, 22);
    EXPECT_EQ(settings.QWidth, 633);
    EXPECT_EQ(settings.QHeight, 444);
    drill.windowGeometryChanged(Rect{1, 2, 700, 500});
    h.engine.selections.push_back(2);
    drill.markCorrect();
    EXPECT_EQ(settings.ALeft, 1);
    EXPECT_EQ(settings.AWidth, 700);
    EXPECT_EQ(drill.question().placement, (Rect{11, 22, 633, 444}));
}

TEST_F(RunControlTest, HintsComeInSequenceOnlyWhenEnabled) {
    h.engine.pairs[1].question.Notes = {"h1", "h2", "h3"};
    startAt(1);
    using testing::noteBox;
    h.ui.expectBox(noteBox("There Are More Hints", "h1"));
    h.ui.expectBox(noteBox("There Is Another Hint", "h2"));
    h.ui.expectBox(noteBox("This Is The Last Hint", "h3"));
    h.ui.expectBox(noteBox("There Are More Hints", "h1"));
    for (int i = 0; i < 4; ++i) drill.hintClick();
    h.ui.boxes.clear();
    settings.EnableHints = 0;
    drill.redisplay();
    drill.hintClick();
    EXPECT_TRUE(h.ui.boxes.empty());
}

TEST_F(RunControlTest, CommentsStartAgainForEveryAnswer) {
    h.engine.pairs[1].answer.Notes = {"c1", "c2", ""};
    startAt(1);
    h.ui.expectBox(testing::noteBox("There Are More Comments", "c1"), Button::Ok, 2);
    drill.displayAnswer();
    drill.commentClick();
    drill.tryAgain();
    drill.displayAnswer();
    drill.commentClick();
}

TEST_F(RunControlTest, ResetStatusBarEmptiesTheShownFields) {
    deck.SessionCorrect = 1;
    deck.SessionIncorrect = 7;
    startAt(1);
    EXPECT_EQ(drill.question().status.percent, "12 %");
    drill.resetStatusBar();
    EXPECT_EQ(deck.SessionCorrect, 0);
    EXPECT_EQ(deck.SessionIncorrect, 0);
    EXPECT_EQ(drill.question().status.percent, "");
    EXPECT_EQ(drill.question().status.left, "");
}

TEST_F(RunControlTest, ListToggleRecoloursTheNumberAndRenamesBothButtons) {
    settings.NoPriority = 2;
    startAt(1);
    drill.displayAnswer();
    EXPECT_EQ(drill.answer().status.pairNumberColours, (FieldColours{kGreen, kWhite}));
    drill.togglePriorityList();
    EXPECT_EQ(deck.Learning[1].ListFlags, 1);
    EXPECT_EQ(drill.answer().listCaption, "&Remove Pair From Priority List");
    EXPECT_EQ(drill.answer().status.pairNumberColours, (FieldColours{kRed, kWhite}));
    drill.toggleDisabled();
    EXPECT_EQ(drill.answer().disableCaption, "Re-&enable This Pair");
    h.engine.refuseDisable = true;
    drill.toggleDisabled();
    EXPECT_EQ(drill.answer().disableCaption, "Re-&enable This Pair");
}

TEST_F(RunControlTest, ListToggleIsOffOutsideListMode) {
    startAt(1);
    drill.displayAnswer();
    drill.togglePriorityList();
    EXPECT_EQ(deck.Learning[1].ListFlags, 0);
}

TEST_F(RunControlTest, SyntaxErrorOkOpensTheDeckInTheEditor) {
    h.engine.pairs[2].questionOk = false;
    startAt(1);
    h.engine.selections.push_back(2);
    drill.displayAnswer();
    h.ui.expectBox(
        {"Question Syntax Error", questionSyntaxErrorText(2), Icon::Error, Buttons::OkCancel});
    h.ui.expectBox(
        {"Question Syntax Error", "Open NotePad To Fix Problem", Icon::Error, Buttons::OkCancel});
    drill.markCorrect();
    EXPECT_EQ(h.frontEnd.count("editQAFile"), 1);
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
    EXPECT_EQ(drill.question().memoText, "Question 1");
}

TEST_F(RunControlTest, SyntaxErrorCancelSkipsToTheNextQuestion) {
    h.engine.pairs[2].questionOk = false;
    startAt(1);
    h.engine.selections = {2, 5};
    drill.displayAnswer();
    h.ui.expectBox(
        {"Question Syntax Error", questionSyntaxErrorText(2), Icon::Error, Buttons::OkCancel},
        Button::Cancel);
    h.ui.expectBox({"Question Syntax Error",
                    "Just Bypass The Answer And Go To The Next Question...", Icon::Error,
                    Buttons::OkCancel});
    drill.markCorrect();
    EXPECT_EQ(h.frontEnd.count("editQAFile"), 0);
    EXPECT_EQ(deck.CurrentPair, 5);
    EXPECT_EQ(drill.question().memoText, "Question 5");
}

TEST_F(RunControlTest, HidingTheWindowsMovesNothingOn) {
    startAt(1);
    drill.displayAnswer();
    drill.windowGeometryChanged(Rect{3, 4, 650, 400});
    drill.hideWindows();
    EXPECT_EQ(drill.screen(), DrillScreen::None);
    EXPECT_TRUE(h.engine.grades.empty());
    EXPECT_EQ(h.engine.selectCalls, 1);
    EXPECT_EQ(settings.ALeft, 3);
    drill.tick();
    drill.redisplay();
    EXPECT_EQ(drill.screen(), DrillScreen::None);
}

TEST_F(RunControlTest, RedisplayShowsTheSameWindowWithNewSettings) {
    startAt(1);
    drill.displayAnswer();
    settings.NoPriority = 2;
    drill.redisplay();
    EXPECT_EQ(drill.screen(), DrillScreen::Answer);
    EXPECT_TRUE(drill.answer().listEnabled);
    EXPECT_EQ(drill.answer().caption, "Answer - Priority Questions From List Mode - GEO.DKS");
}

TEST(PairNumberEntry, ParsesWholeNumbersOnly) {
    EXPECT_EQ(parsePairNumber("12"), 12);
    EXPECT_EQ(parsePairNumber("  7 "), 7);
    EXPECT_EQ(parsePairNumber("+4"), 4);
    EXPECT_EQ(parsePairNumber("-3"), -3);
    EXPECT_EQ(parsePairNumber("0"), 0);
    EXPECT_GT(*parsePairNumber("123456789012345678901234567890"), 2147483647);
    EXPECT_EQ(parsePairNumber(""), std::nullopt);
    EXPECT_EQ(parsePairNumber("-"), std::nullopt);
    EXPECT_EQ(parsePairNumber("1.5"), std::nullopt);
    EXPECT_EQ(parsePairNumber("12a"), std::nullopt);
    EXPECT_EQ(parsePairNumber("a"), std::nullopt);
}

}  // namespace
}  // namespace cardwise
