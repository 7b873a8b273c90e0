#include "core/study/statistics.h"

#include <algorithm>
#include <map>

namespace cardwise {
namespace {

std::int32_t field(const std::vector<std::int32_t>& table, std::int32_t n) {
    auto index = static_cast<std::size_t>(n);
    return index < table.size() ? table[index] : 0;
}

void zero(std::vector<std::int32_t>& table, std::int32_t pairCount) {
    for (std::int32_t n = 1; n <= pairCount; ++n) {
        auto index = static_cast<std::size_t>(n);
        if (index >= table.size()) break;
        table[index] = 0;
    }
}

}  // namespace

DeckStatistics computeStatistics(const DeckState& deck, CategoryList& categories) {
    categories.rebuild(deck);
    DeckStatistics s;
    s.pairs = deck.PairCount;
    s.categories = categories.distinctCount();
    for (std::int32_t n = 1; n <= deck.PairCount; ++n) {
        switch (field(deck.LearnStatus, n)) {
            case Unlearned:
                ++s.unlearned;
                break;
            case ShortTerm:
                ++s.shortTerm;
                break;
            case LongTerm:
                ++s.longTerm;
                break;
            default:
                break;
        }
        std::int32_t flags = field(deck.ListFlags, n);
        if (flags == 2 || flags == 3) ++s.disabled;
        if ((flags & kOnListFlag) != 0) ++s.priority;
        s.correctToday += field(deck.RightToday, n);
        s.incorrectToday += field(deck.WrongToday, n);
        s.correctSinceCleared += field(deck.RightTotal, n);
        s.incorrectSinceCleared += field(deck.WrongTotal, n);
    }
    return s;
}

std::string statisticsTitle(const DeckState& deck) {
    return "File Statistics For " + deck.QAFileName;
}

std::vector<StatisticsFigure> statisticsFigures(const DeckStatistics& s) {
    return {
        {"Number Of Pairs", s.pairs},
        {"Number Of Categories", s.categories},
        {"Number Of Disabled Pairs", s.disabled},
        {"Number Of Priority Pairs", s.priority},
        {"Unlearned", s.unlearned},
        {"Short Term Learned", s.shortTerm},
        {"Long Term Learned", s.longTerm},
        {"Correct Today", s.correctToday},
        {"Incorrect Today", s.incorrectToday},
        {"Correct Since Last Cleared", s.correctSinceCleared},
        {"Incorrect Since Last Cleared", s.incorrectSinceCleared},
    };
}

StatisticsChart statisticsChart(const DeckState& deck, const DeckStatistics& stats) {
    StatisticsChart chart;
    chart.learning = {{"Unlearned", stats.unlearned},
                      {"Short Term", stats.shortTerm},
                      {"Long Term", stats.longTerm}};
    std::map<std::string, std::size_t> index;
    for (std::int32_t n = 1; n <= deck.PairCount; ++n) {
        const auto at = static_cast<std::size_t>(n - 1);
        if (at >= deck.CategoryName.size()) break;
        const std::string& name = deck.CategoryName[at];
        if (name == "0") {
            ++chart.withoutCategory;
            continue;
        }
        auto [place, added] = index.try_emplace(name, chart.categories.size());
        if (added) chart.categories.push_back({name, 0});
        ++chart.categories[place->second].value;
    }
    chart.rightToday = {"Correct Today", stats.correctToday};
    chart.wrongToday = {"Incorrect Today", stats.incorrectToday};
    chart.rightLongTerm = {"Correct Since Last Cleared", stats.correctSinceCleared};
    chart.wrongLongTerm = {"Incorrect Since Last Cleared", stats.incorrectSinceCleared};
    return chart;
}

std::vector<ChartCount> categoryChartRows(const StatisticsChart& chart, std::size_t shown) {
    std::vector<ChartCount> rows = chart.categories;
    std::stable_sort(rows.begin(), rows.end(),
                     [](const ChartCount& a, const ChartCount& b) { return a.value > b.value; });
    // One "other" row standing for a single name would hide that name for nothing.
    if (rows.size() > shown + 1) {
        std::int64_t rest = 0;
        for (std::size_t i = shown; i < rows.size(); ++i) rest += rows[i].value;
        const std::size_t others = rows.size() - shown;
        rows.resize(shown);
        rows.push_back({std::to_string(others) + " Other Names", rest, true});
    }
    if (chart.withoutCategory > 0)
        rows.push_back({std::string(kNoCategoryLabel), chart.withoutCategory, true});
    return rows;
}

void clearTodayCounts(DeckState& deck) {
    zero(deck.RightToday, deck.PairCount);
    zero(deck.WrongToday, deck.PairCount);
}

void clearLongTermCounts(DeckState& deck) {
    zero(deck.RightTotal, deck.PairCount);
    zero(deck.WrongTotal, deck.PairCount);
}

}  // namespace cardwise
