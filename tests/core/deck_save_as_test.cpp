#include "core/shell/deck_save_as.h"

#include <gtest/gtest.h>

#include "core/shell/deck_close.h"
#include "support/deck_harness.h"

namespace cardwise {
namespace {

using testing::DeckHarness;
using testing::ShownBox;
using testing::snapshot;
using testing::TempDir;
using testing::threePairDeck;

struct DeckSaveAsTest : ::testing::Test {
    DeckHarness h;
    Program& p = h.program;
    std::string path;

    void openDeck() {
        path = h.write("deck.DKS", threePairDeck());
        h.open(path);
        ASSERT_TRUE(p.shell.deckOpen);
        p.deck.Learning.at(2).LearnStatus = LongTerm;
    }
};

TEST_F(DeckSaveAsTest, NewNameGetsBothFilesAndTheCopyIsOpen) {
    openDeck();
    std::string copy = h.decks.file("copy.DKS");
    h.ui.fileChoices.push_back(copy);
    FileSaveAsClick(p);
    ASSERT_EQ(h.ui.fileRequests.size(), 1u);
    EXPECT_EQ(h.ui.fileRequests[0].title, "Save Current File To New .DKS File");
    EXPECT_EQ(h.ui.fileRequests[0].filter, "DKS Files|*.dks");
    EXPECT_TRUE(h.ui.boxes.empty()) << h.ui.boxes.front();
    EXPECT_EQ(h.decks.read("copy.DKS"), h.decks.read("deck.DKS"));
    EXPECT_NE(h.decks.read("deck.DKD").find("Q&A2=20261207 0    0 0 0020"), std::string::npos);
    EXPECT_EQ(p.deck.QAFileName, copy);
    EXPECT_TRUE(p.shell.deckOpen);
    EXPECT_EQ(p.deck.Learning.at(2).LearnStatus, LongTerm);
    EXPECT_EQ(p.shell.recentFiles[0], copy);
    EXPECT_EQ(p.shell.recentFiles[1], path);
    EXPECT_EQ(h.drillStarts(), 2);
}

TEST_F(DeckSaveAsTest, LowerCaseNameKeepsTheLearningStateOnACaseSensitiveDisk) {
    openDeck();
    h.ui.fileChoices.push_back(h.decks.file("copy"));  // becomes copy.DKS
    FileSaveAsClick(p);
    ASSERT_TRUE(p.shell.deckOpen);
    EXPECT_EQ(p.deck.Learning.at(2).LearnStatus, LongTerm);
    h.ui.fileChoices.push_back(h.decks.file("lower.dks"));
    FileSaveAsClick(p);
    ASSERT_TRUE(p.shell.deckOpen);
    EXPECT_TRUE(h.decks.exists("lower.dkD"));
    EXPECT_EQ(p.deck.Learning.at(2).LearnStatus, LongTerm);
}

TEST_F(DeckSaveAsTest, OwnNameSavesAndReopens) {
    openDeck();
    h.ui.fileChoices.push_back(path);
    FileSaveAsClick(p);
    EXPECT_TRUE(h.ui.boxes.empty());
    EXPECT_TRUE(p.shell.deckOpen);
    EXPECT_EQ(h.drillStarts(), 2);
    EXPECT_EQ(p.deck.Learning.at(2).LearnStatus, LongTerm);
}

TEST_F(DeckSaveAsTest, ReplaceQuestionNoAsksAgainAndCancelKeepsEverything) {
    openDeck();
    std::string other = h.write("other.DKS", "[Cardwise]\r\nQ1=x\r\nA1=y\r\n");
    auto before = snapshot(h.decks.path());
    h.ui.fileChoices = {other, other};
    const ShownBox replace{"Replace Existing File?",
                           "The .DKS File " + other +
                               " Already Exists.  Replace The Contents Of This File (And Update "
                               "Its Companion .DKD File) With The Current File - " +
                               path + "??",
                           Icon::Question, Buttons::YesNoCancel};
    h.ui.expectBox(replace, Button::No);
    h.ui.expectBox(replace, Button::Cancel);
    FileSaveAsClick(p);
    EXPECT_EQ(snapshot(h.decks.path()), before);
    EXPECT_TRUE(p.shell.deckOpen);
    EXPECT_EQ(p.deck.QAFileName, path);
    EXPECT_EQ(p.deck.Learning.at(2).LearnStatus, LongTerm);
}

TEST_F(DeckSaveAsTest, ReplaceQuestionYesReplacesBothFiles) {
    openDeck();
    std::string other = h.write("other.DKS", "[Cardwise]\r\nQ1=x\r\nA1=y\r\n");
    h.write("other.DKD", "stale");
    h.ui.fileChoices = {other};
    h.ui.expectBox({"Replace Existing File?",
                    "The .DKS File " + other +
                        " Already Exists.  Replace The Contents Of This File (And Update Its "
                        "Companion .DKD File) With The Current File - " +
                        path + "??",
                    Icon::Question, Buttons::YesNoCancel},
                   Button::Yes);
    FileSaveAsClick(p);
    EXPECT_EQ(h.decks.read("other.DKS"), threePairDeck());
    EXPECT_EQ(p.deck.QAFileName, other);
    EXPECT_EQ(p.deck.PairCount, 3);
    EXPECT_EQ(p.deck.Learning.at(2).LearnStatus, LongTerm);
}

TEST_F(DeckSaveAsTest, OtherExtensionCopiesThenRefusesToOpen) {
    openDeck();
    std::string text = h.decks.file("copy.txt");
    h.ui.fileChoices.push_back(text);
    h.ui.expectBox({"Q&A File Extension Error",
                    text + " Does Not Have A .DKS, .DKT or .DKZ Extension.  All Q&A Files Must "
                           "Use One Of These Extensions.",
                    Icon::Error, Buttons::Ok});
    FileSaveAsClick(p);
    EXPECT_EQ(h.decks.read("copy.txt"), threePairDeck());
    EXPECT_TRUE(h.decks.exists("copy.txD"));
    EXPECT_FALSE(p.shell.deckOpen);
}

TEST_F(DeckSaveAsTest, FailedCopyIsReportedAndTheSavedDeckStaysOpen) {
    openDeck();
    TempDir elsewhere;
    h.files.readOnlyFolder = elsewhere.path();
    h.ui.fileChoices.push_back(elsewhere.file("copy.DKS"));
    h.ui.expectBox(testing::writeErrorBox(elsewhere.file("copy.DKS"), "Read-only file system"));
    FileSaveAsClick(p);
    EXPECT_FALSE(elsewhere.exists("copy.DKS"));
    EXPECT_EQ(p.deck.QAFileName, path);
    EXPECT_TRUE(p.shell.deckOpen);
    EXPECT_EQ(p.deck.Learning.at(2).LearnStatus, LongTerm);
}

TEST_F(DeckSaveAsTest, DeckThatCannotBeSavedIsNotCopied) {
    openDeck();
    TempDir elsewhere;
    h.files.readOnlyFolder = h.decks.path();
    h.ui.fileChoices.push_back(elsewhere.file("copy.DKS"));
    h.ui.expectBox(testing::writeErrorBox(h.decks.file("deck.DKD"), "Read-only file system"));
    FileSaveAsClick(p);
    EXPECT_FALSE(elsewhere.exists("copy.DKS"));
    EXPECT_TRUE(p.shell.deckOpen);
}

TEST_F(DeckSaveAsTest, CancelledDialogKeepsTheDeck) {
    openDeck();
    h.ui.fileChoices.push_back(std::nullopt);
    FileSaveAsClick(p);
    EXPECT_TRUE(p.shell.deckOpen);
    EXPECT_EQ(h.drillStarts(), 1);
}

}  // namespace
}  // namespace cardwise
