#include "core/shell/deck_new.h"

#include <gtest/gtest.h>

#include "core/shell/deck_close.h"
#include "support/deck_harness.h"

namespace cardwise {
namespace {

using testing::crlf;
using testing::DeckHarness;
using testing::ShownBox;
using testing::snapshot;
using testing::threePairDeck;

const std::string kSevenLines =
    crlf({"[Cardwise]",
          "Q1=This is the first dummy question in the newly-created .DKS file.  Each new file is "
          "initially created with three rudimentary Q&A pairs to comply with internal Cardwise "
          "requirements.^ ^Simply overwrite the first three pairs with your own desired Questions "
          "and Answers and then continue to add to the file using the Insert function. ",
          "A1=First dummy answer", "Q2=Second dummy question", "A2=Second dummy answer",
          "Q3=Third dummy question", "A3=Third dummy answer"});

// The settings block of the program's start values, range 1 to 3 over the entire file.
const std::string kStartSettings = crlf({"[CARDWISE]",
                                         "Center=  0",
                                         "CheckCase=  0",
                                         "QOnly=  0",
                                         "NoScale=  0",
                                         "SyncWin=  0",
                                         "NoPriority=  1",
                                         "AnsFirst=  0",
                                         "IncludeDisabled=  0",
                                         "UseTimer=  0",
                                         "Resume=  0",
                                         "NumSeconds=  5",
                                         "OnePass=  0",
                                         "Numerical=  1",
                                         "Reverse=  0",
                                         "Frequency= 50",
                                         "LowRange=  1",
                                         "HighRange=  3",
                                         "UseNamedRange=  3",
                                         "RangeName=",
                                         "UnFrequency= 80",
                                         "PromoMessage=  0",
                                         "ShortFrequency= 10",
                                         "LongFrequency= 10",
                                         "ShortThreshold=  2",
                                         "LongAnsThreshold=  2",
                                         "LongDayThreshold=  2",
                                         "UnlearnedRollover=  0",
                                         "STLearnedRollover=  0",
                                         "LTLearnedRollover=  0",
                                         "QLeft=  30",
                                         "QTop=  52",
                                         "QWidth= 610",
                                         "QHeight= 376",
                                         "ALeft=  30",
                                         "ATop=  52",
                                         "AWidth= 610",
                                         "AHeight= 376",
                                         "QFontName=Arial",
                                         "QFontSize=  12",
                                         "QFontStyle=[fsBold]",
                                         "QFontColor=         0",
                                         "AFontName=Arial",
                                         "AFontSize=  12",
                                         "AFontStyle=[fsBold]",
                                         "AFontColor=         0",
                                         "MWCurBkGndColor=   8454143",
                                         "QCurBkGndColor=  12632256",
                                         "ACurBkGndColor=  12632256",
                                         "GraphicsDIR=",
                                         "SoundDIR=",
                                         "UseGraphicsDIR=  0",
                                         "UseSoundDIR=  0",
                                         "EnableHints=  1",
                                         "EnableComments=  1",
                                         "EnableTips=  1",
                                         "EnableGraphics=  1",
                                         "EnableAudioVideo=  1",
                                         "AutoPilot=  0",
                                         "AutoQTime=  5",
                                         "AutoATime=  5",
                                         "LastDayUsed=<date>"});

// The file with its LastDayUsed value (never closed yet: any date) shown as <date>.
std::string withoutLastDay(std::string setup) {
    std::size_t at = setup.find("LastDayUsed=");
    if (at == std::string::npos) return setup;
    at += 12;
    std::size_t end = setup.find('\r', at);
    return setup.replace(at, end - at, "<date>");
}

struct DeckNewTest : ::testing::Test {
    DeckHarness h;
    Program& p = h.program;
    int editorShown = 0;
    std::int32_t rememberedPair = -1;

