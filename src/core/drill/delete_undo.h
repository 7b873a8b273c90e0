#pragma once

#include <cstdint>
#include <string>

#include "core/deck/deck_state.h"

namespace cardwise {

struct Program;

// A deleted pair with everything that made it what it was, and the deck as the delete left
// it, so that Ctrl+Z can put the pair back into that deck and into no other.
struct DeletedPair {
    std::int32_t pair = 0;  // its number before the delete
    // As it stood, with an edit the editor's store held for it.
    std::string text;
    std::string status;
    std::string category;
    PairLearning learning;
    // The delete narrows a range that reached past the new last pair.
    std::int32_t LowRange = 0;
    std::int32_t HighRange = 0;

    // After the delete and its reload.
    std::string deckName;
    std::int32_t pairCount = 0;
    std::uint64_t textsRevision = 0;
    std::int32_t lowAfter = 0;
    std::int32_t highAfter = 0;
};

// Taken just before pair n is deleted.
DeletedPair takeDeletedPair(const Program& program, std::int32_t n);

// The delete is done and the deck loaded again: records the deck the pair can go back into.
void deleteFinished(const Program& program, DeletedPair& deleted);

// True while the open deck is still the one the delete left: no load or close since, no
// other change of its pairs or texts.
bool deletedPairRestorable(const Program& program, const DeletedPair& deleted);

// Puts the pair back at its number with its text, learning record, category and list flags;
// the pairs after it move up one. CurrentPair becomes the pair. The deck is marked changed,
// its texts included, for the save path to write.
void restoreDeletedPair(Program& program, const DeletedPair& deleted);

}  // namespace cardwise
