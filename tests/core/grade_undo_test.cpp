// Taking back the last grade through the drill controller, over the program's own selector
// and grading.
#include "core/drill/grade_undo.h"

#include <gtest/gtest.h>

#include "core/drill/core_drill_engine.h"
#include "core/drill/run_control.h"
#include "drill_test_support.h"

namespace cardwise {
namespace {

const testing::ShownBox kNothingToUndoBox{std::string(kUndoGradeCaption),
                                          std::string(kNothingToUndoText), Icon::Information,
                                          Buttons::Ok};

// A drill over an in-memory deck of standard pairs "Question n" / "Answer n".
struct UndoSession {
    testing::ProgramHarness h;
    CoreDrillEngine engine;
    DrillController drill{h.program, engine};
    DeckState& deck = h.program.deck;
    DeckSettings& settings = h.program.settings;

    explicit UndoSession(int pairs) {
        testing::makeStandardDeck(deck, pairs);
        for (int n = 1; n <= pairs; ++n) deck.Learning.at(static_cast<std::size_t>(n)).LastDate = 20261201;
    }

    // The same random draws for whichever selection comes next.
    void scriptDraws() { h.random.scripted.assign(64, 0.37); }

    void answer(bool correct) {
        ASSERT_EQ(drill.screen(), DrillScreen::Question);
        drill.displayAnswer();
        if (correct)
            drill.markCorrect();
        else
            drill.markIncorrect();
    }
};

void setMode(UndoSession& s, int mode) {
    s.settings.NoPriority = mode;
    s.settings.PromoMessage = 2;
    switch (mode) {
        case 2:
            s.deck.Learning.at(2).ListFlags = kOnListFlag;
            s.deck.Learning.at(5).ListFlags = kOnListFlag;
            break;
        case 3:
            s.settings.UseNamedRange = 2;
            s.settings.LowRange = 2;
            s.settings.HighRange = 4;
            break;
        case 4:
            s.deck.Learning.at(3).LearnStatus = ShortTerm;
            s.deck.Learning.at(6).LearnStatus = LongTerm;
            // Every pair is one correct answer away from a promotion.
            for (int n = 1; n <= 6; ++n) s.deck.Learning.at(static_cast<std::size_t>(n)).RightToday = 1;
            s.settings.ShortThreshold = 2;
            break;
        default:
            break;
    }
}

TEST(GradeUndo, PutsBackEveryFieldAndTheNextSelectionInEachModeAfterEitherGrade) {
    for (int mode = 1; mode <= 4; ++mode) {
        for (bool correct : {true, false}) {
            SCOPED_TRACE("mode " + std::to_string(mode) + (correct ? " correct" : " incorrect"));
            UndoSession s(6);
            setMode(s, mode);
            s.drill.start();
            // One grade first, so that the session counts are not all zero.
            s.answer(true);
            ASSERT_EQ(s.drill.screen(), DrillScreen::Question);

            const std::int32_t graded = s.deck.CurrentPair;
            s.drill.displayAnswer();
            const GradeSnapshot before = takeGradeSnapshot(s.h.program);
            s.scriptDraws();
            if (correct)
                s.drill.markCorrect();
            else
                s.drill.markIncorrect();
            const std::int32_t next = s.deck.CurrentPair;
            const GradeSnapshot after = takeGradeSnapshot(s.h.program);
            ASSERT_NE(after, before) << "the grade changed nothing";

            s.drill.undoLastGrade();
            EXPECT_EQ(s.drill.screen(), DrillScreen::Question);
            EXPECT_EQ(s.deck.CurrentPair, graded);
            EXPECT_EQ(takeGradeSnapshot(s.h.program), before);
            EXPECT_EQ(s.drill.question().status.total, "1");

            // Graded again alike, the drill goes on exactly as it did the first time.
            s.scriptDraws();
            s.answer(correct);
            EXPECT_EQ(s.deck.CurrentPair, next);
            EXPECT_EQ(takeGradeSnapshot(s.h.program), after);
        }
    }
}

TEST(GradeUndo, TakesBackAPromotionWithoutAMessage) {
    UndoSession s(4);
    s.settings.NoPriority = 4;
    s.settings.ShortThreshold = 2;
    s.drill.start();
    const std::int32_t pair = s.deck.CurrentPair;
    const auto p = static_cast<std::size_t>(pair);
    s.deck.Learning.at(p).RightToday = 1;
    s.answer(true);
    ASSERT_EQ(s.deck.Learning.at(p).LearnStatus, ShortTerm);
    ASSERT_EQ(s.deck.Learning.at(p).AskedInRun, 0) << "a promoted pair is a candidate again";
    ASSERT_EQ(s.h.ui.promotions.size(), 1u);

    s.drill.undoLastGrade();
    EXPECT_EQ(s.deck.CurrentPair, pair);
    EXPECT_EQ(s.deck.Learning.at(p).LearnStatus, Unlearned);
    EXPECT_EQ(s.deck.Learning.at(p).RightToday, 1);
    EXPECT_EQ(s.deck.Learning.at(p).RightTotal, 0);
    EXPECT_EQ(s.deck.Learning.at(p).LastDate, 20261201);
    EXPECT_EQ(s.deck.Learning.at(p).AskedInRun, 1);
    EXPECT_EQ(s.deck.SessionCorrect, 0);
    EXPECT_EQ(s.h.ui.promotions.size(), 1u);
}

TEST(GradeUndo, TakesBackTheEndOfAOnePassRun) {
    UndoSession s(3);
    s.settings.OnePass = 1;
    s.drill.start();
    s.answer(true);
    s.answer(false);
    ASSERT_EQ(s.deck.CurrentPair, 3);
    s.h.ui.expectBox(testing::continuationBox("GEO.DKS"), Button::Yes);
    s.answer(true);
    ASSERT_EQ(s.deck.CurrentPair, 1) << "a new run began";
    ASSERT_EQ(s.deck.Learning.at(2).AskedInRun + s.deck.Learning.at(3).AskedInRun, 0);

    s.drill.undoLastGrade();
    EXPECT_EQ(s.deck.CurrentPair, 3);
    for (std::size_t n = 1; n <= 3; ++n) EXPECT_EQ(s.deck.Learning.at(n).AskedInRun, 1) << n;
    EXPECT_EQ(s.deck.Learning.at(3).RightTotal, 0);
    EXPECT_EQ(s.deck.SessionCorrect, 1);
    EXPECT_EQ(s.deck.SessionIncorrect, 1);
    EXPECT_EQ(s.drill.question().status.left, "0");

    // Graded again, the run ends again with the same question; this time the user stops.
    s.h.ui.expectBox(testing::continuationBox("GEO.DKS"), Button::No);
    s.answer(true);
    EXPECT_EQ(s.drill.screen(), DrillScreen::None);
    EXPECT_EQ(s.h.frontEnd.count("closeDeck"), 1);
    s.h.ui.expectBox(kNothingToUndoBox);
    s.drill.undoLastGrade();
}

TEST(GradeUndo, OnlyTheLastGradeAndOnlyWhileItsNextQuestionIsShown) {
    UndoSession s(5);
    s.drill.start();
    // Before any grade.
    s.h.ui.expectBox(kNothingToUndoBox);
    s.drill.undoLastGrade();

    s.answer(true);
    s.answer(true);
    s.drill.undoLastGrade();
    EXPECT_EQ(s.deck.CurrentPair, 2);
    EXPECT_EQ(s.deck.Learning.at(1).RightTotal, 1) << "the grade before stands";
    EXPECT_EQ(s.deck.Learning.at(2).RightTotal, 0);
    // One level only.
    s.h.ui.expectBox(kNothingToUndoBox);
    s.drill.undoLastGrade();
    EXPECT_EQ(s.deck.CurrentPair, 2);

    // Once the question after the grade is left, the grade stands.
    s.answer(false);
    s.drill.displayAnswer();
    s.h.ui.expectBox(kNothingToUndoBox);
    s.drill.undoLastGrade();
    EXPECT_EQ(s.drill.screen(), DrillScreen::Answer);

    // Trying a question again grades nothing, so nothing is undone either.
    s.drill.tryAgain();
    s.h.ui.expectBox(kNothingToUndoBox);
    s.drill.undoLastGrade();
    EXPECT_EQ(s.deck.Learning.at(2).WrongTotal, 1);

    // A dialog or a reset of the status bar in between ends the chance too.
    s.answer(true);
    s.drill.redisplay();
    s.h.ui.expectBox(kNothingToUndoBox);
    s.drill.undoLastGrade();
    s.answer(true);
    s.drill.resetStatusBar();
    s.h.ui.expectBox(kNothingToUndoBox);
    s.drill.undoLastGrade();
    EXPECT_EQ(s.deck.Learning.at(3).RightTotal + s.deck.Learning.at(4).RightTotal, 2);
}

}  // namespace
}  // namespace cardwise
