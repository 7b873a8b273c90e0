#include "core/shell/main_menu.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/drill/core_drill_engine.h"
#include "core/drill/run_control.h"
#include "core/shell/deck_close.h"
#include "core/shell/main_commands.h"
#include "core/shell/recent_decks.h"
#include "support/deck_harness.h"

namespace cardwise {
namespace {

using testing::DeckHarness;
using testing::threePairDeck;

struct Row {
    const char* name;
    const char* caption;
    const char* shortcut;
    bool visible;
    bool enabledWithoutDeck;
    bool enabledWithDeck;
    bool available;  // with the parts of today's build
};

// Every item of the main menu; the editor, options, statistics and printing items wait
// for their parts.
const Row kRows[] = {
    {"File1", "&File", "", true, true, true, true},
    {"FileNew", "&New...", "", true, true, true, true},
    {"FileOpen", "&Open...", "Ctrl+O", true, true, true, true},
    {"FileSaveAs", "Save &As...", "", true, false, true, true},
    {"ImportPairs", "&Import Pairs...", "", true, true, true, true},
    {"ExportPairs", "Ex&port Pairs...", "", true, false, true, true},
    {"FileStatistics", "&File Statistics", "", true, false, false, false},
    {"PrintPairs", "Print...", "", true, false, false, false},
    {"FileExitQA", "Exit This &Q&&A File", "Ctrl+Q", true, false, true, true},
    {"FileExit", "E&xit", "", true, true, true, true},
    {"Edit1", "&Edit", "", true, false, true, true},
    {"EditCopyQ", "Copy &Question To Clipboard", "", true, false, true, true},
    {"EditCopyA", "Copy &Answer To Clipboard", "", true, false, true, true},
    {"EditCopyBoth", "Copy &Both Question && Answer To Clipboard", "", true, false, true, true},
    {"OpenCurrentQAFileInCardwiseEditor1", "&Open Current Q&&A File In Cardwise Editor...",
     "Ctrl+E", true, false, false, false},
    {"EditFile", "Open Current Q&&A File In &NotePad...", "Ctrl+T", true, false, true, true},
    {"EditCurrentQAPair1", "&Edit Current Q&&A Pair...", "Ctrl+A", true, false, false, false},
    {"DeleteCurrentQAPair1", "&Delete Current Q&&A Pair", "", true, false, false, false},
    {"InsertNewQAPair1", "&Insert New Q&&A Pair...", "Ctrl+I", true, false, false, false},
    {"ENextPair", "Move To Next Pair In Editor", "Ctrl+N", false, false, false, false},
    {"EPreviousPair", "Move To Previous Pair In Editor", "Ctrl+P", false, false, false, false},
    {"ClickHintorCommentButton1", "Click Hint or Comment Button", "Ctrl+H", false, false, true,
     true},
    {"MoveToMemo1", "Move To Memo", "Ctrl+M", false, false, false, false},
    {"BringUpGoToPair1", "Bring Up GoTo Pair", "Ctrl+G", true, false, true, true},
    {"Options1", "&Options", "", true, false, false, false},
    {"RunQuickDemo1", "&Demo", "", true, true, true, true},
    {"Help1", "&Help  ", "", true, true, true, true},
    {"HelpContents", "&Contents", "F1", true, true, true, true},
    {"Tutorial1", "&Tutorial", "", true, true, true, true},
    {"HelpHelp", "&How To Use Help", "", true, true, true, true},
    {"HelpAbout", "&About...", "", true, true, true, true},
};

struct MainMenuTest : ::testing::Test {
    DeckHarness h;
    Program& p = h.program;
};

TEST_F(MainMenuTest, EveryItemWithoutAndWithADeck) {
    MainMenuView closed = mainMenu(p, true);
    h.open(h.write("a.DKS", threePairDeck()));
    ASSERT_TRUE(p.shell.deckOpen);
    MainMenuView open = mainMenu(p, true);
    for (const Row& row : kRows) {
        const MenuItem* before = findMenuItem(closed, row.name);
        const MenuItem* after = findMenuItem(open, row.name);
        ASSERT_NE(before, nullptr) << row.name;
        ASSERT_NE(after, nullptr) << row.name;
        EXPECT_EQ(after->caption, row.caption) << row.name;
        EXPECT_EQ(after->shortcut, row.shortcut) << row.name;
        EXPECT_EQ(after->visible, row.visible) << row.name;
        EXPECT_EQ(before->enabled, row.enabledWithoutDeck) << row.name;
        EXPECT_EQ(after->enabled, row.enabledWithDeck) << row.name;
        EXPECT_EQ(after->available, row.available) << row.name;
    }
    // Nothing more than the table and the nine recent decks.
    EXPECT_EQ(allMenuItems(open).size(), std::size(kRows) + kRecentSlots);
}

TEST_F(MainMenuTest, ClosingTheDeckDisablesItsCommandsAgain) {
    h.open(h.write("a.DKS", threePairDeck()));
    FileExitQAClick(p);
    MainMenuView view = mainMenu(p, true);
    for (const char* name : {"FileSaveAs", "ExportPairs", "FileExitQA", "Edit1", "EditCopyQ", "EditFile",
                             "ClickHintorCommentButton1", "BringUpGoToPair1"}) {
        EXPECT_FALSE(findMenuItem(view, name)->enabled) << name;
    }
}

TEST_F(MainMenuTest, BuiltPartsMakeTheirItemsAvailable) {
    h.open(h.write("a.DKS", threePairDeck()));
    BuiltParts all{true, true, true, true};
    MainMenuView view = mainMenu(p, true, all);
    const auto editorMove = [](const MenuItem* m) {
        return m->name == "ENextPair" || m->name == "EPreviousPair" || m->name == "MoveToMemo1";
    };
    for (const MenuItem* m : allMenuItems(view)) {
        EXPECT_TRUE(m->available) << m->name;
        if (m->command != MenuCommand::UsedFile) {
            EXPECT_EQ(m->enabled, !editorMove(m)) << m->name;
        }
    }
    // The editor's moves only while the editor is on screen.
    p.editor.shown = true;
    view = mainMenu(p, true, all);
    EXPECT_TRUE(findMenuItem(view, "ENextPair")->enabled);
    EXPECT_TRUE(findMenuItem(view, "EPreviousPair")->enabled);
}

// Where each item sits and whether it can be chosen, with every part built and a deck open,
// while the editor is away and while it is on screen.
TEST_F(MainMenuTest, ShortcutOnlyItemsSitInNoMenuAndTheEditorsMovesWaitForTheEditor) {
    struct PlaceRow {
        const char* name;
        bool inMenu;
        bool enabledEditorAway;
        bool enabledEditorShown;
    };
    const PlaceRow rows[] = {
        // Hidden with a short-cut: in no menu, the window holds them.
        {"ENextPair", false, false, true},
        {"EPreviousPair", false, false, true},
        {"MoveToMemo1", false, false, true},
        {"ClickHintorCommentButton1", false, true, true},
        // Hidden without a short-cut: in its menu, not shown.
        {"UsedFile3", true, true, true},
        {"RunQuickDemo1", true, true, true},
        // Shown, with and without a short-cut.
        {"FileOpen", true, true, true},
        {"BringUpGoToPair1", true, true, true},
        {"EditCurrentQAPair1", true, true, true},
        {"DeleteCurrentQAPair1", true, true, true},
    };
    h.open(h.write("a.DKS", threePairDeck()));
    const BuiltParts all{true, true, true, true};
    for (const bool shown : {false, true}) {
        p.editor.shown = shown;
        // No example deck: the demo item is hidden too.
        const MainMenuView view = mainMenu(p, false, all);
        for (const PlaceRow& row : rows) {
            SCOPED_TRACE(std::string(row.name) + (shown ? ", editor shown" : ", editor away"));
            const MenuItem* m = findMenuItem(view, row.name);
            ASSERT_NE(m, nullptr);
            EXPECT_EQ(m->inMenu, row.inMenu);
            EXPECT_EQ(m->enabled, shown ? row.enabledEditorShown : row.enabledEditorAway);
        }
    }
    // Without the editor built, its moves stay disabled even with the editor's flag up.
    p.editor.shown = true;
    const MainMenuView bare = mainMenu(p, false);
    for (const char* name : {"ENextPair", "EPreviousPair", "MoveToMemo1"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(findMenuItem(bare, name)->enabled);
        EXPECT_FALSE(findMenuItem(bare, name)->inMenu);
    }
}

TEST_F(MainMenuTest, MenuBarOrderAndTheHelpMenuAtTheRight) {
    MainMenuView view = mainMenu(p, true);
    std::vector<std::string> names;
    for (const MenuItem& m : view.bar) names.push_back(m.name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"File1", "Edit1", "Options1", "RunQuickDemo1", "Help1"}));
    EXPECT_TRUE(view.bar.back().rightAligned);
    EXPECT_EQ(view.bar[2].command, MenuCommand::Options);
    EXPECT_TRUE(view.bar[2].items.empty());
}

TEST_F(MainMenuTest, DemoIsHiddenWhenTheExampleDeckIsMissing) {
    EXPECT_FALSE(findMenuItem(mainMenu(p, false), "RunQuickDemo1")->visible);
    EXPECT_TRUE(findMenuItem(mainMenu(p, true), "RunQuickDemo1")->visible);
}

TEST_F(MainMenuTest, RecentDecksShowTheirShortenedPathsInOrder) {
    addRecentDeck(p, "/work/decks/spanish/VERBS.DKS");
    addRecentDeck(p, "/decks/NOUNS.DKS");
    MainMenuView view = mainMenu(p, true);
    const MenuItem* first = findMenuItem(view, "UsedFile1");
    const MenuItem* second = findMenuItem(view, "UsedFile2");
    const MenuItem* third = findMenuItem(view, "UsedFile3");
    EXPECT_EQ(first->caption, "&1  /decks/NOUNS.DKS");
    EXPECT_EQ(second->caption, "&2  /work/.../VERBS.DKS");
    EXPECT_EQ(second->slot, 2);
    EXPECT_EQ(second->command, MenuCommand::UsedFile);
    EXPECT_TRUE(first->visible && second->visible);
    EXPECT_FALSE(third->visible);
    EXPECT_TRUE(first->separatorBefore);
}

TEST_F(MainMenuTest, CaptionsAndBackgroundFollowTheDeck) {
    MainMenuView view = mainMenu(p, true);
    EXPECT_EQ(view.windowCaption, "Cardwise32 v5.0");
    EXPECT_EQ(view.applicationTitle, "CARDWISE");
    EXPECT_EQ(view.background, (Colour{255, 255, 128}));  // 8454143, the default
    p.settings.MWCurBkGndColor = 0x00123456;
    EXPECT_EQ(mainMenu(p, true).background, (Colour{0x56, 0x34, 0x12}));
}

// The front end renders its menu whenever the core says it changed; whichever path opens or
// closes a deck, what it last rendered is what the model holds now.
class RenderingFrontEnd : public testing::RecordingFrontEnd {
  public:
    explicit RenderingFrontEnd(const Program& program) : program_(program) {}
    MainMenuView shown;
    void mainMenuChanged() override {
        RecordingFrontEnd::mainMenuChanged();
        shown = mainMenu(program_, true);
    }

