#include "core/drill/pair_selector.h"
#include "learning_column.h"

#include "core/deck/setup_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "support/fakes.h"

namespace cardwise {
namespace {

using testing::ProgramHarness;
using testing::ShownBox;

class PairSelectorTest : public ::testing::Test {
  protected:
    ProgramHarness h;
    Program& program = h.program;
    DeckState& deck = h.program.deck;
    DeckSettings& settings = h.program.settings;

    void makeDeck(int pairs) {
        deck.allocate(pairs);
        deck.QAFileName = "/decks/SPANISH.DKS";
        deck.CurrentPair = 0;
        program.drill.DrillActive = true;
    }

    // The first selection of a run, as the deck runner makes it.
    std::int32_t startRun() {
        program.drill.RunStarting = true;
        program.drill.RunComplete = false;
        EXPECT_EQ(SelectNextPair(program), SelectionResult::Chosen);
        program.drill.RunStarting = false;
        return deck.CurrentPair;
    }

    std::int32_t next() {
        EXPECT_EQ(SelectNextPair(program), SelectionResult::Chosen);
        return deck.CurrentPair;
    }

    // Makes every following draw of the random source give the class roll r (1..100).
    void rollNext(int r) {
        double v = (r - 0.5) / 99.999;
        program.selector.ShuffleTable.fill(v);
        program.selector.ShuffleFilled = true;
        h.random.scripted.assign(4000, v);
    }

    void putOnList(std::initializer_list<int> pairs) {
        for (int p : pairs) deck.Learning[static_cast<std::size_t>(p)].ListFlags |= kOnListFlag;
    }

    // The question at the end of a run through the deck.
    static ShownBox continuation() { return testing::continuationBox("SPANISH.DKS"); }

    static ShownBox lastPairInRange(std::string_view which) {
        return {"Last Pair In Range",
                "This Is The Last " + std::string(which) +
                    " Pair In The Selected Range - It Cannot Be Disabled!",
                Icon::Warning, Buttons::Ok};
    }

