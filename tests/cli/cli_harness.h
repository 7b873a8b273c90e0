#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_environment.h"
#include "support/fakes.h"

namespace cardwise::cli::testing {

// Runs cardwise-cli in-process with scripted input, a fixed date and the real disk.
struct CliRun {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    cardwise::testing::FixedClock clock{20261207};
    cardwise::testing::SeededRandom random;
    LocalFileSystem files;
    CliEnvironment env{in, out, err, clock, random, files};
    int status = -1;

    explicit CliRun(std::string currentDirectory = {}, std::string input = {}) : in(input) {
        env.programDirectory = currentDirectory;
        env.currentDirectory = std::move(currentDirectory);
    }

    CliRun& run(const std::vector<std::string>& args) {
        status = runCli(args, env);
        return *this;
    }
};

// Splits output into lines without their line feeds.
inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) lines.push_back(line);
    return lines;
}

}  // namespace cardwise::cli::testing
