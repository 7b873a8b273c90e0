#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace cardwise {

// The classes a pair is drawn from; which ones take part depends on the question mode.
enum class SelectionClass : std::size_t {
    All,         // mode 1
    OnList,      // mode 2, preferred
    OffList,     // mode 2
    InRange,     // mode 3, preferred
    OutOfRange,  // mode 3
    Unlearned,   // mode 4
    ShortTerm,   // mode 4
    LongTerm,    // mode 4
};
inline constexpr std::size_t kSelectionClassCount = 8;
inline constexpr std::size_t kShuffleTableSize = 197;

// The pair selector's program-wide state (not saved with the deck). The RolledOver flags
// of each mode live in DeckSettings (ListRollover, RangeRollover, HistoryRollover) because
// they are saved with the deck.
struct SelectorState {
    std::int32_t PreviousPair = 0;
    std::int32_t Roll = 1;
    bool SingleRefill = false;

    std::array<double, kShuffleTableSize> ShuffleTable{};
    bool ShuffleFilled = false;

    // Shares in per cent, kept between selections.
    double PreferredShare = 0.0;
    double UnlearnedShare = 0.0;
    double ShortTermShare = 0.0;

    // Unasked members of each class in ascending pair number; the count is the size.
    std::array<std::vector<std::int32_t>, kSelectionClassCount> CandidateList;
    // Members of each class, asked or not.
    std::array<std::int32_t, kSelectionClassCount> ClassWeight{};

    // Room the build writes every class's pairs into before they go to the lists, kept from
    // one build to the next so that it is not cleared each time. Not part of the state: a
    // copy starts empty, and any two compare equal.
    struct BuildRoom {
        std::vector<std::int32_t> pairs;
        BuildRoom() = default;
        BuildRoom(const BuildRoom&) {}
        BuildRoom& operator=(const BuildRoom&) { return *this; }
        bool operator==(const BuildRoom&) const { return true; }
    } buildRoom;

    // Range computed at the start of every selection.
    std::int32_t EffectiveLow = 1;
    std::int32_t EffectiveHigh = 0;

    std::vector<std::int32_t>& list(SelectionClass c) {
        return CandidateList[static_cast<std::size_t>(c)];
    }
    const std::vector<std::int32_t>& list(SelectionClass c) const {
        return CandidateList[static_cast<std::size_t>(c)];
    }
    std::int32_t count(SelectionClass c) const { return static_cast<std::int32_t>(list(c).size()); }
    std::int32_t& weight(SelectionClass c) { return ClassWeight[static_cast<std::size_t>(c)]; }
    std::int32_t weight(SelectionClass c) const { return ClassWeight[static_cast<std::size_t>(c)]; }

    bool operator==(const SelectorState&) const = default;
};

}  // namespace cardwise
