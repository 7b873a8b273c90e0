#include "core/drill/grading.h"

#include <gtest/gtest.h>

#include "core/drill/promotion_message.h"
#include "support/fakes.h"

namespace cardwise {
namespace {

using testing::ProgramHarness;

constexpr std::int32_t kDay1 = 20261207;
constexpr std::int32_t kDay2 = 20261208;
constexpr std::int32_t kDay3 = 20261210;

class GradingTest : public ::testing::Test {
  protected:
    ProgramHarness h;
    Program& program = h.program;
    DeckState& deck = h.program.deck;
    DeckSettings& settings = h.program.settings;

    void SetUp() override {
        deck.allocate(3);
        deck.Today = kDay1;
        deck.CurrentPair = 2;
        deck.AskedInRun[2] = 1;
        deck.LastDate[2] = 20261201;
    }

    // The deck opened again on a later day: the day's counts start again.
    void newDay(std::int32_t date) {
        deck.Today = date;
        for (auto& n : deck.RightToday) n = 0;
        for (auto& n : deck.WrongToday) n = 0;
    }

    void correct(int times) {
        for (int i = 0; i < times; ++i) GradeCorrect(program);
    }
    std::vector<std::string> promotionTexts() const {
        std::vector<std::string> out;
        for (const auto& [text, timed] : h.ui.promotions) out.push_back(text);
        return out;
    }
};

TEST_F(GradingTest, CorrectAnswerOutsideHistoryModeOnlyCounts) {
    for (int mode : {1, 2, 3}) {
        SetUp();
        settings.NoPriority = mode;
        deck.RightToday[2] = 5;
        correct(1);
        EXPECT_EQ(deck.RightToday[2], 6);
        EXPECT_EQ(deck.RightTotal[2], 1);
        EXPECT_EQ(deck.LastDate[2], kDay1);
        EXPECT_EQ(deck.LearnStatus[2], Unlearned);
        EXPECT_EQ(deck.AskedInRun[2], 1);
    }
    EXPECT_EQ(deck.SessionCorrect, 3);
    EXPECT_TRUE(h.ui.promotions.empty());
}

TEST_F(GradingTest, PromotionLadderOverSeveralDays) {
    settings.NoPriority = 4;  // thresholds 2, 2, 2

    // Day 1: the second correct answer promotes to Short Term; that day cannot count.
    correct(1);
    EXPECT_EQ(deck.LearnStatus[2], Unlearned);
    EXPECT_EQ(deck.LastDate[2], 20261201);  // a plain correct answer leaves the date
    correct(1);
    EXPECT_EQ(deck.LearnStatus[2], ShortTerm);
    EXPECT_EQ(deck.AskedInRun[2], 0);
    EXPECT_EQ(deck.LastDate[2], kDay1);
    correct(1);
    EXPECT_EQ(deck.DayCount[2], 0);

    // Day 2: the second correct answer counts the day, a third adds nothing.
    newDay(kDay2);
    deck.AskedInRun[2] = 1;
    correct(1);
    EXPECT_EQ(deck.DayCount[2], 0);
    correct(1);
    EXPECT_EQ(deck.DayCount[2], 1);
    EXPECT_EQ(deck.LastDate[2], kDay2);
    correct(1);
    EXPECT_EQ(deck.DayCount[2], 1);
    EXPECT_EQ(deck.LearnStatus[2], ShortTerm);
    EXPECT_EQ(deck.AskedInRun[2], 1);

    // Day 3: the second correct answer counts the second day and promotes to Long Term.
    newDay(kDay3);
    correct(2);
    EXPECT_EQ(deck.DayCount[2], 2);
    EXPECT_EQ(deck.LearnStatus[2], LongTerm);
    EXPECT_EQ(deck.AskedInRun[2], 0);
    EXPECT_EQ(deck.RightTotal[2], 8);

    EXPECT_EQ(promotionTexts(),
              (std::vector<std::string>{
                  "Congratulations!! This Question Has Been Promoted To The Short Term Learned "
                  "Category",
                  "Congratulations!! This Question Has Been Promoted To The Long Term Learned "
                  "Category"}));
    EXPECT_FALSE(h.ui.promotions[0].second);
}

TEST_F(GradingTest, HigherThresholdsNeedMoreAnswersAndDays) {
    settings.NoPriority = 4;
    settings.ShortThreshold = 3;
    settings.LongAnsThreshold = 1;
    settings.LongDayThreshold = 3;
    correct(2);
    EXPECT_EQ(deck.LearnStatus[2], Unlearned);
    correct(1);
    EXPECT_EQ(deck.LearnStatus[2], ShortTerm);
    for (std::int32_t date : {kDay2, kDay3}) {
        newDay(date);
        correct(1);
        EXPECT_EQ(deck.LearnStatus[2], ShortTerm);
    }
    EXPECT_EQ(deck.DayCount[2], 2);
    newDay(20261211);
    correct(1);
    EXPECT_EQ(deck.LearnStatus[2], LongTerm);
}

TEST_F(GradingTest, PromoMessageSettingChoosesTimedOrNoMessage) {
    settings.NoPriority = 4;
    settings.PromoMessage = kPromoTimed;
    correct(2);
    ASSERT_EQ(h.ui.promotions.size(), 1u);
    EXPECT_TRUE(h.ui.promotions[0].second);

    settings.PromoMessage = kPromoNone;
    GradeIncorrect(program);
    EXPECT_EQ(h.ui.promotions.size(), 1u);
    EXPECT_EQ(deck.LearnStatus[2], Unlearned);
}

TEST_F(GradingTest, IncorrectAnswerDemotesInHistoryModeWithAMessageUnlessUnlearned) {
    settings.NoPriority = 4;
    deck.LearnStatus[2] = LongTerm;
    deck.RightToday[2] = 4;
    deck.DayCount[2] = 2;
    GradeIncorrect(program);
    EXPECT_EQ(deck.LearnStatus[2], Unlearned);
    EXPECT_EQ(deck.RightToday[2], 0);
    EXPECT_EQ(deck.DayCount[2], 0);
    EXPECT_EQ(deck.WrongToday[2], 1);
    EXPECT_EQ(deck.WrongTotal[2], 1);
    EXPECT_EQ(deck.LastDate[2], kDay1);
    EXPECT_EQ(promotionTexts(),
              (std::vector<std::string>{
                  "Sorry - This Question Will Be Demoted Back To Unlearned Status"}));

    GradeIncorrect(program);
    EXPECT_EQ(h.ui.promotions.size(), 1u);
    EXPECT_EQ(deck.SessionIncorrect, 2);
}

TEST_F(GradingTest, IncorrectAnswerOutsideHistoryModeKeepsTheCategory) {
    settings.NoPriority = 2;
    deck.LearnStatus[2] = ShortTerm;
    deck.RightToday[2] = 3;
    GradeIncorrect(program);
    EXPECT_EQ(deck.LearnStatus[2], ShortTerm);
    EXPECT_EQ(deck.RightToday[2], 3);
    EXPECT_EQ(deck.WrongToday[2], 1);
    EXPECT_TRUE(h.ui.promotions.empty());
}

TEST_F(GradingTest, CountersStopAtTheirCeilings) {
    deck.RightToday[2] = 99;
    deck.RightTotal[2] = 12345;
    deck.WrongToday[2] = 99;
    deck.WrongTotal[2] = 98;
    correct(1);
    GradeIncorrect(program);
    GradeIncorrect(program);
    EXPECT_EQ(deck.RightToday[2], 99);
    EXPECT_EQ(deck.RightTotal[2], 12346);
    EXPECT_EQ(deck.WrongToday[2], 99);
    EXPECT_EQ(deck.WrongTotal[2], 99);

    // The total is stored in five digits and holds there.
    deck.RightTotal[2] = kRightTotalMax;
    correct(1);
    EXPECT_EQ(deck.RightTotal[2], 99999);
}

TEST_F(GradingTest, PairOutsideTheDeckIsNotGraded) {
    for (std::int32_t pair : {0, -1, 4, 5000}) {
        deck.CurrentPair = pair;
        GradeCorrect(program);
        GradeIncorrect(program);
    }
    EXPECT_EQ(deck.SessionCorrect, 0);
    EXPECT_EQ(deck.SessionIncorrect, 0);
}

TEST(PromotionMessageWindow, TimedMessageClosesItselfOnTheThirdTick) {
    PromotionMessageWindow window(kPromoTimed);
    auto layout = window.show();
    EXPECT_EQ(layout.height, 74);
    EXPECT_FALSE(layout.okPanelVisible);
    EXPECT_FALSE(window.tick());
    EXPECT_FALSE(window.tick());
    EXPECT_TRUE(window.tick());

    // Shown again, it counts from the start.
    window.show();
    window.tick();
    window.show();
    EXPECT_FALSE(window.tick());
    EXPECT_FALSE(window.tick());
    EXPECT_TRUE(window.tick());
}

TEST(PromotionMessageWindow, RegularMessageWaitsForOk) {
    PromotionMessageWindow window(kPromoRegular);
    auto layout = window.show();
    EXPECT_EQ(layout.height, 115);
    EXPECT_TRUE(layout.okPanelVisible);
    for (int i = 0; i < 20; ++i) EXPECT_FALSE(window.tick()) << "tick " << i;
}

}  // namespace
}  // namespace cardwise
