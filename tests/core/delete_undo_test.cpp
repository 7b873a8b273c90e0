// Putting back a deleted pair with Ctrl+Z: the editor deletes (from its window or the main
// menu) and reloads the deck as it always does, and the drill controller's undo restores the
// pair into the reloaded deck. The decks live on disk, so the tests also read what the save
// path wrote.
#include "core/drill/delete_undo.h"

#include <gtest/gtest.h>

#include "core/drill/core_drill_engine.h"
#include "core/drill/grade_undo.h"
#include "core/drill/run_control.h"
#include "core/editor/editor_controller.h"
#include "core/shell/deck_close.h"
#include "core/shell/deck_save.h"
#include "support/deck_harness.h"

namespace cardwise {
namespace {

using testing::ShownBox;

const ShownBox kNothingToUndo{
    "Undo Last Grade",
    "There Is No Grade To Undo.  Only The Last Grade Can Be Taken Back, And Only While The "
    "Question After It Is Shown.",
    Icon::Information, Buttons::Ok};

// Five pairs; pair 4 has the category Geo.
const std::string kDeck =
    "[Cardwise]\r\n"
    "Q1=one\r\nA1=uno\r\n"
    "Q2=two\r\nA2=dos\r\n"
    "Q3=three\r\nA3=tres\r\n"
    "Q4=<NAM>Geo%four\r\nA4=cuatro\r\n"
    "Q5=five\r\nA5=cinco\r\n";

// What a pair is, apart from its number: the fields a save keeps.
struct PairState {
    std::string text;  // without the "Q<n>=" and "A<n>=" numbering
    std::string category;
    PairLearning learning;
    bool operator==(const PairState&) const = default;
};

std::string unnumbered(std::string_view text) {
    const std::size_t separator = text.find(kPairSeparator);
    const std::size_t q = text.find('=');
    const std::size_t a = text.find('=', separator);
    return std::string(text.substr(q + 1, separator - q - 1)) + "|" +
           std::string(text.substr(a + 1));
}

std::vector<PairState> pairsOf(const DeckState& deck) {
    std::vector<PairState> pairs;
    for (std::int32_t n = 1; n <= deck.PairCount; ++n) {
        PairLearning learning = deck.learningOf(n);
        learning.AskedInRun = 0;  // a place in the run, not a property of the pair
        pairs.push_back({unnumbered(deck.currentText(n)),
                         deck.CategoryName.at(static_cast<std::size_t>(n - 1)), learning});
    }
    return pairs;
}

struct Session {
    testing::DeckHarness h;
    Program& p = h.program;
    CoreDrillEngine engine;
    DrillController drill{p, engine};
    EditorController editor{p, drill};
    std::string path;

    Session() {
        h.frontEnd.onCloseEditor = [this] { return editor.deckClosing(); };
        h.frontEnd.onCall = [this](std::string_view call) {
            if (call == "RunDKSFile") drill.start();
            if (call == "closeDrillWindows") drill.hideWindows();
        };
    }

    // Opens the deck with a learning record of its own for every pair, written to disk.
    void open() {
        path = h.write("deck.DKS", kDeck);
        h.open(path);
        ASSERT_TRUE(p.shell.deckOpen);
        for (std::int32_t n = 1; n <= p.deck.PairCount; ++n) {
            PairLearning& l = p.deck.Learning.at(static_cast<std::size_t>(n));
            l.LastDate = 20261200 + n;
            l.RightTotal = 10 * n;
            l.WrongTotal = n;
            l.LearnStatus = n % 3;
        }
        p.document.markChanged();
        ASSERT_EQ(saveIfChanged(p), SaveOutcome::Saved);
    }

    // Closes the deck through the close command and opens it again from disk.
    void reopen() {
        ASSERT_TRUE(FileExitQAClick(p));
        h.open(path);
        ASSERT_TRUE(p.shell.deckOpen);
    }

    // As the question window takes it: the pair on show is `n`.
    void showPair(std::int32_t n) {
        p.deck.CurrentPair = n;
        drill.redisplay();
        ASSERT_EQ(drill.screen(), DrillScreen::Question);
    }

    void deleteFromMain(std::int32_t n) {
        showPair(n);
        editor.DeleteCurrentPairClick();
        ASSERT_EQ(drill.screen(), DrillScreen::Question);
    }

