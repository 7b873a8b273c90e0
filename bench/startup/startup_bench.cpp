// Start-up of the desktop program against a bare Qt window: wall time from the start of the
// process until its window is shown, and its proportional memory (PSS) at that moment.
// Usage: cardwise_startup_bench CARDWISE BARE_WINDOW
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/deck/deck_state.h"
#include "deck_generator.h"
#include "plain_io.h"

namespace {

struct Sample {
    double milliseconds = 0;
    long pssKB = 0;
};

long pssOf(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::string key;
    long value = 0;
    while (in >> key) {
        if (key == "Pss:") {
            in >> value;
            return value;
        }
        in.ignore(1 << 12, '\n');
    }
    return -1;
}

// Starts the program with the probe on and waits for its "shown" line.
bool sample(const std::vector<std::string>& command, Sample& out) {
    int fds[2];
    if (::pipe(fds) != 0) return false;
    std::vector<char*> argv;
    for (const auto& a : command) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    auto start = std::chrono::steady_clock::now();
    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], 1);
        ::close(fds[0]);
        // The sound servers' and the back ends' complaints are not the figures.
        const int quiet = ::open("/dev/null", O_WRONLY);
        if (quiet >= 0) ::dup2(quiet, 2);
        ::setenv("CARDWISE_STARTUP_PROBE", "1", 1);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    std::string seen;
    char buffer[256];
    ssize_t n;
    while (seen.find("shown\n") == std::string::npos &&
           (n = ::read(fds[0], buffer, sizeof buffer)) > 0) {
        seen.append(buffer, static_cast<std::size_t>(n));
    }
    auto shown = std::chrono::steady_clock::now();
    bool ok = seen.find("shown\n") != std::string::npos;
    if (ok) {
        out.milliseconds = std::chrono::duration<double, std::milli>(shown - start).count();
        out.pssKB = pssOf(pid);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ::close(fds[0]);
    return ok && out.pssKB > 0;
}

Sample median(std::vector<Sample> samples) {
    auto mid = samples.size() / 2;
    std::nth_element(samples.begin(), samples.begin() + mid, samples.end(),
                     [](auto& a, auto& b) { return a.milliseconds < b.milliseconds; });
    Sample result;
    result.milliseconds = samples[mid].milliseconds;
    std::nth_element(samples.begin(), samples.begin() + mid, samples.end(),
                     [](auto& a, auto& b) { return a.pssKB < b.pssKB; });
    result.pssKB = samples[mid].pssKB;
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s CARDWISE BARE_WINDOW\n", argv[0]);
        return 2;
    }
    fs::path dir = fs::temp_directory_path() / ("cardwise-startup-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const auto deck = cardwise::bench::generateDeck(cardwise::kMaxPairs,
                                                    cardwise::bench::kTypicalPairChars, 20261207);
    const std::string qa = (dir / "large.DKS").string();
    const std::string setup = (dir / "large.DKD").string();
    // A settings folder of its own, so the run never touches the user's recent decks.
    ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);

    constexpr int kRuns = 9;
    std::vector<Sample> program, bare;
    for (int i = 0; i < kRuns; ++i) {
        cardwise::bench::plainWrite(qa, deck.qaBytes, false);
        cardwise::bench::plainWrite(setup, deck.setupBytes, false);
        Sample s;
        if (!sample({argv[1], qa}, s)) {
            std::fprintf(stderr, "%s never showed its question window\n", argv[1]);
            return 1;
        }
        program.push_back(s);
        if (!sample({argv[2]}, s)) {
            std::fprintf(stderr, "%s never showed its window\n", argv[2]);
            return 1;
        }
        bare.push_back(s);
    }
    std::error_code ec;
    fs::remove_all(dir, ec);

    Sample p = median(program), b = median(bare);
    std::printf("Start-up to the question window, 5000-pair deck (median of %d runs):\n", kRuns);
    std::printf("  cardwise     %8.1f ms  PSS %7.1f MB\n", p.milliseconds, p.pssKB / 1024.0);
    std::printf("  bare window  %8.1f ms  PSS %7.1f MB\n", b.milliseconds, b.pssKB / 1024.0);
    std::printf("  ratio        %8.2fx     %7.2fx   (targets 1.5x and 2x)\n",
                p.milliseconds / b.milliseconds, static_cast<double>(p.pssKB) / b.pssKB);
    return 0;
}
