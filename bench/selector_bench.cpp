// One selection of the next pair in a 5000-pair deck, in every question mode and order.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "core/drill/pair_selector.h"
#include "deck_generator.h"
#include "deck_session.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace cardwise;

constexpr std::int32_t kToday = 20261207;

// Args: question mode 1..4; order 0 random, 1 numerical, 2 numerical reverse.
void BM_SelectNextPair(benchmark::State& state) {
    const auto mode = static_cast<std::int32_t>(state.range(0));
    const auto order = state.range(1);
    const auto deck = bench::generateDeck(kMaxPairs, bench::kTypicalPairChars, kToday);
    fuzzing::Harness h(kToday);
    h.placeDeck(deck.qaBytes, deck.setupBytes);
    Program& program = h.program;
    if (!bench::openDeck(program, std::string(fuzzing::Harness::kQAPath))) {
        throw std::runtime_error("open failed");
    }
    // A deck in use: a fifth of the pairs on the list, learning spread over the categories,
    // a few disabled, a range in the middle.
    for (std::int32_t n = 1; n <= kMaxPairs; ++n) {
        auto i = static_cast<std::size_t>(n);
        program.deck.Learning[i].ListFlags = n % 5 == 0 ? kOnListFlag : (n % 97 == 0 ? kDisabledFlag : 0);
        program.deck.Learning[i].LearnStatus = n % 3;
    }
    DeckSettings& s = program.settings;
    s.NoPriority = mode;
    s.Numerical = order == 0 ? 0 : 1;
    s.Reverse = order == 2 ? 1 : 0;
    s.UseNamedRange = mode == 3 ? 2 : 3;
    s.LowRange = 1001;
    s.HighRange = 3000;
    s.Frequency = 70;
    h.ui.fallback = Button::Yes;
    program.drill.DrillActive = true;
    program.drill.RunStarting = true;
    if (SelectNextPair(program) != SelectionResult::Chosen) throw std::runtime_error("no pair");
    program.drill.RunStarting = false;
    for (auto _ : state) {
        if (SelectNextPair(program) != SelectionResult::Chosen) {
            throw std::runtime_error("selection failed");
        }
        benchmark::DoNotOptimize(program.deck.CurrentPair);
    }
}
BENCHMARK(BM_SelectNextPair)
    ->ArgsProduct({{1, 2, 3, 4}, {0, 1, 2}})
    ->ArgNames({"mode", "order"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
