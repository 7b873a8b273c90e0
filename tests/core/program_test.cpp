// The Program over a front end that has none of the optional services or windows.
#include "core/program.h"

#include <gtest/gtest.h>

#include <type_traits>

#include "core/deck/notepad_edit.h"
#include "core/shell/clipboard_text.h"
#include "core/shell/deck_close.h"
#include "core/shell/deck_loader.h"
#include "support/deck_harness.h"

namespace cardwise {
namespace {

using testing::crlf;

static_assert(!std::is_copy_constructible_v<Program>);
static_assert(!std::is_copy_assignable_v<Program>);
static_assert(!std::is_move_constructible_v<Program>);
static_assert(!std::is_move_assignable_v<Program>);

struct BareProgram : ::testing::Test {
    testing::ScriptedUserInterface ui;
    testing::FixedClock clock;
    testing::SeededRandom random;
    LocalFileSystem files;
    AbsentServices absent;
    testing::TempDir decks;
    Program program{absent.platform(ui, clock, random, files)};

    void open(const std::string& name) {
        program.deck.QAFileName = decks.file(name);
        InitDKSFile(program);
    }
};

TEST_F(BareProgram, DeckOpensCopiesAndClosesWithNoWindowsAttached) {
    decks.write("deck.DKS", testing::threePairDeck());
    open("deck.DKS");
    ASSERT_TRUE(program.shell.deckOpen);
    EXPECT_TRUE(program.drill.DrillActive);
    program.deck.CurrentPair = 2;
    EditCopyBothClick(program);
    program.deck.EditorUsed = true;
    EXPECT_TRUE(FileExitQAClick(program));
    EXPECT_FALSE(program.shell.deckOpen);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(decks.exists("deck.DKD"));
}

TEST_F(BareProgram, FaultyDeckSaysThatNoTextEditorIsAvailable) {
    decks.write("bad.DKS", crlf({"[Cardwise]", "Q1=one", "A1=uno", "Q2=two",
                                 "A2=" + std::string(2100 - 4 - 6 - 3, 'x')}));
    ui.expectBox(testing::overlongPairBox(2));
    ui.expectBox(testing::qaFileErrorBox(decks.file("bad.DKS")));
    ui.expectBox(testing::editorWarningBox());
    ui.expectBox({"Text Editor Error",
                  "Cardwise Could Not Start A Text Editor On " + decks.file("bad.DKS") +
                      " (No text editor is available).  Set VISUAL Or EDITOR To The Editor You "
                      "Want To Use.",
                  Icon::Error, Buttons::Ok});
    open("bad.DKS");
    EXPECT_FALSE(program.NotePadOpen);
}

TEST_F(BareProgram, HandOversGoToTheFrontEndAttachedLast) {
    testing::RecordingFrontEnd first;
    testing::RecordingFrontEnd second;
    program.attachFrontEnd(first);
    decks.write("deck.DKS", testing::threePairDeck());
    open("deck.DKS");
    program.attachFrontEnd(second);
    program.deck.EditorUsed = true;
    ASSERT_TRUE(FileExitQAClick(program));
    EXPECT_EQ(first.calls, std::vector<std::string>{"RunDKSFile"});
    EXPECT_EQ(second.calls, (std::vector<std::string>{"closeEditor", "closeDrillWindows"}));
}

}  // namespace
}  // namespace cardwise
