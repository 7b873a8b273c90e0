// The benchmarks, or with --cli-check=PATH the wall time and peak memory of
// "cardwise-cli check" on the largest worst-case deck, or with --cli-import=PATH those of
// "cardwise-cli import" on files far larger than any deck, or with --write-worst-deck=DIR that
// deck as files (to profile a check by hand).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/deck/deck_state.h"
#include "core/exchange/pair_import.h"
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
    // Nothing buffered may be written a second time by the child.
    std::fflush(nullptr);
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

// The worst-case deck as STEM.DKS and STEM.DKD in the folder; their size in megabytes.
double writeWorstDeck(const std::filesystem::path& folder, const std::string& stem) {
    const auto deck = cardwise::bench::generateDeck(cardwise::kMaxPairs,
                                                    cardwise::bench::kWorstPairChars, 20261207);
    std::filesystem::create_directories(folder);
    cardwise::bench::plainWrite((folder / (stem + ".DKS")).string(), deck.qaBytes, false);
    cardwise::bench::plainWrite((folder / (stem + ".DKD")).string(), deck.setupBytes, false);
    return static_cast<double>(deck.qaBytes.size() + deck.setupBytes.size()) / 1e6;
}

int cliCheck(const std::string& cli) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("cardwise-bench-cli-" + std::to_string(::getpid()));
    const std::string qa = (dir / "worst.DKS").string();
    const std::string setup = (dir / "worst.DKD").string();
    const std::string qaCopy = (dir / "original.DKS").string();
    const std::string setupCopy = (dir / "original.DKD").string();
    const double megabytes = writeWorstDeck(dir, "original");
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
        "[targets: 0.05 s, 40 MB]\n",
        cardwise::kMaxPairs, megabytes, runs.front().status, times[times.size() / 2], times.front(),
        times.back(), static_cast<double>(peak) / 1024.0,
        static_cast<double>(floor.peakKB) / 1024.0);
    return 0;
}

// Files from strangers through "cardwise-cli import": each refused (or, the full deck,
// taken) within a second and 100 MB, however large the file is.
int cliImport(const std::string& cli) {
    namespace fs = std::filesystem;
    fs::path dir =
        fs::temp_directory_path() / ("cardwise-bench-import-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    auto rowsOf = [](std::size_t bytes) {
        std::string out;
        out.reserve(bytes);
        while (out.size() + 4 <= bytes) out += "a,b\n";
        return out;
    };
    // The largest file a deck can give: 5000 pairs of 2082 characters of three UTF-8 bytes.
    auto fullDeck = [] {
        std::string side;
        for (int i = 0; i < 1041; ++i) side += "\xE2\x82\xAC";
        std::string out = "question\tanswer\tcategory\r\n";
        for (int n = 0; n < cardwise::kMaxPairs; ++n) out += side + "\t" + side + "\t\r\n";
        return out;
    };
    // Each file is made just before its runs and dropped before the child starts: the
    // child's peak memory counts this process's own.
    struct Case {
        const char* name;
        std::function<std::string()> bytes;
    };
    const Case cases[] = {
        {"64 MB of \"a,b\" rows", [&] { return rowsOf(64'000'000); }},
        {"\"a,b\" rows up to the size cap", [&] { return rowsOf(cardwise::kMaxImportFileBytes); }},
        {"a quote never closed, up to the size cap",
         [&] { return "\"" + rowsOf(cardwise::kMaxImportFileBytes - 1); }},
        {"a full deck of three-byte characters", fullDeck},
    };
    const std::string source = (dir / "cards.csv").string();
    for (const Case& c : cases) {
        double megabytes = 0;
        {
            const std::string bytes = c.bytes();
            cardwise::bench::plainWrite(source, bytes, false);
            megabytes = static_cast<double>(bytes.size()) / 1e6;
        }
        ::malloc_trim(0);
        const Run floor = runChild("/bin/true", {});
        std::vector<Run> runs;
        for (int i = 0; i < 3; ++i) {
            fs::remove(dir / "cards.DKS");
            fs::remove(dir / "cards.DKD");
            runs.push_back(runChild(cli, {"import", source, (dir / "cards.DKS").string()}));
        }
        double slowest = 0;
        long peak = 0;
        for (const auto& r : runs) {
            slowest = std::max(slowest, r.seconds);
            peak = std::max(peak, r.peakKB);
        }
        std::printf(
            "cardwise-cli import, %s (%.1f MB): exit status %d, wall max %.3f s, peak memory "
            "%.1f MB (measurement floor %.1f MB)  [targets: 1 s, 100 MB]\n",
            c.name, megabytes, runs.front().status, slowest, static_cast<double>(peak) / 1024.0,
            static_cast<double>(floor.peakKB) / 1024.0);
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    constexpr std::string_view kCliCheck = "--cli-check=";
    constexpr std::string_view kCliImport = "--cli-import=";
    constexpr std::string_view kWorstDeck = "--write-worst-deck=";
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg.substr(0, kCliCheck.size()) == kCliCheck) {
            return cliCheck(std::string(arg.substr(kCliCheck.size())));
        }
        if (arg.substr(0, kWorstDeck.size()) == kWorstDeck) {
            writeWorstDeck(std::string(arg.substr(kWorstDeck.size())), "worst");
            return 0;
        }
        if (arg.substr(0, kCliImport.size()) == kCliImport) {
            return cliImport(std::string(arg.substr(kCliImport.size())));
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
