#pragma once

#include <cstdint>
#include <vector>

#include "core/deck/deck_state.h"

namespace cardwise {

// One learning field of every record, entry 0 included, for comparing whole decks.
inline std::vector<std::int32_t> learningColumn(const DeckState& deck,
                                                std::int32_t PairLearning::*field) {
    std::vector<std::int32_t> column;
    column.reserve(deck.Learning.size());
    for (const PairLearning& record : deck.Learning) column.push_back(record.*field);
    return column;
}

}  // namespace cardwise
