// The session ends (a signal, logout) while the deck is drilled and edited: everything is
// written and no box waits for a user who is not there.
#include "core/shell/session_end.h"

#include <gtest/gtest.h>

#include "core/drill/core_drill_engine.h"
#include "core/drill/run_control.h"
#include "core/editor/editor_controller.h"
#include "core/shell/deck_close.h"
#include "core/shell/deck_save.h"
#include "support/deck_harness.h"

namespace cardwise {
namespace {

using testing::crlf;
using testing::DeckHarness;

const std::string kDeck = crlf({"[Cardwise]", "Q1=one", "A1=uno", "Q2=two", "A2=dos", "Q3=three",
                                "A3=tres", "Q4=four", "A4=cuatro"});

class HiddenEditorWindow : public EditorWindow {
  public:
    void showEditor() override {}
    void hideEditor() override {}
    void showFindDialog() override {}
    void hideFindDialog() override {}
    void hidePictureViewer() override {}
    void showPicture(const std::string&) override {}
};

struct SessionEnd : ::testing::Test {
    DeckHarness h;
    Program& p = h.program;
    CoreDrillEngine engine;
    DrillController drill{p, engine};
    EditorController editor{p, drill};
    HiddenEditorWindow window;

    void SetUp() override {
        editor.setWindow(&window);
        h.frontEnd.onCall = [this](std::string_view call) {
            if (call == "RunDKSFile") drill.start();
            if (call == "closeDrillWindows") drill.hideWindows();
            if (call == "closeEditor") editor.deckClosing();
        };
        h.open(h.write("deck.DKS", kDeck));
        ASSERT_TRUE(p.shell.deckOpen);
    }
    // Pairs come in numerical order; the second grade falls within the save interval, so
    // it is left pending.
    void gradeTwoPairs() {
        drill.displayAnswer();
        drill.markCorrect();
        drill.displayAnswer();
        drill.markIncorrect();
        ASSERT_TRUE(savePending(p));
    }
    void editQuestion(std::int32_t pair, const std::string& question) {
        p.deck.CurrentPair = pair;
        editor.EditCurrentPairClick();
        EditorForm form = editor.view().form;
        form.QMemo = question;
        editor.formEdited(form);
    }
    // Right and wrong totals of a pair in the setup data file on disk.
    std::string totalsOnDisk(std::int32_t pair) const {
        const std::string setup = h.decks.read("deck.DKD");
        const std::string prefix = "\r\nQ&A" + std::to_string(pair) + "=";
        const std::size_t at = setup.find(prefix);
        return at == std::string::npos ? "" : setup.substr(at + prefix.size() + 10, 9);
    }
};

TEST_F(SessionEnd, WritesPendingGradesAndEveryEditWithoutAskingAnything) {
    gradeTwoPairs();
    editQuestion(3, "three, saved in the editor");
    editor.BBSaveClick();
    // Left in the editor unsaved: the close would ask whether to save it.
    editQuestion(4, "four, typed but not saved");

    SessionEndResult result = endSession(p);

    EXPECT_TRUE(result.saved);
    EXPECT_FALSE(p.shell.deckOpen);
    EXPECT_EQ(&p.ui(), &h.ui);  // later boxes reach the user again
    ASSERT_EQ(result.unshown.size(), 1u);
    EXPECT_EQ(result.unshown[0].caption, "Save Current Changes?");
    EXPECT_EQ(result.unshown[0].answer, Button::Yes);
    EXPECT_EQ(totalsOnDisk(1), "    1 0 0");
    EXPECT_EQ(totalsOnDisk(2), "    0 1 1");
    const std::string qa = h.decks.read("deck.DKS");
    EXPECT_NE(qa.find("Q3=three, saved in the editor\r\n"), std::string::npos) << qa;
    EXPECT_NE(qa.find("Q4=four, typed but not saved\r\n"), std::string::npos) << qa;
    h.ui.checkAllShown();
}

TEST_F(SessionEnd, AnEditTheEditorRefusesIsDroppedSilentlyAndTheRestIsWritten) {
    gradeTwoPairs();
    editQuestion(3, "three $#$! four");

    SessionEndResult result = endSession(p);

    EXPECT_TRUE(result.saved);
    ASSERT_EQ(result.unshown.size(), 2u);
    EXPECT_EQ(result.unshown[1].caption, "Character Not Allowed");
    EXPECT_EQ(totalsOnDisk(2), "    0 1 1");
    EXPECT_NE(h.decks.read("deck.DKS").find("Q3=three\r\n"), std::string::npos);
    h.ui.checkAllShown();
}

TEST_F(SessionEnd, AFailedWriteIsReportedInTheResultAndLeavesTheFilesAsTheyWere) {
    gradeTwoPairs();
    const std::string before = h.decks.read("deck.DKD");
    h.files.failWrites = true;

    SessionEndResult result = endSession(p);

    EXPECT_FALSE(result.saved);
    ASSERT_FALSE(result.unshown.empty());
    EXPECT_EQ(h.decks.read("deck.DKD"), before);
    EXPECT_EQ(&p.ui(), &h.ui);
    h.ui.checkAllShown();
}

TEST_F(SessionEnd, WithNoDeckOpenNothingIsWrittenOrAsked) {
    ASSERT_TRUE(FileExitQAClick(p));
    const std::string before = h.decks.read("deck.DKD");
    h.files.failWrites = true;  // any write would fail the result
    EXPECT_TRUE(endSession(p).saved);
    EXPECT_EQ(h.decks.read("deck.DKD"), before);
    h.ui.checkAllShown();
}

TEST(UnattendedAnswer, KeepsTheUsersEditAndStartsNothingNew) {
    struct Row {
        const char* name;
        const char* caption;
        Buttons buttons;
        Button answer;
    };
    const Row rows[] = {
        {"save the pair, on a deck close", "Save Current Changes?", Buttons::YesNo, Button::Yes},
        {"save the pair, on the editor's close", "Save Current Changes?", Buttons::YesNoCancel,
         Button::Yes},
        // Saving would drop the faulty tags' content, which the user never agreed to.
        {"pair with markup faults", "Save Pair With Markup Faults?", Buttons::YesNo, Button::No},
        // OK would open the deck in the text editor.
        {"question syntax error", "Question Syntax Error", Buttons::OkCancel, Button::Cancel},
        {"replace an existing file", "Replace Existing File?", Buttons::YesNoCancel,
         Button::Cancel},
        {"a report", "Pair Too Large", Buttons::Ok, Button::Ok},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(unattendedAnswer(row.caption, "", row.buttons), row.answer);
    }
}

}  // namespace
}  // namespace cardwise
