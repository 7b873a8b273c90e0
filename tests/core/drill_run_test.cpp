// Whole drills over the program's own selector, grading and markup.
#include <gtest/gtest.h>

#include "core/drill/core_drill_engine.h"
#include "core/drill/run_control.h"
#include "drill_test_support.h"

namespace cardwise {
namespace {

struct DrillRunTest : ::testing::Test {
    testing::ProgramHarness h;
    CoreDrillEngine engine;
    DrillController drill{h.program, engine};
    DeckState& deck = h.program.deck;
    DeckSettings& settings = h.program.settings;

    void makeDeck(int pairs) { testing::makeStandardDeck(deck, pairs); }
};

TEST_F(DrillRunTest, OnePassRunEndsWithTheContinuationQuestion) {
    makeDeck(3);
    settings.OnePass = 1;
    drill.start();
    std::vector<std::int32_t> shown;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(drill.screen(), DrillScreen::Question);
        shown.push_back(deck.CurrentPair);
        drill.displayAnswer();
        if (i == 2) {
            h.ui.expectBox(testing::continuationBox("GEO.DKS"), Button::No);
        }
        drill.markCorrect();
    }
    EXPECT_EQ(shown, (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(h.ui.captions(), (std::vector<std::string>{"Continuation"}));
    EXPECT_EQ(drill.screen(), DrillScreen::None);
    EXPECT_EQ(h.frontEnd.count("closeDeck"), 1);
    EXPECT_FALSE(h.program.drill.DrillActive);
    EXPECT_EQ(deck.SessionCorrect, 3);
    EXPECT_EQ(deck.Learning[1].RightTotal + deck.Learning[2].RightTotal + deck.Learning[3].RightTotal, 3);
}

TEST_F(DrillRunTest, GoToPairFromTheAnswerRecordsNoGrade) {
    makeDeck(5);
    drill.start();
    ASSERT_EQ(deck.CurrentPair, 1);
    drill.displayAnswer();
    h.ui.inputs.push_back(std::string("4"));
    drill.goToPair();
    EXPECT_EQ(deck.CurrentPair, 4);
    EXPECT_EQ(drill.question().memoText, "Question 4");
    for (int p = 1; p <= 5; ++p) {
        EXPECT_EQ(deck.Learning[static_cast<std::size_t>(p)].RightTotal, 0) << p;
        EXPECT_EQ(deck.Learning[static_cast<std::size_t>(p)].WrongTotal, 0) << p;
    }
    EXPECT_EQ(deck.Learning[4].AskedInRun, 0);
    EXPECT_EQ(deck.SessionCorrect + deck.SessionIncorrect, 0);
}

TEST_F(DrillRunTest, ResumingAFinishedRunAsksNothingAtTheFirstSelection) {
    makeDeck(3);
    settings.OnePass = 1;
    settings.Resume = 1;
    for (int p = 1; p <= 3; ++p) deck.Learning[static_cast<std::size_t>(p)].AskedInRun = 1;
    drill.start();
    EXPECT_TRUE(h.ui.boxes.empty());
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
    EXPECT_TRUE(deck.validPair(deck.CurrentPair));
}

TEST_F(DrillRunTest, QuestionOnlyWalksThePairsWithoutCounting) {
    makeDeck(3);
    settings.QOnly = 1;
    drill.start();
    drill.displayAnswer();
    drill.displayAnswer();
    EXPECT_EQ(deck.CurrentPair, 3);
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
    EXPECT_EQ(deck.SessionCorrect + deck.SessionIncorrect, 0);
    EXPECT_EQ(drill.question().status.total, "");
}

TEST_F(DrillRunTest, ListToggleThroughTheProgramsToggle) {
    makeDeck(3);
    settings.NoPriority = 2;
    drill.start();
    drill.displayAnswer();
    drill.togglePriorityList();
    EXPECT_EQ(deck.Learning[static_cast<std::size_t>(deck.CurrentPair)].ListFlags, 1);
    EXPECT_EQ(drill.answer().listCaption, "&Remove Pair From Priority List");
    EXPECT_EQ(drill.answer().status.pairNumberColours, (FieldColours{kRed, kWhite}));
}

}  // namespace
}  // namespace cardwise