    // In the editor's window, which then closes and gives the question window back.
    void deleteInEditor(std::int32_t n) {
        showPair(n);
        editor.EditCurrentPairClick();
        editor.BBDeletePairClick();
        ASSERT_TRUE(editor.shown());
        ASSERT_TRUE(editor.BBCloseClick());
        ASSERT_EQ(drill.screen(), DrillScreen::Question);
    }

    void saveInEditor(std::int32_t n, const std::string& question) {
        p.deck.CurrentPair = n;
        editor.EditCurrentPairClick();
        EditorForm form = editor.view().form;
        form.QMemo = question;
        editor.formEdited(form);
        editor.BBSaveClick();
        ASSERT_TRUE(editor.BBCloseClick());
    }
};

struct RestoreRow {
    const char* name;
    std::int32_t pair;
    bool inEditor;
    std::function<void(Session&)> prepare;
};

TEST(DeleteUndo, UndoPutsThePairBackWhereItWasWithEverythingThatMadeItAndTheSaveKeepsIt) {
    const RestoreRow rows[] = {
        {"first pair", 1, false, {}},
        {"middle pair", 3, false, {}},
        {"last pair, from the editor", 5, true, {}},
        {"a pair with a category", 4, false, {}},
        {"a pair on the priority list", 2, true,
         [](Session& t) { t.p.deck.Learning.at(2).ListFlags = kOnListFlag; }},
        {"a disabled pair on the list", 3, false,
         [](Session& t) { t.p.deck.Learning.at(3).ListFlags = kOnListFlag | kDisabledFlag; }},
        {"a pair whose edit waits in the editor's store", 2, false,
         [](Session& t) {
             t.saveInEditor(2, "two, edited");
             ASSERT_EQ(t.p.deck.EditSlotsUsed, 1);
         }},
        {"the last pair of a range that reached it", 5, false,
         [](Session& t) {
             t.p.settings.LowRange = 2;
             t.p.settings.HighRange = 5;
         }},
    };
    for (const RestoreRow& row : rows) {
        SCOPED_TRACE(row.name);
        Session t;
        t.open();
        if (row.prepare) row.prepare(t);
        t.p.document.markChanged();
        const std::vector<PairState> before = pairsOf(t.p.deck);
        const std::int32_t low = t.p.settings.LowRange;
        const std::int32_t high = t.p.settings.HighRange;

        if (row.inEditor)
            t.deleteInEditor(row.pair);
        else
            t.deleteFromMain(row.pair);
        ASSERT_EQ(t.p.deck.PairCount, 4);
        ASSERT_EQ(t.h.decks.read("deck.DKS").find("\r\nQ5="), std::string::npos);
        EXPECT_EQ(t.drill.undoCaption(), "&Undo Delete Pair");

        t.drill.undo();
        t.h.ui.checkAllShown();
        EXPECT_EQ(t.drill.screen(), DrillScreen::Question);
        EXPECT_EQ(t.p.deck.CurrentPair, row.pair);
        EXPECT_EQ(pairsOf(t.p.deck), before);
        EXPECT_EQ(t.p.settings.LowRange, low);
        EXPECT_EQ(t.p.settings.HighRange, high);
        // The save path writes both files, the five pairs on disk again.
        ASSERT_NE(saveIfChanged(t.p), SaveOutcome::Failed);
        EXPECT_NE(t.h.decks.read("deck.DKS").find("\r\nQ5="), std::string::npos);
        EXPECT_EQ(t.drill.undoCaption(), "&Undo Last Grade");

        t.reopen();
        EXPECT_EQ(pairsOf(t.p.deck), before) << "after the deck was written and read again";
    }
}

TEST(DeleteUndo, TheQuestionWindowShowsTheRestoredPair) {
    Session s;
    s.open();
    s.deleteFromMain(4);
    ASSERT_EQ(s.drill.question().memoText, "five");
    s.drill.undo();
    EXPECT_EQ(s.drill.question().memoText, "four");
    EXPECT_EQ(s.drill.question().status.category, "Geo");
}

TEST(DeleteUndo, OnlyTheLatestDeleteComesBackAndOnlyOnce) {
    Session s;
    s.open();
    s.deleteFromMain(2);  // "three" becomes pair 2
    s.deleteFromMain(2);
    s.drill.undo();
    EXPECT_EQ(s.p.deck.PairCount, 4);
    EXPECT_EQ(unnumbered(s.p.deck.currentText(2)), "three|tres");
    EXPECT_EQ(unnumbered(s.p.deck.currentText(3)), "<NAM>Geo%four|cuatro");
    s.h.ui.expectBox(kNothingToUndo);
    s.drill.undo();
    EXPECT_EQ(s.p.deck.PairCount, 4);
}

TEST(DeleteUndo, TheLaterOfAGradeAndADeleteIsTakenBackAndTheOtherForgotten) {
    Session s;
    s.open();
    // Grade, then delete: the delete comes back, the grade stands.
    s.showPair(1);
    s.drill.displayAnswer();
    s.drill.markCorrect();
    ASSERT_TRUE(s.drill.gradeUndoable());
    const PairLearning graded = s.p.deck.learningOf(1);
    s.deleteFromMain(3);
    s.drill.undo();
    EXPECT_EQ(s.p.deck.PairCount, 5);
    EXPECT_EQ(s.p.deck.learningOf(1).RightTotal, graded.RightTotal);
    s.h.ui.expectBox(kNothingToUndo);
    s.drill.undo();

    // Delete, then grade: the grade is taken back, the pair stays deleted.
    s.deleteFromMain(3);
    const std::int32_t asked = s.p.deck.CurrentPair;
    const PairLearning ungraded = s.p.deck.learningOf(asked);
    s.drill.displayAnswer();
    s.drill.markCorrect();
    EXPECT_EQ(s.drill.undoCaption(), "&Undo Last Grade");
    s.drill.undo();
    EXPECT_EQ(s.p.deck.CurrentPair, asked);
    EXPECT_EQ(s.p.deck.learningOf(asked).RightTotal, ungraded.RightTotal);
    EXPECT_EQ(s.p.deck.PairCount, 4);
    s.h.ui.expectBox(kNothingToUndo);
    s.drill.undo();
    EXPECT_EQ(s.p.deck.PairCount, 4);
}

struct RefusalRow {
    const char* name;
    std::function<void(Session&)> change;
};

// Whatever changes the pairs or their texts after the delete, or opens or closes the deck,
// would let the pair go back into a deck of another shape.
TEST(DeleteUndo, AnyOtherChangeOfThePairsForgetsTheDelete) {
    const RefusalRow rows[] = {
        {"an edit saved in the editor", [](Session& t) { t.saveInEditor(1, "one, edited"); }},
        {"an insert",
         [](Session& t) {
             t.p.deck.CurrentPair = 1;
             t.editor.InsertNewPairClick();
             ASSERT_TRUE(t.editor.BBCloseClick());
         }},
        {"the deck closed and opened again", [](Session& t) { t.reopen(); }},
        {"the editor still shown", [](Session& t) { t.editor.EditCurrentPairClick(); }},
    };
    for (const RefusalRow& row : rows) {
        SCOPED_TRACE(row.name);
        Session t;
        t.open();
        t.deleteFromMain(2);
        row.change(t);
        const std::vector<PairState> before = pairsOf(t.p.deck);
        t.h.ui.expectBox(kNothingToUndo);
        t.drill.undo();
        t.h.ui.checkAllShown();
        EXPECT_EQ(pairsOf(t.p.deck), before);
    }
}

TEST(DeleteUndo, LearningChangesOfOtherPairsKeepTheUndoAndMoveWithTheirPairs) {
    Session s;
    s.open();
    s.deleteFromMain(2);
    // "four" is pair 3 now; put it on the priority list.
    s.p.deck.Learning.at(3).ListFlags = kOnListFlag;
    s.p.document.markChanged();
    s.drill.undo();
    EXPECT_EQ(s.p.deck.PairCount, 5);
    EXPECT_EQ(unnumbered(s.p.deck.currentText(4)), "<NAM>Geo%four|cuatro");
    EXPECT_EQ(s.p.deck.learningOf(4).ListFlags, kOnListFlag);
    EXPECT_EQ(s.p.deck.learningOf(3).ListFlags, 0);
}

}  // namespace
}  // namespace cardwise
