#include "core/study/list_operations.h"

#include "core/program.h"

#include <algorithm>

namespace cardwise {
namespace {

// Pairs 1..PairCount that the given tables can all hold.
template <typename... Tables>
std::size_t lastPair(const DeckState& deck, const Tables&... tables) {
    std::size_t last = deck.PairCount > 0 ? static_cast<std::size_t>(deck.PairCount) : 0;
    ((last = std::min(last, tables.empty() ? std::size_t{0} : tables.size() - 1)), ...);
    return last;
}

}  // namespace

void ResetToUnlearned(Program& program) {
    if (program.ui().messageBox(kResetToUnlearnedCaption, kResetToUnlearnedQuestion, Icon::Question,
                                Buttons::YesNo) != Button::Yes) {
        return;
    }
    DeckState& deck = program.deck;
    const std::size_t last = lastPair(deck, deck.RightToday, deck.DayCount, deck.LearnStatus);
    for (std::size_t n = 1; n <= last; ++n) {
        deck.RightToday[n] = 0;
        deck.DayCount[n] = 0;
        deck.LearnStatus[n] = Unlearned;
    }
}

void ClearPriorityList(Program& program) {
    DeckState& deck = program.deck;
    if (deck.ReadOnlyDeck) return;
    const std::size_t last = lastPair(deck, deck.ListFlags);
    for (std::size_t n = 1; n <= last; ++n) {
        if (deck.ListFlags[n] == 1 || deck.ListFlags[n] == 3) deck.ListFlags[n] -= kOnListFlag;
    }
    program.ui().message(kPriorityListCaption, kPriorityListClearedText, Icon::Information);
}

}  // namespace cardwise