    int boxesWithCaption(std::string_view caption) const {
        return static_cast<int>(
            std::count_if(h.ui.boxes.begin(), h.ui.boxes.end(),
                          [&](const ShownBox& b) { return b.caption == caption; }));
    }
};

// --- mode 1, numerical order -------------------------------------------------------------

TEST_F(PairSelectorTest, NumericalForwardRangeAsksInOrderThenOffersAnotherRun) {
    makeDeck(5);
    settings.UseNamedRange = 2;
    settings.LowRange = 1;
    settings.HighRange = 3;
    settings.OnePass = 1;

    EXPECT_EQ(startRun(), 1);
    EXPECT_EQ(next(), 2);
    EXPECT_EQ(next(), 3);
    EXPECT_TRUE(h.ui.boxes.empty());

    h.ui.expectBox(continuation(), Button::Yes);
    EXPECT_EQ(next(), 1);
    EXPECT_EQ(next(), 2);
}

TEST_F(PairSelectorTest, DecliningTheContinuationClosesTheDeckAndChangesNothingElse) {
    makeDeck(4);
    settings.OnePass = 1;
    startRun();
    for (int i = 0; i < 3; ++i) next();
    ASSERT_EQ(deck.CurrentPair, 4);
    const auto asked = learningColumn(deck, &PairLearning::AskedInRun);

    h.ui.expectBox(continuation(), Button::No);
    EXPECT_EQ(SelectNextPair(program), SelectionResult::DeckClosed);
    EXPECT_FALSE(program.drill.DrillActive);
    EXPECT_EQ(deck.CurrentPair, 4);
    EXPECT_EQ(program.selector.PreviousPair, 4);
    EXPECT_EQ(learningColumn(deck, &PairLearning::AskedInRun), asked);
}

TEST_F(PairSelectorTest, NumericalReverseRangeCountsDownAndRestartsSilentlyWithoutOnePass) {
    makeDeck(5);
    settings.UseNamedRange = 2;
    settings.LowRange = 2;
    settings.HighRange = 4;
    settings.Reverse = 1;

    std::vector<int> order{startRun()};
    for (int i = 0; i < 4; ++i) order.push_back(next());
    EXPECT_EQ(order, (std::vector<int>{4, 3, 2, 4, 3}));
    EXPECT_TRUE(h.ui.boxes.empty());
}

TEST_F(PairSelectorTest, OnePassTurnedOnStartsANewRunWithoutTheQuestion) {
    makeDeck(3);
    settings.OnePass = 1;
    startRun();
    next();
    next();
    program.restart.OnePassTurnedOn = true;
    EXPECT_EQ(next(), 1);
    EXPECT_TRUE(h.ui.boxes.empty());
    EXPECT_FALSE(program.restart.OnePassTurnedOn);
}

TEST_F(PairSelectorTest, EveryRestartFlagStartsANewRunAndIsCleared) {
    bool RunRestartFlags::*flags[] = {
        &RunRestartFlags::ModeChanged,          &RunRestartFlags::OnePassTurnedOn,
        &RunRestartFlags::OrderBecameNumerical, &RunRestartFlags::OrderBecameRandom,
        &RunRestartFlags::DirectionChanged,     &RunRestartFlags::RangeChoiceChanged,
    };
    for (auto flag : flags) {
        makeDeck(4);
        startRun();
        next();
        program.restart.*flag = true;
        EXPECT_EQ(next(), 1);
        EXPECT_EQ(deck.Learning[2].AskedInRun, 0);
        EXPECT_FALSE(program.restart.*flag);
    }
}

// --- mode 1, random order ----------------------------------------------------------------

TEST_F(PairSelectorTest, RandomOrderShowsEveryPairOncePerRun) {
    makeDeck(10);
    settings.Numerical = 0;
    std::vector<int> shown{startRun()};
    for (int i = 1; i < 60; ++i) shown.push_back(next());
    for (int run = 0; run < 6; ++run) {
        std::set<int> once(shown.begin() + run * 10, shown.begin() + run * 10 + 10);
        EXPECT_EQ(once.size(), 10u) << "run " << run;
    }
    EXPECT_TRUE(h.ui.boxes.empty());
}

TEST_F(PairSelectorTest, RandomOrderOfASinglePairRangeKeepsAskingIt) {
    makeDeck(3);
    settings.Numerical = 0;
    settings.UseNamedRange = 1;
    settings.RangeName = "ONLY";
    deck.CategoryName[1] = "ONLY";
    EXPECT_EQ(startRun(), 2);
    EXPECT_EQ(next(), 2);
    EXPECT_EQ(next(), 2);
}

// --- ranges ------------------------------------------------------------------------------

TEST_F(PairSelectorTest, NamedRangeAsksOnlyPairsOfThatCategoryCaseSensitively) {
    makeDeck(8);
    settings.Numerical = 0;
    settings.UseNamedRange = 1;
    settings.RangeName = "VERBS";
    for (int p : {2, 5, 7}) deck.CategoryName[static_cast<std::size_t>(p - 1)] = "VERBS";
    deck.CategoryName[2] = "verbs";
    std::set<int> shown{startRun()};
    for (int i = 0; i < 11; ++i) shown.insert(next());
    EXPECT_EQ(shown, (std::set<int>{2, 5, 7}));
}

TEST_F(PairSelectorTest, RangeNamedZeroMeansPairsWithoutCategory) {
    makeDeck(5);
    settings.UseNamedRange = 1;
    settings.RangeName = "0";
    deck.CategoryName[0] = "NOUNS";
    deck.CategoryName[3] = "NOUNS";
    std::vector<int> order{startRun(), next(), next(), next()};
    EXPECT_EQ(order, (std::vector<int>{2, 3, 5, 2}));
}

TEST_F(PairSelectorTest, NamedRangeMatchingNoPairShowsLastPairMessageAndKeepsAPairOfTheDeck) {
    makeDeck(5);
    settings.UseNamedRange = 1;
    settings.RangeName = "NOTHING";
    deck.CurrentPair = 40;  // left over from a bigger deck

    h.ui.expectBox(lastPairInRange("Selected"));
    startRun();
    EXPECT_TRUE(deck.validPair(deck.CurrentPair));

    deck.CurrentPair = 4;
    h.ui.expectBox(lastPairInRange("Selected"));
    next();
    EXPECT_EQ(deck.CurrentPair, 4);
    EXPECT_EQ(boxesWithCaption("Last Pair In Range"), 2);
}

TEST_F(PairSelectorTest, LastPairMessageReEnablesTheCurrentPair) {
    makeDeck(5);
    settings.UseNamedRange = 2;
    settings.LowRange = 2;
    settings.HighRange = 4;
    for (int p = 2; p <= 4; ++p) deck.Learning[static_cast<std::size_t>(p)].ListFlags = 2;
    deck.Learning[3].ListFlags = 3;

    h.ui.expectBox(lastPairInRange("Selected"), Button::Ok, 2);
    EXPECT_EQ(startRun(), 2);  // first pair of the range, as nothing has been shown yet
    EXPECT_EQ(deck.Learning[2].ListFlags, 0);

    deck.CurrentPair = 3;
    deck.Learning[2].AskedInRun = 1;
    deck.Learning[2].ListFlags = 2;
    next();
    EXPECT_EQ(deck.CurrentPair, 3);
    EXPECT_EQ(deck.Learning[3].ListFlags, 1);  // still on the priority list
    EXPECT_EQ(boxesWithCaption("Last Pair In Range"), 2);
}

TEST_F(PairSelectorTest, HistoryModeWithNoPairInRangeShowsItsOwnLastPairText) {
    makeDeck(5);
    settings.NoPriority = 4;
    settings.UseNamedRange = 1;
    settings.RangeName = "NOTHING";
    h.ui.expectBox(lastPairInRange("Non-Disabled"));
    startRun();
}

TEST_F(PairSelectorTest, DisabledPairsAreSkippedUnlessIncluded) {
    makeDeck(5);
    deck.Learning[2].ListFlags = 2;
    deck.Learning[4].ListFlags = 3;
    std::vector<int> order{startRun(), next(), next(), next()};
    EXPECT_EQ(order, (std::vector<int>{1, 3, 5, 1}));

    settings.IncludeDisabled = 1;
    program.restart.ModeChanged = true;
    order = {next(), next(), next(), next(), next()};
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4, 5}));
}

