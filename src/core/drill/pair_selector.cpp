#include "core/drill/pair_selector.h"

#include "core/drill/pair_selector_steps.h"
#include "core/program.h"

#include <algorithm>
#include <span>
#include <string>
#include <tuple>
#include <utility>

namespace cardwise {
namespace selector_steps {

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
    for (std::int32_t n = 1; n <= last; ++n)
        deck_.Learning[static_cast<std::size_t>(n)].AskedInRun = 0;
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

}  // namespace selector_steps

using namespace selector_steps;

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
