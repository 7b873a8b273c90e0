#include "core/study/mode_dialogs.h"

#include <gtest/gtest.h>

#include "core/study/options_dialog.h"
#include "core/study/whole_number.h"
#include "study_test_support.h"

namespace cardwise {
namespace {

using testing::ShownBox;

class ModeDialogsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        p.deck.Learning[1].ListFlags = 1;
        p.deck.Learning[2].ListFlags = 3;
    }
    testing::ValidDeck deck{4};
    testing::ProgramHarness& h = deck.h;
    Program& p = deck.p;
};

TEST_F(ModeDialogsTest, RangeDialogChangesTheFrequencyTheListModeShares) {
    FrequencyDialog range(p, FrequencyDialog::Kind::Range);
    EXPECT_EQ(range.caption(), "Options For Frequency Based On Range Mode");
    EXPECT_EQ(range.frequency, "50");
    range.frequency = "70";
    EXPECT_TRUE(range.ok().closes);
    FrequencyDialog list(p, FrequencyDialog::Kind::List);
    EXPECT_EQ(list.caption(), "Options For Frequency Based On Priority List Mode");
    EXPECT_EQ(list.frequency, "70");
}

TEST_F(ModeDialogsTest, FrequencyOutOfRangeStaysStoredAndKeepsTheDialogOpen) {
    FrequencyDialog list(p, FrequencyDialog::Kind::List);
    list.frequency = "101";
    h.ui.expectBox({"Data Error",
                    "Error In Frequency Value - Must Be An Integer Between 0 And 100 - Please "
                    "Re-enter",
                    Icon::Warning, Buttons::Ok});
    EXPECT_FALSE(list.ok().closes);
    EXPECT_EQ(p.settings.Frequency, 101);
    ASSERT_EQ(h.ui.boxes.size(), 1u);
    EXPECT_EQ(h.ui.boxes[0].text,
              "Error In Frequency Value - Must Be An Integer Between 0 And 100 - Please Re-enter");
}

TEST_F(ModeDialogsTest, FrequencyThatIsNotANumberStoresNothing) {
    FrequencyDialog list(p, FrequencyDialog::Kind::List);
    list.frequency = "9999999999";
    h.ui.expectBox(
        {"Cardwise", "'9999999999' is not a valid integer value", Icon::Error, Buttons::Ok});
    const ModeDialogOutcome outcome = list.ok();
    EXPECT_FALSE(outcome.closes);
    EXPECT_EQ(outcome.badField, 0u);
    EXPECT_EQ(p.settings.Frequency, 50);
    ASSERT_EQ(h.ui.boxes.size(), 1u);
    EXPECT_EQ(h.ui.boxes[0].text, "'9999999999' is not a valid integer value");
}

TEST_F(ModeDialogsTest, CancelStoresNothing) {
    FrequencyDialog list(p, FrequencyDialog::Kind::List);
    list.frequency = "10";
    EXPECT_TRUE(list.cancel().closes);
    HistoryDialog history(p);
    history.fields = {"0", "0", "100", "9", "9", "9"};
    history.promo = 2;
    EXPECT_TRUE(history.cancel().closes);
    EXPECT_EQ(p.settings.Frequency, 50);
    EXPECT_EQ(p.settings.UnFrequency, 80);
    EXPECT_EQ(p.settings.PromoMessage, 0);
}

TEST_F(ModeDialogsTest, HistoryOkStoresTheSixNumbersAndThePromotionChoice) {
    HistoryDialog history(p);
    EXPECT_EQ(history.fields, (std::array<std::string, 6>{"80", "10", "10", "2", "2", "2"}));
    EXPECT_EQ(history.promo, 0);
    history.fields = {"60", "30", "10", "3", "4", "5"};
    history.promo = 1;
    EXPECT_TRUE(history.ok().closes);
    const DeckSettings& s = p.settings;
    EXPECT_EQ(
        (std::array<int, 7>{s.UnFrequency, s.ShortFrequency, s.LongFrequency, s.ShortThreshold,
                            s.LongAnsThreshold, s.LongDayThreshold, s.PromoMessage}),
        (std::array<int, 7>{60, 30, 10, 3, 4, 5, 1}));
}

TEST_F(ModeDialogsTest, HistoryFrequenciesNotAddingUpKeepTheDialogOpen) {
    HistoryDialog history(p);
    history.fields[0] = history.fields[1] = history.fields[2] = "30";
    h.ui.expectBox({"Data Error", "Frequency Values Must Add Up To 100 - Please Re-enter",
                    Icon::Warning, Buttons::Ok});
    EXPECT_FALSE(history.ok().closes);
    EXPECT_EQ(p.settings.UnFrequency, 30);
    ASSERT_EQ(h.ui.boxes.size(), 1u);
    EXPECT_EQ(h.ui.boxes[0].text, "Frequency Values Must Add Up To 100 - Please Re-enter");
}