  private:
    const Program& program_;
};

std::vector<std::string> enabledItems(const MainMenuView& view) {
    std::vector<std::string> names;
    for (const MenuItem* m : allMenuItems(view)) {
        if (m->enabled) names.push_back(m->name + (m->visible ? " " + m->caption : ""));
    }
    return names;
}

TEST_F(MainMenuTest, RenderedMenuFollowsEveryPathThatOpensOrClosesADeck) {
    struct PathRow {
        const char* name;
        std::function<void(Program&, DeckHarness&, DrillController&)> act;
        bool deckOpenAfter;
    };
    const PathRow rows[] = {
        {"a deck opens", [](Program&, DeckHarness&, DrillController&) {}, true},
        {"Exit This Q&A File",
         [](Program& p, DeckHarness&, DrillController&) { FileExitQAClick(p); }, false},
        {"the continuation question is declined",
         [](Program& p, DeckHarness& h, DrillController& drill) {
             p.settings.OnePass = 1;
             for (int i = 0; i < 3; ++i) {
                 drill.displayAnswer();
                 if (i == 2) h.ui.expectBox(testing::continuationBox("a.DKS"), Button::No);
                 drill.markCorrect();
             }
         },
         false},
        {"a handed-over deck replaces the open one",
         [](Program& p, DeckHarness& h, DrillController&) {
             openHandedOver(p, {h.write("b.DKS", threePairDeck())});
         },
         true},
        {"the next deck fails to load",
         [](Program& p, DeckHarness& h, DrillController&) {
             h.ui.expectBoxWhere("No .DKS File", Icon::Error, Buttons::Ok,
                                 [](const std::string&) { return true; });
             openDeck(p, h.decks.file("missing.DKS"));
         },
         false},
    };
    for (const PathRow& row : rows) {
        SCOPED_TRACE(row.name);
        DeckHarness fresh;
        Program& program = fresh.program;
        CoreDrillEngine engine;
        DrillController drill(program, engine);
        RenderingFrontEnd windows(program);
        windows.onCall = [&](std::string_view call) {
            if (call == "RunDKSFile") drill.start();
            if (call == "closeDrillWindows") drill.hideWindows();
            if (call == "closeDeck") FileExitQAClick(program);
        };
        program.attachFrontEnd(windows);
        openDeck(program, fresh.write("a.DKS", threePairDeck()));
        const int before = windows.menuChanges;
        row.act(program, fresh, drill);
        fresh.ui.checkAllShown();
        EXPECT_EQ(program.shell.deckOpen, row.deckOpenAfter);
        if (std::string_view(row.name) != "a deck opens") {
            EXPECT_GT(windows.menuChanges, before);
        }
        EXPECT_EQ(enabledItems(windows.shown), enabledItems(mainMenu(program, true)));
        EXPECT_EQ(findMenuItem(windows.shown, "FileSaveAs")->enabled, row.deckOpenAfter);
    }
}

TEST_F(MainMenuTest, AboutBoxTexts) {
    AboutView about = aboutBox();
    EXPECT_EQ(about.caption, "About Cardwise");
    EXPECT_EQ(about.product, "Cardwise [tm] v5.0");
    EXPECT_EQ(about.closeButton, "Thank You For Using Cardwise!!");
    EXPECT_EQ(about.lines, (std::vector<std::string>{
                               "Question-and-answer drill for one learner: flash cards that "
                               "remember what you know.",
                               "Version 5.0, desktop edition for Linux.",
                               "Free software under the GNU General Public License, version 3 or "
                               "later (GPL-3.0-or-later); it comes with no warranty.",
                               "https://example.org/cardwise"}));
}

TEST_F(MainMenuTest, HintOrCommentFollowsTheWindowShown) {
    p.settings.EnableHints = 1;
    p.settings.EnableComments = 1;
    h.open(h.write("a.DKS", testing::crlf({"[Cardwise]", "Q1=<HC1>a hint%one", "A1=<HC1>a note%uno",
                                           "Q2=<HC1>a hint%two", "A2=<HC1>a note%dos",
                                           "Q3=<HC1>a hint%three", "A3=<HC1>a note%tres"})));
    CoreDrillEngine engine;
    DrillController drill(p, engine);
    drill.start();
    ASSERT_EQ(drill.screen(), DrillScreen::Question);
    h.ui.expectBox(testing::noteBox("This Is The Last Hint", "a hint"));
    ClickHintorCommentButton1Click(drill);
    h.ui.checkAllShown();
    drill.displayAnswer();
    ASSERT_EQ(drill.screen(), DrillScreen::Answer);
    h.ui.expectBox(testing::noteBox("This Is The Last Comment", "a note"));
    ClickHintorCommentButton1Click(drill);
}

}  // namespace
}  // namespace cardwise
