#include "core/study/list_operations.h"

#include "core/program.h"

#include <algorithm>

namespace cardwise {
namespace {

// Pairs 1..PairCount that the learning records hold.
std::size_t lastPair(const DeckState& deck) {
    std::size_t last = deck.PairCount > 0 ? static_cast<std::size_t>(deck.PairCount) : 0;
    return std::min(last, deck.Learning.empty() ? std::size_t{0} : deck.Learning.size() - 1);
}

}  // namespace

void ResetToUnlearned(Program& program) {
    if (program.ui().messageBox(kResetToUnlearnedCaption, kResetToUnlearnedQuestion, Icon::Question,
                                Buttons::YesNo) != Button::Yes) {
        return;
    }
    DeckState& deck = program.deck;
    const std::size_t last = lastPair(deck);
    for (std::size_t n = 1; n <= last; ++n) {
        deck.Learning[n].RightToday = 0;
        deck.Learning[n].DayCount = 0;
        deck.Learning[n].LearnStatus = Unlearned;
    }
    program.document.markChanged();
}

void ClearPriorityList(Program& program) {
    DeckState& deck = program.deck;
    if (deck.ReadOnlyDeck) return;
    const std::size_t last = lastPair(deck);
    for (std::size_t n = 1; n <= last; ++n) {
        std::int32_t& flags = deck.Learning[n].ListFlags;
        if (flags == 1 || flags == 3) flags -= kOnListFlag;
    }
    program.document.markChanged();
    program.ui().message(kPriorityListCaption, kPriorityListClearedText, Icon::Information);
}

}  // namespace cardwise
