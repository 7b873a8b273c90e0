#include "core/shell/main_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/deck/notepad_edit.h"
#include "core/shell/deck_close.h"
#include "core/shell/recent_decks.h"
#include "support/deck_harness.h"

namespace cardwise {
namespace {

using testing::DeckHarness;
using testing::ShownBox;
using testing::threePairDeck;

struct MainCommandsTest : ::testing::Test {
    DeckHarness h;
    Program& p = h.program;
};

TEST_F(MainCommandsTest, StartReadsTheSettingsAndShowsTheRecentDecks) {
    h.programFolder.write(
        "CARDWISE.INI", testing::crlf({"[CARDWISE]", "MainLeft=44", "UsedFilePath1=/d/e/f/g.DKS"}));
    ASSERT_TRUE(FormCreate(p, std::nullopt));
    openAtStart(p, {});
    EXPECT_EQ(p.shell.app.MainLeft, 44);
    EXPECT_EQ(p.shell.app.MainTop, 10);
    EXPECT_EQ(p.shell.recentMenu[0].caption, "&1  /d/.../g.DKS");
    EXPECT_TRUE(p.shell.recentMenu[0].visible);
    EXPECT_FALSE(p.shell.recentMenu[1].visible);
    EXPECT_FALSE(p.shell.deckOpen);
}

TEST_F(MainCommandsTest, RecentDeckThatWasDeletedIsReportedAndStaysInTheList) {
    std::string a = h.write("a.DKS", threePairDeck());
    std::string b = h.write("b.DKS", threePairDeck());
    openDeck(p, a);
    openDeck(p, b);
    std::filesystem::remove(a);
    h.ui.expectBox({"No .DKS File",
                    a + " No Longer Exists.  It Was Probably Chosen From The \"Previous Files\" "
                        "List But Has Been Deleted Since Its Entry Onto The List.",
                    Icon::Error, Buttons::Ok});
    UsedFileClick(p, 2);
    EXPECT_EQ(p.shell.recentFiles[0], a);
    EXPECT_EQ(p.shell.recentFiles[1], b);
    EXPECT_FALSE(p.shell.deckOpen);
}

TEST_F(MainCommandsTest, OpeningAnotherDeckSavesTheOpenOne) {
    std::string a = h.write("a.DKS", threePairDeck());
    std::string b = h.write("b.DKS", threePairDeck());
    openDeck(p, a);
    p.deck.Learning.at(3).LearnStatus = ShortTerm;
    p.drill.ReturnToPair = true;
    h.ui.fileChoices.push_back(b);
    FileOpenClick(p);
    EXPECT_NE(h.decks.read("a.DKD").find("Q&A3=20261207 0    0 0 0010"), std::string::npos);
    EXPECT_EQ(p.deck.QAFileName, b);
    EXPECT_FALSE(p.drill.ReturnToPair);
    EXPECT_EQ(h.ui.fileRequests.at(0).directory, h.decks.path());
}

TEST_F(MainCommandsTest, DemoIsOfferedOnlyWhenTheExampleDeckExists) {
    EXPECT_FALSE(demoDeckAvailable(p));
    RunQuickDemo1Click(p);
    EXPECT_FALSE(p.shell.deckOpen);
    std::filesystem::create_directory(h.programFolder.file("EXAMPLES"));
    h.programFolder.write("EXAMPLES/CRDWSE50.DKS", threePairDeck());
    EXPECT_TRUE(demoDeckAvailable(p));
    RunQuickDemo1Click(p);
    EXPECT_TRUE(p.shell.deckOpen);
}

// An installed program lives in <prefix>/bin with its example deck in
// <prefix>/share/cardwise/EXAMPLES; a copy beside the program still comes first.
TEST_F(MainCommandsTest, DemoDeckOfAnInstalledProgramIsFoundInShare) {
    namespace fs = std::filesystem;
    fs::path prefix = h.decks.path();
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share/cardwise/EXAMPLES");
    p.programDirectory = (prefix / "bin").string();
    EXPECT_FALSE(demoDeckAvailable(p));
    h.decks.write("share/cardwise/EXAMPLES/CRDWSE50.DKS", threePairDeck());
    EXPECT_EQ(demoDeckPath(p), (prefix / "share/cardwise/EXAMPLES/CRDWSE50.DKS").string());
    EXPECT_TRUE(demoDeckAvailable(p));
    fs::create_directories(prefix / "bin/EXAMPLES");
    h.decks.write("bin/EXAMPLES/CRDWSE50.DKS", threePairDeck());
    EXPECT_EQ(demoDeckPath(p), (prefix / "bin/EXAMPLES/CRDWSE50.DKS").string());
    // Only a folder named bin has a share folder beside it.
    p.programDirectory = (prefix / "share").string();
    EXPECT_FALSE(demoDeckAvailable(p));
}

// An installed program's Demo drills a copy in the user's data folder: progress is kept
// there and nothing is written beside the program, whoever runs it.
TEST_F(MainCommandsTest, DemoDrillsACopyInTheUserDataFolder) {
    namespace fs = std::filesystem;
    const fs::path prefix = h.decks.path();
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share/cardwise/EXAMPLES");
    h.decks.write("share/cardwise/EXAMPLES/CRDWSE50.DKS", threePairDeck());
    h.decks.write("share/cardwise/EXAMPLES/mars.png", "picture");
    p.programDirectory = (prefix / "bin").string();
    p.userDataDirectory = (prefix / "data/cardwise").string();
    const fs::path copy = prefix / "data/cardwise/EXAMPLES";
    auto installed = [&] {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(prefix / "share/cardwise/EXAMPLES")) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    };
    const std::vector<std::string> before = installed();

