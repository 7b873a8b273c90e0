#include "core/editor/editor_navigation.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "core/drill/core_drill_engine.h"
#include "core/drill/run_control.h"
#include "core/editor/editor_controller.h"
#include "core/shell/deck_close.h"
#include "support/deck_harness.h"

namespace cardwise {
namespace {

using testing::ShownBox;

const std::string kDeck =
    testing::crlf({"[Cardwise]", "Q1=one", "A1=uno", "Q2=two", "A2=dos", "Q3=three", "A3=tres"});

// A window that forwards its show and hide as the Qt window does, and whose event loop
// turns after every command.
class ForwardingWindow : public EditorWindow {
  public:
    explicit ForwardingWindow(EditorController& editor) : editor_(editor) {}
    bool onScreen = false;
    int hides = 0;
    void showEditor() override {
        editor_.windowShown();
        onScreen = true;
    }
    void hideEditor() override { settleDue_ = editor_.windowHideRequested(onScreen) || settleDue_; }
    void showFindDialog() override {}
    void hideFindDialog() override {}
    void hidePictureViewer() override {}
    void showPicture(const std::string&) override {}
    void turnLoop() {
        if (!std::exchange(settleDue_, false) || !editor_.settleWindow()) return;
        onScreen = false;
        ++hides;
    }

  private:
    EditorController& editor_;
    bool settleDue_ = false;
};

// The editor on a three-pair deck, showing pair 2.
struct Bench {
    testing::DeckHarness h;
    Program& p = h.program;
    CoreDrillEngine engine;
    DrillController drill{p, engine};
    EditorController editor{p, drill};
    ForwardingWindow window{editor};

