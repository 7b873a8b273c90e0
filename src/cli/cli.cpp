#include "cli/cli.h"

#include <ostream>

#include "cli/command.h"
#include "core/shell/command_line.h"

namespace cardwise::cli {
namespace {

constexpr std::string_view kUsage = "usage: cardwise-cli COMMAND ARGUMENTS ...";

void printHelp(std::ostream& out, const std::vector<std::unique_ptr<Command>>& commands) {
    out << kUsage << "\n\nOptions:\n  -h, --help\n    show this help and exit\n  --version\n"
                     "    show the version and exit\n\nCommands:\n";
    for (const auto& command : commands) {
        std::string head =
            "  " + std::string(command->name()) + " " + std::string(command->arguments());
        out << head << "\n    " << command->summary() << "\n";
    }
    out << "\nA relative DECK or FILE is taken from the current directory.\n"
           "Exit status: 0 success; 1 check found something, the drill could not save the "
           "deck,\nor an import or export was refused or failed (nothing written); 2 a wrong "
           "command line\nor a deck that cannot be opened.\n";
}

int usageError(std::ostream& err, std::string_view message) {
    err << "cardwise-cli: " << message << "\n" << kUsage << "\nTry 'cardwise-cli --help'.\n";
    return kExitFailure;
}

bool isOption(const std::string& arg) {
    return arg.size() > 1 && arg.front() == '-';
}

}  // namespace

int runCli(const std::vector<std::string>& args, CliEnvironment& env) {
    auto commands = allCommands();
    std::vector<std::string> words;
    bool optionsEnded = false;
    bool help = false;
    bool version = false;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            help = true;
        } else if (!optionsEnded && arg == "--version") {
            version = true;
        } else if (!optionsEnded && isOption(arg)) {
            return usageError(env.err, "unknown option '" + arg + "'");
        } else {
            words.push_back(arg);
        }
    }
    if (help) {
        printHelp(env.out, commands);
        return kExitOk;
    }
    if (version) {
        env.out << versionText("cardwise-cli");
        return kExitOk;
    }
    if (words.empty()) return usageError(env.err, "no command given");

    for (const auto& command : commands) {
        if (command->name() != words.front()) continue;
        std::vector<std::string> rest(words.begin() + 1, words.end());
        try {
            return command->run(rest, env);
        } catch (const UsageError& error) {
            env.err << "cardwise-cli: " << error.message << "\nusage: cardwise-cli "
                    << command->name() << " " << command->arguments()
                    << "\nTry 'cardwise-cli --help'.\n";
            return kExitFailure;
        }
    }
    return usageError(env.err, "unknown command '" + words.front() + "'");
}

std::vector<std::unique_ptr<Command>> allCommands() {
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(makeCheckCommand());
    commands.push_back(makeStatsCommand());
    commands.push_back(makeCopyCommand());
    commands.push_back(makeDrillCommand());
    commands.push_back(makeImportCommand());
    commands.push_back(makeExportCommand());
    return commands;
}

}  // namespace cardwise::cli
