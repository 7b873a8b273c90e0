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
        deck.Learning[2].AskedInRun = 1;
        deck.Learning[2].LastDate = 20261201;
    }

    // The deck opened again on a later day: the day's counts start again.
    void newDay(std::int32_t date) {
        deck.Today = date;
        for (auto& record : deck.Learning) record.RightToday = record.WrongToday = 0;
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
        deck.Learning[2].RightToday = 5;
        correct(1);
        EXPECT_EQ(deck.Learning[2].RightToday, 6);
        EXPECT_EQ(deck.Learning[2].RightTotal, 1);
        EXPECT_EQ(deck.Learning[2].LastDate, kDay1);
        EXPECT_EQ(deck.Learning[2].LearnStatus, Unlearned);
        EXPECT_EQ(deck.Learning[2].AskedInRun, 1);
    }
    EXPECT_EQ(deck.SessionCorrect, 3);
    EXPECT_TRUE(h.ui.promotions.empty());
}

TEST_F(GradingTest, PromotionLadderOverSeveralDays) {
    settings.NoPriority = 4;  // thresholds 2, 2, 2

    // Day 1: the second correct answer promotes to Short Term; that day cannot count.
    correct(1);
    EXPECT_EQ(deck.Learning[2].LearnStatus, Unlearned);
    EXPECT_EQ(deck.Learning[2].LastDate, 20261201);  // a plain correct answer leaves the date
    correct(1);
    EXPECT_EQ(deck.Learning[2].LearnStatus, ShortTerm);
    EXPECT_EQ(deck.Learning[2].AskedInRun, 0);
    EXPECT_EQ(deck.Learning[2].LastDate, kDay1);
    correct(1);
    EXPECT_EQ(deck.Learning[2].DayCount, 0);

    // Day 2: the second correct answer counts the day, a third adds nothing.
    newDay(kDay2);
    deck.Learning[2].AskedInRun = 1;
    correct(1);
    EXPECT_EQ(deck.Learning[2].DayCount, 0);
    correct(1);
    EXPECT_EQ(deck.Learning[2].DayCount, 1);
    EXPECT_EQ(deck.Learning[2].LastDate, kDay2);
    correct(1);
    EXPECT_EQ(deck.Learning[2].DayCount, 1);
    EXPECT_EQ(deck.Learning[2].LearnStatus, ShortTerm);
    EXPECT_EQ(deck.Learning[2].AskedInRun, 1);

    // Day 3: the second correct answer counts the second day and promotes to Long Term.
    newDay(kDay3);
    correct(2);
    EXPECT_EQ(deck.Learning[2].DayCount, 2);
    EXPECT_EQ(deck.Learning[2].LearnStatus, LongTerm);
    EXPECT_EQ(deck.Learning[2].AskedInRun, 0);
    EXPECT_EQ(deck.Learning[2].RightTotal, 8);

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
    EXPECT_EQ(deck.Learning[2].LearnStatus, Unlearned);
    correct(1);
    EXPECT_EQ(deck.Learning[2].LearnStatus, ShortTerm);
    for (std::int32_t date : {kDay2, kDay3}) {
        newDay(date);
        correct(1);
        EXPECT_EQ(deck.Learning[2].LearnStatus, ShortTerm);
    }
    EXPECT_EQ(deck.Learning[2].DayCount, 2);
    newDay(20261211);
    correct(1);
    EXPECT_EQ(deck.Learning[2].LearnStatus, LongTerm);
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
    EXPECT_EQ(deck.Learning[2].LearnStatus, Unlearned);
}

TEST_F(GradingTest, IncorrectAnswerDemotesInHistoryModeWithAMessageUnlessUnlearned) {
    settings.NoPriority = 4;
    deck.Learning[2].LearnStatus = LongTerm;
    deck.Learning[2].RightToday = 4;
    deck.Learning[2].DayCount = 2;
    GradeIncorrect(program);
    EXPECT_EQ(deck.Learning[2].LearnStatus, Unlearned);
    EXPECT_EQ(deck.Learning[2].RightToday, 0);
    EXPECT_EQ(deck.Learning[2].DayCount, 0);
    EXPECT_EQ(deck.Learning[2].WrongToday, 1);
    EXPECT_EQ(deck.Learning[2].WrongTotal, 1);
    EXPECT_EQ(deck.Learning[2].LastDate, kDay1);
    EXPECT_EQ(promotionTexts(),
              (std::vector<std::string>{
                  "Sorry - This Question Will Be Demoted Back To Unlearned Status"}));

    GradeIncorrect(program);
    EXPECT_EQ(h.ui.promotions.size(), 1u);
    EXPECT_EQ(deck.SessionIncorrect, 2);
}

TEST_F(GradingTest, IncorrectAnswerOutsideHistoryModeKeepsTheCategory) {
    settings.NoPriority = 2;
    deck.Learning[2].LearnStatus = ShortTerm;
    deck.Learning[2].RightToday = 3;
    GradeIncorrect(program);
    EXPECT_EQ(deck.Learning[2].LearnStatus, ShortTerm);
    EXPECT_EQ(deck.Learning[2].RightToday, 3);
    EXPECT_EQ(deck.Learning[2].WrongToday, 1);
    EXPECT_TRUE(h.ui.promotions.empty());
}

TEST_F(GradingTest, CountersStopAtTheirCeilings) {
    deck.Learning[2].RightToday = 99;
    deck.Learning[2].RightTotal = 12345;
    deck.Learning[2].WrongToday = 99;
    deck.Learning[2].WrongTotal = 98;
    correct(1);
    GradeIncorrect(program);
    GradeIncorrect(program);
    EXPECT_EQ(deck.Learning[2].RightToday, 99);
    EXPECT_EQ(deck.Learning[2].RightTotal, 12346);
    EXPECT_EQ(deck.Learning[2].WrongToday, 99);
    EXPECT_EQ(deck.Learning[2].WrongTotal, 99);

    // The total is stored in five digits and holds there.
    deck.Learning[2].RightTotal = kRightTotalMax;
    correct(1);
    EXPECT_EQ(deck.Learning[2].RightTotal, 99999);
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