    DeckNewTest() {
        h.frontEnd.onCall = [this](std::string_view call) {
            if (call != "showEditorOnNewDeck") return;
            EXPECT_TRUE(p.deck.EditorUsed);
            EXPECT_EQ(p.deck.CurrentPair, 1);
            rememberedPair = h.frontEnd.rememberedPair;
            ++editorShown;
        };
    }
};

TEST_F(DeckNewTest, NewDeckIsTheSevenLinesWithSettingsFromTheStartValues) {
    h.ui.fileChoices.push_back(h.decks.file("fresh.DKS"));
    p.deck.CurrentPair = 9;
    FileNewClick(p);
    EXPECT_TRUE(h.ui.boxes.empty()) << h.ui.boxes.front();
    ASSERT_EQ(h.ui.fileRequests.size(), 1u);
    EXPECT_EQ(h.ui.fileRequests[0].title, "Create New .DKS File");
    EXPECT_EQ(h.decks.read("fresh.DKS"), kSevenLines);
    EXPECT_EQ(withoutLastDay(h.decks.read("fresh.DKD")),
              kStartSettings + crlf({"Q&A1=2026120700000000000000", "Q&A2=2026120700000000000000",
                                     "Q&A3=2026120700000000000000"}));
    EXPECT_TRUE(p.shell.deckOpen);
    EXPECT_EQ(p.deck.PairCount, 3);
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(p.deck.Learning.at(static_cast<std::size_t>(n)).LearnStatus, Unlearned);
    EXPECT_EQ(editorShown, 1);
    EXPECT_EQ(rememberedPair, 9);
    EXPECT_EQ(p.shell.recentFiles[0], h.decks.file("fresh.DKS"));
}

TEST_F(DeckNewTest, RangeIsResetEvenAfterADeckWithAnotherRange) {
    p.settings.LowRange = 4;
    p.settings.HighRange = 40;
    p.settings.UseNamedRange = 1;
    p.settings.RangeName = "Verbs";
    h.ui.fileChoices.push_back(h.decks.file("r.DKS"));
    FileNewClick(p);
    EXPECT_EQ(p.settings.LowRange, 1);
    EXPECT_EQ(p.settings.HighRange, 3);
    EXPECT_EQ(p.settings.UseNamedRange, 3);
    EXPECT_EQ(p.settings.RangeName, "");
    EXPECT_TRUE(p.shell.deckOpen);
}

TEST_F(DeckNewTest, NameWithoutExtensionGetsDotDKS) {
    h.ui.fileChoices.push_back(h.decks.file("plain"));
    FileNewClick(p);
    EXPECT_TRUE(h.decks.exists("plain.DKS"));
    EXPECT_EQ(p.deck.QAFileName, h.decks.file("plain.DKS"));
}

TEST_F(DeckNewTest, ExistingNameIsRefusedAndOkAsksAgain) {
    h.write("taken.DKS", threePairDeck());
    auto before = snapshot(h.decks.path());
    h.ui.fileChoices = {h.decks.file("taken.DKS"), h.decks.file("other.DKS")};
    h.ui.expectBox({"File Already Exists",
                    "Creating A New File With The Same Name And Path As An Existing File Is Not "
                    "Allowed.",
                    Icon::Error, Buttons::OkCancel});
    FileNewClick(p);
    EXPECT_EQ(h.decks.read("taken.DKS"), before.at(h.decks.file("taken.DKS")));
    EXPECT_EQ(h.decks.read("other.DKS"), kSevenLines);
}

TEST_F(DeckNewTest, LeftoverSetupFileOfTheSameNameIsRefusedToo) {
    h.write("gone.DKD", "[CARDWISE]\r\nNoPriority=  4\r\nQ&A1=20200101 5   10 0 0020\r\n");
    auto before = snapshot(h.decks.path());
    h.ui.fileChoices = {h.decks.file("gone")};
    h.ui.expectBox({"File Already Exists",
                    "Creating A New File With The Same Name And Path As An Existing File Is Not "
                    "Allowed.",
                    Icon::Error, Buttons::OkCancel},
                   Button::Cancel);
    FileNewClick(p);
    EXPECT_EQ(snapshot(h.decks.path()), before);
}

TEST_F(DeckNewTest, NameWithALineBreakIsRefusedAndTheDialogAsksAgain) {
    h.ui.fileChoices = {h.decks.file("two\nlines.DKS"), std::nullopt};
    h.ui.expectBox(testing::invalidFileNameBox(h.decks.file("two\nlines.DKS")));
    FileNewClick(p);
    EXPECT_EQ(h.ui.fileRequests.size(), 2u);
    EXPECT_TRUE(snapshot(h.decks.path()).empty());
    EXPECT_EQ(p.appSettings.read().bytes().find("two"), std::string::npos);
}

TEST_F(DeckNewTest, OtherExtensionIsRefusedAndCancelStops) {
    h.ui.fileChoices = {h.decks.file("notes.txt")};
    h.ui.expectBox(
        {"Invalid .DKS Extension", "Creating A New File With A Non-.DKS Extension Is Not Allowed.",
         Icon::Error, Buttons::OkCancel},
        Button::Cancel);
    FileNewClick(p);
    EXPECT_FALSE(h.decks.exists("notes.txt"));
    EXPECT_FALSE(p.shell.deckOpen);
    EXPECT_EQ(editorShown, 0);
}

TEST_F(DeckNewTest, CancelledDialogDoesNothing) {
    h.ui.fileChoices.push_back(std::nullopt);
    FileNewClick(p);
    EXPECT_TRUE(snapshot(h.decks.path()).empty());
    EXPECT_TRUE(h.ui.boxes.empty());
}

TEST_F(DeckNewTest, OpenDeckIsSavedFirst) {
    std::string old = h.write("old.DKS", threePairDeck());
    h.open(old);
    p.deck.Learning.at(2).LearnStatus = LongTerm;
    h.ui.fileChoices.push_back(h.decks.file("fresh.DKS"));
    FileNewClick(p);
    EXPECT_NE(h.decks.read("old.DKD").find("Q&A2=20261207 0    0 0 0020"), std::string::npos);
    EXPECT_EQ(p.deck.QAFileName, h.decks.file("fresh.DKS"));
}

TEST_F(DeckNewTest, DeckThatCannotBeSavedStaysOpenAndNoNewDeckIsMade) {
    std::string old = h.write("old.DKS", threePairDeck());
    h.open(old);
    h.files.failWrites = true;
    // The program's settings file holds nothing new and is not written.
    h.ui.expectBox(testing::writeErrorBox(h.decks.file("old.DKD"), "No space left on device"));
    FileNewClick(p);
    EXPECT_TRUE(h.ui.fileRequests.empty());
    EXPECT_EQ(p.deck.QAFileName, old);
    EXPECT_TRUE(p.shell.deckOpen);
}

TEST_F(DeckNewTest, FailedWriteOfTheNewFileIsReported) {
    h.files.readOnlyFolder = h.decks.path();
    h.ui.fileChoices.push_back(h.decks.file("fresh.DKS"));
    h.ui.expectBox(testing::writeErrorBox(h.decks.file("fresh.DKS"), "Read-only file system"));
    FileNewClick(p);
    EXPECT_FALSE(h.decks.exists("fresh.DKS"));
    EXPECT_FALSE(p.shell.deckOpen);
    EXPECT_EQ(editorShown, 0);
}

}  // namespace
}  // namespace cardwise
