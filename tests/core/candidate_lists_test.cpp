#include "core/drill/pair_selector.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/fakes.h"

namespace cardwise {
namespace {

using testing::ProgramHarness;

// The lists by their definition, one pair at a time: selectable, in range (or split by it
// in range mode), sorted into the mode's classes, unasked pairs only.
std::vector<std::vector<std::int32_t>> expectedLists(const Program& program) {
    std::vector<std::vector<std::int32_t>> lists(kSelectionClassCount);
    const DeckState& deck = program.deck;
    const int mode = program.settings.NoPriority;
    for (std::int32_t n = 1; n <= deck.PairCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        if (!pairSelectable(program, n)) continue;
        const bool inRange = pairInRange(program, n);
        if (!inRange && mode != 3) continue;
        SelectionClass c = SelectionClass::All;
        if (mode == 2) {
            c = (deck.Learning[i].ListFlags & kOnListFlag) ? SelectionClass::OnList
                                                  : SelectionClass::OffList;
        } else if (mode == 3) {
            c = inRange ? SelectionClass::InRange : SelectionClass::OutOfRange;
        } else if (mode == 4) {
            c = deck.Learning[i].LearnStatus == ShortTerm  ? SelectionClass::ShortTerm
                : deck.Learning[i].LearnStatus == LongTerm ? SelectionClass::LongTerm
                                                  : SelectionClass::Unlearned;
        }
        if (deck.Learning[i].AskedInRun == 0) lists[static_cast<std::size_t>(c)].push_back(n);
    }
    return lists;
}

struct ListCase {
    int mode;
    int rangeKind;
    int includeDisabled;
};

class CandidateListsTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(CandidateListsTest, HoldExactlyTheUnaskedSelectablePairsOfEachClassInOrder) {
    const ListCase c = GetParam();
    std::mt19937 rng(static_cast<unsigned>(c.mode * 100 + c.rangeKind * 10 + c.includeDisabled));
    for (int round = 0; round < 20; ++round) {
        ProgramHarness h;
        Program& program = h.program;
        const std::int32_t pairs = 1 + static_cast<std::int32_t>(rng() % 300);
        program.deck.allocate(pairs);
        const std::string categories[] = {"0", "Geo", "geo"};
        for (std::int32_t n = 1; n <= pairs; ++n) {
            const auto i = static_cast<std::size_t>(n);
            program.deck.Learning[i].ListFlags = static_cast<std::int32_t>(rng() % 4);
            program.deck.Learning[i].LearnStatus = static_cast<std::int32_t>(rng() % 3);
            program.deck.Learning[i].AskedInRun = static_cast<std::int32_t>(rng() % 2);
            program.deck.CategoryName[i - 1] = categories[rng() % 3];
        }
        DeckSettings& s = program.settings;
        s.NoPriority = c.mode;
        s.UseNamedRange = c.rangeKind;
        s.RangeName = "Geo";
        s.LowRange = 1 + static_cast<std::int32_t>(rng() % static_cast<unsigned>(pairs));
        s.HighRange = s.LowRange + static_cast<std::int32_t>(rng() % 50);
        s.IncludeDisabled = c.includeDisabled;

        BuildCandidateLists(program);
        const auto expected = expectedLists(program);
        for (std::size_t k = 0; k < kSelectionClassCount; ++k) {
            EXPECT_EQ(program.selector.CandidateList[k], expected[k])
                << "class " << k << ", round " << round;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryModeRangeKindAndDisabledChoice, CandidateListsTest,
                         ::testing::Values(ListCase{1, 1, 0}, ListCase{1, 2, 1}, ListCase{1, 3, 0},
                                           ListCase{2, 1, 1}, ListCase{2, 2, 0}, ListCase{2, 3, 1},
                                           ListCase{3, 1, 0}, ListCase{3, 2, 1}, ListCase{3, 3, 0},
                                           ListCase{4, 1, 1}, ListCase{4, 2, 0},
                                           ListCase{4, 3, 1}));

}  // namespace
}  // namespace cardwise
