#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "core/platform/clock.h"
#include "core/platform/external_editor.h"
#include "core/platform/file_system.h"
#include "core/platform/random_source.h"

namespace {

std::string programDirectory(const char* argv0) {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) self = std::filesystem::absolute(argv0, ec);
    return self.parent_path().string();
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    cardwise::SystemClock clock;
    cardwise::StdRandomSource random;
    cardwise::LocalFileSystem files;
    cardwise::StandardExternalEditor editor;  // $VISUAL or $EDITOR, for decks with faults
    std::error_code ec;
    cardwise::cli::CliEnvironment env{std::cin, std::cout, std::cerr, clock, random, files};
    env.currentDirectory = std::filesystem::current_path(ec).string();
    env.programDirectory = programDirectory(argc > 0 ? argv[0] : "cardwise-cli");
    env.inputIsTerminal = ::isatty(STDIN_FILENO) != 0;
    env.inputFd = STDIN_FILENO;
    // An editor started from a script would wait for keys that never come.
    if (env.inputIsTerminal) env.editor = &editor;
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    int status = cardwise::cli::runCli(args, env);
    std::cout.flush();
    return status;
}
