// The learning state written while a deck is drilled, over the real disk.
#include "core/shell/deck_save.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/deck/reenable.h"
#include "core/drill/core_drill_engine.h"
#include "core/drill/pair_toggles.h"
#include "core/drill/run_control.h"
#include "core/shell/deck_close.h"
#include "core/study/list_operations.h"
#include "core/study/mode_dialogs.h"
#include "core/study/options_dialog.h"
#include "core/study/statistics.h"
#include "support/deck_harness.h"

namespace cardwise {
namespace {

using testing::crlf;
using testing::DeckHarness;
using testing::ShownBox;
using testing::snapshot;

const std::string kDeck = crlf({"[Cardwise]", "Q1=one", "A1=uno", "Q2=two", "A2=dos", "Q3=three",
                                "A3=tres", "Q4=four", "A4=cuatro"});

// A deck opened and drilled as the program does; the front end's close saves it.
struct SaveAsYouGo : ::testing::Test {
    DeckHarness h;
    CoreDrillEngine engine;
    DrillController drill{h.program, engine};
    Program& p = h.program;
    std::string path;

    void SetUp() override {
        h.frontEnd.onCall = [this](std::string_view call) {
            if (call == "RunDKSFile") drill.start();
            if (call == "closeDrillWindows") drill.hideWindows();
            if (call == "closeDeck") FileExitQAClick(p);
        };
        path = h.write("deck.DKS", kDeck);
    }
    void open() {
        h.open(path);
        ASSERT_TRUE(p.shell.deckOpen);
        ASSERT_EQ(drill.screen(), DrillScreen::Question);
    }
    void at(int seconds, int milliseconds = 0) {
        h.clock.setTime(TimeOfDay{10, 0, seconds, milliseconds});
    }
    void answer(bool correct) {
        drill.displayAnswer();
        if (correct)
            drill.markCorrect();
        else
            drill.markIncorrect();
    }
    // The counters of a pair as the setup data file on disk holds them.
    struct Counts {
        int RightTotal = 0;
        int WrongTotal = 0;
        bool AskedInRun = false;
    };
    Counts onDisk(std::int32_t pair) const {
        const std::string setup = h.decks.read("deck.DKD");
        const std::string prefix = "\r\nQ&A" + std::to_string(pair) + "=";
        const std::size_t at = setup.find(prefix);
        if (at == std::string::npos) {
            ADD_FAILURE() << "no status line for pair " << pair;
            return {};
        }
        const std::string fields = setup.substr(at + prefix.size(), 22);
        return Counts{std::stoi(fields.substr(10, 5)), std::stoi(fields.substr(17, 2)),
                      fields[21] >= '4'};
    }
};

TEST_F(SaveAsYouGo, ADrillThatIsNeverClosedReopensWithItsGrades) {
    open();
    answer(true);   // pair 1
    answer(false);  // pair 2, within the interval: left for the timer
    at(3);
    flushPendingSave(p);
    const std::string qaBefore = h.decks.read("deck.DKS");

    // The program is killed here: a second program opens what is on disk.
    DeckHarness again;
    again.open(path);
    ASSERT_TRUE(again.program.shell.deckOpen);
    const DeckState& reloaded = again.program.deck;
    EXPECT_EQ(reloaded.Learning.at(1).RightToday, 1);
    EXPECT_EQ(reloaded.Learning.at(1).RightTotal, 1);
    EXPECT_EQ(reloaded.Learning.at(2).WrongToday, 1);
    EXPECT_EQ(reloaded.Learning.at(2).WrongTotal, 1);
    EXPECT_EQ(reloaded.Learning.at(3).RightTotal + reloaded.Learning.at(3).WrongTotal, 0);
    EXPECT_EQ(h.decks.read("deck.DKS"), qaBefore) << "the Q&A file waits for the close";
}

TEST_F(SaveAsYouGo, WritesTheFileACloseWouldWrite) {
    open();
    answer(true);
    const std::string written = h.decks.read("deck.DKD");
    EXPECT_EQ(onDisk(1).RightTotal, 1);
    EXPECT_TRUE(onDisk(2).AskedInRun) << "the run goes on from the file";
    ASSERT_TRUE(FileExitQAClick(p));
    EXPECT_EQ(h.decks.read("deck.DKD"), written);
    EXPECT_TRUE(h.ui.boxes.empty());
}

TEST_F(SaveAsYouGo, FastGradesWaitForTheIntervalButNotLongerThanIt) {
    open();
    at(0);
    answer(true);  // the first grade is written at once
    EXPECT_EQ(onDisk(1).RightTotal, 1);
    at(1);
    answer(true);
    at(2, 999);
    flushPendingSave(p);
    EXPECT_EQ(onDisk(2).RightTotal, 0) << "written again within 3 seconds";
    at(3);
    flushPendingSave(p);
    EXPECT_EQ(onDisk(2).RightTotal, 1);
    // Nothing owed: the timer writes nothing more.
    const std::string written = h.decks.read("deck.DKD");
    h.decks.write("deck.DKD", written + "marker");
    at(9);
    flushPendingSave(p);
    EXPECT_EQ(h.decks.read("deck.DKD"), written + "marker");
}

TEST_F(SaveAsYouGo, AnUndoneGradeIsTakenOffTheDiskToo) {
    open();
    at(0);
    answer(true);
    ASSERT_EQ(onDisk(1).RightTotal, 1);
    at(5);
    drill.undoLastGrade();
    EXPECT_EQ(onDisk(1).RightTotal, 0);
}

TEST_F(SaveAsYouGo, AFailedWriteIsReportedOnceAndTriedAgainAtTheNextGradeAndAtTheClose) {
    open();
    const auto before = snapshot(h.decks.path());
    h.files.failWrites = true;
    h.ui.expectBox(testing::writeErrorBox(h.decks.file("deck.DKD"), "No space left on device"));
    at(0);
    answer(true);
    at(1);
    answer(true);  // tried again at once, not reported again
    at(9);
    flushPendingSave(p);
    EXPECT_EQ(snapshot(h.decks.path()), before);

    h.files.failWrites = false;
    at(10);
    answer(false);  // the interval has not passed, but the last write failed
    EXPECT_EQ(onDisk(1).RightTotal, 1);
    EXPECT_EQ(onDisk(2).RightTotal, 1);
    EXPECT_EQ(onDisk(3).WrongTotal, 1);

    // A later failure is a new one: reported again, and the close writes what it lost.
    h.files.failWrites = true;
    h.ui.expectBox(testing::writeErrorBox(h.decks.file("deck.DKD"), "No space left on device"));
    at(20);
    answer(true);
    h.files.failWrites = false;
    ASSERT_TRUE(FileExitQAClick(p));
    EXPECT_EQ(onDisk(4).RightTotal, 1);
}

TEST_F(SaveAsYouGo, AReadOnlyDeckIsNeverWritten) {
    open();
    ASSERT_TRUE(FileExitQAClick(p));
    h.files.readOnlyFolder = h.decks.path();
    h.ui.expectBox({"Q&A Write-Protected Disk Warning",
                    path +
                        " Is Located On A Write-Protected Or Read-Only Disk (Perhaps a CDROM).  "
                        "The File Will Operate Properly, But No Permanent Changes Can Be Made To "
                        "The Option Settings, Priority List, Etc.",
                    Icon::Information, Buttons::Ok});
    open();
    const auto before = snapshot(h.decks.path());
    answer(true);
    at(9);
    flushPendingSave(p);
    answer(false);
    EXPECT_EQ(snapshot(h.decks.path()), before);
    EXPECT_FALSE(savePending(p));
}

TEST_F(SaveAsYouGo, AfterTheEditorTheTimerWritesBothFilesInStep) {
    open();
    p.deck.PairText.set(1, "Q2=two again$#$!A2=dos");
    p.document.markTextsChanged();
    answer(true);
    at(9);
    flushPendingSave(p);
    EXPECT_EQ(onDisk(1).RightTotal, 1);
    EXPECT_NE(h.decks.read("deck.DKS").find("Q2=two again\r\n"), std::string::npos);
    EXPECT_FALSE(savePending(p));
}

// Every change the user can make to a deck marks it changed, and the next save writes it.
TEST_F(SaveAsYouGo, EveryKindOfChangeIsOwedToTheDiskAndTheNextSaveWritesIt) {
    struct Row {
        const char* name;
        std::function<void(SaveAsYouGo&)> prepare;  // state already on disk before the change
        std::function<void(SaveAsYouGo&)> change;
        std::function<void(const DeckState&, const DeckSettings&)> check;  // on a reload
    };
    const ShownBox listCleared{"Priority List", "The Priority List Has Been Cleared",
                               Icon::Information, Buttons::Ok};
    const ShownBox reEnabled{"Priority List", "The Disabled Questions Have Been Re-enabled",
                             Icon::Information, Buttons::Ok};
    auto setFlags = [](std::int32_t pair, std::int32_t flags) {
        return [=](SaveAsYouGo& t) { t.p.deck.Learning.at(pair).ListFlags = flags; };
    };
    const Row rows[] = {
        {"grade", nullptr, [](SaveAsYouGo& t) { t.answer(true); },
         [](const DeckState& d, const DeckSettings&) {
             EXPECT_EQ(d.Learning.at(1).RightTotal, 1);
         }},
        {"undo of a grade", [](SaveAsYouGo& t) { t.answer(true); },
         [](SaveAsYouGo& t) { t.drill.undoLastGrade(); },
         [](const DeckState& d, const DeckSettings&) {
             EXPECT_EQ(d.Learning.at(1).RightTotal, 0);
         }},
        {"clear today's counts", [](SaveAsYouGo& t) { t.answer(true); },
         [](SaveAsYouGo& t) { clearTodayCounts(t.p.document); },
         [](const DeckState& d, const DeckSettings&) {
             EXPECT_EQ(d.Learning.at(1).RightToday, 0);
         }},
        {"clear long-term counts", [](SaveAsYouGo& t) { t.answer(true); },
         [](SaveAsYouGo& t) { clearLongTermCounts(t.p.document); },
         [](const DeckState& d, const DeckSettings&) {
             EXPECT_EQ(d.Learning.at(1).RightTotal, 0);
         }},
        {"reset to unlearned",
         [](SaveAsYouGo& t) { t.p.deck.Learning.at(2).LearnStatus = LongTerm; },
         [](SaveAsYouGo& t) {
             t.h.ui.expectBox(
                 {std::string(kResetToUnlearnedCaption), std::string(kResetToUnlearnedQuestion),
                  Icon::Question, Buttons::YesNo},
                 Button::Yes);
             ResetToUnlearned(t.p);
         },
         [](const DeckState& d, const DeckSettings&) {
             EXPECT_EQ(d.Learning.at(2).LearnStatus, Unlearned);
         }},
        {"clear the priority list", setFlags(2, kOnListFlag),
         [&](SaveAsYouGo& t) {
             t.h.ui.expectBox(listCleared);
             ClearPriorityList(t.p);
         },
         [](const DeckState& d, const DeckSettings&) { EXPECT_EQ(d.Learning.at(2).ListFlags, 0); }},
        {"re-enable all pairs", setFlags(3, kDisabledFlag),
         [&](SaveAsYouGo& t) {
             t.h.ui.expectBox(reEnabled);
             ReEnableAllPairs(t.p);
         },
         [](const DeckState& d, const DeckSettings&) { EXPECT_EQ(d.Learning.at(3).ListFlags, 0); }},
        {"priority list toggle", nullptr,
         [](SaveAsYouGo& t) { ASSERT_TRUE(TogglePriorityList(t.p).changed); },
         [](const DeckState& d, const DeckSettings&) {
             EXPECT_EQ(d.Learning.at(d.CurrentPair).ListFlags, kOnListFlag);
         }},
        {"disable toggle", nullptr,
         [](SaveAsYouGo& t) { ASSERT_TRUE(ToggleDisabled(t.p).changed); },
         [](const DeckState& d, const DeckSettings&) {
             EXPECT_EQ(d.Learning.at(d.CurrentPair).ListFlags, kDisabledFlag);
         }},
        {"options OK", nullptr,
         [](SaveAsYouGo& t) {
             OptionsDialog dialog(t.p, nullptr);
             dialog.controls().lenientFillIn = true;
             ASSERT_TRUE(dialog.ok().closes);
         },
         [](const DeckState&, const DeckSettings& s) { EXPECT_EQ(s.LenientFillIn, 1); }},
        {"list frequency OK", nullptr,
         [](SaveAsYouGo& t) {
             FrequencyDialog dialog(t.p, FrequencyDialog::Kind::List);
             dialog.frequency = "7";
             ASSERT_TRUE(dialog.ok().closes);
         },
         [](const DeckState&, const DeckSettings& s) { EXPECT_EQ(s.Frequency, 7); }},
        {"history thresholds OK", nullptr,
         [](SaveAsYouGo& t) {
             HistoryDialog dialog(t.p);
             dialog.fields[3] = "4";
             ASSERT_TRUE(dialog.ok().closes);
         },
         [](const DeckState&, const DeckSettings& s) { EXPECT_EQ(s.ShortThreshold, 4); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        h.write("deck.DKS", kDeck);
        std::filesystem::remove(h.decks.file("deck.DKD"));
        open();
        // Only the explicit save below writes.
        p.document.intervalMs = std::int64_t{1} << 40;
        p.document.lastWriteMs = 0;
        if (row.prepare) {
            row.prepare(*this);
            p.document.markChanged();
            ASSERT_NE(saveIfChanged(p), SaveOutcome::Failed);
        }
        ASSERT_FALSE(p.document.changed());
        row.change(*this);
        h.ui.checkAllShown();
        EXPECT_TRUE(p.document.changed());
        EXPECT_EQ(saveIfChanged(p), SaveOutcome::Saved);
        EXPECT_FALSE(p.document.changed());

        DeckHarness again;
        again.open(path);
        ASSERT_TRUE(again.program.shell.deckOpen);
        again.program.deck.CurrentPair = p.deck.CurrentPair;
        row.check(again.program.deck, again.program.settings);
        ASSERT_TRUE(FileExitQAClick(p));
    }
}

TEST_F(SaveAsYouGo, LenientFillInIsWrittenOnlyOnceTheUserTurnedItOn) {
    auto keyLine = [&]() -> std::string {
        const std::string setup = h.decks.read("deck.DKD");
        const std::size_t at = setup.find("LenientFillIn=");
        return at == std::string::npos ? "" : setup.substr(at, setup.find('\r', at) - at);
    };
    open();
    ASSERT_TRUE(FileExitQAClick(p));
    EXPECT_EQ(keyLine(), "") << "a fresh deck keeps the usual layout";
    open();
    p.settings.LenientFillIn = 1;
    ASSERT_TRUE(FileExitQAClick(p));
    EXPECT_EQ(keyLine(), "LenientFillIn=  1");
    open();
    p.settings.LenientFillIn = 0;
    ASSERT_TRUE(FileExitQAClick(p));
    EXPECT_EQ(keyLine(), "LenientFillIn=  0") << "a key the file had stays";
}

// Another program (a text editor, a sync tool) rewrote the deck while it was open.
TEST_F(SaveAsYouGo, FilesChangedOnDiskAreNeverOverwrittenBlindly) {
    const std::string theirs = crlf({"[CARDWISE]", "NoPriority=  1", "LastDayUsed=20261201",
                                     "Q&A1=2026120100000000000000", "Q&A2=2026120100000000000000",
                                     "Q&A3=2026120100000000000000", "Q&A4=2026120100000000000000"});
    const ShownBox conflict{"Deck Changed On Disk", changedOnDiskText(path), Icon::Warning,
                            Buttons::YesNoCancel};
    // Written out once, so that a change of wording is a change of this test.
    EXPECT_EQ(conflict.text,
              path +
                  " Or Its .DKD File Was Changed By Another Program Since Cardwise Read It, And "
                  "Saving Now Would Overwrite Those Changes.  Yes Keeps Your Copy Under A New "
                  "Name; No Reloads The Deck From Disk, Dropping What Was Changed Here Since The "
                  "Last Save; Cancel Saves Nothing For Now.");
    auto changeOnDisk = [&] {
        p.document.intervalMs = std::int64_t{1} << 40;
        p.document.lastWriteMs = 0;
        answer(true);
        h.decks.write("deck.DKD", theirs);
    };

    open();
    changeOnDisk();
    h.ui.expectBox(conflict, Button::Cancel);
    EXPECT_EQ(saveIfChanged(p), SaveOutcome::Failed);
    EXPECT_EQ(h.decks.read("deck.DKD"), theirs);
    h.ui.expectBox(conflict, Button::Cancel);
    EXPECT_FALSE(FileExitQAClick(p)) << "the close stops rather than overwrite";
    EXPECT_TRUE(p.shell.deckOpen);

    // Yes: this copy goes on under a name the user gives; their files stay theirs.
    h.ui.expectBox(conflict, Button::Yes);
    h.ui.fileChoices.push_back(h.decks.file("mine.DKS"));
    EXPECT_TRUE(FileExitQAClick(p));
    h.ui.checkAllShown();
    EXPECT_EQ(h.decks.read("deck.DKD"), theirs);
    EXPECT_NE(h.decks.read("mine.DKS").find("Q1=one\r\n"), std::string::npos);
    DeckHarness mine;
    mine.open(h.decks.file("mine.DKS"));
    EXPECT_EQ(mine.program.deck.Learning.at(1).RightTotal, 1);

    // No: the deck is read again as the other program left it.
    h.decks.write("deck.DKD", theirs);
    open();
    changeOnDisk();
    h.ui.expectBox(conflict, Button::No);
    EXPECT_NE(saveIfChanged(p), SaveOutcome::Failed);
    reloadIfWanted(p);
    EXPECT_TRUE(p.shell.deckOpen);
    EXPECT_EQ(p.deck.Learning.at(1).RightTotal, 0);
    EXPECT_EQ(p.deck.QAFileName, path);
    h.ui.checkAllShown();
}

TEST_F(SaveAsYouGo, NoSaveInsideAGradeAPrintWalkOrTheTextEditor) {
    open();
    p.document.markChanged();
    const std::string before = h.decks.read("deck.DKD");
    {
        const SaveHold hold(p.document);
        EXPECT_EQ(saveIfChanged(p), SaveOutcome::Held);
    }
    p.NotePadOpen = true;
    EXPECT_EQ(saveIfChanged(p), SaveOutcome::Held);
    p.NotePadOpen = false;
    EXPECT_EQ(h.decks.read("deck.DKD"), before);
    EXPECT_TRUE(savePending(p));
    EXPECT_EQ(saveIfChanged(p), SaveOutcome::Saved);
}

TEST_F(SaveAsYouGo, NoWriteWhileAGradeIsUnderWay) {
    open();
    at(0);
    answer(true);
    at(1);
    answer(true);
    at(5);
    {
        const SaveHold hold(p.document);
        flushPendingSave(p);
        EXPECT_EQ(onDisk(2).RightTotal, 0);
    }
    flushPendingSave(p);
    EXPECT_EQ(onDisk(2).RightTotal, 1);
}

TEST_F(SaveAsYouGo, NothingToUndoOnceTheDeckIsClosed) {
    open();
    answer(true);
    ASSERT_TRUE(drill.closeWindow());
    EXPECT_FALSE(p.shell.deckOpen);
    h.ui.expectBox({std::string(kUndoGradeCaption), std::string(kNothingToUndoText),
                    Icon::Information, Buttons::Ok});
    drill.undoLastGrade();
    EXPECT_EQ(drill.screen(), DrillScreen::None);

    // Opened again, the grade before the close is the deck's, not an undoable one.
    open();
    EXPECT_EQ(p.deck.Learning.at(1).RightTotal, 1);
    h.ui.expectBox({std::string(kUndoGradeCaption), std::string(kNothingToUndoText),
                    Icon::Information, Buttons::Ok});
    drill.undoLastGrade();
}

}  // namespace
}  // namespace cardwise
