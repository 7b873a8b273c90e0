// The selector's candidate lists: which pairs of the deck each class may give, refilled
// as classes run out, and the shuffle table.
#include "core/drill/pair_selector.h"

#include <algorithm>

#include "core/drill/pair_selector_steps.h"

namespace cardwise::selector_steps {

// A mode outside 1..4 (a damaged setup file) is treated as mode 1.
int activeMode(const DeckSettings& settings) {
    int mode = settings.questionMode();
    return mode >= 2 && mode <= 4 ? mode : 1;
}

std::span<const SC> classesOf(int mode) {
    switch (mode) {
        case 2:
            return kListClasses;
        case 3:
            return kRangeClasses;
        case 4:
            return kHistoryClasses;
        default:
            return kAllClasses;
    }
}

// The number of pairs every table the selector touches can hold.
std::int32_t pairLimit(const DeckState& deck) {
    if (deck.PairCount < 1) return 0;
    auto limit = static_cast<std::size_t>(deck.PairCount);
    limit = std::min(limit, deck.Learning.empty() ? std::size_t{0} : deck.Learning.size() - 1);
    return static_cast<std::int32_t>(limit);
}

bool validPair(const DeckState& deck, std::int32_t n) {
    return n >= 1 && n <= pairLimit(deck);
}

std::pair<std::int32_t, std::int32_t> effectiveRange(const Program& program) {
    if (program.settings.UseNamedRange == 2) {
        return {program.settings.LowRange, program.settings.HighRange};
    }
    return {1, program.deck.PairCount};
}

SC historyClassOf(std::int32_t learnStatus) {
    switch (learnStatus) {
        case ShortTerm:
            return SC::ShortTerm;
        case LongTerm:
            return SC::LongTerm;
        default:
            return SC::Unlearned;
    }
}

// The weight setting of a class: modes 2 and 3 give the other class what the preferred
// one does not take.
std::int32_t classFrequency(const DeckSettings& settings, SC c) {
    switch (c) {
        case SC::OnList:
        case SC::InRange:
            return settings.Frequency;
        case SC::OffList:
        case SC::OutOfRange:
            return 100 - settings.Frequency;
        case SC::Unlearned:
            return settings.UnFrequency;
        case SC::ShortTerm:
            return settings.ShortFrequency;
        case SC::LongTerm:
            return settings.LongFrequency;
        case SC::All:
            break;
    }
    return 100;
}

double sanitized(double u) {
    return u >= 0.0 && u < 1.0 ? u : 0.0;
}

std::int32_t Selector::shuffledIndex(std::int32_t n) {
    if (n < 1) return 0;
    auto& random = program_.platform.random;
    if (!state_.ShuffleFilled) {
        random.reseed(program_.platform.clock.timeOfDay());
        for (double& entry : state_.ShuffleTable) entry = sanitized(random.uniform());
        state_.ShuffleFilled = true;
    }
    auto j = static_cast<std::size_t>(sanitized(random.uniform()) *
                                      static_cast<double>(kShuffleTableSize));
    j = std::min(j, kShuffleTableSize - 1);
    double y = state_.ShuffleTable[j];
    state_.ShuffleTable[j] = sanitized(random.uniform());
    auto index = static_cast<std::int32_t>(y * (static_cast<double>(n) - 0.001));
    return std::clamp(index, 0, n - 1);
}

// One pass over the deck for one mode: the mode and the kind of range are template
// arguments, so that the loop holds no switch, and the counts of the mode's (at most
// three) classes stay in registers rather than in an array indexed by the class.
template <int Mode, bool Named>
void Selector::collect() {
    const auto [low, high] = effectiveRange(program_);
    const bool includeDisabled = settings_.IncludeDisabled == 1;
    const std::int32_t last = pairLimit(deck_);
    const PairLearning* learning = deck_.Learning.data();
    // Each class writes into its own stretch of the room, one deck's length apiece.
    const auto stretch = static_cast<std::size_t>(std::max(last, 0));
    if (state_.buildRoom.pairs.size() < stretch * 3) state_.buildRoom.pairs.resize(stretch * 3);
    std::int32_t* room = state_.buildRoom.pairs.data();
    std::size_t count0 = 0, count1 = 0, count2 = 0;
    std::int32_t weight0 = 0, weight1 = 0, weight2 = 0;
    for (std::int32_t n = 1; n <= last; ++n) {
        const auto i = static_cast<std::size_t>(n);
        const PairLearning& pair = learning[i];
        if (pair.ListFlags >= 2 && !includeDisabled) continue;
        bool inRange;
        if constexpr (Named) {
            inRange = i - 1 < deck_.CategoryName.size() &&
                      deck_.CategoryName[i - 1] == settings_.RangeName;
        } else {
            inRange = low <= n && n <= high;
        }
        if (!inRange && Mode != 3) continue;
        // The class's place in classesOf(Mode).
        std::size_t slot = 0;
        if constexpr (Mode == 2) slot = (pair.ListFlags & kOnListFlag) ? 0 : 1;
        if constexpr (Mode == 3) slot = inRange ? 0 : 1;
        if constexpr (Mode == 4) {
            const SC c = historyClassOf(pair.LearnStatus);
            slot = c == SC::Unlearned ? 0 : (c == SC::ShortTerm ? 1 : 2);
        }
        // Masks rather than a choice: the compiler may make a choice a branch, which the
        // random classes of a shuffled deck mispredict half the time.
        const std::size_t mask0 = std::size_t{0} - static_cast<std::size_t>(slot == 0);
        const std::size_t mask1 = std::size_t{0} - static_cast<std::size_t>(slot == 1);
        const std::size_t mask2 = std::size_t{0} - static_cast<std::size_t>(slot == 2);
        const std::size_t at = (count0 & mask0) | (count1 & mask1) | (count2 & mask2);
        room[slot * stretch + at] = n;
        const std::size_t unasked = pair.AskedInRun == 0 ? 1 : 0;
        count0 += slot == 0 ? unasked : 0;
        count1 += slot == 1 ? unasked : 0;
        count2 += slot == 2 ? unasked : 0;
        weight0 += slot == 0 ? 1 : 0;
        weight1 += slot == 1 ? 1 : 0;
        weight2 += slot == 2 ? 1 : 0;
    }
    const std::size_t counts[] = {count0, count1, count2};
    const std::int32_t weights[] = {weight0, weight1, weight2};
    std::size_t slot = 0;
    for (SC c : classesOf(Mode)) {
        state_.weight(c) = weights[slot];
        const auto from =
            state_.buildRoom.pairs.begin() + static_cast<std::ptrdiff_t>(slot * stretch);
        list(c).assign(from, from + static_cast<std::ptrdiff_t>(counts[slot]));
        ++slot;
    }
}

template <int Mode>
void Selector::collect() {
    if (settings_.UseNamedRange == 1) {
        collect<Mode, true>();
    } else {
        collect<Mode, false>();
    }
}

bool Selector::build() {
    listsExact_ = true;
    for (auto& candidates : state_.CandidateList) candidates.clear();
    state_.ClassWeight.fill(0);
    // Runs at every selection over the whole deck, so the range and the selectable test are
    // taken out of the loop, and the unasked pairs are collected without a branch: in a
    // random-order run the asked pairs follow no pattern a branch predictor could learn,
    // and mispredictions cost more than the loop itself.
    switch (mode_) {
        case 2:
            collect<2>();
            break;
        case 3:
            collect<3>();
            break;
        case 4:
            collect<4>();
            break;
        default:
            collect<1>();
            break;
    }

    if (mode_ == 2 || mode_ == 3) {
        auto classes = classesOf(mode_);
        double wP = state_.weight(classes[0]);
        double wO = state_.weight(classes[1]);
        double f = std::clamp(settings_.Frequency, 0, 100);
        if (wP > 0 && wO > 0) {
            state_.PreferredShare = 100.0 * wP * f / (wP * f + wO * (100.0 - f));
        } else if (wP <= 0) {
            state_.PreferredShare = 0.0;
        } else {
            state_.PreferredShare = 100.0;
        }
    } else if (mode_ == 4) {
        double wU = state_.weight(SC::Unlearned);
        double wS = state_.weight(SC::ShortTerm);
        double wL = state_.weight(SC::LongTerm);
        double total = wU * settings_.UnFrequency + wS * settings_.ShortFrequency +
                       wL * settings_.LongFrequency;
        if (total > 0) {
            state_.UnlearnedShare = 100.0 * wU * settings_.UnFrequency / total;
            state_.ShortTermShare = 100.0 * wS * settings_.ShortFrequency / total;
        } else if (wU + wS + wL > 0) {
            return true;
        }
    }
    return false;
}

bool Selector::refillMember(SC c, std::int32_t n) const {
    const auto flags = deck_.Learning[static_cast<std::size_t>(n)].ListFlags;
    const bool selectable = pairSelectable(program_, n);
    switch (c) {
        case SC::OnList:
            return (flags & kOnListFlag) && selectable;
        case SC::OffList:
            return !(flags & kOnListFlag) || (flags >= 2 && settings_.IncludeDisabled != 1);
        case SC::InRange:
            return pairInRange(program_, n) && selectable;
        case SC::OutOfRange:
            return !pairInRange(program_, n) && selectable;
        case SC::Unlearned:
        case SC::ShortTerm:
        case SC::LongTerm:
            return historyClassOf(deck_.Learning[static_cast<std::size_t>(n)].LearnStatus) == c &&
                   selectable;
        case SC::All:
            return pairInRange(program_, n) && selectable;
    }
    return false;
}

void Selector::refill(SC c) {
    listsExact_ = false;
    bool cleared = false;
    const std::int32_t last = pairLimit(deck_);
    for (std::int32_t n = 1; n <= last; ++n) {
        if (refillMember(c, n)) {
            deck_.Learning[static_cast<std::size_t>(n)].AskedInRun = 0;
            cleared = true;
        }
    }
    if (cleared) {
        build();
    } else {
        list(c).clear();
        if (c == SC::OnList || c == SC::InRange) state_.PreferredShare = 0.0;
        if (c == SC::OffList || c == SC::OutOfRange) state_.PreferredShare = 100.0;
    }
    state_.SingleRefill = state_.count(c) == 1;
}

bool Selector::runComplete() {
    if (mode_ == 1) {
        const auto& all = list(SC::All);
        if (all.empty()) return true;
        if (numerical() && !reverse()) return all.back() == deck_.CurrentPair;
        if (numerical() && reverse()) return all.front() == deck_.CurrentPair;
        return false;
    }
    if (mode_ == 2 || mode_ == 3) {
        auto classes = classesOf(mode_);
        SC preferred = classes[0];
        SC other = classes[1];
        const std::int32_t f = settings_.Frequency;
        return ((list(preferred).empty() || f == 0) && isRolledOver(other)) ||
               ((list(other).empty() || f == 100) && isRolledOver(preferred));
    }
    for (SC c : kHistoryClasses) {
        if (!list(c).empty() && classFrequency(settings_, c) != 0 && !isRolledOver(c)) {
            return false;
        }
    }
    return true;
}

}  // namespace cardwise::selector_steps
