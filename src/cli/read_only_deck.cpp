#include "cli/read_only_deck.h"

#include <filesystem>

#include "core/deck/deck_loader.h"
#include "core/deck/status_lines.h"
#include "core/profile/profile.h"
#include "core/shell/app_settings.h"

namespace cardwise::cli {
namespace {

// The boxes the program shows when a load ends without a usable deck. The program goes on
// to open the faulty file in the editor; a read-only open only reports.
void reportOutcome(Program& program) {
    const DeckState& deck = program.deck;
    const std::string tail =
        "  This File Cannot Be Used In Its Current State.  NotePad Will Now Be Opened With ";
    const std::string correct =
        " Loaded To Allow You To Correct The Indicated Error.  After Correcting The"
        " Error, Reopen The File To Continue.";
    switch (deck.LoadOutcome) {
        case 0:
            program.ui().message("Q&A SetUp Data Error",
                                 deck.QAFileName +
                                     " Has Invalid Or Corrupted Entries In The Data Stored In "
                                     "Its Associated .DKD File." +
                                     tail + deck.SetupFileName + correct,
                                 Icon::Error);
            break;
        case 3:
            program.ui().message("Data Error",
                                 deck.QAFileName +
                                     " Does Not Appear To Contain Any Questions.  "
                                     "Please Check That The Data Format Is Correct.  "
                                     "See The Help Topic \"Creating And Editing Q&A Files\" For "
                                     "Additional Information.",
                                 Icon::Warning);
            break;
        case 4:
            program.ui().message(
                "Q&A .DKS File Error",
                deck.QAFileName + " Has Invalid Entries." + tail + deck.QAFileName + correct,
                Icon::Error);
            break;
        default:
            break;
    }
}

}  // namespace

std::string deckPathFrom(const CliEnvironment& env, const std::string& argument) {
    std::filesystem::path path(argument);
    if (path.is_relative() && !env.currentDirectory.empty()) {
        path = std::filesystem::path(env.currentDirectory) / path;
    }
    return path.lexically_normal().string();
}

ReadOnlyDeck::ReadOnlyDeck(CliEnvironment& env)
    : input_(env.in),
      ui_(input_, env.out, TerminalUserInterface::Mode::NeverAsk),
      files_(env.files),
      program_(Platform{ui_, env.clock, env.random, files_}) {
    program_.programDirectory = env.programDirectory;
    program_.currentDirectory = env.currentDirectory;
}

OpenResult ReadOnlyDeck::open(const std::string& path) {
    // The program reads its application settings before any deck; the per-user folder
    // is not looked for, since finding it may create it.
    if (!program_.programDirectory.empty() &&
        files_.canWriteInDirectory(program_.programDirectory) &&
        locateAppSettings(program_, std::nullopt)) {
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
    LoadDeck(program_);
    reportOutcome(program_);
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
