// Importing a 5000-row spreadsheet file into a new deck: reading and checking every row,
// converting it to the deck's markup and writing both deck files durably.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

#include "core/exchange/pair_import.h"
#include "core/program.h"
#include "deck_generator.h"
#include "fuzz/fuzz_support.h"
#include "plain_io.h"

namespace {

using namespace cardwise;
using Clock = std::chrono::steady_clock;

// A spreadsheet export: header, question, answer and category, some fields quoted with
// commas and line breaks in them, accented letters.
std::string spreadsheetRows(int rows, std::size_t sideChars) {
    std::mt19937 rng(7);
    std::string out = "Question,Answer,Category\r\n";
    for (int n = 1; n <= rows; ++n) {
        std::string question = bench::filler(rng, sideChars);
        std::string answer = bench::filler(rng, sideChars);
        for (char& c : question) {
            if (c == '^') c = '\n';
        }
        for (char& c : answer) {
            if (c == '^') c = ',';
        }
        out += "\"caf\xC3\xA9 " + question + "\",\"" + answer + "\",Topic" +
               std::to_string(n % 40) + "\r\n";
    }
    return out;
}

class ImportFolder {
  public:
    explicit ImportFolder(std::size_t sideChars) {
        std::random_device rd;
        do {
            path_ = std::filesystem::temp_directory_path() /
                    ("cardwise-bench-import-" + std::to_string(rd()));
        } while (!std::filesystem::create_directory(path_));
        bench::plainWrite(source(), spreadsheetRows(kMaxPairs, sideChars), false);
    }
    ~ImportFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string source() const { return (path_ / "cards.csv").string(); }
    std::string deck() const { return (path_ / "cards.DKS").string(); }
    void removeDeck() const {
        std::filesystem::remove(path_ / "cards.DKS");
        std::filesystem::remove(path_ / "cards.DKD");
    }

  private:
    std::filesystem::path path_;
};

// Arg: characters of each side. Counters: the whole import (file read, rows checked and
// converted, both files written and flushed) and the in-memory part alone.
void BM_Import5000Rows(benchmark::State& state) {
    const auto sideChars = static_cast<std::size_t>(state.range(0));
    ImportFolder folder(sideChars);
    const std::string bytes = bench::plainRead(folder.source());
    double planTime = 0;
    for (auto _ : state) {
        folder.removeDeck();
        fuzzing::QuietUserInterface ui;
        fuzzing::SetClock clock(20261207);
        fuzzing::RepeatableRandom random;
        LocalFileSystem files;
        AbsentServices absent;
        Program program{absent.platform(ui, clock, random, files)};
        auto t0 = Clock::now();
        ImportResult result = importPairs(program, folder.source(), folder.deck());
        auto t1 = Clock::now();
        if (!result.ok() || result.pairsAdded != kMaxPairs) {
            throw std::runtime_error("import failed: " + result.problem->text);
        }
        ImportPlan plan = planImport(bytes, DeckContents{});
        auto t2 = Clock::now();
        benchmark::DoNotOptimize(plan.pairs.data());
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
        planTime += std::chrono::duration<double>(t2 - t1).count();
    }
    state.counters["rows_only_ms"] = planTime / static_cast<double>(state.iterations()) * 1e3;
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
}
BENCHMARK(BM_Import5000Rows)
    ->Arg(100)
    ->Arg(1000)
    ->ArgName("side_chars")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
