// A grade in a 5000-pair deck with the learning state written after it, as the terminal
// drill does for every grade and the desktop program at most every few seconds.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "core/drill/core_drill_engine.h"
#include "core/drill/run_control.h"
#include "core/shell/deck_save.h"
#include "deck_folder.h"
#include "deck_session.h"
#include "fuzz/fuzz_support.h"
#include "plain_io.h"

namespace {

using namespace cardwise;
using Clock = std::chrono::steady_clock;

constexpr std::int32_t kToday = 20261207;

// The largest deck on disk, opened and drilled through the drill controller.
struct DrilledDeck {
    explicit DrilledDeck(std::size_t pairChars) : folder(pairChars, kToday) {
        program.programDirectory = std::filesystem::path(folder.qaPath()).parent_path().string();
        program.appSettings = ProfileFile(files, folder.file("CARDWISE.INI"));
        program.attachFrontEnd(windows);
        if (!bench::openDeck(program, folder.qaPath())) throw std::runtime_error("open failed");
        drill.start();
        // Every grade is written, whatever the interval.
        program.document.intervalMs = 0;
    }

    // The first question is asked by the constructor, not by the deck runner.
    struct Windows : NoFrontEnd {};

    bench::DeckFolder folder;
    fuzzing::QuietUserInterface ui;
    fuzzing::SetClock clock{kToday};
    fuzzing::RepeatableRandom random;
    LocalFileSystem files;
    AbsentServices absent;
    Windows windows;
    Program program{absent.platform(ui, clock, random, files)};
    CoreDrillEngine engine;
    DrillController drill{program, engine};
};

double seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// From the grading button to the next question on show: the grade, the next selection,
// with save 1 the whole setup data file rebuilt and written atomically (flushed to disk and
// renamed), and the next question's view. Timed apart in the same run: save_ms, the write
// alone; plain_ms, the same bytes written with bare system calls, one fsync and a rename.
void BM_GradeAndSave(benchmark::State& state) {
    DrilledDeck deck(bench::kTypicalPairChars);
    const bool save = state.range(0) == 1;
    // Without saving: the first grade writes, none after it.
    if (!save) deck.program.document.intervalMs = std::int64_t{1} << 40;
    double saveTime = 0;
    double plainTime = 0;
    std::int32_t& marker = deck.program.deck.Learning.at(1).WrongTotal;
    for (auto _ : state) {
        deck.drill.displayAnswer();
        // A judged reply (here always none) is graded by going on; a standard pair correct.
        const bool judged = deck.drill.answer().panel == AnswerPanel::Judged;
        const auto t0 = Clock::now();
        if (judged)
            deck.drill.showNextQuestion();
        else
            deck.drill.markCorrect();
        const auto t1 = Clock::now();
        if (deck.drill.screen() != DrillScreen::Question) throw std::runtime_error("no question");
        if (save && savePending(deck.program)) throw std::runtime_error("grade not written");
        state.SetIterationTime(seconds(t0, t1));

        // A change of its own, so that the write is not skipped as a repeat.
        marker = (marker + 1) % 90;
        deck.program.document.markChanged();
        const auto t2 = Clock::now();
        if (saveIfChanged(deck.program) != SaveOutcome::Saved) throw std::runtime_error("write failed");
        const auto t3 = Clock::now();
        bench::plainWrite(deck.folder.file("plain.DKD"), deck.folder.bytes().setupBytes, true);
        const auto t4 = Clock::now();
        saveTime += seconds(t2, t3);
        plainTime += seconds(t3, t4);
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["save_ms"] = saveTime / n * 1e3;
    state.counters["plain_ms"] = plainTime / n * 1e3;
    state.counters["x_plain"] = saveTime / plainTime;
    state.counters["setup_kB"] =
        static_cast<double>(std::filesystem::file_size(deck.folder.setupPath())) / 1e3;
}
BENCHMARK(BM_GradeAndSave)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("save")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
