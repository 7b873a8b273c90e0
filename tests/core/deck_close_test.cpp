#include "core/shell/deck_close.h"

#include <gtest/gtest.h>

#include "support/deck_harness.h"

namespace cardwise {
namespace {

using testing::crlf;
using testing::DeckHarness;
using testing::snapshot;
using testing::threePairDeck;

struct DeckCloseTest : ::testing::Test {
    DeckHarness h;
    Program& p = h.program;
    std::string path;

    void openThreePairs() {
        path = h.write("deck.DKS", threePairDeck());
        h.open(path);
        ASSERT_TRUE(p.shell.deckOpen);
        h.ui.boxes.clear();
    }
    // The status-line part of the setup data file.
    std::string statusTail() const {
        std::string setup = h.decks.read("deck.DKD");
        std::size_t at = setup.find("Q&A1=");
        return at == std::string::npos ? std::string() : setup.substr(at);
    }
};

TEST_F(DeckCloseTest, CloseWithoutTheEditorKeepsTheQAFileAndWritesTheLearningState) {
    openThreePairs();
    p.deck.Learning.at(2).LearnStatus = ShortTerm;
    p.deck.Learning.at(2).RightToday = 7;
    p.deck.Learning.at(2).RightTotal = 15;
    p.deck.Learning.at(3).ListFlags = 3;
    p.deck.Learning.at(3).AskedInRun = 1;
    ASSERT_TRUE(FileExitQAClick(p));
    EXPECT_EQ(h.decks.read("deck.DKS"), threePairDeck());
    EXPECT_EQ(statusTail(), crlf({"Q&A1=20261207 0    0 0 0000", "Q&A2=20261207 7   15 0 0010",
                                  "Q&A3=20261207 0    0 0 0007"}));
    std::string setup = h.decks.read("deck.DKD");
    EXPECT_EQ(setup.rfind("[CARDWISE]\r\nCenter=  0\r\n", 0), 0u);
    EXPECT_NE(setup.find("\r\nLastDayUsed=20261207\r\nQ&A1="), std::string::npos);
    EXPECT_EQ(h.frontEnd.calls, (std::vector<std::string>{"RunDKSFile", "closeDrillWindows"}));
    EXPECT_FALSE(p.drill.DrillActive);
    EXPECT_FALSE(p.shell.deckOpen);
    EXPECT_EQ(p.shell.deckMenus, DeckMenus{});
    EXPECT_EQ(p.deck.PairCount, 0);
    EXPECT_TRUE(p.deck.PairText.empty());
    EXPECT_TRUE(h.ui.boxes.empty());
}

TEST_F(DeckCloseTest, ClosedDeckReopensWithItsLearningState) {
    openThreePairs();
    p.deck.Learning.at(1).LearnStatus = LongTerm;
    p.deck.Learning.at(1).WrongTotal = 4;
    ASSERT_TRUE(FileExitQAClick(p));
    h.open(path);
    EXPECT_EQ(p.deck.Learning.at(1).LearnStatus, LongTerm);
    EXPECT_EQ(p.deck.Learning.at(1).WrongTotal, 4);
}

TEST_F(DeckCloseTest, CloseAfterTheEditorRewritesTheQAFileFromTheEditedTexts) {
    path = h.write("deck.DKS", crlf({"[Cardwise]", "; comment", "q1=one", "", "a1=uno", "Q7=two",
                                     "A7=dos", "Q9=three", "A9=tres"}));
    h.open(path);
    ASSERT_TRUE(p.shell.deckOpen);
    p.deck.EditorUsed = true;
    p.deck.EditedText[1] = "Q2=TWO$#$!A2=DOS";
    p.deck.EditSlot[2] = 1;
    p.deck.EditSlotsUsed = 1;
    ASSERT_TRUE(FileExitQAClick(p));
    EXPECT_EQ(h.frontEnd.count("closeEditor"), 1);
    EXPECT_EQ(h.decks.read("deck.DKS"),
              crlf({"[Cardwise]", "Q1=one", "A1=uno", "Q2=TWO", "A2=DOS", "Q3=three", "A3=tres"}));
    EXPECT_FALSE(p.deck.EditorUsed);
}

TEST_F(DeckCloseTest, FailedWriteKeepsTheOldFilesAndTheDeckAndCanBeRetried) {
    openThreePairs();
    auto before = snapshot(h.decks.path());
    p.deck.Learning.at(1).LearnStatus = LongTerm;
    p.deck.EditorUsed = true;
    p.deck.EditedText[1] = "Q1=changed$#$!A1=uno";
    p.deck.EditSlot[1] = 1;
    h.files.failWrites = true;
    // The program's settings file holds nothing new, so only the deck's files are written.
    h.ui.expectBox(
        testing::writeErrorBox(h.decks.file("deck.DKD"), path, "No space left on device"));
    EXPECT_FALSE(FileExitQAClick(p));
    EXPECT_EQ(snapshot(h.decks.path()), before);
    // Nothing is discarded: the deck is still loaded and can be closed again.
    EXPECT_TRUE(p.shell.deckOpen);
    EXPECT_TRUE(p.shell.deckMenus.FileExitQA);
    EXPECT_EQ(p.deck.Learning.at(1).LearnStatus, LongTerm);
    EXPECT_EQ(p.deck.currentText(1), "Q1=changed$#$!A1=uno");

    h.files.failWrites = false;
    ASSERT_TRUE(FileExitQAClick(p));
    EXPECT_EQ(h.decks.read("deck.DKS"), crlf({"[Cardwise]", "Q1=changed", "A1=uno", "Q2=two",
                                              "A2=dos", "Q3=three", "A3=tres"}));
    EXPECT_NE(statusTail().find("Q&A1=20261207 0    0 0 0020"), std::string::npos);
}

TEST_F(DeckCloseTest, AFailureAtAnyStepOfTheTwoFileWriteLeavesBothFilesAsTheyWere) {
    openThreePairs();
    // The learning state belongs to pairs renumbered by the edit: neither file may change
    // without the other.
    p.deck.Learning.at(3).LearnStatus = LongTerm;
    p.deck.EditorUsed = true;
    p.deck.EditedText[1] = "Q1=changed$#$!A1=uno";
    p.deck.EditSlot[1] = 1;
    auto before = snapshot(h.decks.path());
    h.files.stepsFolder = h.decks.path();
    // The two temporary files, the old setup data file kept, the two renames.
    for (int step = 1; step <= 5; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        h.files.steps = 0;
        h.files.failingSteps = {step};
        h.ui.expectBox(
            testing::writeErrorBox(h.decks.file("deck.DKD"), path, "Input/output error"));
        EXPECT_FALSE(FileExitQAClick(p));
        h.ui.checkAllShown();
        EXPECT_EQ(snapshot(h.decks.path()), before);
        EXPECT_TRUE(p.shell.deckOpen);
    }
    h.files.failingSteps.clear();
    ASSERT_TRUE(FileExitQAClick(p));
    EXPECT_NE(h.decks.read("deck.DKS").find("Q1=changed"), std::string::npos);
    EXPECT_NE(statusTail().find("Q&A3=20261207 0    0 0 0020"), std::string::npos);
}

TEST_F(DeckCloseTest, AnOldFileThatCouldNotBePutBackIsNotReportedAsKept) {
    openThreePairs();
    p.deck.EditorUsed = true;
    h.files.stepsFolder = h.decks.path();
    h.files.steps = 0;
    h.files.failingSteps = {5, 6};
    const std::string setup = h.decks.file("deck.DKD");
    // The kept file's name ends in a random part.
    const std::string start = "Cardwise Could Not Write " + setup + " And " + path +
                              " (Input/output error; the old " + setup +
                              " could not be put back (Input/output error) and is kept as " +
                              h.decks.path() + "/.deck.DKD.old-";
    const std::string end =
        ").  Not Every Old File Could Be Put Back In Place; The Reason Above Names Where It Is "
        "Kept.";
    h.ui.expectBoxWhere("File Write Error", Icon::Error, Buttons::Ok, [&](const std::string& text) {
        return text.size() > start.size() + end.size() && text.rfind(start, 0) == 0 &&
               text.compare(text.size() - end.size(), end.size(), end) == 0 &&
               text.find(')', start.size()) == text.size() - end.size();
    });
    EXPECT_FALSE(FileExitQAClick(p));
}

TEST_F(DeckCloseTest, FolderThatTurnedReadOnlyKeepsTheOldFiles) {
    openThreePairs();
    auto before = snapshot(h.decks.path());
    p.deck.EditorUsed = true;
    h.files.readOnlyFolder = h.decks.path();
    h.ui.expectBox(testing::writeErrorBox(h.decks.file("deck.DKD"), path, "Read-only file system"));
    EXPECT_FALSE(FileExitQAClick(p));
    EXPECT_EQ(snapshot(h.decks.path()), before);
    EXPECT_TRUE(p.shell.deckOpen);
}

TEST_F(DeckCloseTest, ClosingWithNoDeckOpenWritesNothing) {
    path = h.write("deck.DKS", threePairDeck());
    auto before = snapshot(h.decks.path());
    EXPECT_TRUE(FileExitQAClick(p));
    EXPECT_TRUE(closeOpenDeck(p));
    EXPECT_EQ(snapshot(h.decks.path()), before);
}

}  // namespace
}  // namespace cardwise