    Bench() {
        editor.setWindow(&window);
        h.frontEnd.onCloseEditor = [this] { return editor.deckClosing(); };
        h.frontEnd.onCall = [this](std::string_view call) {
            if (call == "RunDKSFile") drill.start();
            if (call == "returnToEditor") editor.returnFromRun();
        };
        h.open(h.write("deck.DKS", kDeck));
        p.deck.CurrentPair = 2;
        editor.EditCurrentPairClick();
    }
    void edit(const std::function<void(EditorForm&)>& change) {
        EditorForm form = editor.view().form;
        change(form);
        editor.formEdited(form);
    }
};

TEST(EditorNavigation, EveryWayOffAPairGoesOnOnlyWhenItsEditsWereSavedOrLetGo) {
    struct Outcome {
        const char* name;
        Button answer;
        bool refusedBySave;  // the edit holds a character the markup cannot
        bool goesOn;
        bool stored;
    };
    const Outcome outcomes[] = {
        {"Saved", Button::Yes, false, true, true},
        {"Discarded", Button::No, false, true, false},
        {"Cancelled", Button::Cancel, false, false, false},
        {"Refused", Button::Yes, true, false, false},
    };
    struct Caller {
        const char* name;
        bool offersCancel;
        std::function<void(Bench&)> call;
        std::function<bool(Bench&)> wentOn;
    };
    const Caller callers[] = {
        {"next", false, [](Bench& b) { b.editor.BBUpClick(); },
         [](Bench& b) { return b.p.deck.CurrentPair == 3; }},
        {"previous", false, [](Bench& b) { b.editor.BBDownClick(); },
         [](Bench& b) { return b.p.deck.CurrentPair == 1; }},
        {"go to", false, [](Bench& b) { b.editor.BBGoToPairClick("3"); },
         [](Bench& b) { return b.p.deck.CurrentPair == 3; }},
        {"find", false,
         [](Bench& b) {
             b.editor.findClick(FindState{"three", FindDirection::Up}, FindButton::Find);
         },
         [](Bench& b) { return b.p.deck.CurrentPair == 3; }},
        {"insert", false, [](Bench& b) { b.editor.BBAddPairClick(); },
         [](Bench& b) { return b.p.editor.AddingPair && b.p.deck.CurrentPair == 3; }},
        {"edit current pair", false, [](Bench& b) { b.editor.EditCurrentPairClick(); },
         [](Bench& b) { return !b.p.editor.PairDirty; }},
        {"close", true,
         [](Bench& b) {
             const bool closed = b.editor.BBCloseClick();
             EXPECT_EQ(closed, !b.editor.shown());
         },
         [](Bench& b) { return !b.editor.shown(); }},
        {"close the deck", false,
         [](Bench& b) {
             const bool closed = FileExitQAClick(b.p);
             EXPECT_EQ(closed, !b.p.shell.deckOpen);
         },
         [](Bench& b) { return !b.p.shell.deckOpen; }},
    };
    for (const Outcome& outcome : outcomes) {
        for (const Caller& caller : callers) {
            SCOPED_TRACE(std::string(outcome.name) + " / " + caller.name);
            auto b = std::make_unique<Bench>();
            b->edit([&](EditorForm& f) {
                f.QMemo = "kept";
                if (outcome.refusedBySave) f.EH[0] = "50% off";
            });
            b->h.ui.expectBox(
                {"Save Current Changes?", "Save Changes To Current Pair?", Icon::Information,
                 caller.offersCancel ? Buttons::YesNoCancel : Buttons::YesNo},
                outcome.answer);
            if (outcome.refusedBySave) {
                b->h.ui.expectBoxWhere("Character Not Allowed", Icon::Warning, Buttons::Ok,
                                       [](const std::string&) { return true; });
            }
            caller.call(*b);
            b->h.ui.checkAllShown();
            EXPECT_EQ(caller.wentOn(*b), outcome.goesOn);
            if (!outcome.goesOn) {
                EXPECT_TRUE(b->editor.shown());
                EXPECT_TRUE(b->p.shell.deckOpen);
                EXPECT_EQ(b->p.deck.CurrentPair, 2);
                EXPECT_TRUE(b->p.editor.PairDirty);
                EXPECT_EQ(b->editor.view().form.QMemo, "kept");
            }
            const std::string text = b->p.shell.deckOpen ? std::string(b->p.deck.currentText(2))
                                                         : b->h.decks.read("deck.DKS");
            EXPECT_EQ(text.find("kept") != std::string::npos, outcome.stored) << text;
        }
    }
}

TEST(EditorNavigation, GoToPairGoesToTheEditorOnlyWhileTheEditorShows) {
    Bench b;
    EXPECT_EQ(b.editor.goToPairRoute(), GoToPairRoute::Editor);
    b.editor.BBRunPairClick();
    EXPECT_EQ(b.editor.goToPairRoute(), GoToPairRoute::Drill) << "the single-pair run";
    b.editor.returnFromRun();
    EXPECT_EQ(b.editor.goToPairRoute(), GoToPairRoute::Editor);
    ASSERT_TRUE(b.editor.BBCloseClick());
    EXPECT_EQ(b.editor.goToPairRoute(), GoToPairRoute::Drill);
    b.editor.OpenInEditorClick();
    ASSERT_TRUE(FileExitQAClick(b.p));
    EXPECT_EQ(b.editor.goToPairRoute(), GoToPairRoute::Drill) << "the deck closed";
}

TEST(EditorNavigation, AMoveKeepsTheWindowOnScreenAndACloseHidesItOnce) {
    Bench b;
    b.window.turnLoop();
    for (auto move : {&EditorController::BBUpClick, &EditorController::BBDownClick}) {
        (b.editor.*move)();
        b.window.turnLoop();
    }
    b.editor.BBGoToPairClick("1");
    b.window.turnLoop();
    EXPECT_TRUE(b.window.onScreen);
    EXPECT_EQ(b.window.hides, 0);
    ASSERT_TRUE(b.editor.BBCloseClick());
    b.window.turnLoop();
    b.window.turnLoop();
    EXPECT_FALSE(b.window.onScreen);
    EXPECT_EQ(b.window.hides, 1);
}

}  // namespace
}  // namespace cardwise
