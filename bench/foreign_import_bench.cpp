// Importing a 5000-note Anki package with 500 pictures into a new deck: unzipping, reading
// the collection, rendering every card's HTML, and writing the deck files and the pictures.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

#include "core/exchange/pair_import.h"
#include "core/program.h"
#include "fuzz/fuzz_support.h"
#include "plain_io.h"
#include "support/foreign_files.h"

namespace {

using namespace cardwise;
using Clock = std::chrono::steady_clock;

std::string ankiBenchPackage() {
    std::vector<cardwise::testing::AnkiNote> notes;
    std::vector<std::pair<std::string, std::string>> media;
    for (int n = 0; n < 5000; ++n) {
        const std::string i = std::to_string(n);
        std::string back = "<div>answer <b>" + i + "</b> &amp; more</div><br>second line";
        if (n % 10 == 0) {
            const std::string name = "picture" + i + ".jpg";
            back += "<img src=\"" + name + "\">";
            media.emplace_back(name, std::string(20000, static_cast<char>('a' + n % 26)));
        }
        if (n % 4 == 3) {
            notes.push_back(
                {4, {"cloze {{c1::" + i + "::number}} of the deck", "extra"}, "Bench", {0}});
        } else {
            notes.push_back({1, {"question <i>" + i + "</i>", back}, "Bench", {0}});
        }
    }
    return cardwise::testing::ankiPackage(notes, media, false);
}

void BM_ImportAnki5000Notes500Pictures(benchmark::State& state) {
    std::random_device rd;
    std::filesystem::path folder;
    do {
        folder = std::filesystem::temp_directory_path() /
                 ("cardwise-bench-anki-" + std::to_string(rd()));
    } while (!std::filesystem::create_directory(folder));
    const std::string source = (folder / "cards.apkg").string();
    bench::plainWrite(source, ankiBenchPackage(), false);
    for (auto _ : state) {
        state.PauseTiming();
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path() != source) std::filesystem::remove(entry.path());
        }
        state.ResumeTiming();
        fuzzing::QuietUserInterface ui;
        fuzzing::SetClock clock(20261207);
        fuzzing::RepeatableRandom random;
        LocalFileSystem files;
        AbsentServices absent;
        Program program{absent.platform(ui, clock, random, files)};
        auto t0 = Clock::now();
        ImportResult result = importPairs(program, source, (folder / "cards.DKS").string());
        auto t1 = Clock::now();
        if (!result.ok() || result.pairsAdded != kMaxPairs) {
            throw std::runtime_error("import failed: " +
                                     (result.problem ? result.problem->text : std::string()));
        }
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    state.counters["package_MB"] = static_cast<double>(std::filesystem::file_size(source)) / 1e6;
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ImportAnki5000Notes500Pictures)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
