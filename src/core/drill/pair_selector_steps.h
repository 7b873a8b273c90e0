#pragma once

// The selector's rules and its working object, shared by its two files: the candidate
// lists (pair_selector_lists) and the choice of the next pair (pair_selector).

#include <array>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "core/drill/pair_selector.h"
#include "core/program.h"

namespace cardwise::selector_steps {

using SC = SelectionClass;

inline constexpr std::array<SC, 1> kAllClasses{SC::All};
inline constexpr std::array<SC, 2> kListClasses{SC::OnList, SC::OffList};
inline constexpr std::array<SC, 2> kRangeClasses{SC::InRange, SC::OutOfRange};
inline constexpr std::array<SC, 3> kHistoryClasses{SC::Unlearned, SC::ShortTerm, SC::LongTerm};

// A stuck random source must not hang the drill: redraws and reselections are bounded.
inline constexpr int kMaxRedraws = 1000;
inline constexpr int kMaxReselections = 12;

// A mode outside 1..4 (a damaged setup file) is treated as mode 1.
int activeMode(const DeckSettings& settings);

std::span<const SC> classesOf(int mode);

// The number of pairs every table the selector touches can hold.
std::int32_t pairLimit(const DeckState& deck);

bool validPair(const DeckState& deck, std::int32_t n);

std::pair<std::int32_t, std::int32_t> effectiveRange(const Program& program);

SC historyClassOf(std::int32_t learnStatus);

// The weight setting of a class: modes 2 and 3 give the other class what the preferred
// one does not take.
std::int32_t classFrequency(const DeckSettings& settings, SC c);

double sanitized(double u);

// Works for const and non-const settings alike.
template <typename Settings>
auto* rolloverSlot(Settings& settings, SC c) {
    using Slot = decltype(&settings.ListRollover[0]);
    switch (c) {
        case SC::OnList:
            return &settings.ListRollover[0];
        case SC::OffList:
            return &settings.ListRollover[1];
        case SC::InRange:
            return &settings.RangeRollover[0];
        case SC::OutOfRange:
            return &settings.RangeRollover[1];
        case SC::Unlearned:
            return &settings.HistoryRollover[0];
        case SC::ShortTerm:
            return &settings.HistoryRollover[1];
        case SC::LongTerm:
            return &settings.HistoryRollover[2];
        case SC::All:
            break;
    }
    return Slot{nullptr};
}

class Selector {
  public:
    explicit Selector(Program& program)
        : program_(program),
          deck_(program.deck),
          settings_(program.settings),
          state_(program.selector),
          drill_(program.drill),
          mode_(activeMode(program.settings)) {}

    SelectionResult select(int depth);
    bool build();
    void refill(SC c);
    std::int32_t shuffledIndex(std::int32_t n);

  private:
    enum class Step { Taken, Reselect };

    bool numerical() const { return settings_.Numerical == 1; }
    bool reverse() const { return settings_.Reverse == 1; }
    std::vector<std::int32_t>& list(SC c) { return state_.list(c); }

    bool isRolledOver(SC c) const { return rolledOver(program_, c); }
    void setRolledOver(SC c) {
        if (auto* slot = rolloverSlot(settings_, c)) *slot = 1;
    }
    void clearRollovers() {
        settings_.ListRollover.fill(0);
        settings_.RangeRollover.fill(0);
        settings_.HistoryRollover.fill(0);
    }
    bool othersRolledOver(SC c) const {
        for (SC other : classesOf(mode_)) {
            if (other != c && !isRolledOver(other)) return false;
        }
        return true;
    }
    bool allListsEmpty() {
        for (SC c : classesOf(mode_)) {
            if (!list(c).empty()) return false;
        }
        return true;
    }

    bool runComplete();
    void startNewRun();
    Step continueRun();
    SC chooseClass(std::int32_t r) const;
    SC chooseClassWithCandidates(std::int32_t r);
    std::int32_t takeInOrder(SC c);
    std::int32_t tryClass(SC c, bool acceptPrevious);
    std::int32_t drawAvoiding(const std::vector<std::int32_t>& candidates, std::int32_t avoid);
    std::int32_t randomPick(std::int32_t r, SC& from);
    std::int32_t anyPick(SC& from);
    std::int32_t firstPairInRange() const;
    void afterRandomTake(SC from);
    void finish();
    bool refillMember(SC c, std::int32_t n) const;
    template <int Mode, bool Named>
    void collect();
    template <int Mode>
    void collect();
    void dropAsked(std::int32_t pair);

    Program& program_;
    DeckState& deck_;
    DeckSettings& settings_;
    SelectorState& state_;
    DrillFlags& drill_;
    int mode_;
    // The lists are what build() would make of the deck as it is now, but for the pair
    // just marked asked: finish() then takes that one pair out instead of building again.
    bool listsExact_ = false;
};

}  // namespace cardwise::selector_steps
