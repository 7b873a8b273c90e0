// The benchmarks, or with --cli-check=PATH the wall time and peak memory of
// "cardwise-cli check" on the largest worst-case deck.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/deck/deck_state.h"
#include "deck_generator.h"
#include "plain_io.h"

namespace {

struct Run {
    double seconds = 0;
    long peakKB = 0;
    int status = -1;
};

Run runChild(const std::string& program, const std::vector<std::string>& args) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    auto start = std::chrono::steady_clock::now();
    pid_t pid = ::fork();
    if (pid == 0) {
        // The figures are about the check, not about writing its report to a terminal.
        std::freopen("/dev/null", "w", stdout);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    Run run;
    int status = 0;
    struct rusage usage {};
    ::wait4(pid, &status, 0, &usage);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakKB = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

int cliCheck(const std::string& cli) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("cardwise-bench-cli-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string qa = (dir / "worst.DKS").string();
    const std::string setup = (dir / "worst.DKD").string();
    const std::string qaCopy = (dir / "original.DKS").string();
    const std::string setupCopy = (dir / "original.DKD").string();
    double megabytes = 0;
    {
        const auto deck = cardwise::bench::generateDeck(cardwise::kMaxPairs,
                                                        cardwise::bench::kWorstPairChars, 20261207);
        cardwise::bench::plainWrite(qaCopy, deck.qaBytes, false);
        cardwise::bench::plainWrite(setupCopy, deck.setupBytes, false);
        megabytes = static_cast<double>(deck.qaBytes.size() + deck.setupBytes.size()) / 1e6;
    }
    // A child's peak memory includes what it had before its exec: a copy of this process.
    // Keep this one small and measure that floor with a program that does nothing.
    ::malloc_trim(0);
    const Run floor = runChild("/bin/true", {});
    std::vector<Run> runs;
    for (int i = 0; i < 7; ++i) {
        // Every run meets the same files: a check may write status lines or backups.
        fs::copy_file(qaCopy, qa, fs::copy_options::overwrite_existing);
        fs::copy_file(setupCopy, setup, fs::copy_options::overwrite_existing);
        runs.push_back(runChild(cli, {"check", qa}));
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
    std::vector<double> times;
    long peak = 0;
    for (const auto& r : runs) {
        times.push_back(r.seconds);
        peak = std::max(peak, r.peakKB);
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "cardwise-cli check, worst-case deck (%d pairs, %.1f MB): exit status %d, wall median "
        "%.3f s (min %.3f, max %.3f), peak memory %.1f MB (measurement floor %.1f MB)  "
        "[targets: 0.2 s, 40 MB]\n",
        cardwise::kMaxPairs, megabytes, runs.front().status, times[times.size() / 2], times.front(),
        times.back(), static_cast<double>(peak) / 1024.0,
        static_cast<double>(floor.peakKB) / 1024.0);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    constexpr std::string_view kCliCheck = "--cli-check=";
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg.substr(0, kCliCheck.size()) == kCliCheck) {
            return cliCheck(std::string(arg.substr(kCliCheck.size())));
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
