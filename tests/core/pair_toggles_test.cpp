#include "core/drill/pair_toggles.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace cardwise {
namespace {

using testing::crlf;
using testing::ProgramHarness;
using testing::ShownBox;
using testing::TempDir;

class PairTogglesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        p.deck.QAFileName = dir.file("deck.DKS");
        p.deck.deriveCompanionNames();
        p.currentDirectory = dir.path();
        p.deck.allocate(4);
        p.settings.HighRange = 4;
        dir.write("deck.DKD", crlf({"[CARDWISE]", "NoPriority=  1", "LastDayUsed=20261207"}));
        p.bindSetupFile();
        p.deck.CurrentPair = 2;
        p.deck.Learning[2].AskedInRun = 1;
    }

    TempDir dir;
    ProgramHarness h;
    Program& p = h.program;
    std::int32_t& flag(std::size_t n) { return h.program.deck.Learning.at(n).ListFlags; }
};

const FieldColours kListed{kRed, kWhite};
const FieldColours kUnlisted{kGreen, kWhite};

TEST_F(PairTogglesTest, PriorityToggleMovesThePairOnAndOffTheList) {
    struct Case {
        std::int32_t before;
        std::int32_t after;
        std::string_view caption;
        FieldColours colours;
    };
    for (Case c : {Case{0, 1, "&Remove Pair From Priority List", kListed},
                   Case{1, 0, "&Add Pair To Priority List", kUnlisted},
                   Case{2, 3, "&Remove Pair From Priority List", kListed},
                   Case{3, 2, "&Add Pair To Priority List", kUnlisted}}) {
        flag(2) = c.before;
        p.deck.Learning[2].AskedInRun = 1;
        ToggleOutcome outcome = TogglePriorityList(p);
        EXPECT_TRUE(outcome.changed);
        EXPECT_EQ(flag(2), c.after) << "from " << c.before;
        EXPECT_EQ(outcome.caption, c.caption);
        EXPECT_EQ(outcome.colours, c.colours);
        EXPECT_EQ(p.deck.Learning[2].AskedInRun, 0);
    }
    EXPECT_TRUE(h.ui.boxes.empty());
}

TEST_F(PairTogglesTest, DisableToggleDisablesAndReEnablesWithoutTouchingAskedInRun) {
    flag(2) = 1;
    ToggleOutcome outcome = ToggleDisabled(p);
    EXPECT_TRUE(outcome.changed);
    EXPECT_EQ(flag(2), 3);
    EXPECT_EQ(outcome.caption, "Re-&enable This Pair");
    EXPECT_EQ(outcome.colours, kListed);
    EXPECT_EQ(p.deck.Learning[2].AskedInRun, 1);

    outcome = ToggleDisabled(p);
    EXPECT_EQ(flag(2), 1);
    EXPECT_EQ(outcome.caption, "&Disable This Pair");
    EXPECT_TRUE(h.ui.boxes.empty());
}

TEST_F(PairTogglesTest, DisablingTheLastEnabledPairReEnablesEveryPair) {
    flag(1) = 2;
    flag(3) = 3;
    flag(4) = 2;
    h.ui.expectBox({"No Enabled Questions",
                    "There Are Now No Enabled Questions - All Questions Will Be Re-enabled",
                    Icon::Warning, Buttons::Ok});
    h.ui.expectBox({"Priority List", "The Disabled Questions Have Been Re-enabled",
                    Icon::Information, Buttons::Ok});
    ToggleOutcome outcome = ToggleDisabled(p);
    EXPECT_TRUE(outcome.changed);
    EXPECT_EQ(outcome.caption, "Re-&enable This Pair");
    EXPECT_EQ(flag(1), 0);
    EXPECT_EQ(flag(2), 0);
    EXPECT_EQ(flag(3), 1);
    EXPECT_TRUE(p.drill.RunComplete);
}

TEST_F(PairTogglesTest, DisableRejectedByTheValidationIsUndone) {
    p.settings.NumSeconds = 0;  // some other setting is already out of bounds
    flag(2) = 1;
    h.ui.expectBox({"Data Error",
                    "Error In Display Answer After Value - Must Be An Integer Between 1 and 60 - "
                    "Please Re-enter",
                    Icon::Warning, Buttons::Ok});
    h.ui.expectBox({"Priority List",
                    "Cannot Disable The Only Active Question On/Off The Priority List Or "
                    "Inside/Outside The Range",
                    Icon::Information, Buttons::Ok});
    ToggleOutcome outcome = ToggleDisabled(p);
    EXPECT_FALSE(outcome.changed);
    EXPECT_EQ(flag(2), 1);
    EXPECT_EQ(outcome.caption, "&Disable This Pair");
}

TEST_F(PairTogglesTest, TogglesWaitWhileNotePadHasTheFile) {
    p.NotePadOpen = true;
    flag(2) = 1;
    const ShownBox notePad{"Editor Open", "Please Close NotePad In Order To Continue",
                           Icon::Information, Buttons::Ok};
    h.ui.expectBox(notePad, Button::Ok, 2);
    ToggleOutcome list = TogglePriorityList(p);
    ToggleOutcome disable = ToggleDisabled(p);
    EXPECT_FALSE(list.changed);
    EXPECT_FALSE(disable.changed);
    EXPECT_EQ(list.caption, "&Remove Pair From Priority List");
    EXPECT_EQ(disable.caption, "&Disable This Pair");
    EXPECT_EQ(flag(2), 1);
    EXPECT_EQ(p.deck.Learning[2].AskedInRun, 1);
}

TEST_F(PairTogglesTest, TogglesIgnoreAPairOutsideTheDeck) {
    p.deck.CurrentPair = 9;
    EXPECT_FALSE(TogglePriorityList(p).changed);
    EXPECT_FALSE(ToggleDisabled(p).changed);
    EXPECT_TRUE(h.ui.boxes.empty());
}

}  // namespace
}  // namespace cardwise
