#include "core/study/options_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/deck/setup_file.h"
#include "core/drill/run_control.h"
#include "drill_test_support.h"
#include "study_test_support.h"

namespace cardwise {
namespace {

using testing::ShownBox;
using testing::TempDir;

class OptionsDialogTest : public ::testing::Test {
  protected:
    void nameCategories(std::vector<std::string> names) {
        for (std::size_t i = 0; i < names.size(); ++i) p.deck.CategoryName[i] = names[i];
    }

    testing::ValidDeck deck{5};
    testing::ProgramHarness& h = deck.h;
    Program& p = deck.p;
};

struct FlagsCase {
    std::string name;
    std::function<void(DeckSettings&)> opening;
    std::function<void(OptionsControls&)> change;
    RunRestartFlags expected;
};

void PrintTo(const FlagsCase& row, std::ostream* os) {
    *os << row.name;
}

RunRestartFlags flags(bool mode, bool onePass, bool numerical, bool random, bool direction,
                      bool range) {
    return RunRestartFlags{mode, onePass, numerical, random, direction, range};
}

class OptionsOkFlagsTest : public OptionsDialogTest,
                           public ::testing::WithParamInterface<FlagsCase> {};

TEST_P(OptionsOkFlagsTest, SetsExactlyTheRunRestartFlagsOfTheChange) {
    nameCategories({"Verbs", "Nouns"});
    GetParam().opening(p.settings);
    OptionsDialog dialog(p, nullptr);
    GetParam().change(dialog.controls());
    EXPECT_TRUE(dialog.ok().closes) << ::testing::PrintToString(h.ui.captions());
    const RunRestartFlags& got = p.restart;
    const RunRestartFlags& want = GetParam().expected;
    EXPECT_EQ(got.ModeChanged, want.ModeChanged);
    EXPECT_EQ(got.OnePassTurnedOn, want.OnePassTurnedOn);
    EXPECT_EQ(got.OrderBecameNumerical, want.OrderBecameNumerical);
    EXPECT_EQ(got.OrderBecameRandom, want.OrderBecameRandom);
    EXPECT_EQ(got.DirectionChanged, want.DirectionChanged);
    EXPECT_EQ(got.RangeChoiceChanged, want.RangeChoiceChanged);
}

auto none = [](auto&) {};

INSTANTIATE_TEST_SUITE_P(OkSteps, OptionsOkFlagsTest,
                         ::testing::Values(FlagsCase{"NothingChanged", none, none,
                                                     flags(0, 0, 0, 0, 0, 0)},
                                           FlagsCase{"ModeSwitched", none,
                                                     [](OptionsControls& c) { c.mode = 3; },
                                                     flags(1, 0, 0, 0, 0, 0)},
                                           FlagsCase{"ModeSwitchedBack", none,
                                                     [](OptionsControls& c) {
                                                         c.mode = 2;
                                                         c.mode = 1;
                                                     },
                                                     flags(0, 0, 0, 0, 0, 0)},
                                           FlagsCase{"OnePassTurnedOn", none,
                                                     [](OptionsControls& c) { c.onePass = true; },
                                                     flags(0, 1, 0, 0, 0, 0)},
                                           FlagsCase{"OnePassTurnedOff",
                                                     [](DeckSettings& s) { s.OnePass = 1; },
                                                     [](OptionsControls& c) { c.onePass = false; },
                                                     flags(0, 0, 0, 0, 0, 0)},
                                           FlagsCase{"OnePassStoredOddlyIsTurnedOn",
                                                     [](DeckSettings& s) { s.OnePass = 7; },
                                                     [](OptionsControls& c) { c.onePass = true; },
                                                     flags(0, 1, 0, 0, 0, 0)},
                                           FlagsCase{
                                               "OrderBecameRandom", none,
                                               [](OptionsControls& c) { c.numerical = false; },
                                               flags(0, 0, 0, 1, 0, 0)},
                                           FlagsCase{"OrderBecameNumerical",
                                                     [](DeckSettings& s) { s.Numerical = 0; },
                                                     [](OptionsControls& c) { c.numerical = true; },
                                                     flags(0, 0, 1, 0, 0, 0)},
                                           FlagsCase{
                                               "RandomKeptRandom",
                                               [](DeckSettings& s) { s.Numerical = 0; }, none,
                                               flags(0, 0, 0, 0, 0, 0)},
                                           // A stored value that is neither 0 nor 1 is "not 0" and
                                           // "not 1" at once.
                                           FlagsCase{"OddOrderBecameRandom",
                                                     [](DeckSettings& s) { s.Numerical = 2; }, none,
                                                     flags(0, 0, 0, 1, 0, 0)},
                                           FlagsCase{
                                               "DirectionReversed", none,
                                               [](OptionsControls& c) { c.reverse = true; },
                                               flags(0, 0, 0, 0, 1, 0)},
                                           FlagsCase{
                                               "DirectionForwardAgain",
                                               [](DeckSettings& s) { s.Reverse = 1; },
                                               [](OptionsControls& c) { c.reverse = false; },
                                               flags(0, 0, 0, 0, 1, 0)},
                                           FlagsCase{"OddDirectionStoredAsForward",
                                                     [](DeckSettings& s) { s.Reverse = 5; }, none,
                                                     flags(0, 0, 0, 0, 1, 0)},
                                           // With Random ticked the direction buttons are disabled
                                           // but still read.
                                           FlagsCase{"ReverseReadUnderRandom",
                                                     [](DeckSettings& s) { s.Numerical = 0; },
                                                     [](OptionsControls& c) { c.reverse = true; },
                                                     flags(0, 0, 0, 0, 1, 0)},
                                           FlagsCase{"FromQuestionToEntireFile",
                                                     [](DeckSettings& s) { s.UseNamedRange = 2; },
                                                     [](OptionsControls& c) {
                                                         c.range = RangeChoice::EntireFile;
                                                     },
                                                     flags(0, 0, 0, 0, 0, 1)},
                                           FlagsCase{
                                               "EntireFileToFromQuestion", none,
                                               [](OptionsControls& c) {
                                                   c.range = RangeChoice::FromQuestion;
                                               },
                                               flags(0, 0, 0, 0, 0, 1)},
                                           FlagsCase{"FromQuestionToNamedRange",
                                                     [](DeckSettings& s) { s.UseNamedRange = 2; },
                                                     [](OptionsControls& c) {
                                                         c.range = RangeChoice::Named;
                                                         c.rangeName = "Verbs";
                                                     },
                                                     flags(0, 0, 0, 0, 0, 0)},
                                           FlagsCase{"NamedRangeToEntireFile",
                                                     [](DeckSettings& s) {
                                                         s.UseNamedRange = 1;
                                                         s.RangeName = "Verbs";
                                                     },
                                                     [](OptionsControls& c) {
                                                         c.range = RangeChoice::EntireFile;
                                                     },
                                                     flags(0, 0, 0, 0, 0, 1)},
                                           FlagsCase{"EverythingAtOnce", none,
                                                     [](OptionsControls& c) {
                                                         c.mode = 4;
                                                         c.onePass = true;
                                                         c.numerical = false;
                                                         c.reverse = true;
                                                         c.range = RangeChoice::FromQuestion;
                                                     },
                                                     flags(1, 1, 0, 1, 1, 1)}),
                         [](const auto& info) { return info.param.name; });

TEST_F(OptionsDialogTest, OkStoresEveryControlAndTheSeparatorRule) {
    TempDir graphics;
    OptionsDialog dialog(p, nullptr);
    OptionsControls& c = dialog.controls();
    c.useGraphicsDir = true;
    c.graphicsDir = graphics.path();
    c.soundDir = "C:\\DECKS\\";
    c.startDir = "";
    c.numSeconds = " 7 ";
    c.lowRange = "2";
    c.highRange = "4";
    c.autoQTime = "3";
    c.autoATime = "+9";
    c.center = true;
    c.enableHints = false;
    c.ansFirst = true;
    ASSERT_TRUE(dialog.ok().closes);
    const DeckSettings& s = p.settings;
    EXPECT_EQ(s.UseGraphicsDIR, 1);
    EXPECT_EQ(s.GraphicsDIR, graphics.path() + "/");
    EXPECT_EQ(s.SoundDIR, "C:\\DECKS\\");
    EXPECT_EQ(s.StartDIR, "");
    EXPECT_EQ(s.UseLastOpenDIR, 1);
    EXPECT_EQ(s.UseStartDIR, 0);
    EXPECT_EQ(s.NumSeconds, 7);
    EXPECT_EQ(s.LowRange, 2);
    EXPECT_EQ(s.HighRange, 4);
    EXPECT_EQ(s.AutoQTime, 3);
    EXPECT_EQ(s.AutoATime, 9);
    EXPECT_EQ(s.Center, 1);
    EXPECT_EQ(s.EnableHints, 0);
    EXPECT_EQ(s.AnsFirst, 1);
}

TEST(DirectorySeparator, IsAddedOnlyWhereMissing) {
    EXPECT_EQ(directoryWithSeparator("C:\\DECKS"), "C:\\DECKS/");
    EXPECT_EQ(directoryWithSeparator("/home/me/decks"), "/home/me/decks/");
    EXPECT_EQ(directoryWithSeparator("/home/me/"), "/home/me/");
    EXPECT_EQ(directoryWithSeparator("C:\\DECKS\\"), "C:\\DECKS\\");
    EXPECT_EQ(directoryWithSeparator(""), "");
}

TEST(ChosenFontName, KeepsAStoredFontThisSystemLacksUnlessAnotherIsChosen) {
    // Arial is drawn as Liberation Sans here: keeping that keeps Arial.
    EXPECT_EQ(chosenFontName("Arial", "Liberation Sans", "Liberation Sans"), "Arial");
    EXPECT_EQ(chosenFontName("Arial", "Liberation Sans", "DejaVu Serif"), "DejaVu Serif");
    EXPECT_EQ(chosenFontName("DejaVu Sans", "DejaVu Sans", "DejaVu Sans"), "DejaVu Sans");
}

TEST_F(OptionsDialogTest, DeckWithoutCategoriesTurnsNamedRangeIntoEntireFileEvenOnCancel) {
    p.settings.UseNamedRange = 1;
    p.settings.RangeName = "Verbs";
    OptionsDialog dialog(p, nullptr);
    EXPECT_EQ(p.settings.UseNamedRange, 3);
    EXPECT_EQ(dialog.controls().range, RangeChoice::EntireFile);
    EXPECT_EQ(dialog.controls().rangeName, "");
    EXPECT_FALSE(dialog.enabling().namedRangeButton);
    EXPECT_FALSE(dialog.enabling().rangeCombo);
    EXPECT_TRUE(dialog.rangeNames().empty());
    EXPECT_TRUE(dialog.cancel().closes);
    dialog.close();
    EXPECT_EQ(p.settings.UseNamedRange, 3);
}

TEST_F(OptionsDialogTest, CategoryListKeepsCaseDistinctNamesAndTheComboSortsThem) {
    nameCategories({"Verbs", "verbs", "Verbs", "0", "Adjectives"});
    p.settings.UseNamedRange = 1;
    p.settings.RangeName = "verbs";
    OptionsDialog dialog(p, nullptr);
    EXPECT_EQ(p.study.categories.names(),
              (std::vector<std::string>{"Verbs", "verbs", "Adjectives"}));
    EXPECT_EQ(dialog.rangeNames(), (std::vector<std::string>{"Adjectives", "Verbs", "verbs"}));
    EXPECT_EQ(dialog.controls().range, RangeChoice::Named);
    EXPECT_EQ(dialog.controls().rangeName, "verbs");
    EXPECT_TRUE(dialog.enabling().rangeCombo);
    EXPECT_FALSE(dialog.enabling().rangeFields);
}

TEST_F(OptionsDialogTest, EnablingFollowsTheRadioButtonsTickedNow) {
    nameCategories({"Verbs"});
    OptionsDialog dialog(p, nullptr);
    OptionsControls& c = dialog.controls();
    c.numerical = false;
    c.range = RangeChoice::FromQuestion;
    c.mode = 1;
    EXPECT_EQ(dialog.enabling(), (OptionsEnabling{.direction = false,
                                                  .rangeFields = true,
                                                  .rangeCombo = false,
                                                  .namedRangeButton = true,
                                                  .modeSpecific = false}));
    c.numerical = true;
    c.range = RangeChoice::EntireFile;
    c.mode = 2;
    EXPECT_EQ(dialog.enabling(), (OptionsEnabling{.direction = true,
                                                  .rangeFields = false,
                                                  .rangeCombo = false,
                                                  .namedRangeButton = true,
                                                  .modeSpecific = true}));
}

TEST_F(OptionsDialogTest, ModeSpecificButtonFollowsTheTickedButtonNotTheStoredMode) {
    OptionsDialog dialog(p, nullptr);
    EXPECT_EQ(dialog.modeSpecificDialog(), ModeDialog::None);
    dialog.controls().mode = 3;
    EXPECT_EQ(p.settings.NoPriority, 1);
    EXPECT_EQ(dialog.modeSpecificDialog(), ModeDialog::Range);
    dialog.controls().mode = 2;
    EXPECT_EQ(dialog.modeSpecificDialog(), ModeDialog::List);
    dialog.controls().mode = 4;
    EXPECT_EQ(dialog.modeSpecificDialog(), ModeDialog::History);
}

TEST_F(OptionsDialogTest, FirstOpeningShowsQAModesAndLaterOnesThePageLastShown) {
    {
        OptionsDialog dialog(p, nullptr);
        EXPECT_EQ(dialog.page(), OptionsPage::QAModes);
        dialog.showPage(OptionsPage::Directories);
        dialog.close();
    }
    EXPECT_EQ(p.study.LastOptionsPage, "&Directories");
    OptionsDialog again(p, nullptr);
    EXPECT_EQ(again.page(), OptionsPage::Directories);
}

TEST_F(OptionsDialogTest, HelpAsksForThePageShown) {
    OptionsDialog dialog(p, nullptr);
    for (const OptionsPageInfo& info : kOptionsPages) {
        dialog.showPage(info.page);
        dialog.help();
    }
    EXPECT_EQ(h.services.help.shown, (std::vector<int>{29, 41, 3, 40, 39}));
}

TEST_F(OptionsDialogTest, FailedOkKeepsTheDialogOpenWithTheValuesStored) {
    OptionsDialog dialog(p, nullptr);
    dialog.controls().numSeconds = "99";
    dialog.controls().mode = 2;
    // Once for OK, once more for Cancel, which checks the stored values again.
    h.ui.expectBox({"Data Error",
                    "Error In Display Answer After Value - Must Be An Integer Between 1 and 60 - "
                    "Please Re-enter",
                    Icon::Warning, Buttons::Ok},
                   Button::Ok, 2);
    EXPECT_FALSE(dialog.ok().closes);
    EXPECT_EQ(p.settings.NumSeconds, 99);
    EXPECT_EQ(p.settings.NoPriority, 2);
    EXPECT_TRUE(p.restart.ModeChanged);
    ASSERT_EQ(h.ui.boxes.size(), 1u);
    EXPECT_EQ(h.ui.boxes[0].caption, "Data Error");
    // Cancel reads no control: the stored value keeps the dialog open until it is put right.
    EXPECT_FALSE(dialog.cancel().closes);
    dialog.controls().numSeconds = "10";
    EXPECT_TRUE(dialog.ok().closes);
    EXPECT_EQ(p.settings.NumSeconds, 10);
}

TEST_F(OptionsDialogTest, NumberThatIsNotWholeIsReportedAndNothingIsStored) {
    struct Row {
        OptionsNumber field;
        std::string text;
    };
    for (const Row& row :
         {Row{OptionsNumber::NumSeconds, "5s"}, Row{OptionsNumber::LowRange, ""},
          Row{OptionsNumber::HighRange, "2147483648"}, Row{OptionsNumber::AutoQTime, "-2147483649"},
          Row{OptionsNumber::AutoATime, "1.5"}}) {
        h.ui.boxes.clear();
        const DeckSettings before = p.settings;
        h.ui.expectBox({"Cardwise", "'" + row.text + "' is not a valid integer value",
                        Icon::Error, Buttons::Ok});
        OptionsDialog dialog(p, nullptr);
        dialog.controls().mode = 3;
        dialog.controls().number(row.field) = row.text;
        const OptionsOutcome outcome = dialog.ok();
        EXPECT_FALSE(outcome.closes);
        EXPECT_EQ(outcome.badNumber, row.field);
        ASSERT_EQ(h.ui.boxes.size(), 1u) << row.text;
        EXPECT_EQ(h.ui.boxes[0],
                  (ShownBox{"Cardwise", "'" + row.text + "' is not a valid integer value",
                            Icon::Error, Buttons::Ok}));
        EXPECT_EQ(p.settings.NoPriority, before.NoPriority);
        EXPECT_FALSE(p.restart.ModeChanged);
        dialog.close();
    }
}

TEST_F(OptionsDialogTest, ColourAndFontButtonsActAtOnceAndSurviveCancel) {
    OptionsDialog dialog(p, nullptr);
    dialog.setQuestionBackground(Colour{1, 2, 3});
    dialog.setMainWindowColour(Colour{255, 0, 0});
    dialog.setAnswerFont(
        FontChoice{std::string(40, 'F'), 20, FontStyle{false, true, false, true}, 0x00FF00});
    EXPECT_TRUE(dialog.cancel().closes);
    dialog.close();
    EXPECT_EQ(p.settings.QCurBkGndColor, 0x030201);
    EXPECT_EQ(p.settings.MWCurBkGndColor, 0x0000FF);
    EXPECT_EQ(p.settings.AFontName, std::string(31, 'F'));
    EXPECT_EQ(p.settings.AFontSize, 20);
    EXPECT_EQ(p.settings.AFontStyle, (FontStyle{false, true, false, true}));
    EXPECT_EQ(p.settings.AFontColor, 0x00FF00);
    EXPECT_EQ(p.settings.QFontName, "Arial");
}

TEST_F(OptionsDialogTest, ReEnableActsAtOnceAndCancelDoesNotUndoIt) {
    p.deck.Learning[2].ListFlags = 2;
    p.deck.Learning[3].ListFlags = 3;
    OptionsDialog dialog(p, nullptr);
    h.ui.expectBox({"Priority List", "The Disabled Questions Have Been Re-enabled",
                    Icon::Information, Buttons::Ok});
    dialog.reEnableAllPairs();
    EXPECT_TRUE(dialog.cancel().closes);
    EXPECT_EQ(p.deck.Learning[2].ListFlags, 0);
    EXPECT_EQ(p.deck.Learning[3].ListFlags, 1);
    EXPECT_TRUE(p.drill.RunComplete);
}

TEST_F(OptionsDialogTest, TimersStopWhileOpenAndTheWindowInUseShowsAgainAtClosing) {
    testing::TimedQuestion timed(p, 5);
    DrillController& drill = timed.drill;
    const testing::ScriptedDrillEngine& engine = timed.engine;
    ASSERT_EQ(drill.screen(), DrillScreen::Question);
    const std::size_t formattedBefore = engine.formatted.size();
    {
        OptionsDialog dialog(p, &drill);
        for (int i = 0; i < 5; ++i) drill.tick();
        EXPECT_EQ(drill.screen(), DrillScreen::Question);
        EXPECT_EQ(engine.formatted.size(), formattedBefore);
        EXPECT_TRUE(dialog.cancel().closes);
        dialog.close();
    }
    // The question was formatted again for the redisplay, and the timer runs once more.
    EXPECT_GT(engine.formatted.size(), formattedBefore);
    for (int i = 0; i < 3; ++i) drill.tick();
    EXPECT_EQ(drill.screen(), DrillScreen::Answer);
}

}  // namespace
}  // namespace cardwise
