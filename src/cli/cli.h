#pragma once

#include <string>
#include <vector>

#include "cli/cli_environment.h"

namespace cardwise::cli {

// Runs "cardwise-cli ARGS..." (the program name left out) and answers the exit status.
int runCli(const std::vector<std::string>& args, CliEnvironment& env);

}  // namespace cardwise::cli
