#include "core/study/statistics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/study/category_list.h"

namespace cardwise {
namespace {

struct PairState {
    std::string category = "0";
    std::int32_t status = Unlearned;
    std::int32_t flags = 0;
    std::int32_t rightToday = 0, wrongToday = 0, rightTotal = 0, wrongTotal = 0;
};

DeckState deckOf(const std::vector<PairState>& pairs) {
    DeckState deck;
    deck.QAFileName = "/decks/SPANISH.DKS";
    deck.allocate(static_cast<std::int32_t>(pairs.size()));
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        std::size_t n = i + 1;
        deck.CategoryName[i] = pairs[i].category;
        deck.Learning[n].LearnStatus = pairs[i].status;
        deck.Learning[n].ListFlags = pairs[i].flags;
        deck.Learning[n].RightToday = pairs[i].rightToday;
        deck.Learning[n].WrongToday = pairs[i].wrongToday;
        deck.Learning[n].RightTotal = pairs[i].rightTotal;
        deck.Learning[n].WrongTotal = pairs[i].wrongTotal;
    }
    return deck;
}

TEST(Statistics, CountsEveryFigureOverAllPairs) {
    DeckState deck = deckOf({
        {"Verbs", Unlearned, 0, 1, 2, 10, 20},
        {"Nouns", ShortTerm, 1, 3, 0, 30, 0},
        {"0", LongTerm, 2, 0, 4, 5, 7},
        {"Verbs", LongTerm, 3, 2, 1, 99999, 99},
    });
    CategoryList list;
    DeckStatistics s = computeStatistics(deck, list);
    EXPECT_EQ(s.pairs, 4);
    EXPECT_EQ(s.categories, 2);
    EXPECT_EQ(s.disabled, 2);  // flags 2 and 3
    EXPECT_EQ(s.priority, 2);  // flags 1 and 3
    EXPECT_EQ(s.unlearned, 1);
    EXPECT_EQ(s.shortTerm, 1);
    EXPECT_EQ(s.longTerm, 2);
    EXPECT_EQ(s.correctToday, 6);
    EXPECT_EQ(s.incorrectToday, 7);
    EXPECT_EQ(s.correctSinceCleared, 100044);
    EXPECT_EQ(s.incorrectSinceCleared, 126);
}

TEST(Statistics, PairWithFlagsThreeCountsAsDisabledAndPriority) {
    DeckState deck = deckOf({{"0", Unlearned, 3}, {}, {}});
    CategoryList list;
    DeckStatistics s = computeStatistics(deck, list);
    EXPECT_EQ(s.disabled, 1);
    EXPECT_EQ(s.priority, 1);
}

TEST(Statistics, DeckWithoutCategoriesShowsZero) {
    DeckState deck = deckOf({{}, {}, {}});
    CategoryList list;
    EXPECT_EQ(computeStatistics(deck, list).categories, 0);
    EXPECT_TRUE(list.empty());
}

TEST(Statistics, ClearTodayKeepsLongTermAndTheOtherWayRound) {
    DeckState deck = deckOf({{"0", Unlearned, 0, 1, 2, 3, 4}, {"0", Unlearned, 0, 5, 6, 7, 8}});
    CategoryList list;
    clearTodayCounts(deck);
    DeckStatistics s = computeStatistics(deck, list);
    EXPECT_EQ(s.correctToday, 0);
    EXPECT_EQ(s.incorrectToday, 0);
    EXPECT_EQ(s.correctSinceCleared, 10);
    EXPECT_EQ(s.incorrectSinceCleared, 12);

    deck = deckOf({{"0", Unlearned, 0, 1, 2, 3, 4}, {"0", Unlearned, 0, 5, 6, 7, 8}});
    clearLongTermCounts(deck);
    s = computeStatistics(deck, list);
    EXPECT_EQ(s.correctToday, 6);
    EXPECT_EQ(s.incorrectToday, 8);
    EXPECT_EQ(s.correctSinceCleared, 0);
    EXPECT_EQ(s.incorrectSinceCleared, 0);
}

TEST(Statistics, FiguresCarryTheWindowLabelsInOrder) {
    DeckState deck = deckOf({{"A", ShortTerm, 1, 2, 3, 4, 5}, {}, {}});
    CategoryList list;
    auto figures = statisticsFigures(computeStatistics(deck, list));
    std::vector<std::string> lines;
    for (const auto& f : figures)
        lines.push_back(std::string(f.label) + ": " + std::to_string(f.value));
    EXPECT_EQ(lines,
              (std::vector<std::string>{
                  "Number Of Pairs: 3", "Number Of Categories: 1", "Number Of Disabled Pairs: 0",
                  "Number Of Priority Pairs: 1", "Unlearned: 2", "Short Term Learned: 1",
                  "Long Term Learned: 0", "Correct Today: 2", "Incorrect Today: 3",
                  "Correct Since Last Cleared: 4", "Incorrect Since Last Cleared: 5"}));
    EXPECT_EQ(statisticsTitle(deck), "File Statistics For /decks/SPANISH.DKS");
}

TEST(CategoryList, KeepsFirstMetOrderAndComparesCaseSensitively) {
    DeckState deck = deckOf({{"Verbs"}, {"verbs"}, {"Verbs"}, {"0"}, {"Nouns"}});
    CategoryList list;
    list.rebuild(deck);
    EXPECT_EQ(list.names(), (std::vector<std::string>{"Verbs", "verbs", "Nouns"}));
    EXPECT_EQ(list.distinctCount(), 3);
}

TEST(CategoryList, KeepsAtMost101NamesButCountsEveryOne) {
    std::vector<PairState> pairs;
    for (int i = 0; i < 150; ++i) pairs.push_back({"C" + std::to_string(i)});
    pairs.push_back({"C0"});
    DeckState deck = deckOf(pairs);
    CategoryList list;
    DeckStatistics s = computeStatistics(deck, list);
    EXPECT_EQ(list.names().size(), kCategoryListMax);
    EXPECT_EQ(list.names().back(), "C100");
    EXPECT_EQ(s.categories, 150);
}

TEST(CategoryList, RebuildStartsAfresh) {
    CategoryList list;
    list.rebuild(deckOf({{"Old"}, {}, {}}));
    list.rebuild(deckOf({{"New"}, {}, {}}));
    EXPECT_EQ(list.names(), (std::vector<std::string>{"New"}));
}

TEST(StatisticsChart, CountsPairsPerLearningCategoryPerNameAndTheAnswers) {
    DeckState deck = deckOf({
        {"Verbs", Unlearned, 0, 1, 2, 10, 20},
        {"Nouns", ShortTerm, 0, 3, 0, 30, 0},
        {"0", LongTerm, 0, 0, 4, 0, 5},
        {"Verbs", LongTerm, 0, 0, 0, 1, 1},
        {"verbs", Unlearned, 0, 0, 0, 0, 0},
    });
    CategoryList categories;
    const StatisticsChart chart = statisticsChart(deck, computeStatistics(deck, categories));
    EXPECT_EQ(chart.learning,
              (std::vector<ChartCount>{{"Unlearned", 2}, {"Short Term", 1}, {"Long Term", 2}}));
    EXPECT_EQ(chart.categories,
              (std::vector<ChartCount>{{"Verbs", 2}, {"Nouns", 1}, {"verbs", 1}}));
    EXPECT_EQ(chart.withoutCategory, 1);
    EXPECT_EQ(chart.rightToday.value, 4);
    EXPECT_EQ(chart.wrongToday.value, 6);
    EXPECT_EQ(chart.rightLongTerm.value, 41);
    EXPECT_EQ(chart.wrongLongTerm.value, 26);

    clearTodayCounts(deck);
    const StatisticsChart cleared = statisticsChart(deck, computeStatistics(deck, categories));
    EXPECT_EQ(cleared.rightToday.value, 0);
    EXPECT_EQ(cleared.wrongToday.value, 0);
    EXPECT_EQ(cleared.rightLongTerm.value, 41);
}

TEST(StatisticsChart, CategoryRowsPutTheLargestNamesFirstAndTheUnnamedLast) {
    const StatisticsChart chart{
        {}, {{"Verbs", 1}, {"Nouns", 3}, {"verbs", 1}, {"Colours", 3}}, 2, {}, {}, {}, {}};
    EXPECT_EQ(categoryChartRows(chart),
              (std::vector<ChartCount>{
                  {"Nouns", 3}, {"Colours", 3}, {"Verbs", 1}, {"verbs", 1}, {"(No Category)", 2, true}}));
    EXPECT_TRUE(categoryChartRows(StatisticsChart{}).empty());
}

TEST(StatisticsChart, CategoryRowsSumWhatDoesNotFit) {
    // A hundred names: C0 has 1 pair, C1 2, ... C4 5, C5 1 again, and so on.
    std::vector<PairState> pairs;
    std::int64_t total = 0;
    for (int name = 0; name < 100; ++name) {
        for (int k = 0; k <= name % 5; ++k) pairs.push_back({"C" + std::to_string(name)});
        total += name % 5 + 1;
    }
    DeckState deck = deckOf(pairs);
    CategoryList categories;
    const std::vector<ChartCount> rows =
        categoryChartRows(statisticsChart(deck, computeStatistics(deck, categories)), 12);
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows[0], (ChartCount{"C4", 5}));
    EXPECT_EQ(rows[11], (ChartCount{"C59", 5}));
    EXPECT_EQ(rows[12], (ChartCount{"88 Other Names", total - 60, true}));

    // One name too many is shown itself: a row "1 Other Names" would hide it for nothing.
    const StatisticsChart thirteen{{}, std::vector<ChartCount>(13, {"N", 1}), 0, {}, {}, {}, {}};
    EXPECT_EQ(categoryChartRows(thirteen, 12).size(), 13u);
    const StatisticsChart fourteen{{}, std::vector<ChartCount>(14, {"N", 1}), 0, {}, {}, {}, {}};
    EXPECT_EQ(categoryChartRows(fourteen, 12).back(), (ChartCount{"2 Other Names", 2, true}));
}

}  // namespace
}  // namespace cardwise
