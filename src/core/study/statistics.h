#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/deck/deck_document.h"
#include "core/deck/deck_state.h"
#include "core/study/category_list.h"

namespace cardwise {

inline constexpr std::string_view kStatisticsCaption = "File Statistics";

// The figures of the statistics window, computed over every pair of the open deck.
struct DeckStatistics {
    std::int64_t pairs = 0;
    std::int64_t categories = 0;
    std::int64_t disabled = 0;
    std::int64_t priority = 0;
    std::int64_t unlearned = 0;
    std::int64_t shortTerm = 0;
    std::int64_t longTerm = 0;
    std::int64_t correctToday = 0;
    std::int64_t incorrectToday = 0;
    std::int64_t correctSinceCleared = 0;
    std::int64_t incorrectSinceCleared = 0;
};

struct StatisticsFigure {
    std::string_view label;
    std::int64_t value;
};

// Rebuilds the category list from the deck (the window shares it) and counts.
DeckStatistics computeStatistics(const DeckState& deck, CategoryList& categories);

// "File Statistics For " and the deck's Q&A file path.
std::string statisticsTitle(const DeckState& deck);

// The figures with the window's labels, in the window's order.
std::vector<StatisticsFigure> statisticsFigures(const DeckStatistics& stats);

// What the statistics window's chart draws, beside the figures.
struct ChartCount {
    std::string label;
    std::int64_t value = 0;
    // A row standing for several category names, or for none, drawn apart from the names.
    bool grouped = false;
    bool operator==(const ChartCount&) const = default;
};
struct StatisticsChart {
    // Pairs per learning category: "Unlearned", "Short Term", "Long Term".
    std::vector<ChartCount> learning;
    // Pairs per category name, in the order first met; pairs without one are counted apart.
    std::vector<ChartCount> categories;
    std::int64_t withoutCategory = 0;
    // Right and wrong answers today and since the long-term counters were cleared.
    ChartCount rightToday, wrongToday, rightLongTerm, wrongLongTerm;
};

StatisticsChart statisticsChart(const DeckState& deck, const DeckStatistics& stats);

// How many category names the chart shows by themselves; a deck may have a hundred.
inline constexpr std::size_t kChartedCategoryNames = 12;
inline constexpr std::string_view kNoCategoryLabel = "(No Category)";

// The rows of the per-name chart, top to bottom: the `shown` names with the most pairs
// (equal counts in the order first met), then one row summing the rest ("N Other Names"),
// then the pairs without a name. Rows of no pairs are left out.
std::vector<ChartCount> categoryChartRows(const StatisticsChart& chart,
                                          std::size_t shown = kChartedCategoryNames);

// "Clear Today" and "Clear Long Term": in memory only; the close saves them.
void clearTodayCounts(DeckState& deck);
void clearLongTermCounts(DeckState& deck);
// The same on the open deck, which then owes the change to its files.
void clearTodayCounts(DeckDocument& document);
void clearLongTermCounts(DeckDocument& document);

}  // namespace cardwise
