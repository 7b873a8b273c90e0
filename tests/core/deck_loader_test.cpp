#include "core/shell/deck_loader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/deck/notepad_edit.h"
#include "core/shell/deck_close.h"
#include "core/shell/deck_new.h"
#include "core/shell/deck_save.h"
#include "support/deck_harness.h"

namespace cardwise {
namespace {

using testing::crlf;
using testing::DeckHarness;
using testing::kOversizeDeckBox;
using testing::overlongPairBox;
using testing::readErrorBox;
using testing::setupDataErrorBox;
using testing::ShownBox;
using testing::snapshot;
using testing::threePairDeck;

const std::string kCannotChange =
    "  The File Will Operate Properly, But No Permanent Changes Can Be Made To The Option "
    "Settings, Priority List, Etc.";

std::string manyPairs(int count) {
    std::string text = "[Cardwise]\r\n";
    for (int n = 1; n <= count; ++n) {
        text += "Q" + std::to_string(n) + "=q\r\nA" + std::to_string(n) + "=a\r\n";
    }
    return text;
}

struct DeckLoaderTest : ::testing::Test {
    DeckHarness h;
    Program& p = h.program;
};

TEST_F(DeckLoaderTest, GoodDeckOpensStartsTheDrillAndEnablesTheDeckMenus) {
    std::string path = h.write("verbs.DKS", threePairDeck());
    p.selector.ShuffleFilled = true;
    h.open(path);
    EXPECT_FALSE(p.selector.ShuffleFilled);
    EXPECT_TRUE(h.ui.boxes.empty()) << h.ui.boxes.front();
    EXPECT_EQ(p.deck.LoadOutcome, 1);
    EXPECT_EQ(p.deck.PairCount, 3);
    EXPECT_EQ(p.deck.PairText.at(1), "Q2=two$#$!A2=dos");
    EXPECT_TRUE(p.shell.deckOpen);
    EXPECT_TRUE(p.drill.DrillActive);
    EXPECT_EQ(h.drillStarts(), 1);
    DeckMenus enabled;
    enabled.setAll(true);
    EXPECT_EQ(p.shell.deckMenus, enabled);
    EXPECT_EQ(p.shell.recentFiles[0], path);
    EXPECT_EQ(p.currentDirectory, h.decks.path());
    EXPECT_TRUE(h.decks.exists("verbs.~LS"));
    EXPECT_TRUE(h.decks.exists("verbs.~LD"));
    EXPECT_EQ(h.decks.read("verbs.DKS"), threePairDeck());
    EXPECT_EQ(h.ui.waitDepth, 0);
}

// A front end with windows leaves the load's backups and recent list for after the first
// paint; whatever writes to the deck first makes them, from the files as they were read.
TEST(DeferredLoadWrites, AreMadeBeforeTheFirstWriteToTheDeck) {
    struct Case {
        const char* name;
        std::function<void(Program&)> act;
    };
    const Case cases[] = {
        {"the front end after the paint", [](Program& p) { finishLoadWrites(p); }},
        {"a save", [](Program& p) { EXPECT_EQ(saveIfChanged(p), SaveOutcome::Saved); }},
        {"the close", [](Program& p) { FileExitQAClick(p); }},
        {"the text editor", [](Program& p) { OpenSetupInNotePad(p); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeckHarness h;
        Program& p = h.program;
        p.document.deferLoadWrites = true;
        const std::string path = h.write("verbs.DKS", threePairDeck());
        h.open(path);
        EXPECT_FALSE(h.decks.exists("verbs.~LS") || h.decks.exists("verbs.~LD"));
        const auto settingsFile = [&] { return p.files().readFile(p.appSettings.path()).value_or(""); };
        EXPECT_EQ(settingsFile().find(path), std::string::npos) << settingsFile();
        const std::string setupAsRead = h.decks.read("verbs.DKD");
        // A change the write will carry, so that a backup taken after it would differ.
        p.settings.Frequency = 42;
        p.document.markChanged();
        c.act(p);
        EXPECT_EQ(h.decks.read("verbs.~LS"), threePairDeck());
        EXPECT_EQ(h.decks.read("verbs.~LD"), setupAsRead);
        EXPECT_NE(settingsFile().find(path), std::string::npos);
        EXPECT_FALSE(p.document.loadWritesOwed());
    }
}

TEST_F(DeckLoaderTest, LoadResetsTheRunStateOfTheDeckBefore) {
    p.drill.JumpingToPair = p.drill.EditorTestRun = p.drill.TryAgainPending = true;
    p.deck.SessionCorrect = 4;
    p.deck.SessionIncorrect = 2;
    p.restart.ModeChanged = true;
    h.open(h.write("a.DKS", threePairDeck()));
    EXPECT_FALSE(p.drill.JumpingToPair || p.drill.EditorTestRun || p.drill.TryAgainPending);
    EXPECT_EQ(p.deck.SessionCorrect + p.deck.SessionIncorrect, 0);
    EXPECT_FALSE(p.restart.ModeChanged);
}

TEST_F(DeckLoaderTest, NameWithoutFolderIsLookedUpInTheProgramFolder) {
    h.programFolder.write("HOME.DKS", threePairDeck());
    h.open("HOME.DKS");
    EXPECT_EQ(p.deck.QAFileName, h.programFolder.file("HOME.DKS"));
    EXPECT_TRUE(p.shell.deckOpen);
}

TEST_F(DeckLoaderTest, LowerCaseExtensionLoads) {
    h.open(h.write("verbs.dks", threePairDeck()));
    EXPECT_TRUE(p.shell.deckOpen);
    EXPECT_TRUE(h.decks.exists("verbs.dkD"));
}

struct RefusedName {
    const char* name;
    const char* caption;
    const char* text;  // after the full path, or the whole text when it starts with '.'
};

class RefusedExtension : public ::testing::TestWithParam<RefusedName> {};

TEST_P(RefusedExtension, IsReportedAndNothingIsLoadedOrWritten) {
    DeckHarness h;
    std::string path = h.write(GetParam().name, threePairDeck());
    auto before = snapshot(h.decks.path());
    std::string text = GetParam().text;
    if (text.front() != '.') text = path + text;
    h.ui.expectBox({GetParam().caption, text, Icon::Error, Buttons::Ok});
    h.open(path);
    EXPECT_FALSE(h.program.shell.deckOpen);
    EXPECT_EQ(h.drillStarts(), 0);
    EXPECT_EQ(snapshot(h.decks.path()), before);
    EXPECT_EQ(h.program.shell.recentFiles[0], "");
}

INSTANTIATE_TEST_SUITE_P(
    Names, RefusedExtension,
    ::testing::Values(
        RefusedName{"deck.txt", "Q&A File Extension Error",
                    " Does Not Have A .DKS, .DKT or .DKZ Extension.  All Q&A Files Must Use One "
                    "Of These Extensions."},
        RefusedName{"deck", "Q&A File Extension Error",
                    " Does Not Have A .DKS, .DKT or .DKZ Extension.  All Q&A Files Must Use One "
                    "Of These Extensions."},
        RefusedName{"deck.dkt", "File Type Not Supported In This Release",
                    ".DKT And .DKZ Files Are Not Supported In This Release Of Cardwise.  Please "
                    "Download The Most Recent Version Of Cardwise From The Cardwise Web Site."},
        RefusedName{"deck.DKZ", "File Type Not Supported In This Release",
                    ".DKT And .DKZ Files Are Not Supported In This Release Of Cardwise.  Please "
                    "Download The Most Recent Version Of Cardwise From The Cardwise Web Site."}));

TEST_F(DeckLoaderTest, MissingFileIsReportedAsNoLongerExisting) {
    std::string path = h.decks.file("gone.DKS");
    h.ui.expectBox({"No .DKS File",
                    path + " No Longer Exists.  It Was Probably Chosen From The \"Previous "
                           "Files\" List But Has Been Deleted Since Its Entry Onto The List.",
                    Icon::Error, Buttons::Ok});
    h.open(path);
    EXPECT_FALSE(p.shell.deckOpen);
    EXPECT_FALSE(h.decks.exists("gone.DKD"));
}

TEST_F(DeckLoaderTest, ReadOnlyDeckLoadsAndChangesNoByteAnywhere) {
    std::string path = h.write("ro.DKS", threePairDeck());
    h.open(path);  // gets its setup data file and backups
    ASSERT_TRUE(FileExitQAClick(p));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    auto before = snapshot(h.decks.path());
    h.clock.setToday(20261208);  // a new day would otherwise rewrite the day counters
    Program& q = p;
    q.deck.Today = 20261208;
    h.ui.boxes.clear();
    h.ui.expectBox({"Q&A Read-Only Warning", path + " Is A Read-Only File." + kCannotChange,
                    Icon::Information, Buttons::Ok});
    h.open(path);
    EXPECT_EQ(h.ui.boxes.size(), 1u);
    EXPECT_TRUE(q.deck.ReadOnlyDeck);
    EXPECT_TRUE(q.shell.deckOpen);
    q.deck.Learning.at(1).LearnStatus = 2;
    q.deck.EditorUsed = true;
    ASSERT_TRUE(FileExitQAClick(q));
    EXPECT_EQ(snapshot(h.decks.path()), before);
}

TEST_F(DeckLoaderTest, DeckInAFolderThatCannotBeWrittenLoadsAndWritesNothing) {
    std::string path = h.write("cd.DKS", threePairDeck());
    h.write("cd.DKD", "");
    h.files.readOnlyFolder = h.decks.path();
    auto before = snapshot(h.decks.path());
    h.ui.expectBox({"Q&A Write-Protected Disk Warning",
                    path + " Is Located On A Write-Protected Or Read-Only Disk (Perhaps a CDROM)." +
                        kCannotChange,
                    Icon::Information, Buttons::Ok});
    h.open(path);
    EXPECT_TRUE(p.shell.deckOpen);
    EXPECT_EQ(p.deck.PairCount, 3);
    ASSERT_TRUE(FileExitQAClick(p));
    EXPECT_EQ(snapshot(h.decks.path()), before);
}

TEST_F(DeckLoaderTest, ReadOnlyFileOnAReadOnlyDiskGetsBothWarnings) {
    std::string path = h.write("both.DKS", threePairDeck());
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    h.files.readOnlyFolder = h.decks.path();
    h.ui.expectBox({"Q&A Read-Only Warning", path + " Is A Read-Only File." + kCannotChange,
                    Icon::Information, Buttons::Ok});
    h.ui.expectBox({"Q&A Write-Protected Disk Warning",
                    path + " Is Located On A Write-Protected Or Read-Only Disk (Perhaps a CDROM)." +
                        kCannotChange,
                    Icon::Information, Buttons::Ok});
    h.open(path);
    EXPECT_TRUE(p.shell.deckOpen);
    EXPECT_FALSE(h.decks.exists("both.DKD"));
}

TEST_F(DeckLoaderTest, DeckOfExactlyFiveThousandPairsLoadsWithoutWarning) {
    h.open(h.write("big.DKS", manyPairs(5000)));
    EXPECT_TRUE(h.ui.boxes.empty());
    EXPECT_EQ(p.deck.PairCount, 5000);
}

TEST_F(DeckLoaderTest, OversizeDeckWarnsAndLoadsTheFirstFiveThousand) {
    std::string text = manyPairs(5001);
    std::string path = h.write("huge.DKS", text);
    h.ui.expectBox(kOversizeDeckBox);
    h.open(path);
    EXPECT_EQ(p.deck.PairCount, 5000);
    EXPECT_TRUE(p.shell.deckOpen);
    EXPECT_EQ(h.decks.read("huge.DKS"), text);
}

TEST_F(DeckLoaderTest, HandMadeDeckGetsItsSetupFileWithEveryPairUnlearned) {
    std::string path = h.write("hand.DKS", threePairDeck());
    h.open(path);
    ASSERT_TRUE(p.shell.deckOpen);
    std::string setup = h.decks.read("hand.DKD");
    EXPECT_EQ(setup.rfind("[CARDWISE]\r\nCenter=  0\r\n", 0), 0u) << setup;
    const std::string tail = crlf({"Q&A1=2026120700000000000000", "Q&A2=2026120700000000000000",
                                   "Q&A3=2026120700000000000000"});
    ASSERT_GE(setup.size(), tail.size());
    EXPECT_EQ(setup.substr(setup.size() - tail.size()), tail);
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(p.deck.Learning.at(static_cast<std::size_t>(n)).LearnStatus, Unlearned);
        EXPECT_EQ(p.deck.Learning.at(static_cast<std::size_t>(n)).LastDate, 20261207);
    }
}

TEST_F(DeckLoaderTest, OlderSettingsLinesMoveIntoTheNewSetupFile) {
    std::string qa =
        crlf({"[Cardwise]", "NoPriority=2", "NumSeconds=7", "LowRange=2", "; a comment", "Q1=one",
              "A1=uno", "Q2=two", "A2=dos", "Q3=three", "A3=tres"});
    std::string path = h.write("old.DKS", qa);
    p.settings.QLeft = 40;
    p.settings.QFontColor = 255;
    p.settings.UseNamedRange = 2;
    p.settings.RangeName = "Verbs";
    h.open(path);
    ASSERT_TRUE(h.ui.boxes.empty()) << h.ui.boxes.front();
    ASSERT_TRUE(p.shell.deckOpen);
    std::string setup = h.decks.read("old.DKD");
    const std::string block = crlf({"[Cardwise]",        "RangeName=",
                                    "QLeft=  40",        "QTop=  52",
                                    "QWidth= 610",       "QHeight= 376",
                                    "ALeft=  30",        "ATop=  52",
                                    "AWidth= 610",       "AHeight= 376",
                                    "QFontName=Arial",   "QFontSize=  12",
                                    "QFontStyle=fsBold", "QFontColor=       255",
                                    "AFontName=Arial",   "AFontSize=  12",
                                    "AFontStyle=fsBold", "AFontColor=         0",
                                    "NoPriority=2",      "NumSeconds=7",
                                    "LowRange=2"});
    EXPECT_EQ(setup.rfind(block, 0), 0u) << setup;
    EXPECT_EQ(p.settings.NoPriority, 2);
    EXPECT_EQ(p.settings.NumSeconds, 7);
    EXPECT_EQ(p.settings.LowRange, 2);
    EXPECT_EQ(p.settings.HighRange, 3);
    EXPECT_EQ(p.settings.RangeName, "");
    EXPECT_EQ(h.decks.read("old.DKS"), qa);
}

TEST_F(DeckLoaderTest, InvalidSettingsOpenTheSetupFileInTheEditorAndReadItAgain) {
    std::string path = h.write("bad.DKS", threePairDeck());
    h.write("bad.DKD", crlf({"[CARDWISE]", "NoPriority=  1", "NumSeconds= 99"}));
    std::string setupPath = h.decks.file("bad.DKD");
    h.editor.onEdit = [&](const std::string& file) {
        EXPECT_TRUE(p.NotePadOpen);
        h.decks.write("bad.DKD", crlf({"[CARDWISE]", "NoPriority=  1", "NumSeconds= 98"}));
        (void)file;
    };
    const std::string qaBefore = h.decks.read("bad.DKS");
    const ShownBox seconds{"Data Error",
                           "Error In Display Answer After Value - Must Be An Integer Between 1 "
                           "and 60 - Please Re-enter",
                           Icon::Warning, Buttons::Ok};
    h.ui.expectBox(seconds);
    h.ui.expectBox(setupDataErrorBox(path, setupPath));
    // The corrected file is read again and its remaining error shown again.
    h.ui.expectBox(seconds);
    h.open(path);
    EXPECT_EQ(h.decks.read("bad.DKS"), qaBefore);
    EXPECT_EQ(h.editor.opened, std::vector<std::string>{setupPath});
    EXPECT_EQ(p.settings.NumSeconds, 98);
    EXPECT_FALSE(p.NotePadOpen);
    EXPECT_FALSE(p.shell.deckOpen);
    EXPECT_FALSE(p.drill.DrillActive);
    EXPECT_EQ(h.drillStarts(), 0);
    EXPECT_FALSE(h.decks.exists("bad.~LS"));
    EXPECT_EQ(p.deck.PairCount, 0);
}

TEST_F(DeckLoaderTest, DeckWithoutQuestionsIsReportedAsADataError) {
    const std::string qa = crlf({"[Cardwise]", "; nothing", "Q0=no"});
    std::string path = h.write("empty.DKS", qa);
    h.ui.expectBox({"Data Error",
                    path + " Does Not Appear To Contain Any Questions.  Please Check That The "
                           "Data Format Is Correct.  See The Help Topic \"Creating And Editing "
                           "Q&A Files\" For Additional Information.",
                    Icon::Warning, Buttons::Ok});
    h.open(path);
    EXPECT_EQ(h.decks.read("empty.DKS"), qa);
    EXPECT_FALSE(p.shell.deckOpen);
    EXPECT_TRUE(h.editor.opened.empty());
    // The outcome is reported with the normal pointer back.
    EXPECT_FALSE(h.ui.waitCursorDuringBox);
    EXPECT_EQ(h.ui.waitDepth, 0);
}

TEST_F(DeckLoaderTest, OverlongPairOpensTheQAFileInTheEditor) {
    std::string longAnswer = "A2=" + std::string(2100 - 4 - 6 - 3, 'x');  // pair of 2100
    std::string qa = crlf({"[Cardwise]", "Q1=one", "A1=uno", "Q2=two", longAnswer, "Q3=3", "A3=3"});
    std::string path = h.write("long.DKS", qa);
    h.ui.expectBox(overlongPairBox(2));
    h.ui.expectBox(testing::qaFileErrorBox(path));
    h.ui.expectBox(testing::editorWarningBox());
    h.open(path);
    EXPECT_EQ(h.editor.opened, std::vector<std::string>{path});
    EXPECT_EQ(p.deck.LoadOutcome, 4);
    EXPECT_FALSE(p.shell.deckOpen);
    EXPECT_EQ(h.decks.read("long.DKS"), qa);
}

TEST_F(DeckLoaderTest, PairJustBelowTheLimitLoads) {
    std::string answer = "A2=" + std::string(2099 - 4 - 6 - 3, 'x');
    h.open(h.write("edge.DKS",
                   crlf({"[Cardwise]", "Q1=one", "A1=uno", "Q2=two", answer, "Q3=3", "A3=3"})));
    EXPECT_TRUE(h.ui.boxes.empty());
    EXPECT_EQ(p.deck.PairText.at(1).size(), 2099u);
}

TEST_F(DeckLoaderTest, GraphicsFolderThatDoesNotExistIsASetupError) {
    std::string path = h.write("pics.DKS", threePairDeck());
    h.write("pics.DKD",
            crlf({"[CARDWISE]", "NoPriority=  1", "UseGraphicsDIR=  1", "GraphicsDIR=/no/such"}));
    const ShownBox noFolder{"Options Data Error",
                            "The Directory Specified For Graphics Files Does Not Exist.",
                            Icon::Warning, Buttons::Ok};
    h.ui.expectBox(noFolder);
    h.ui.expectBox(setupDataErrorBox(path, h.decks.file("pics.DKD")));
    h.ui.expectBox(noFolder);
    h.open(path);
    EXPECT_EQ(h.editor.opened, std::vector<std::string>{h.decks.file("pics.DKD")});
}

TEST_F(DeckLoaderTest, UnreadableQAFileIsReportedAndNothingIsWritten) {
    std::string path = h.write("locked.DKS", threePairDeck());
    h.files.unreadableFile = path;
    auto before = snapshot(h.decks.path());
    h.ui.expectBox(readErrorBox(path));
    h.open(path);
    EXPECT_EQ(p.deck.LoadOutcome, kLoadFileError);
    EXPECT_FALSE(p.shell.deckOpen);
    EXPECT_EQ(snapshot(h.decks.path()), before);
}

TEST_F(DeckLoaderTest, UnreadableSetupFileIsNeverReplaced) {
    std::string path = h.write("locked.DKS", threePairDeck());
    std::string setup = h.write("locked.DKD", "[CARDWISE]\r\nNoPriority=  2\r\n");
    h.files.unreadableFile = setup;
    auto before = snapshot(h.decks.path());
    h.ui.expectBox(readErrorBox(setup));
    h.open(path);
    EXPECT_FALSE(p.shell.deckOpen);
    EXPECT_EQ(snapshot(h.decks.path()), before);
}

// Sparse files: the sizes cost no disk space, and a read of them would show as a read box.
TEST_F(DeckLoaderTest, FilesLargerThanAnyDeckAreRefusedBeforeBeingRead) {
    struct Case {
        std::string qaName;
        std::uint64_t qaSize;
        std::uint64_t setupSize;  // 0: no setup data file
        std::string refused;
        std::uint64_t limit;
    };
    const std::vector<Case> cases = {
        {"huge.DKS", kMaxQAFileBytes + 1, 0, "huge.DKS", kMaxQAFileBytes},
        {"bloated.DKS", 100, kMaxSetupFileBytes + 1, "bloated.DKD", kMaxSetupFileBytes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.qaName);
        std::string path = h.write(c.qaName, threePairDeck());
        std::filesystem::resize_file(path, c.qaSize);
        std::string setup = h.decks.file(setupNameOf(c.qaName));
        if (c.setupSize > 0) {
            h.decks.write(setupNameOf(c.qaName), "[CARDWISE]\r\n");
            std::filesystem::resize_file(setup, c.setupSize);
        }
        h.files.unreadableFile = c.setupSize > 0 ? setup : path;
        const std::uint64_t size = c.setupSize > 0 ? c.setupSize : c.qaSize;
        h.ui.expectBox({"File Too Large",
                        h.decks.file(c.refused) + " Is " + std::to_string(size) +
                            " Bytes Long, Larger Than Any Cardwise Deck File Can Be (At Most " +
                            std::to_string(c.limit) + " Bytes).  The File Was Not Opened.",
                        Icon::Error, Buttons::Ok});
        h.open(path);
        h.ui.checkAllShown();
        EXPECT_EQ(p.deck.LoadOutcome, kLoadFileError);
        EXPECT_FALSE(p.shell.deckOpen);
        EXPECT_EQ(std::filesystem::file_size(path), c.qaSize);
        EXPECT_EQ(h.decks.exists(setupNameOf(c.qaName)), c.setupSize > 0);
    }
}

TEST_F(DeckLoaderTest, DeckNamesWithControlCharactersAreRefusedBeforeAnythingHappens) {
    for (std::string name : {"two\nlines.DKS", "cr\rname.DKS", "tab\tname.DKS", "bell\x07.DKS"}) {
        SCOPED_TRACE(name);
        std::string path = h.write(name, threePairDeck());
        auto before = snapshot(h.decks.path());
        h.ui.expectBox(testing::invalidFileNameBox(path));
        h.open(path);
        h.ui.checkAllShown();
        EXPECT_FALSE(p.shell.deckOpen);
        EXPECT_EQ(snapshot(h.decks.path()), before);
        EXPECT_EQ(p.appSettings.read().bytes().find(name), std::string::npos);
    }
}

TEST(ExtensionOf, TakesTheFileNamesLastDot) {
    EXPECT_EQ(extensionOf("/a.b/deck.DKS"), ".DKS");
    EXPECT_EQ(extensionOf("/a.b/deck"), "");
    EXPECT_EQ(extensionOf("deck.tar.dks"), ".dks");
}

}  // namespace
}  // namespace cardwise