    RunQuickDemo1Click(p);
    ASSERT_TRUE(p.shell.deckOpen);
    EXPECT_EQ(p.deck.QAFileName, (copy / "CRDWSE50.DKS").string());
    EXPECT_TRUE(fs::exists(copy / "mars.png"));
    ASSERT_TRUE(FileExitQAClick(p));
    EXPECT_TRUE(fs::exists(copy / "CRDWSE50.DKD"));
    EXPECT_EQ(installed(), before);

    // The next Demo keeps the copy as the user left it and puts back a file they removed.
    const std::string edited = testing::crlf({"[Cardwise]", "Q1=mine", "A1=mio", "Q2=two",
                                              "A2=dos", "Q3=three", "A3=tres"});
    h.decks.write("data/cardwise/EXAMPLES/CRDWSE50.DKS", edited);
    fs::remove(copy / "mars.png");
    RunQuickDemo1Click(p);
    ASSERT_TRUE(p.shell.deckOpen);
    EXPECT_TRUE(fs::exists(copy / "mars.png"));
    ASSERT_TRUE(FileExitQAClick(p));
    EXPECT_EQ(h.decks.read("data/cardwise/EXAMPLES/CRDWSE50.DKS"), edited);
    EXPECT_EQ(installed(), before);

    // A data folder that cannot be made is reported; nothing opens.
    h.decks.write("blocked", "a file, not a folder");
    p.userDataDirectory = (prefix / "blocked").string();
    h.ui.expectBoxWhere("Demo", Icon::Error, Buttons::Ok, [&](const std::string& text) {
        return text.rfind("The Example Deck Could Not Be Copied To " +
                              (prefix / "blocked/EXAMPLES").string() + ".  ",
                          0) == 0;
    });
    RunQuickDemo1Click(p);
    EXPECT_FALSE(p.shell.deckOpen);