// --- resume ------------------------------------------------------------------------------

TEST_F(PairSelectorTest, ResumeContinuesTheSavedRunAndOtherwiseStartsAgain) {
    for (int resume : {1, 0}) {
        makeDeck(6);
        settings.Resume = resume;
        for (int p = 1; p <= 3; ++p) deck.Learning[static_cast<std::size_t>(p)].AskedInRun = 1;
        EXPECT_EQ(startRun(), resume == 1 ? 4 : 1) << "Resume " << resume;
    }
}

TEST_F(PairSelectorTest, ResumingAFinishedRunAsksNoContinuationQuestion) {
    makeDeck(3);
    settings.Resume = 1;
    settings.OnePass = 1;
    for (int p = 1; p <= 3; ++p) deck.Learning[static_cast<std::size_t>(p)].AskedInRun = 1;
    EXPECT_EQ(startRun(), 1);
    EXPECT_TRUE(h.ui.boxes.empty());
    EXPECT_EQ(deck.Learning[2].AskedInRun, 0);
}

TEST_F(PairSelectorTest, RestoredRolloverFlagDecidesWhetherTheSavedRunHasEnded) {
    for (int rolled : {1, 0}) {
        makeDeck(6);
        settings.NoPriority = 2;
        settings.Resume = 1;
        putOnList({1, 2});
        for (int p = 3; p <= 6; ++p) deck.Learning[static_cast<std::size_t>(p)].AskedInRun = 1;
        settings.ListRollover = {rolled, 0};
        rollNext(1);
        EXPECT_EQ(startRun(), 1);
        // A new run clears the asked marks of the unlisted pairs; a continued run keeps them.
        EXPECT_EQ(deck.Learning[4].AskedInRun, rolled == 1 ? 0 : 1) << "rolled over " << rolled;
        EXPECT_EQ(settings.ListRollover[0], 0);
    }
}

// --- modes 2 and 3: shares and numerical draws -------------------------------------------

struct ShareCase {
    int mode;
    int frequency;
    int preferred;
    int others;
    double share;
};

class PreferredShareTest : public PairSelectorTest,
                           public ::testing::WithParamInterface<ShareCase> {};

