#include "core/study/statistics.h"

#include <algorithm>
#include <map>

namespace cardwise {
namespace {

template <typename Field>
void zero(DeckState& deck, Field PairLearning::*first, Field PairLearning::*second) {
    for (std::int32_t n = 1; n <= deck.PairCount && deck.hasLearning(n); ++n) {
        deck.Learning[static_cast<std::size_t>(n)].*first = 0;
        deck.Learning[static_cast<std::size_t>(n)].*second = 0;
    }
}

}  // namespace

DeckStatistics computeStatistics(const DeckState& deck, CategoryList& categories) {
    categories.rebuild(deck);
    DeckStatistics s;
    s.pairs = deck.PairCount;
    s.categories = categories.distinctCount();
    for (std::int32_t n = 1; n <= deck.PairCount; ++n) {
        const PairLearning record = deck.learningOf(n);
        switch (record.LearnStatus) {
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
        std::int32_t flags = record.ListFlags;
        if (flags == 2 || flags == 3) ++s.disabled;
        if ((flags & kOnListFlag) != 0) ++s.priority;
        s.correctToday += record.RightToday;
        s.incorrectToday += record.WrongToday;
        s.correctSinceCleared += record.RightTotal;
        s.incorrectSinceCleared += record.WrongTotal;
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
    zero(deck, &PairLearning::RightToday, &PairLearning::WrongToday);
}

void clearTodayCounts(DeckDocument& document) {
    clearTodayCounts(document.state);
    document.markChanged();
}

void clearLongTermCounts(DeckDocument& document) {
    clearLongTermCounts(document.state);
    document.markChanged();
}

void clearLongTermCounts(DeckState& deck) {
    zero(deck, &PairLearning::RightTotal, &PairLearning::WrongTotal);
}

}  // namespace cardwise