    // A portable copy (no user data folder) drills the example deck in place.
    p.userDataDirectory.clear();
    RunQuickDemo1Click(p);
    EXPECT_EQ(p.deck.QAFileName, (prefix / "share/cardwise/EXAMPLES/CRDWSE50.DKS").string());
}

TEST_F(MainCommandsTest, HandOversThatWaitedOpenTheLatestAndRememberTheRest) {
    std::string a = h.write("a.DKS", threePairDeck());
    std::string b = h.write("b.DKS", threePairDeck());
    std::string c = h.write("c.DKS", threePairDeck());
    EXPECT_FALSE(openPendingHandOvers(p));
    queueHandOver(p, {a, c});
    queueHandOver(p, {});  // a start without decks only brought the window forward
    queueHandOver(p, {b});
    EXPECT_FALSE(p.shell.deckOpen);
    ASSERT_TRUE(openPendingHandOvers(p));
    EXPECT_EQ(p.deck.QAFileName, b);
    EXPECT_EQ(p.shell.recentFiles[0], b);
    EXPECT_EQ(p.shell.recentFiles[1], a);
    EXPECT_EQ(p.shell.recentFiles[2], "");
    EXPECT_TRUE(p.shell.pendingHandOvers.empty());
    EXPECT_FALSE(openPendingHandOvers(p));
}

TEST_F(MainCommandsTest, HandedOverDecksOpenTheFirstAfterSavingTheOpenOne) {
    std::string a = h.write("a.DKS", threePairDeck());
    std::string b = h.write("b.DKS", threePairDeck());
    std::string c = h.write("c.DKS", threePairDeck());
    openDeck(p, a);
    p.deck.Learning.at(2).LearnStatus = ShortTerm;
    openHandedOver(p, {b, c});
    EXPECT_NE(h.decks.read("a.DKD").find("Q&A2=20261207 0    0 0 0010"), std::string::npos);
    EXPECT_EQ(p.deck.QAFileName, b);
    EXPECT_TRUE(p.shell.deckOpen);
    EXPECT_EQ(p.shell.recentFiles[0], b);
    EXPECT_EQ(p.shell.recentFiles[1], a);
    EXPECT_FALSE(h.decks.exists("c.DKD"));
    openHandedOver(p, {});
    EXPECT_EQ(p.deck.QAFileName, b);
    EXPECT_TRUE(h.ui.boxes.empty());
}

TEST_F(MainCommandsTest, CommandLineDecksOpenInTurnEachSavedBeforeTheNext) {
    std::string a = h.write("a.DKS", threePairDeck());
    std::string b = h.write("b.DKS", threePairDeck());
    bool deferred = false;
    h.frontEnd.onCall = [&](std::string_view call) {
        if (call != "RunDKSFile") return;
        deferred = p.drill.DeferredFirstShow;
        p.drill.DeferredFirstShow = false;
        if (p.deck.QAFileName == a) p.deck.Learning.at(1).LearnStatus = LongTerm;
    };
    openAtStart(p, {a, b});
    EXPECT_TRUE(deferred);
    EXPECT_EQ(p.deck.QAFileName, b);
    EXPECT_NE(h.decks.read("a.DKD").find("Q&A1=20261207 0    0 0 0020"), std::string::npos);
    EXPECT_EQ(p.shell.recentMenu[0].caption, "&1  " + shortenedPath(b));
}

TEST_F(MainCommandsTest, ClosingTheMainWindowSavesPlaceAndDeck) {
    std::string a = h.write("a.DKS", threePairDeck());
    openDeck(p, a);
    p.deck.Learning.at(1).LearnStatus = LongTerm;
    EXPECT_TRUE(FormClose(p, 1, 2, 300, 200));
    EXPECT_FALSE(p.shell.deckOpen);
    EXPECT_NE(h.decks.read("a.DKD").find("Q&A1=20261207 0    0 0 0020"), std::string::npos);
    EXPECT_EQ(p.appSettings.read().readInt("CARDWISE", "MainWidth", 0), 300);
}

TEST_F(MainCommandsTest, DeckThatCannotBeSavedAtExitIsNotLostSilently) {
    std::string a = h.write("a.DKS", threePairDeck());
    openDeck(p, a);
    h.files.readOnlyFolder = h.decks.path();
    const ShownBox failed = testing::writeErrorBox(h.decks.file("a.DKD"), "Read-only file system");
    const ShownBox exitAnyway{"Deck Not Saved",
                              "The Open Deck Could Not Be Saved.  Exit Anyway And Lose The "
                              "Changes Made Since It Was Opened?",
                              Icon::Warning, Buttons::YesNo};
    h.ui.expectBox(failed);
    h.ui.expectBox(exitAnyway, Button::No);
    EXPECT_FALSE(FormClose(p, 1, 2, 300, 200));
    EXPECT_TRUE(p.shell.deckOpen);
    h.ui.expectBox(failed);
    h.ui.expectBox(exitAnyway, Button::Yes);
    EXPECT_TRUE(FormClose(p, 1, 2, 300, 200));
}

TEST_F(MainCommandsTest, TextEditorCommandsRefuseASecondOpen) {
    p.NotePadOpen = true;
    h.ui.expectBox({"Already Open", "The Current .DKS File Is Already Open In NotePad",
                    Icon::Warning, Buttons::Ok});
    h.ui.expectBox({"Already Open", "The Current .DKD File Is Already Open In NotePad",
                    Icon::Warning, Buttons::Ok});
    EditFileClick(p);
    OpenSetupInNotePad(p);
    EXPECT_TRUE(h.editor.opened.empty());
}

TEST_F(MainCommandsTest, EditFileWarnsSavesTheSettingsAndWaitsForTheEditor) {
    std::string a = h.write("a.DKS", threePairDeck());
    openDeck(p, a);
    p.settings.NumSeconds = 9;
    h.editor.onEdit = [&](const std::string&) {
        EXPECT_TRUE(p.NotePadOpen);
        EXPECT_NE(h.decks.read("a.DKD").find("NumSeconds=  9"), std::string::npos);
    };
    h.ui.expectBox(testing::editorWarningBox());
    EditFileClick(p);
    EXPECT_EQ(h.editor.opened, std::vector<std::string>{a});
    EXPECT_FALSE(p.NotePadOpen);
}

TEST_F(MainCommandsTest, MissingTextEditorIsReported) {
    std::string a = h.write("a.DKS", threePairDeck());
    openDeck(p, a);
    h.editor.result = NoExternalEditor().editAndWait(a);
    h.ui.expectBox(testing::editorWarningBox());
    h.ui.expectBox({"Text Editor Error",
                    "Cardwise Could Not Start A Text Editor On " + a +
                        " (No text editor is available).  Set VISUAL Or EDITOR To The Editor You "
                        "Want To Use.",
                    Icon::Error, Buttons::Ok});
    EditFileClick(p);
    EXPECT_FALSE(p.NotePadOpen);
}

}  // namespace
}  // namespace cardwise