TEST_P(PreferredShareTest, FollowsTheWeightsAndFrequency) {
    const ShareCase c = GetParam();
    makeDeck(c.preferred + c.others);
    settings.NoPriority = c.mode;
    settings.Frequency = c.frequency;
    if (c.mode == 2) {
        for (int p = 1; p <= c.preferred; ++p) putOnList({p});
    } else {
        settings.UseNamedRange = 2;
        settings.LowRange = 1;
        settings.HighRange = c.preferred;
    }
    EXPECT_FALSE(BuildCandidateLists(program));
    EXPECT_NEAR(program.selector.PreferredShare, c.share, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Modes2And3, PreferredShareTest,
    ::testing::Values(ShareCase{2, 50, 3, 7, 30.0}, ShareCase{2, 80, 2, 8, 50.0},
                      ShareCase{2, 50, 0, 10, 0.0}, ShareCase{2, 50, 10, 0, 100.0},
                      ShareCase{2, 0, 4, 6, 0.0}, ShareCase{2, 100, 4, 6, 100.0},
                      ShareCase{3, 80, 2, 8, 50.0}, ShareCase{3, 50, 3, 7, 30.0}));

TEST_F(PairSelectorTest, PriorityRollsUpToTheShareGoToTheList) {
    makeDeck(10);
    settings.NoPriority = 2;
    putOnList({2, 5, 8});
    rollNext(30);
    EXPECT_EQ(startRun(), 2);
    rollNext(31);
    EXPECT_EQ(next(), 1);
    rollNext(30);
    EXPECT_EQ(next(), 5);
}

TEST_F(PairSelectorTest, NumericalPriorityRunRefillsTheListUntilTheOtherClassIsDone) {
    makeDeck(6);
    settings.NoPriority = 2;
    putOnList({2, 5});  // PreferredShare 33.3
    std::vector<int> rolls{1, 100, 100, 1, 1, 100, 100, 100};
    std::vector<int> order;
    for (std::size_t i = 0; i < rolls.size(); ++i) {
        rollNext(rolls[i]);
        order.push_back(i == 0 ? startRun() : next());
        if (i == 4) {
            EXPECT_EQ(settings.ListRollover[0], 1);
        }
    }
    EXPECT_EQ(order, (std::vector<int>{2, 1, 3, 5, 2, 4, 6, 1}));
    EXPECT_EQ(settings.ListRollover[0], 0);  // the last selection began a new run
}

TEST_F(PairSelectorTest, RangeModeDrawsFromBothSidesOfTheRange) {
    makeDeck(6);
    settings.NoPriority = 3;
    settings.UseNamedRange = 2;
    settings.LowRange = 3;
    settings.HighRange = 4;
    settings.Frequency = 50;  // PreferredShare 33.3
    rollNext(33);
    EXPECT_EQ(startRun(), 3);
    rollNext(34);
    EXPECT_EQ(next(), 1);
    settings.Reverse = 1;
    rollNext(1);
    EXPECT_EQ(next(), 4);
    rollNext(100);
    EXPECT_EQ(next(), 6);
}

// --- mode 4 ------------------------------------------------------------------------------

class HistoryModeTest : public PairSelectorTest {
  protected:
    // Pairs 1-10 Unlearned, 11-15 Short Term, 16-20 Long Term.
    void makeHistoryDeck() {
        makeDeck(20);
        settings.NoPriority = 4;
        for (int p = 11; p <= 20; ++p) {
            deck.Learning[static_cast<std::size_t>(p)].LearnStatus = p <= 15 ? ShortTerm : LongTerm;
        }
    }
};

TEST_F(HistoryModeTest, SharesAndRollBoundariesFollowTheWeightedFrequencies) {
    makeHistoryDeck();
    ASSERT_FALSE(BuildCandidateLists(program));
    EXPECT_NEAR(program.selector.UnlearnedShare, 800.0 / 9.0, 1e-9);
    EXPECT_NEAR(program.selector.ShortTermShare, 50.0 / 9.0, 1e-9);

    rollNext(88);
    EXPECT_EQ(startRun(), 1);
    rollNext(89);
    EXPECT_EQ(next(), 11);
    rollNext(94);
    EXPECT_EQ(next(), 12);
    rollNext(95);
    EXPECT_EQ(next(), 16);
    rollNext(100);
    EXPECT_EQ(next(), 17);
}

TEST_F(HistoryModeTest, ZeroFrequencyForTheOnlyCategoryWarnsAndSelectsPairOne) {
    makeDeck(4);
    settings.NoPriority = 4;
    settings.UnFrequency = 0;
    settings.ShortFrequency = 50;
    settings.LongFrequency = 50;
    deck.CurrentPair = 3;

    // Once per selection while the conflict lasts.
    h.ui.expectBox({"Conflicting Frequency Settings",
                    "The Only Non-disabled Q&A Pairs Are In Categories Where You Have Set The "
                    "Frequency To Zero.  Pair One Will Be Selected Until The Frequency Setting "
                    "Is Adjusted.",
                    Icon::Warning, Buttons::Ok},
                   Button::Ok, 2);
    EXPECT_EQ(startRun(), 1);
    EXPECT_EQ(h.ui.boxes.size(), 1u);
    EXPECT_EQ(next(), 1);
    EXPECT_EQ(h.ui.boxes.size(), 2u);  // once per selection while the conflict lasts

    settings.UnFrequency = 100;
    settings.ShortFrequency = 0;
    settings.LongFrequency = 0;
    next();
    EXPECT_EQ(h.ui.boxes.size(), 2u);
}

TEST_F(HistoryModeTest, RunEndsWhenEveryWeightedCategoryHasRolledOver) {
    makeDeck(4);
    settings.NoPriority = 4;
    settings.OnePass = 1;
    settings.UnFrequency = 100;
    settings.ShortFrequency = 0;
    settings.LongFrequency = 0;
    settings.Numerical = 0;
    std::set<int> shown{startRun()};
    for (int i = 0; i < 3; ++i) shown.insert(next());
    EXPECT_EQ(shown.size(), 4u);
    EXPECT_TRUE(h.ui.boxes.empty());
    h.ui.expectBox(continuation(), Button::Yes);
    next();
    EXPECT_EQ(boxesWithCaption("Continuation"), 1);
}

// Left open by the rules of the draw: Unlearned offers only the previous pair and Long Term
// has nothing. The selector still gives a pair of the deck, preferring one not just asked.
TEST_F(HistoryModeTest, RandomDrawWithOnlyThePreviousPairLeftStillGivesAPair) {
    makeDeck(8);
    settings.NoPriority = 4;
    settings.Numerical = 0;
    deck.Learning[7].LearnStatus = ShortTerm;
    for (int p : {2, 3, 4, 5, 6, 8}) deck.Learning[static_cast<std::size_t>(p)].AskedInRun = 1;
    program.selector.PreviousPair = 1;  // unasked again, as after a promotion or a jump
    deck.CurrentPair = 1;
    rollNext(1);  // Unlearned, outside Short Term's band
    EXPECT_EQ(next(), 7);
    EXPECT_TRUE(h.ui.boxes.empty());

    // With no other candidate at all the previous pair is asked again.
    makeDeck(8);
    settings.NoPriority = 4;
    for (int p = 2; p <= 8; ++p) deck.Learning[static_cast<std::size_t>(p)].AskedInRun = 1;
    program.selector.PreviousPair = 1;
    deck.CurrentPair = 1;
    rollNext(1);
    EXPECT_EQ(next(), 1);
}

// --- single-pair classes, refills and run integrity --------------------------------------

TEST_F(PairSelectorTest, SinglePairClassIsRefilledKeptUnaskedAndNotRepeatedBackToBack) {
    makeDeck(6);
    settings.NoPriority = 2;
    settings.Numerical = 0;
    settings.OnePass = 1;  // the continuation question marks where a new run begins
    h.ui.allowBoxAnyTimes(continuation(), Button::Yes);
    putOnList({4});
    int previous = startRun();
    int listed = previous == 4 ? 1 : 0;
    for (int i = 0; i < 300; ++i) {
        const std::size_t before = h.ui.boxes.size();
        const int pair = next();
        const bool newRun = h.ui.boxes.size() > before;
        EXPECT_FALSE(program.selector.SingleRefill);
        if (pair == 4) {
            ++listed;
            if (!newRun) {
                EXPECT_NE(previous, 4) << "selection " << i;
            }
            // Unless that ended the run, the list was refilled and keeps its pair unasked.
            if (!program.drill.RunComplete) {
                EXPECT_EQ(deck.Learning[4].AskedInRun, 0);
                if (!newRun) {
                    EXPECT_EQ(settings.ListRollover[0], 1);
                }
            }
        }
        previous = pair;
    }
    EXPECT_GT(listed, 10);
}

// Within a run a pair comes back only when its class was refilled.
TEST_F(PairSelectorTest, NoPairRepeatsInARunUnlessItsClassRolledOver) {
    for (int mode : {2, 3, 4}) {
        for (int numerical : {0, 1}) {
            makeDeck(15);
            settings.NoPriority = mode;
            settings.Numerical = numerical;
            settings.OnePass = 1;
            settings.UseNamedRange = mode == 3 ? 2 : 3;
            settings.LowRange = 1;
            settings.HighRange = 4;
            putOnList({1, 2, 3, 4});
            for (int p = 5; p <= 15; ++p) {
                deck.Learning[static_cast<std::size_t>(p)].LearnStatus = p % 3;
            }
            h.ui.allowBoxAnyTimes(continuation(), Button::Yes);
            std::set<int> run{startRun()};
            std::size_t runs = 0;
            for (int i = 0; i < 400; ++i) {
                std::size_t before = h.ui.boxes.size();
                int pair = next();
                if (h.ui.boxes.size() > before) {
                    ++runs;
                    run.clear();
                } else if (run.count(pair)) {
                    SelectionClass c =
                        mode == 2 ? (pair <= 4 ? SelectionClass::OnList : SelectionClass::OffList)
                        : mode == 3
                            ? (pair <= 4 ? SelectionClass::InRange : SelectionClass::OutOfRange)
                            : static_cast<SelectionClass>(5 + deck.Learning[pair].LearnStatus);
                    EXPECT_TRUE(rolledOver(program, c))
                        << "mode " << mode << " numerical " << numerical << " pair " << pair;
                }
                run.insert(pair);
            }
            EXPECT_GE(runs, 4u) << "mode " << mode << " numerical " << numerical;
        }
    }
}

// After a selection the lists are kept up to date by taking the asked pair out rather than
// by a second pass over the deck: they must equal what a pass would build, in every mode and
// order, through refills, rollovers and new runs, with grades changing classes in between.
TEST_F(PairSelectorTest, ListsAfterASelectionEqualAFreshBuild) {
    for (int mode : {1, 2, 3, 4}) {
        for (int order : {0, 1, 2}) {
            SCOPED_TRACE("mode " + std::to_string(mode) + " order " + std::to_string(order));
            makeDeck(40);
            settings.NoPriority = mode;
            settings.Numerical = order == 0 ? 0 : 1;
            settings.Reverse = order == 2 ? 1 : 0;
            settings.OnePass = 0;
            settings.UseNamedRange = mode == 3 ? 2 : 3;
            settings.LowRange = 5;
            settings.HighRange = 20;
            for (int p = 1; p <= 40; ++p) {
                auto& pair = deck.Learning[static_cast<std::size_t>(p)];
                pair.ListFlags = p % 4 == 0 ? kOnListFlag : (p % 13 == 0 ? kDisabledFlag : 0);
                pair.LearnStatus = p % 3;
            }
            startRun();
            for (int i = 0; i < 300; ++i) {
                next();
                const SelectorState kept = program.selector;
                BuildCandidateLists(program);
                ASSERT_EQ(kept, program.selector) << "after selection " << i;
                // A grade before the next selection moves the pair to another history class.
                if (i % 7 == 0) {
                    deck.Learning[static_cast<std::size_t>(deck.CurrentPair)].LearnStatus = i % 3;
                }
            }
        }
    }
}

// With Frequency F and weights wP, wO the class roll sends PreferredShare per cent of the
// draws to the preferred class, whatever the refills do to the lists. Each selection's roll
// is an independent draw, so over n selections the observed share has a standard deviation
// of sqrt(p(1-p)/n), at most 0.36 points for n = 20000; 1.5 points is over four of those.
// The cases keep PreferredShare whole, as the roll is a whole number from 1 to 100.
TEST_F(PairSelectorTest, ShareOfPriorityPairsAskedMatchesPreferredShare) {
    struct Case {
        int listed;
        int total;
        int frequency;
    };
    for (Case c : {Case{4, 20, 80}, Case{3, 10, 50}, Case{5, 20, 25}}) {
        makeDeck(c.total);
        settings.NoPriority = 2;
        settings.Numerical = 0;
        for (int p = 1; p <= c.listed; ++p) putOnList({p});
        startRun();
        const double expected = program.selector.PreferredShare;
        const int selections = 20000;
        int listed = 0;
        for (int i = 0; i < selections; ++i) listed += next() <= c.listed ? 1 : 0;
        const double observed = 100.0 * listed / selections;
        EXPECT_NEAR(observed, expected, 1.5)
            << c.listed << " of " << c.total << " at " << c.frequency << "%";
    }
}

// --- pairs left, shuffled index ----------------------------------------------------------

TEST_F(PairSelectorTest, PairsLeftInRunCountsOnlyClassesStillInTheRun) {
    struct Case {
        int frequency;
        int listRolledOver;
        int otherRolledOver;
        int expected;
    };
    // 3 listed pairs with 1 asked, 7 unlisted with 2 asked.
    for (Case c : {Case{50, 0, 0, 7}, Case{50, 1, 0, 5}, Case{50, 0, 1, 2}, Case{100, 1, 0, 2},
                   Case{0, 0, 1, 5}, Case{100, 0, 0, 2}, Case{0, 0, 0, 5}}) {
        makeDeck(10);
        settings.NoPriority = 2;
        settings.Frequency = c.frequency;
        putOnList({1, 2, 3});
        deck.Learning[1].AskedInRun = 1;
        deck.Learning[5].AskedInRun = 1;
        deck.Learning[9].AskedInRun = 1;
        settings.ListRollover = {c.listRolledOver, c.otherRolledOver};
        BuildCandidateLists(program);
        EXPECT_EQ(PairsLeftInRun(program), c.expected)
            << "F " << c.frequency << " rolled " << c.listRolledOver << c.otherRolledOver;
    }
}

TEST_F(PairSelectorTest, PairsLeftInRunInAllAndHistoryModes) {
    makeDeck(6);
    deck.Learning[2].AskedInRun = 1;
    BuildCandidateLists(program);
    EXPECT_EQ(PairsLeftInRun(program), 5);

    settings.NoPriority = 4;
    settings.UnFrequency = 90;
    settings.ShortFrequency = 10;
    settings.LongFrequency = 0;
    deck.Learning[5].LearnStatus = ShortTerm;
    deck.Learning[6].LearnStatus = LongTerm;
    BuildCandidateLists(program);
    EXPECT_EQ(PairsLeftInRun(program), 4);  // Long Term is never asked at 0 %
    settings.HistoryRollover = {1, 0, 0};
    EXPECT_EQ(PairsLeftInRun(program), 1);
}

TEST_F(PairSelectorTest, ShuffledIndexStaysBelowItsArgumentAndFillsItsTableOnce) {
    makeDeck(3);
    h.clock.setTime({9, 41, 7, 250});
    EXPECT_EQ(ShuffledIndex(program, 1), 0);
    using Seed = std::array<int, 4>;
    EXPECT_EQ(h.random.seeds, (std::vector<Seed>{Seed{9, 41, 7, 250}}));
    h.clock.setTime({11, 0, 0, 0});
    std::set<int> seen;
    for (int i = 0; i < 5000; ++i) {
        int index = ShuffledIndex(program, 7);
        ASSERT_GE(index, 0);
        ASSERT_LT(index, 7);
        seen.insert(index);
        ASSERT_EQ(ShuffledIndex(program, 1), 0);
    }
    EXPECT_EQ(seen.size(), 7u);
    EXPECT_EQ(h.random.seeds, (std::vector<Seed>{Seed{9, 41, 7, 250}}));  // filled once
    EXPECT_EQ(ShuffledIndex(program, 0), 0);
}

TEST_F(PairSelectorTest, EverySelectionReseedsFromTheClock) {
    makeDeck(3);
    startRun();
    // Each selection seeds from the time it is made.
    for (const TimeOfDay time : {TimeOfDay{8, 15, 30, 125}, TimeOfDay{23, 59, 59, 999}}) {
        SCOPED_TRACE(time.hours);
        h.clock.setTime(time);
        next();
        ASSERT_FALSE(h.random.seeds.empty());
        EXPECT_EQ(h.random.seeds.back(),
                  (std::array<int, 4>{time.hours, time.minutes, time.seconds, time.milliseconds}));
    }
    EXPECT_TRUE(program.drill.QuestionShowing);
}

TEST_F(PairSelectorTest, AStuckRandomSourceDoesNotHangTheSelector) {
    makeDeck(5);
    settings.NoPriority = 4;
    settings.UnFrequency = 100;
    settings.ShortFrequency = 0;
    settings.LongFrequency = 0;
    startRun();
    rollNext(100);  // every roll now lands on Long Term, which has no pair
    std::set<int> shown;
    for (int i = 0; i < 8; ++i) shown.insert(next());
    EXPECT_EQ(shown, (std::set<int>{1, 2, 3, 4, 5}));
}

TEST_F(PairSelectorTest, NewRunMarksItsFirstPairAskedWhateverTheRunBeforeLeftPending) {
    makeDeck(4);
    startRun();
    next();
    program.selector.SingleRefill = true;  // a refill of the ending run, not yet consumed
    program.restart.ModeChanged = true;
    EXPECT_EQ(next(), 1);
    EXPECT_EQ(deck.Learning[1].AskedInRun, 1);
    EXPECT_EQ(next(), 2);
}

TEST_F(PairSelectorTest, UnknownQuestionModeAsksAllPairsEqually) {
    makeDeck(3);
    settings.NoPriority = 7;
    std::vector<int> order{startRun(), next(), next()};
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST_F(PairSelectorTest, EmptyDeckHasNothingToChoose) {
    makeDeck(0);
    EXPECT_EQ(SelectNextPair(program), SelectionResult::NoPair);
}

TEST_F(PairSelectorTest, ModeNamesForCaptions) {
    EXPECT_EQ(questionModeName(1), "Ask All Questions Equally Often");
    EXPECT_EQ(questionModeName(2), "Priority Questions From List");
    EXPECT_EQ(questionModeName(3), "Priority Questions From Range");
    EXPECT_EQ(questionModeName(4), "Priority Questions From History");
}

}  // namespace
}  // namespace cardwise