TEST_F(ModeDialogsTest, HistoryPromotionValueOutsideTheGroupSelectsNothingAndStaysUnchanged) {
    p.settings.PromoMessage = 5;
    HistoryDialog history(p);
    EXPECT_FALSE(history.promo.has_value());
    EXPECT_TRUE(history.ok().closes);
    EXPECT_EQ(p.settings.PromoMessage, 5);
}

TEST_F(ModeDialogsTest, HistoryBadNumberNamesItsFieldAndStoresNone) {
    HistoryDialog history(p);
    history.fields[0] = "60";
    history.fields[4] = "x";
    h.ui.expectBox({"Cardwise", "'x' is not a valid integer value", Icon::Error, Buttons::Ok});
    EXPECT_EQ(history.ok().badField, 4u);
    EXPECT_EQ(p.settings.UnFrequency, 80);
}

TEST_F(ModeDialogsTest, ResetButtonsAskAndTellAsTheListOperationsDo) {
    HistoryDialog history(p);
    h.ui.expectBox({"Reset To Unlearned",
                    "This Will Reset ALL Questions In This File To Unlearned Status - Are You "
                    "Sure?",
                    Icon::Question, Buttons::YesNo},
                   Button::No);
    h.ui.expectBox({"Priority List", "The Priority List Has Been Cleared", Icon::Information,
                    Buttons::Ok});
    p.deck.Learning[1].LearnStatus = 2;
    history.resetToUnlearned();
    EXPECT_EQ(p.deck.Learning[1].LearnStatus, 2);
    FrequencyDialog list(p, FrequencyDialog::Kind::List);
    list.clearPriorityList();
    EXPECT_EQ(p.deck.Learning[1].ListFlags, 0);
    EXPECT_EQ(p.deck.Learning[2].ListFlags, 2);
    ASSERT_EQ(h.ui.boxes.size(), 2u);
    EXPECT_EQ(h.ui.boxes[0].caption, "Reset To Unlearned");
    EXPECT_EQ(h.ui.boxes[1], (ShownBox{"Priority List", "The Priority List Has Been Cleared",
                                       Icon::Information, Buttons::Ok}));
}

TEST_F(ModeDialogsTest, HelpTopicsOfTheThreeDialogs) {
    FrequencyDialog(p, FrequencyDialog::Kind::List).help();
    FrequencyDialog(p, FrequencyDialog::Kind::Range).help();
    HistoryDialog(p).help();
    EXPECT_EQ(h.services.help.shown, (std::vector<int>{12, 13, 14}));
}

TEST_F(ModeDialogsTest, EveryStudyDialogShowsItsHintsOnlyWhenTipsAreSetToOne) {
    // Only 1 turns them on; any other stored value reads as off.
    for (const std::int32_t tips : {0, 1, 2, -1}) {
        p.settings.EnableTips = tips;
        const bool shown = tips == 1;
        EXPECT_EQ(OptionsDialog(p, nullptr).tipsShown(), shown) << tips;
        EXPECT_EQ(FrequencyDialog(p, FrequencyDialog::Kind::List).tipsShown(), shown) << tips;
        EXPECT_EQ(FrequencyDialog(p, FrequencyDialog::Kind::Range).tipsShown(), shown) << tips;
        EXPECT_EQ(HistoryDialog(p).tipsShown(), shown) << tips;
    }
}

struct NumberCase {
    std::string text;
    std::optional<std::int32_t> value;
};

class WholeNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(WholeNumberTest, ReadsDecimalWholeNumbersWithin32Bits) {
    EXPECT_EQ(parseWholeNumber(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WholeNumberTest,
    ::testing::Values(
        NumberCase{"0", 0}, NumberCase{"42", 42}, NumberCase{"  7 ", 7}, NumberCase{"+3", 3},
        NumberCase{"-12", -12}, NumberCase{"2147483647", 2147483647},
        NumberCase{"-2147483648", std::numeric_limits<std::int32_t>::min()},
        NumberCase{"2147483648", std::nullopt}, NumberCase{"4294967301", std::nullopt},
        NumberCase{"99999999999999999999999", std::nullopt}, NumberCase{"", std::nullopt},
        NumberCase{"  ", std::nullopt}, NumberCase{"-", std::nullopt},
        NumberCase{"1 2", std::nullopt}, NumberCase{"0x10", std::nullopt},
        NumberCase{"5s", std::nullopt}, NumberCase{"1e3", std::nullopt}));

}  // namespace
}  // namespace cardwise
