#include "core/shell/deck_save_as.h"

#include "core/deck/write_failure.h"
#include "core/program.h"
#include "core/shell/app_settings.h"
#include "core/shell/deck_close.h"
#include "core/shell/deck_loader.h"
#include "core/shell/deck_new.h"
#include "core/shell/recent_decks.h"

namespace cardwise {
namespace {

// Copies the deck's two files; false after telling the user which copy failed.
bool copyDeckFiles(Program& program, const std::string& to, const std::string& toSetup) {
    FileSystem& files = program.files();
    const DeckState& deck = program.deck;
    if (!reportIfFailed(program.ui(), to, files.copyFile(deck.QAFileName, to))) return false;
    if (!files.fileExists(deck.SetupFileName)) {
        // A read-only deck may have none: the copy then gets a fresh one at its load,
        // not the companion of the file it replaced.
        if (files.fileExists(toSetup)) files.removeFile(toSetup);
        return true;
    }
    return reportIfFailed(program.ui(), toSetup, files.copyFile(deck.SetupFileName, toSetup));
}

}  // namespace

void FileSaveAsClick(Program& program) {
    if (!program.shell.deckOpen) return;
    UserInterface& ui = program.ui();
    DeckState& deck = program.deck;
    FileDialogRequest request{"Save Current File To New .DKS File", fileDialogDirectory(program),
                              "DKS Files|*.dks"};
    std::string name;
    for (;;) {
        std::optional<std::string> chosen = ui.chooseSaveFile(request);
        if (!chosen || chosen->empty()) return;
        name = withDefaultExtension(*chosen);
        if (!acceptDeckName(program, name)) continue;
        if (!program.files().fileExists(name)) break;
        if (name == deck.QAFileName) {
            program.drill.ReturnToPair = false;
            if (FileExitQAClick(program)) InitDKSFile(program);
            return;
        }
        Button answer =
            ui.messageBox("Replace Existing File?",
                          "The .DKS File " + name + " Already Exists.  Replace The Contents Of" +
                              " This File (And Update Its Companion .DKD File) With" +
                              " The Current File - " + deck.QAFileName + "??",
                          Icon::Question, Buttons::YesNoCancel);
        if (answer == Button::Yes) break;
        if (answer != Button::No) return;
    }

    program.drill.ReturnToPair = false;
    if (!FileExitQAClick(program)) return;
    // The setup copy takes the name the copy's load looks for, so that deck.dks keeps its
    // learning state on a disk where deck.DKD would be another file.
    if (!copyDeckFiles(program, name, setupNameOf(name))) {
        // The deck was saved under its own name; go on with it rather than with a copy
        // that is missing or holds what it held before.
        InitDKSFile(program);
        return;
    }
    // Listed only once the copy exists, so the list never offers a deck that was not made.
    addRecentDeck(program, name);
    deck.QAFileName = name;
    InitDKSFile(program);
}

}  // namespace cardwise