namespace cardwise {
namespace {

using testing::crlf;
using testing::TempDir;

// The flags of the run in progress go out with the deck's settings and come back with them,
// so that a resumed run continues where it stopped.
TEST(SelectorPersistence, RolloverFlagsSurviveClosingAndResumingTheDeck) {
    TempDir dir;
    dir.write("deck.DKD",
              crlf({"[CARDWISE]", "NoPriority=  2", "UseNamedRange=  3", "LastDayUsed=20261207"}));
    auto attach = [&](Program& program) {
        program.deck.QAFileName = dir.file("deck.DKS");
        program.deck.deriveCompanionNames();
        program.currentDirectory = dir.path();
        program.deck.allocate(6);
        program.bindSetupFile();
    };
    auto roll = [](testing::ProgramHarness& h, int r) {
        double v = (r - 0.5) / 99.999;
        h.program.selector.ShuffleTable.fill(v);
        h.program.selector.ShuffleFilled = true;
        h.random.scripted.assign(4000, v);
    };

    testing::ProgramHarness first;
    attach(first.program);
    ReadSetUp(first.program);
    ASSERT_EQ(first.program.deck.LoadOutcome, kSetUpValid);
    first.program.settings.Resume = 1;
    first.program.deck.Learning[2].ListFlags = kOnListFlag;
    first.program.deck.Learning[5].ListFlags = kOnListFlag;
    first.program.drill.RunStarting = true;
    for (int r : {1, 100, 100, 1, 1}) {
        roll(first, r);
        SelectNextPair(first.program);
        first.program.drill.RunStarting = false;
    }
    ASSERT_EQ(first.program.settings.ListRollover, (std::array<std::int32_t, 2>{1, 0}));
    ASSERT_TRUE(WriteSetUp(first.program));
    EXPECT_NE(dir.read("deck.DKD").find("UnlearnedRollover=  1"), std::string::npos);

    testing::ProgramHarness second;
    attach(second.program);
    ReadSetUp(second.program);
    EXPECT_EQ(second.program.settings.ListRollover, (std::array<std::int32_t, 2>{1, 0}));
    // The status lines bring back the asked marks and the list.
    second.program.deck.Learning = first.program.deck.Learning;
    second.program.drill.RunStarting = true;
    roll(second, 100);
    SelectNextPair(second.program);
    EXPECT_EQ(second.program.deck.CurrentPair, 4);  // the run goes on with the unlisted pairs
    EXPECT_EQ(second.program.settings.ListRollover[0], 1);
}

}  // namespace
}  // namespace cardwise
