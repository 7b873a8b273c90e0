#include "core/deck/reenable.h"

#include <algorithm>
#include <cstdint>

#include "core/deck/deck_session.h"

namespace cardwise {

void ReEnableAllPairs(DeckSession& program) {
    DeckState& deck = program.deck;
    // The flags table may be shorter than PairCount claims if a load stopped half-way.
    const std::int64_t last = std::min<std::int64_t>(
        deck.PairCount, static_cast<std::int64_t>(deck.Learning.size()) - 1);
    for (std::int64_t p = 1; p <= last; ++p) {
        std::int32_t& flags = deck.Learning.at(static_cast<std::size_t>(p)).ListFlags;
        if (flags == kDisabledFlag) {
            flags = 0;
        } else if (flags == (kDisabledFlag | kOnListFlag)) {
            flags = kOnListFlag;
        }
    }
    program.document.markChanged();
    program.ui().message(kReEnabledCaption, kReEnabledText, Icon::Information);
    program.pairsReEnabled();
}

}  // namespace cardwise
