#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/shell/product.h"

namespace cardwise {

class FileSystem;

// The exit status of a wrong command line.
inline constexpr int kExitUsage = 2;

// What a start of the desktop program was asked to do.
enum class StartAction { Run, Help, Version, UsageError };

// An option of the windowing toolkit, which it takes off the command line itself.
struct ToolkitOption {
    std::string name;  // "-platform"
    bool takesValue = false;
};

struct CommandLine {
    StartAction action = StartAction::Run;
    // The decks to open, made absolute from the working folder, bytes as the system gave
    // them (a file name need not be valid UTF-8).
    std::vector<std::string> decks;
    // For UsageError: what was wrong, one line.
    std::string error;
};

// Reads the arguments after the program's name. "--" ends the options; anything else that
// starts with '-' and is neither ours nor the toolkit's is an error, so that it is never
// taken for a deck.
CommandLine parseCommandLine(const std::vector<std::string>& args, std::string_view workingFolder,
                             const std::vector<ToolkitOption>& toolkitOptions = {});

// The texts of --help, --version and a wrong command line, for standard output or error.
std::string desktopUsageText();
std::string versionText(std::string_view program);
std::string usageErrorText(std::string_view program, std::string_view error);

// Which decks a second start hands to the copy already running: a deck that does not
// exist is reported by the copy that was started, never handed over.
struct HandOverPlan {
    std::vector<std::string> handed;
    std::vector<std::string> missing;
    // False when decks were named and none exists: the running copy is left alone.
    bool contactRunningCopy = true;
};
HandOverPlan planHandOver(const std::vector<std::string>& decks, const FileSystem& files);
// One line on standard error for a deck a second start could not hand over.
std::string missingDeckText(std::string_view program, std::string_view deck);

}  // namespace cardwise
