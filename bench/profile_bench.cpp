#include <benchmark/benchmark.h>

#include "core/profile/profile.h"
#include "deck_generator.h"

namespace {

// Reading a key from a setup data file scans past the settings only, not the status lines.
void BM_ProfileReadKey(benchmark::State& state) {
    auto deck = cardwise::bench::generateDeck(5000, 200, 20261207);
    auto profile = cardwise::Profile::fromBytes(deck.setupBytes);
    for (auto _ : state) {
        benchmark::DoNotOptimize(profile.readInt("CARDWISE", "NoPriority", 5));
    }
}
BENCHMARK(BM_ProfileReadKey);

void BM_ProfileParse(benchmark::State& state) {
    auto deck = cardwise::bench::generateDeck(5000, 200, 20261207);
    for (auto _ : state) {
        auto profile = cardwise::Profile::fromBytes(deck.setupBytes);
        benchmark::DoNotOptimize(profile.lines().size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(deck.setupBytes.size()));
}
BENCHMARK(BM_ProfileParse);

}  // namespace

BENCHMARK_MAIN();
