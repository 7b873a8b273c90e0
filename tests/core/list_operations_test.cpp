#include "core/study/list_operations.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace cardwise {
namespace {

using testing::ProgramHarness;
using testing::ShownBox;

class ListOperationsTest : public ::testing::Test {
  protected:
    ProgramHarness h;
    DeckState& deck = h.program.deck;

    void SetUp() override {
        deck.allocate(4);
        for (std::size_t p = 1; p <= 4; ++p) {
            deck.ListFlags[p] = static_cast<std::int32_t>(p - 1);  // 0, 1, 2, 3
            deck.RightToday[p] = 3;
            deck.RightTotal[p] = 10;
            deck.WrongToday[p] = 1;
            deck.DayCount[p] = 2;
            deck.LearnStatus[p] = static_cast<std::int32_t>(p % 3);
        }
    }
};

TEST_F(ListOperationsTest, ResetToUnlearnedAfterYesClearsTheLearningCategory) {
    h.ui.expectBox({"Reset To Unlearned",
                    "This Will Reset ALL Questions In This File To Unlearned Status - Are You "
                    "Sure?",
                    Icon::Question, Buttons::YesNo},
                   Button::Yes);
    ResetToUnlearned(h.program);
    for (std::size_t p = 1; p <= 4; ++p) {
        EXPECT_EQ(deck.RightToday[p], 0);
        EXPECT_EQ(deck.DayCount[p], 0);
        EXPECT_EQ(deck.LearnStatus[p], Unlearned);
        EXPECT_EQ(deck.RightTotal[p], 10);
        EXPECT_EQ(deck.WrongToday[p], 1);
    }
}

TEST_F(ListOperationsTest, ResetToUnlearnedAfterNoChangesNothing) {
    const auto status = deck.LearnStatus;
    const auto today = deck.RightToday;
    h.ui.expectBox({"Reset To Unlearned",
                    "This Will Reset ALL Questions In This File To Unlearned Status - Are You "
                    "Sure?",
                    Icon::Question, Buttons::YesNo},
                   Button::No);
    ResetToUnlearned(h.program);
    EXPECT_EQ(deck.LearnStatus, status);
    EXPECT_EQ(deck.RightToday, today);
}

TEST_F(ListOperationsTest, ClearPriorityListKeepsDisabledPairsDisabled) {
    h.ui.expectBox(
        {"Priority List", "The Priority List Has Been Cleared", Icon::Information, Buttons::Ok});
    ClearPriorityList(h.program);
    EXPECT_EQ(deck.ListFlags[1], 0);
    EXPECT_EQ(deck.ListFlags[2], 0);
    EXPECT_EQ(deck.ListFlags[3], 2);
    EXPECT_EQ(deck.ListFlags[4], 2);
}

TEST_F(ListOperationsTest, ClearPriorityListOnAReadOnlyDeckDoesNothingAndSaysNothing) {
    deck.ReadOnlyDeck = true;
    const auto flags = deck.ListFlags;
    ClearPriorityList(h.program);
    EXPECT_EQ(deck.ListFlags, flags);
    EXPECT_TRUE(h.ui.boxes.empty());
}

TEST_F(ListOperationsTest, OperationsStayInsideShortTables) {
    deck.PairCount = 9;  // more pairs claimed than the tables hold
    deck.ListFlags.resize(3);
    h.ui.expectBox(
        {"Priority List", "The Priority List Has Been Cleared", Icon::Information, Buttons::Ok});
    ClearPriorityList(h.program);
    EXPECT_EQ(deck.ListFlags[1], 0);
    EXPECT_EQ(deck.ListFlags[2], 0);
}

}  // namespace
}  // namespace cardwise
