#include "core/study/list_operations.h"
#include "learning_column.h"

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
            deck.Learning[p].ListFlags = static_cast<std::int32_t>(p - 1);  // 0, 1, 2, 3
            deck.Learning[p].RightToday = 3;
            deck.Learning[p].RightTotal = 10;
            deck.Learning[p].WrongToday = 1;
            deck.Learning[p].DayCount = 2;
            deck.Learning[p].LearnStatus = static_cast<std::int32_t>(p % 3);
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
        EXPECT_EQ(deck.Learning[p].RightToday, 0);
        EXPECT_EQ(deck.Learning[p].DayCount, 0);
        EXPECT_EQ(deck.Learning[p].LearnStatus, Unlearned);
        EXPECT_EQ(deck.Learning[p].RightTotal, 10);
        EXPECT_EQ(deck.Learning[p].WrongToday, 1);
    }
}

TEST_F(ListOperationsTest, ResetToUnlearnedAfterNoChangesNothing) {
    const auto status = learningColumn(deck, &PairLearning::LearnStatus);
    const auto today = learningColumn(deck, &PairLearning::RightToday);
    h.ui.expectBox({"Reset To Unlearned",
                    "This Will Reset ALL Questions In This File To Unlearned Status - Are You "
                    "Sure?",
                    Icon::Question, Buttons::YesNo},
                   Button::No);
    ResetToUnlearned(h.program);
    EXPECT_EQ(learningColumn(deck, &PairLearning::LearnStatus), status);
    EXPECT_EQ(learningColumn(deck, &PairLearning::RightToday), today);
}

TEST_F(ListOperationsTest, ClearPriorityListKeepsDisabledPairsDisabled) {
    h.ui.expectBox(
        {"Priority List", "The Priority List Has Been Cleared", Icon::Information, Buttons::Ok});
    ClearPriorityList(h.program);
    EXPECT_EQ(deck.Learning[1].ListFlags, 0);
    EXPECT_EQ(deck.Learning[2].ListFlags, 0);
    EXPECT_EQ(deck.Learning[3].ListFlags, 2);
    EXPECT_EQ(deck.Learning[4].ListFlags, 2);
}

TEST_F(ListOperationsTest, ClearPriorityListOnAReadOnlyDeckDoesNothingAndSaysNothing) {
    deck.ReadOnlyDeck = true;
    const auto flags = learningColumn(deck, &PairLearning::ListFlags);
    ClearPriorityList(h.program);
    EXPECT_EQ(learningColumn(deck, &PairLearning::ListFlags), flags);
    EXPECT_TRUE(h.ui.boxes.empty());
}

TEST_F(ListOperationsTest, OperationsStayInsideShortTables) {
    deck.PairCount = 9;  // more pairs claimed than the tables hold
    deck.Learning.resize(3);
    h.ui.expectBox(
        {"Priority List", "The Priority List Has Been Cleared", Icon::Information, Buttons::Ok});
    ClearPriorityList(h.program);
    EXPECT_EQ(deck.Learning[1].ListFlags, 0);
    EXPECT_EQ(deck.Learning[2].ListFlags, 0);
}

}  // namespace
}  // namespace cardwise
