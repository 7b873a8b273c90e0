// Any learning state and any valid settings: a run of selections, with the changes grading
// and the dialogs make in between, must always end on a pair of the deck (or a closed deck),
// never hang, and leave the candidate lists ordered, unasked and inside the deck.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/drill/pair_selector.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace cardwise;
using fuzzing::require;

const std::array<std::string, 4> kCategories{"0", "Geo", "geo", "History"};

void checkLists(const Program& program) {
    const DeckState& deck = program.deck;
    for (const auto& candidates : program.selector.CandidateList) {
        std::int32_t previous = 0;
        for (std::int32_t n : candidates) {
            require(n > previous && n <= deck.PairCount);
            require(deck.Learning.at(static_cast<std::size_t>(n)).AskedInRun == 0);
            previous = n;
        }
    }
    require(PairsLeftInRun(program) >= 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    fuzzing::Harness h;
    Program& program = h.program;
    h.random = fuzzing::RepeatableRandom(input.ConsumeIntegral<unsigned>());

    const auto pairs = input.ConsumeIntegralInRange<std::int32_t>(0, 60);
    program.deck.QAFileName = "/deck/deck.DKS";
    program.deck.allocate(pairs);
    for (std::int32_t n = 1; n <= pairs; ++n) {
        const auto i = static_cast<std::size_t>(n);
        program.deck.Learning[i].ListFlags = input.ConsumeIntegralInRange<std::int32_t>(0, 3);
        program.deck.Learning[i].LearnStatus = input.ConsumeIntegralInRange<std::int32_t>(0, 2);
        program.deck.Learning[i].AskedInRun = input.ConsumeBool() ? 1 : 0;
        program.deck.CategoryName[i - 1] =
            kCategories.at(input.ConsumeIntegralInRange<std::size_t>(0, 3));
    }

    // Settings as the validation lets them through.
    DeckSettings& s = program.settings;
    s.NoPriority = input.ConsumeIntegralInRange<std::int32_t>(1, 4);
    s.Numerical = input.ConsumeIntegralInRange<std::int32_t>(0, 2);
    s.Reverse = input.ConsumeBool() ? 1 : 0;
    s.IncludeDisabled = input.ConsumeBool() ? 1 : 0;
    s.OnePass = input.ConsumeBool() ? 1 : 0;
    s.Resume = input.ConsumeBool() ? 1 : 0;
    s.Frequency = input.ConsumeIntegralInRange<std::int32_t>(0, 100);
    s.UnFrequency = input.ConsumeIntegralInRange<std::int32_t>(0, 100);
    s.ShortFrequency = input.ConsumeIntegralInRange<std::int32_t>(0, 100 - s.UnFrequency);
    s.LongFrequency = 100 - s.UnFrequency - s.ShortFrequency;
    s.UseNamedRange = input.ConsumeIntegralInRange<std::int32_t>(1, 3);
    s.RangeName = kCategories.at(input.ConsumeIntegralInRange<std::size_t>(0, 3));
    if (pairs >= 2) {
        s.LowRange = input.ConsumeIntegralInRange<std::int32_t>(1, pairs - 1);
        s.HighRange = input.ConsumeIntegralInRange<std::int32_t>(s.LowRange + 1, pairs);
    }
    for (auto* flags :
         {&s.ListRollover[0], &s.ListRollover[1], &s.RangeRollover[0], &s.RangeRollover[1],
          &s.HistoryRollover[0], &s.HistoryRollover[1], &s.HistoryRollover[2]}) {
        *flags = input.ConsumeBool() ? 1 : 0;
    }
    program.drill.DrillActive = true;
    program.drill.RunStarting = input.ConsumeBool();

    for (int step = 0; step < 40 && input.remaining_bytes() > 0; ++step) {
        h.ui.answers.push_back(input.ConsumeBool() ? Button::Yes : Button::No);
        const SelectionResult result = SelectNextPair(program);
        program.drill.RunStarting = false;
        if (pairs == 0) {
            require(result == SelectionResult::NoPair);
            return 0;
        }
        if (result == SelectionResult::DeckClosed) {
            require(!program.drill.DrillActive);
            return 0;
        }
        require(result == SelectionResult::Chosen);
        require(program.deck.validPair(program.deck.CurrentPair));
        checkLists(program);

        // What may happen before the next selection: a grade moves the pair between
        // categories, the user disables a pair or puts it on the list, a dialog restarts.
        const auto current = static_cast<std::size_t>(program.deck.CurrentPair);
        switch (input.ConsumeIntegralInRange<int>(0, 6)) {
            case 0:
                program.deck.Learning[current].LearnStatus =
                    input.ConsumeIntegralInRange<std::int32_t>(0, 2);
                break;
            case 1:
                program.deck.Learning[current].ListFlags ^= kDisabledFlag;
                break;
            case 2:
                program.deck.Learning[current].ListFlags ^= kOnListFlag;
                break;
            case 3:
                program.restart.ModeChanged = true;
                s.NoPriority = input.ConsumeIntegralInRange<std::int32_t>(1, 4);
                break;
            case 4:
                program.restart.OrderBecameRandom = s.Numerical == 1;
                s.Numerical = s.Numerical == 1 ? 0 : 1;
                program.restart.OrderBecameNumerical = s.Numerical == 1;
                break;
            default:
                break;
        }
    }
    return 0;
}
