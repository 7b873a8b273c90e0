#include "core/shell/command_line.h"

#include <algorithm>
#include <filesystem>

#include "core/platform/file_system.h"

namespace cardwise {
namespace {

const ToolkitOption* findToolkitOption(const std::vector<ToolkitOption>& options,
                                       std::string_view arg) {
    auto found = std::find_if(options.begin(), options.end(), [arg](const ToolkitOption& o) {
        // Qt takes its options with one dash or two.
        return arg == o.name || (arg.size() > 1 && arg[0] == '-' && arg.substr(1) == o.name);
    });
    return found == options.end() ? nullptr : &*found;
}

std::string absoluteDeck(std::string_view workingFolder, const std::string& arg) {
    std::filesystem::path deck(arg);
    if (deck.is_relative() && !workingFolder.empty()) {
        deck = std::filesystem::path(std::string(workingFolder)) / deck;
    }
    return deck.lexically_normal().string();
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args, std::string_view workingFolder,
                             const std::vector<ToolkitOption>& toolkitOptions) {
    CommandLine line;
    bool optionsEnded = false;
    bool help = false;
    bool version = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg.front() != '-') {
            if (!arg.empty()) line.decks.push_back(absoluteDeck(workingFolder, arg));
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else if (const ToolkitOption* option = findToolkitOption(toolkitOptions, arg)) {
            if (option->takesValue && ++i >= args.size()) {
                return CommandLine{StartAction::UsageError, {}, "option '" + arg + "' needs a value"};
            }
        } else {
            return CommandLine{StartAction::UsageError, {}, "unknown option '" + arg + "'"};
        }
    }
    if (help) return CommandLine{StartAction::Help, {}, {}};
    if (version) return CommandLine{StartAction::Version, {}, {}};
    return line;
}

std::string desktopUsageText() {
    return "usage: cardwise [OPTION]... [DECK.DKS]...\n"
           "Drill the flash-card decks named, or start with none open.\n"
           "\n"
           "  -h, --help     show this help and exit\n"
           "      --version  show the version and exit\n"
           "      --        take every later argument as a deck, even one starting with '-'\n"
           "\n"
           "Only one copy runs for each user: a deck named when a copy is running opens in that\n"
           "copy, once any box it shows is closed. A deck that does not exist is reported here.\n"
           "Exit status: 0 success; 1 a named deck does not exist or the program could not\n"
           "start; 2 a wrong command line.\n";
}

std::string versionText(std::string_view program) {
    return std::string(program) + " " + std::string(kCardwiseVersion) +
           "\nLicence GPL-3.0-or-later: GNU GPL version 3 or later.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}

std::string usageErrorText(std::string_view program, std::string_view error) {
    return std::string(program) + ": " + std::string(error) + "\nTry '" + std::string(program) +
           " --help'.\n";
}

HandOverPlan planHandOver(const std::vector<std::string>& decks, const FileSystem& files) {
    HandOverPlan plan;
    for (const std::string& deck : decks) {
        (files.fileExists(deck) ? plan.handed : plan.missing).push_back(deck);
    }
    plan.contactRunningCopy = decks.empty() || !plan.handed.empty();
    return plan;
}

std::string missingDeckText(std::string_view program, std::string_view deck) {
    return std::string(program) + ": " + std::string(deck) + ": no such deck\n";
}

}  // namespace cardwise
