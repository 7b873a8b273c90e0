// Opening and closing the largest deck, against plain I/O of the same files, and the per-pair
// work of the drill: formatting a side, decoding its marks, finding a text.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

#include "core/content/marks.h"
#include "core/content/pair_side.h"
#include "core/drill/pair_format.h"
#include "core/editor/find.h"
#include "deck_folder.h"
#include "deck_generator.h"
#include "deck_session.h"
#include "fuzz/fuzz_support.h"
#include "plain_io.h"

namespace {

using namespace cardwise;
using Clock = std::chrono::steady_clock;
using bench::DeckFolder;

constexpr std::int32_t kToday = 20261207;

double seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// What a deck open and close does to its files, done with bare system calls: read both
// files, copy both to their backups, write the application settings file twice (the recent
// decks at the open, the directories at the close), write the setup data file and, after
// editing, the Q&A file.
void plainOpenClose(const DeckFolder& folder, bool rewriteQA, bool durable) {
    std::string qa = bench::plainRead(folder.qaPath());
    std::string setup = bench::plainRead(folder.setupPath());
    const std::string settings = "[CARDWISE]\r\nFile1=" + folder.qaPath() + "\r\n";
    bench::plainWrite(folder.file("plain.INI"), settings, durable);
    bench::plainWrite(folder.file("deck.~LS"), bench::plainRead(folder.qaPath()), durable);
    bench::plainWrite(folder.file("deck.~LD"), bench::plainRead(folder.setupPath()), durable);
    bench::plainWrite(folder.file("plain.INI"), settings, durable);
    bench::plainWrite(folder.setupPath(), setup, durable);
    if (rewriteQA) bench::plainWrite(folder.qaPath(), qa, durable);
    benchmark::DoNotOptimize(qa.data());
}

// Deck open and close on real files, timed against the plain I/O of the same files in the
// same run (interleaved, so both meet the same disk and cache conditions).
// Args: pair characters, 1 when the editor was used (the close rewrites the Q&A file).
void BM_DeckOpenClose(benchmark::State& state) {
    const auto pairChars = static_cast<std::size_t>(state.range(0));
    const bool edited = state.range(1) == 1;
    DeckFolder folder(pairChars, kToday);
    double deckTime = 0, openTime = 0, plainTime = 0, bareTime = 0;
    for (auto _ : state) {
        folder.reset();
        auto t0 = Clock::now();
        plainOpenClose(folder, edited, true);
        auto t1 = Clock::now();
        plainOpenClose(folder, edited, false);
        auto t2 = Clock::now();
        folder.reset();
        auto t3 = Clock::now();
        fuzzing::QuietUserInterface ui;
        fuzzing::SetClock clock(kToday);
        fuzzing::RepeatableRandom random;
        LocalFileSystem files;
        AbsentServices absent;
        Program program{absent.platform(ui, clock, random, files)};
        program.programDirectory = std::filesystem::path(folder.qaPath()).parent_path().string();
        program.appSettings = ProfileFile(files, folder.file("CARDWISE.INI"));
        if (!bench::openDeck(program, folder.qaPath())) throw std::runtime_error("open failed");
        auto opened = Clock::now();
        program.deck.EditorUsed = edited;
        if (!bench::closeDeck(program)) throw std::runtime_error("close failed");
        auto t4 = Clock::now();
        openTime += seconds(t3, opened);
        plainTime += seconds(t0, t1);
        bareTime += seconds(t1, t2);
        deckTime += seconds(t3, t4);
        state.SetIterationTime(seconds(t3, t4));
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["open_ms"] = openTime / n * 1e3;
    state.counters["close_ms"] = (deckTime - openTime) / n * 1e3;
    state.counters["plain_ms"] = plainTime / n * 1e3;
    state.counters["x_plain"] = deckTime / plainTime;
    state.counters["nofsync_ms"] = bareTime / n * 1e3;
    state.counters["x_nofsync"] = deckTime / bareTime;
    state.counters["deck_MB"] =
        static_cast<double>(folder.bytes().qaBytes.size() + folder.bytes().setupBytes.size()) / 1e6;
    state.counters["pair_chars"] =
        static_cast<double>(folder.bytes().qaBytes.size()) / static_cast<double>(kMaxPairs);
}
BENCHMARK(BM_DeckOpenClose)
    ->ArgsProduct({{bench::kTypicalPairChars, bench::kWorstPairChars}, {0, 1}})
    ->ArgNames({"chars", "edited"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The same open and close over files in memory: the parsing and encoding alone.
void BM_DeckOpenCloseInMemory(benchmark::State& state) {
    const auto pairChars = static_cast<std::size_t>(state.range(0));
    const auto deck = bench::generateDeck(kMaxPairs, pairChars, kToday);
    for (auto _ : state) {
        fuzzing::Harness h(kToday);
        h.placeDeck(deck.qaBytes, deck.setupBytes);
        if (!bench::openDeck(h.program, std::string(fuzzing::Harness::kQAPath))) {
            throw std::runtime_error("open failed");
        }
        h.program.deck.EditorUsed = true;
        if (!bench::closeDeck(h.program)) throw std::runtime_error("close failed");
    }
}
BENCHMARK(BM_DeckOpenCloseInMemory)
    ->Arg(bench::kTypicalPairChars)
    ->Arg(bench::kWorstPairChars)
    ->ArgName("chars")
    ->Unit(benchmark::kMillisecond);

// An open deck of 5000 pairs in memory.
struct OpenDeck {
    explicit OpenDeck(std::size_t pairChars) {
        const auto deck = bench::generateDeck(kMaxPairs, pairChars, kToday);
        h.placeDeck(deck.qaBytes, deck.setupBytes);
        if (!bench::openDeck(h.program, std::string(fuzzing::Harness::kQAPath))) {
            throw std::runtime_error("open failed");
        }
    }
    fuzzing::Harness h{kToday};
};

// Both sides of every pair formatted and their display texts decoded, as the drill windows
// show them; the time is per pair.
void BM_FormatAndDecodePair(benchmark::State& state) {
    OpenDeck open(static_cast<std::size_t>(state.range(0)));
    Program& program = open.h.program;
    std::int32_t n = 0;
    for (auto _ : state) {
        n = n % kMaxPairs + 1;
        FormattedSide question = FormatPairSide(program, "Q", n, {}, FaultReports::Quiet);
        FormattedSide answer = FormatPairSide(program, "A", n, question.view, FaultReports::Quiet);
        DecodeMarks(question.view.Text);
        DecodeMarks(answer.view.Text);
        benchmark::DoNotOptimize(question.view.Text.data());
        benchmark::DoNotOptimize(answer.view.Text.data());
    }
}
BENCHMARK(BM_FormatAndDecodePair)
    ->Arg(bench::kTypicalPairChars)
    ->Arg(bench::kWorstPairChars)
    ->ArgName("chars")
    ->Unit(benchmark::kMicrosecond);

// A search through the whole deck for a text it does not hold (the longest search).
void BM_FindStringInWholeDeck(benchmark::State& state) {
    OpenDeck open(static_cast<std::size_t>(state.range(0)));
    const Program& program = open.h.program;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindStringInRange(program, "Pyrenees", 1, kMaxPairs, true));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(state.range(0)) * kMaxPairs);
}
BENCHMARK(BM_FindStringInWholeDeck)
    ->Arg(bench::kTypicalPairChars)
    ->Arg(bench::kWorstPairChars)
    ->ArgName("chars")
    ->Unit(benchmark::kMillisecond);

}  // namespace
