#pragma once

#include "core/drill/selector_state.h"

#include <cstdint>
#include <string_view>

namespace cardwise {

struct Program;

inline constexpr std::string_view kContinuationCaption = "Continuation";
inline constexpr std::string_view kLastPairCaption = "Last Pair In Range";
inline constexpr std::string_view kLastPairText =
    "This Is The Last Selected Pair In The Selected Range - It Cannot Be Disabled!";
inline constexpr std::string_view kLastPairHistoryText =
    "This Is The Last Non-Disabled Pair In The Selected Range - It Cannot Be Disabled!";
inline constexpr std::string_view kFrequencyConflictCaption = "Conflicting Frequency Settings";
inline constexpr std::string_view kFrequencyConflictText =
    "The Only Non-disabled Q&A Pairs Are In Categories Where "
    "You Have Set The Frequency To Zero.  Pair One Will Be "
    "Selected Until The Frequency Setting Is Adjusted.";

enum class SelectionResult {
    Chosen,      // CurrentPair holds the next pair
    DeckClosed,  // the user ended the run; the caller closes the deck
    NoPair,      // the deck holds no pair
};

// The name of a question mode as the window captions show it.
std::string_view questionModeName(std::int32_t mode);

// Chooses the next pair into CurrentPair, marks it asked and starts new runs as needed.
// Returns DeckClosed when the user declined the continuation question; DrillActive is then
// cleared and nothing else has changed.
SelectionResult SelectNextPair(Program& program);

// Rebuilds the candidate lists, weights and shares of the current mode. Returns true when
// history mode's weighted total is not positive although pairs are selectable (the shares
// then keep their values).
bool BuildCandidateLists(Program& program);

// 0..n-1 from the 197-entry shuffle over the program's random source (0 when n < 1).
std::int32_t ShuffledIndex(Program& program, std::int32_t n);

// Marks a class's pairs unasked again and rebuilds the lists.
void RefillClass(Program& program, SelectionClass selectionClass);

// The number shown in the drill windows' pairs-left field.
std::int32_t PairsLeftInRun(const Program& program);

// The saved RolledOver flag of a class (none for All).
bool rolledOver(const Program& program, SelectionClass selectionClass);

bool pairInRange(const Program& program, std::int32_t pair);
bool pairSelectable(const Program& program, std::int32_t pair);

}  // namespace cardwise
