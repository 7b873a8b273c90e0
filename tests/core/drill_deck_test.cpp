// The drill on a deck opened from disk, with the program's deck commands.
#include <gtest/gtest.h>

#include "core/deck/notepad_edit.h"
#include "core/drill/core_drill_engine.h"
#include "core/drill/question_view.h"
#include "core/drill/run_control.h"
#include "core/shell/deck_close.h"
#include "core/shell/deck_loader.h"
#include "support/deck_harness.h"

namespace cardwise {
namespace {

using testing::crlf;

struct DrillDeckTest : ::testing::Test {
    testing::DeckHarness h;
    CoreDrillEngine engine;
    DrillController drill{h.program, engine};

    // The windows as a front end wires them: the drill runs the deck and hands its deck
    // commands to the main window's.
    DrillDeckTest() {
        h.frontEnd.onCall = [this](std::string_view call) {
            if (call == "RunDKSFile") drill.start();
            if (call == "closeDrillWindows") drill.hideWindows();
            if (call == "closeDeck") FileExitQAClick(h.program);
            if (call == "editQAFile") EditFileClick(h.program);
        };
    }
};

TEST_F(DrillDeckTest, DecliningAnotherRunClosesAndSavesTheDeck) {
    const std::string path = h.write("verbs.DKS", testing::threePairDeck());
    h.open(path);
    ASSERT_EQ(drill.screen(), DrillScreen::Question);
    EXPECT_EQ(drill.question().memoText, "one");
    EXPECT_EQ(drill.question().caption,
              "Question - Ask All Questions Equally Often Mode - verbs.DKS");
    h.program.settings.OnePass = 1;
    for (int i = 0; i < 3; ++i) {
        drill.displayAnswer();
        if (i == 2) {
            h.ui.expectBox(testing::continuationBox("verbs.DKS"), Button::No);
        }
        drill.markCorrect();
    }
    EXPECT_EQ(drill.screen(), DrillScreen::None);
    EXPECT_FALSE(h.program.shell.deckOpen);
    EXPECT_FALSE(h.program.drill.DrillActive);
    const std::string setup = h.decks.read("verbs.DKD");
    EXPECT_NE(setup.find("OnePass"), std::string::npos);
    EXPECT_NE(setup.find("Q&A3="), std::string::npos);
}

TEST_F(DrillDeckTest, ClosingTheQuestionWindowClosesTheDeck) {
    const std::string path = h.write("verbs.DKS", testing::threePairDeck());
    h.open(path);
    drill.windowGeometryChanged(Rect{44, 55, 640, 400});
    EXPECT_TRUE(drill.closeWindow());
    EXPECT_FALSE(h.program.shell.deckOpen);
    const std::string setup = h.decks.read("verbs.DKD");
    const std::size_t key = setup.find("QLeft=");
    ASSERT_NE(key, std::string::npos);
    EXPECT_EQ(std::stoi(setup.substr(key + 6, 6)), 44);
}

TEST_F(DrillDeckTest, SyntaxErrorOkOpensTheDeckInTheTextEditor) {
    const std::string path = h.write("bad.DKS", crlf({"[Cardwise]", "Q1=<XYZ>x%one", "A1=uno",
                                                      "Q2=two", "A2=dos", "Q3=three", "A3=tres"}));
    h.ui.expectBox(testing::unknownTagBox("Q", 1));
    h.ui.expectBox(
        {"Question Syntax Error", questionSyntaxErrorText(1), Icon::Error, Buttons::OkCancel});
    h.ui.expectBox(
        {"Question Syntax Error", "Open NotePad To Fix Problem", Icon::Error, Buttons::OkCancel});
    h.ui.expectBox(testing::editorWarningBox());
    h.open(path);
    EXPECT_EQ(h.editor.opened, (std::vector<std::string>{path}));
    EXPECT_EQ(drill.screen(), DrillScreen::Question);
}

}  // namespace
}  // namespace cardwise
