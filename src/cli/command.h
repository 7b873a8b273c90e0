#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_environment.h"

namespace cardwise::cli {

// One cardwise-cli command. Arguments come without the command's name; a wrong argument
// list is reported by throwing UsageError.
class Command {
  public:
    virtual ~Command() = default;
    virtual std::string_view name() const = 0;
    virtual std::string_view arguments() const = 0;
    virtual std::string_view summary() const = 0;
    virtual int run(const std::vector<std::string>& args, CliEnvironment& env) = 0;
};

struct UsageError {
    std::string message;
};

std::unique_ptr<Command> makeCheckCommand();
std::unique_ptr<Command> makeStatsCommand();
std::unique_ptr<Command> makeCopyCommand();
std::unique_ptr<Command> makeDrillCommand();
std::unique_ptr<Command> makeImportCommand();
std::unique_ptr<Command> makeExportCommand();

// Every command, in the order --help lists them.
std::vector<std::unique_ptr<Command>> allCommands();

}  // namespace cardwise::cli
