#include "core/drill/pair_selector.h"

#include "core/program.h"

#include <algorithm>
#include <span>
#include <string>
#include <tuple>
#include <utility>

namespace cardwise {
namespace {

using SC = SelectionClass;

constexpr std::array<SC, 1> kAllClasses{SC::All};
constexpr std::array<SC, 2> kListClasses{SC::OnList, SC::OffList};
constexpr std::array<SC, 2> kRangeClasses{SC::InRange, SC::OutOfRange};
constexpr std::array<SC, 3> kHistoryClasses{SC::Unlearned, SC::ShortTerm, SC::LongTerm};

// A stuck random source must not hang the drill: redraws and reselections are bounded.
constexpr int kMaxRedraws = 1000;
constexpr int kMaxReselections = 12;

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

double sanitized(double u) {
    return u >= 0.0 && u < 1.0 ? u : 0.0;
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
        const std::size_t at = slot == 0 ? count0 : (slot == 1 ? count1 : count2);
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
        const auto from = state_.buildRoom.pairs.begin() + static_cast<std::ptrdiff_t>(slot * stretch);
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

SC Selector::chooseClass(std::int32_t r) const {
    if (mode_ == 2 || mode_ == 3) {
        auto classes = classesOf(mode_);
        return r <= state_.PreferredShare ? classes[0] : classes[1];
    }
    if (r < state_.UnlearnedShare) return SC::Unlearned;
    if (r < state_.UnlearnedShare + state_.ShortTermShare) return SC::ShortTerm;
    return SC::LongTerm;
}

// As chooseClass, but a class without candidates is passed over for one that has some.
SC Selector::chooseClassWithCandidates(std::int32_t r) {
    if (mode_ == 2 || mode_ == 3) {
        auto classes = classesOf(mode_);
        SC chosen = chooseClass(r);
        if (!list(chosen).empty()) return chosen;
        return chosen == classes[0] ? classes[1] : classes[0];
    }
    const double us = state_.UnlearnedShare;
    const double ss = state_.ShortTermShare;
    const bool shortEmpty = list(SC::ShortTerm).empty();
    const bool longEmpty = list(SC::LongTerm).empty();
    if ((r < us && !list(SC::Unlearned).empty()) || (shortEmpty && longEmpty)) {
        return SC::Unlearned;
    }
    if ((us <= r && r < us + ss && !shortEmpty) || longEmpty) return SC::ShortTerm;
    return SC::LongTerm;
}

std::int32_t Selector::takeInOrder(SC c) {
    const auto& candidates = list(c);
    if (candidates.empty()) return 0;
    if (numerical()) return reverse() ? candidates.back() : candidates.front();
    return candidates[static_cast<std::size_t>(shuffledIndex(state_.count(c)))];
}

std::int32_t Selector::drawAvoiding(const std::vector<std::int32_t>& candidates,
                                    std::int32_t avoid) {
    const auto n = static_cast<std::int32_t>(candidates.size());
    for (int attempt = 0; attempt < kMaxRedraws; ++attempt) {
        std::int32_t pick = candidates[static_cast<std::size_t>(shuffledIndex(n))];
        if (pick != avoid) return pick;
    }
    for (std::int32_t pick : candidates) {
        if (pick != avoid) return pick;
    }
    return candidates.front();
}

// Draws from a class until the pair differs from the previous one; 0 when the class has
// nothing else to give.
std::int32_t Selector::tryClass(SC c, bool acceptPrevious) {
    const auto& candidates = list(c);
    if (candidates.empty()) return 0;
    if (candidates.size() == 1 && candidates.front() == state_.PreviousPair) {
        return acceptPrevious ? candidates.front() : 0;
    }
    return drawAvoiding(candidates, state_.PreviousPair);
}

std::int32_t Selector::randomPick(std::int32_t r, SC& from) {
    std::int32_t pick = 0;
    if (mode_ == 2 || mode_ == 3) {
        auto classes = classesOf(mode_);
        SC preferred = classes[0];
        SC other = classes[1];
        if ((r <= state_.PreferredShare && !list(preferred).empty()) || list(other).empty()) {
            pick = tryClass(preferred, state_.PreferredShare >= 100.0);
            from = preferred;
        }
        if (pick == 0) {
            pick = tryClass(other, true);
            from = other;
        }
        return pick;
    }
    const double us = state_.UnlearnedShare;
    const double ss = state_.ShortTermShare;
    const bool shortEmpty = list(SC::ShortTerm).empty();
    const bool longEmpty = list(SC::LongTerm).empty();
    if ((r < us && !list(SC::Unlearned).empty()) || (shortEmpty && longEmpty)) {
        pick = tryClass(SC::Unlearned, false);
        from = SC::Unlearned;
    }
    if (pick == 0 && us <= r && r < us + ss && (!shortEmpty || longEmpty)) {
        pick = tryClass(SC::ShortTerm, false);
        from = SC::ShortTerm;
    }
    if (pick == 0) {
        pick = tryClass(SC::LongTerm, true);
        from = SC::LongTerm;
    }
    return pick;
}

// When the preferred tries found nothing: any candidate other than the previous pair,
// preferred classes first, and the previous pair itself when it is the only one left.
std::int32_t Selector::anyPick(SC& from) {
    for (SC c : classesOf(mode_)) {
        if (std::int32_t pick = tryClass(c, false)) {
            from = c;
            return pick;
        }
    }
    for (SC c : classesOf(mode_)) {
        if (!list(c).empty()) {
            from = c;
            return list(c).front();
        }
    }
    return 0;
}

void Selector::afterRandomTake(SC from) {
    if (state_.count(from) != 1) return;
    if (othersRolledOver(from)) {
        drill_.RunComplete = true;
    } else {
        refill(from);
        setRolledOver(from);
    }
}

Selector::Step Selector::continueRun() {
    if (mode_ == 1) {
        std::int32_t pick =
            numerical() ? takeInOrder(SC::All) : tryClass(SC::All, /*acceptPrevious=*/true);
        if (pick == 0) {
            drill_.RunComplete = true;
            return Step::Reselect;
        }
        deck_.CurrentPair = pick;
        return Step::Taken;
    }

    const std::int32_t r = state_.SingleRefill ? state_.Roll : shuffledIndex(100) + 1;
    state_.Roll = r;
    SC chosen = chooseClass(r);

    if (numerical()) {
        if (!list(chosen).empty()) {
            deck_.CurrentPair = takeInOrder(chosen);
            return Step::Taken;
        }
        if (othersRolledOver(chosen)) {
            drill_.RunComplete = true;
        } else {
            setRolledOver(chosen);
            refill(chosen);
        }
        return Step::Reselect;
    }

    SC from = chosen;
    std::int32_t pick = randomPick(r, from);
    if (pick == 0) pick = anyPick(from);
    if (pick == 0) {
        drill_.RunComplete = true;
        return Step::Reselect;
    }
    deck_.CurrentPair = pick;
    afterRandomTake(from);
    return Step::Taken;
}

std::int32_t Selector::firstPairInRange() const {
    const std::int32_t last = pairLimit(deck_);
    for (std::int32_t n = 1; n <= last; ++n) {
        if (pairInRange(program_, n)) return n;
    }
    return 1;
}

void Selector::startNewRun() {
    // A refill of the run that ended must not keep this run's first pair unasked.
    state_.SingleRefill = false;
    const std::int32_t last = pairLimit(deck_);
    for (std::int32_t n = 1; n <= last; ++n) deck_.Learning[static_cast<std::size_t>(n)].AskedInRun = 0;
    build();

    if (allListsEmpty()) {
        program_.ui().message(kLastPairCaption, mode_ == 4 ? kLastPairHistoryText : kLastPairText,
                              Icon::Warning);
        // At the first selection for a deck the current pair belongs to no pair shown yet.
        if (!validPair(deck_, deck_.CurrentPair) || drill_.RunStarting) {
            deck_.CurrentPair = firstPairInRange();
        }
        deck_.Learning[static_cast<std::size_t>(deck_.CurrentPair)].ListFlags &= ~kDisabledFlag;
        listsExact_ = false;
    } else {
        SC c = SC::All;
        if (mode_ != 1) {
            state_.Roll = shuffledIndex(100) + 1;
            c = chooseClassWithCandidates(state_.Roll);
        }
        const bool single = state_.count(c) == 1;
        deck_.CurrentPair = takeInOrder(c);
        if (mode_ != 1 && single) refill(c);
    }

    program_.restart.clear();
    drill_.RunComplete = false;
    clearRollovers();
}

void Selector::dropAsked(std::int32_t pair) {
    for (SC c : classesOf(mode_)) {
        auto& candidates = list(c);
        auto at = std::lower_bound(candidates.begin(), candidates.end(), pair);
        if (at != candidates.end() && *at == pair) {
            candidates.erase(at);
            return;
        }
    }
}

void Selector::finish() {
    bool marked = false;
    if (state_.SingleRefill) {
        state_.SingleRefill = false;
    } else if (validPair(deck_, deck_.CurrentPair)) {
        auto& asked = deck_.Learning[static_cast<std::size_t>(deck_.CurrentPair)].AskedInRun;
        marked = asked == 0;
        asked = 1;
    }
    state_.PreviousPair = deck_.CurrentPair;
    if (!listsExact_) {
        build();
    } else if (marked) {
        dropAsked(deck_.CurrentPair);
    }
}

SelectionResult Selector::select(int depth) {
    drill_.QuestionShowing = true;
    std::tie(state_.EffectiveLow, state_.EffectiveHigh) = effectiveRange(program_);
    program_.platform.random.reseed(program_.platform.clock.timeOfDay());
    if (pairLimit(deck_) < 1) return SelectionResult::NoPair;

    if (build()) {
        if (depth == 0) {
            program_.ui().message(kFrequencyConflictCaption, kFrequencyConflictText, Icon::Warning);
        }
        deck_.CurrentPair = 1;
        listsExact_ = false;
        finish();
        return SelectionResult::Chosen;
    }

    const bool complete = runComplete();
    const RunRestartFlags& restart = program_.restart;
    if ((complete || drill_.RunComplete) && settings_.OnePass == 1 && !restart.OnePassTurnedOn &&
        !drill_.RunStarting) {
        std::string text = "That Completes This Run Through Of " + fileNameOf(deck_.QAFileName) +
                           ".  Do You Want To Run It Again?";
        if (program_.ui().messageBox(kContinuationCaption, text, Icon::Question, Buttons::YesNo) !=
            Button::Yes) {
            drill_.DrillActive = false;
            return SelectionResult::DeckClosed;
        }
    }

    const bool newRun = restart.OrderBecameNumerical || restart.OrderBecameRandom ||
                        restart.OnePassTurnedOn || restart.DirectionChanged ||
                        restart.RangeChoiceChanged ||
                        (drill_.RunStarting && settings_.Resume != 1) || complete ||
                        restart.ModeChanged || drill_.RunComplete;
    if (newRun) {
        startNewRun();
    } else if (continueRun() == Step::Reselect) {
        if (depth < kMaxReselections) return select(depth + 1);
        // The rolls keep landing on classes without candidates: take any candidate.
        SC c = chooseClassWithCandidates(state_.Roll);
        if (list(c).empty()) {
            startNewRun();
        } else {
            deck_.CurrentPair = takeInOrder(c);
        }
    }
    finish();
    return SelectionResult::Chosen;
}

}  // namespace

std::string_view questionModeName(std::int32_t mode) {
    switch (mode) {
        case 2:
            return "Priority Questions From List";
        case 3:
            return "Priority Questions From Range";
        case 4:
            return "Priority Questions From History";
        default:
            return "Ask All Questions Equally Often";
    }
}

SelectionResult SelectNextPair(Program& program) {
    return Selector(program).select(0);
}

bool BuildCandidateLists(Program& program) {
    return Selector(program).build();
}

std::int32_t ShuffledIndex(Program& program, std::int32_t n) {
    return Selector(program).shuffledIndex(n);
}

void RefillClass(Program& program, SelectionClass selectionClass) {
    Selector(program).refill(selectionClass);
}

bool rolledOver(const Program& program, SelectionClass selectionClass) {
    const auto* slot = rolloverSlot(program.settings, selectionClass);
    return slot != nullptr && *slot != 0;
}

std::int32_t PairsLeftInRun(const Program& program) {
    const int mode = activeMode(program.settings);
    const SelectorState& state = program.selector;
    if (mode == 1) return state.count(SC::All);
    std::int32_t left = 0;
    for (SC c : classesOf(mode)) {
        const std::int32_t frequency = classFrequency(program.settings, c);
        if (frequency != 0 && (!rolledOver(program, c) || frequency == 100)) {
            left += state.count(c);
        }
    }
    return left;
}

bool pairInRange(const Program& program, std::int32_t pair) {
    if (program.settings.UseNamedRange == 1) {
        if (pair < 1) return false;
        const auto index = static_cast<std::size_t>(pair - 1);
        return index < program.deck.CategoryName.size() &&
               program.deck.CategoryName[index] == program.settings.RangeName;
    }
    auto [low, high] = effectiveRange(program);
    return low <= pair && pair <= high;
}

bool pairSelectable(const Program& program, std::int32_t pair) {
    if (!validPair(program.deck, pair)) return false;
    return program.deck.Learning[static_cast<std::size_t>(pair)].ListFlags < 2 ||
           program.settings.IncludeDisabled == 1;
}

}  // namespace cardwise
