#pragma once

#include <iosfwd>
#include <string>

#include "core/platform/clock.h"
#include "core/platform/file_system.h"
#include "core/platform/random_source.h"
#include "core/program.h"

namespace cardwise {
class ExternalEditor;
}

namespace cardwise::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFound = 1;    // check found something
inline constexpr int kExitFailure = 2;  // bad command line, or the deck cannot be opened

// What a command runs against: the process's streams and services, injectable for tests.
struct CliEnvironment {
    CliEnvironment(std::istream& input, std::ostream& output, std::ostream& errors, Clock& c,
                   RandomSource& r, FileSystem& f)
        : in(input), out(output), err(errors), clock(c), random(r), files(f) {}

    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    Clock& clock;
    RandomSource& random;
    FileSystem& files;
    ExternalEditor* editor = nullptr;  // for the drill's "fix this file" paths; none when null
    std::string currentDirectory;      // where relative deck names are taken from
    std::string programDirectory;      // where the executable and EXAMPLES/ live
    bool inputIsTerminal = false;      // timers run only on a terminal
    // The descriptor behind `in` when this is the real process: the drill reads it directly
    // and ends its session on SIGTERM, SIGHUP and SIGINT. -1 when `in` is the test's.
    int inputFd = -1;

    // A terminal has no clipboard and no help pages.
    Platform platform(UserInterface& ui, FileSystem& deckFiles) {
        Platform services = absent_.platform(ui, clock, random, deckFiles);
        if (editor == nullptr) return services;
        return Platform{.ui = ui,
                        .clock = clock,
                        .random = random,
                        .files = deckFiles,
                        .clipboard = services.clipboard,
                        .editor = *editor,
                        .help = services.help,
                        .images = services.images,
                        .media = services.media};
    }

  private:
    AbsentServices absent_;
};

}  // namespace cardwise::cli
