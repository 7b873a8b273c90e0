#include "cli/read_only_deck.h"

#include <filesystem>

#include "core/deck/status_lines.h"
#include "core/profile/profile.h"
#include "core/shell/app_settings.h"
#include "core/shell/deck_loader.h"

namespace cardwise::cli {

std::string deckPathFrom(const CliEnvironment& env, const std::string& argument) {
    return std::filesystem::path(pathFrom(env.currentDirectory, argument))
        .lexically_normal()
        .string();
}

ReadOnlyDeck::ReadOnlyDeck(CliEnvironment& env)
    : input_(env.in),
      ui_(input_, env.out, TerminalUserInterface::Mode::NeverAsk),
      files_(env.files),
      program_(env.platform(ui_, files_)) {
    program_.programDirectory = env.programDirectory;
    program_.currentDirectory = env.currentDirectory;
}

OpenResult ReadOnlyDeck::open(const std::string& path) {
    // The program reads its application settings before any deck; only a portable copy's
    // are read, since finding the per-user folder may create it.
    if (settingsBesideProgram(program_) && locateAppSettings(program_, std::nullopt)) {
        readAppSettings(program_);
    }
    DeckState& deck = program_.deck;
    deck.QAFileName = path;
    if (!files_.fileExists(path) || !equalsIgnoreCase(extensionOf(path), ".DKS")) {
        // The program's own name checks say what is wrong; they load nothing.
        InitDKSFile(program_);
        return OpenResult::NotOpened;
    }
    program_.currentDirectory = directoryOf(path);
    deck.deriveCompanionNames();
    deck.LoadOutcome = 1;
    deck.ReadOnlyDeck = false;
    detectReadOnlyDeck(program_);
    // Backups would be copies kept in memory and thrown away: the deck is only looked at.
    program_.document.deferLoadWrites = true;
    LoadDeck(program_);
    // The program goes on to open a faulty file in the editor; a read-only open only reports.
    reportLoadOutcome(program_);
    switch (deck.LoadOutcome) {
        case 1:
            return OpenResult::Opened;
        case 0:
            return OpenResult::SettingsInvalid;
        default:
            return OpenResult::NotOpened;
    }
}

}  // namespace cardwise::cli
