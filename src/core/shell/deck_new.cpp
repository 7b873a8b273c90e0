#include "core/shell/deck_new.h"

#include "core/deck/write_failure.h"
#include "core/profile/profile.h"
#include "core/program.h"
#include "core/shell/app_settings.h"
#include "core/shell/deck_close.h"
#include "core/shell/deck_loader.h"
#include "core/shell/recent_decks.h"

namespace cardwise {

std::string newDeckText() {
    const char* lines[] = {
        "[Cardwise]",
        "Q1=This is the first dummy question in the newly-created .DKS file.  Each new file "
        "is initially created with three rudimentary Q&A pairs to comply with internal Cardwise "
        "requirements.^ ^"
        "Simply overwrite the first three pairs with your own desired Questions and Answers "
        "and then continue to add to the file using the Insert function. ",
        "A1=First dummy answer",
        "Q2=Second dummy question",
        "A2=Second dummy answer",
        "Q3=Third dummy question",
        "A3=Third dummy answer",
    };
    std::string text;
    for (const char* line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string setupNameOf(const std::string& qaName) {
    DeckState names;
    names.QAFileName = qaName;
    names.deriveCompanionNames();
    return names.SetupFileName;
}

std::string withDefaultExtension(std::string name) {
    if (fileNameOf(name).find('.') == std::string::npos) name += ".DKS";
    return name;
}

void FileNewClick(Program& program) {
    if (!closeOpenDeck(program)) return;
    UserInterface& ui = program.ui();
    FileDialogRequest request{"Create New .DKS File", fileDialogDirectory(program), ""};
    std::string name;
    for (;;) {
        std::optional<std::string> chosen = ui.chooseSaveFile(request);
        if (!chosen || chosen->empty()) return;
        name = withDefaultExtension(*chosen);
        if (!acceptDeckName(program, name)) continue;
        // A setup data file left behind by a deleted deck counts too: the new deck would
        // otherwise take over its settings and learning state.
        if (program.files().fileExists(name) || program.files().fileExists(setupNameOf(name))) {
            if (ui.messageBox("File Already Exists",
                              "Creating A New File With The Same Name And Path As An Existing "
                              "File Is Not Allowed.",
                              Icon::Error, Buttons::OkCancel) == Button::Ok) {
                continue;
            }
            return;
        }
        if (!equalsIgnoreCase(extensionOf(name), ".DKS")) {
            if (ui.messageBox("Invalid .DKS Extension",
                              "Creating A New File With A Non-.DKS Extension Is Not Allowed.",
                              Icon::Error, Buttons::OkCancel) == Button::Ok) {
                continue;
            }
            return;
        }
        break;
    }
    if (!reportIfFailed(ui, name, program.files().writeFile(name, newDeckText()))) return;

    DeckState& deck = program.deck;
    deck.QAFileName = name;
    addRecentDeck(program, name);
    DeckSettings& s = program.settings;
    s.LowRange = 1;
    s.HighRange = 3;
    s.RangeName.clear();
    s.UseNamedRange = 3;
    InitDKSFile(program);
    // The editor works on the open deck; after a failed load there is none to show.
    if (!program.shell.deckOpen) return;
    std::int32_t rememberedPair = deck.CurrentPair;
    program.document.markTextsChanged();
    deck.CurrentPair = 1;
    program.frontEnd().showEditorOnNewDeck(rememberedPair);
}

}  // namespace cardwise
