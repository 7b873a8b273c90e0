#include "core/deck/load_steps.h"

#include <algorithm>

#include "core/deck/deck_session.h"
#include "core/deck/status_lines.h"
#include "core/deck/write_failure.h"

namespace cardwise {
namespace {

const std::string kOutcomeTail =
    "  This File Cannot Be Used In Its Current State.  NotePad Will Now Be Opened With ";
const std::string kCorrectTail =
    " Loaded To Allow You To Correct The Indicated Error.  After Correcting The"
    " Error, Reopen The File To Continue.";

}  // namespace

void reportLoadOutcome(DeckSession& program) {
    const DeckState& deck = program.deck;
    UserInterface& ui = program.ui();
    switch (deck.LoadOutcome) {
        case 0:
            ui.message("Q&A SetUp Data Error",
                       deck.QAFileName +
                           " Has Invalid Or Corrupted Entries In The Data Stored In Its "
                           "Associated .DKD File." +
                           kOutcomeTail + deck.SetupFileName + kCorrectTail,
                       Icon::Error);
            break;
        case 3:
            ui.message("Data Error",
                       deck.QAFileName +
                           " Does Not Appear To Contain Any Questions.  "
                           "Please Check That The Data Format Is Correct.  "
                           "See The Help Topic \"Creating And Editing Q&A Files\" For "
                           "Additional Information.",
                       Icon::Warning);
            break;
        case 4:
            ui.message("Q&A .DKS File Error",
                       deck.QAFileName + " Has Invalid Entries." + kOutcomeTail + deck.QAFileName +
                           kCorrectTail,
                       Icon::Error);
            break;
        default:
            break;
    }
}

bool acceptDeckName(DeckSession& program, std::string_view path) {
    auto isControl = [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; };
    if (std::none_of(path.begin(), path.end(), isControl)) return true;
    std::string shown(path);
    std::replace_if(shown.begin(), shown.end(), isControl, '?');
    program.ui().message("Invalid File Name",
                         "The Name " + shown +
                             " Holds A Line Break Or Another Control Character (Shown As ?).  "
                             "Cardwise Cannot Use A File So Named; Please Rename It.",
                         Icon::Error);
    return false;
}

std::string extensionOf(std::string_view path) {
    std::string name = fileNameOf(path);
    std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

bool finishLoadWrites(DeckSession& program) {
    DeckDocument& doc = program.document;
    // The load's own repairs of the setup data file come before its backups, as they always
    // did; what it owes is settled once it is over.
    if (doc.loading) return true;
    bool ok = true;
    if (doc.backupsOwed) {
        doc.backupsOwed = false;
        ok = makeBackups(program);
    }
    if (doc.settingsOwed) {
        doc.settingsOwed = false;
        // Owed by a load: the recent decks, the folders, defaults; a crash may undo them.
        reportIfFailed(program.ui(), program.appSettings.path(),
                       program.appSettings.flushLazily());
    }
    return ok;
}

}  // namespace cardwise
