#include "core/deck/deck_close.h"

#include "core/deck/qa_file.h"
#include "core/deck/setup_file.h"
#include "core/deck/status_lines.h"
#include "core/deck/write_failure.h"
#include "core/program.h"

namespace cardwise {
namespace {

bool saveDeck(Program& program) {
    DeckState& deck = program.deck;
    if (deck.ReadOnlyDeck) return true;
    // The file is written whole, once: settings block, LastDayUsed, status lines.
    program.setupFile.edit().clear();
    WriteSetUp(program, false);  // a failure of the application settings file is reported there
    WriteStatusLines(program);
    if (!reportIfFailed(program.ui(), deck.SetupFileName, program.setupFile.flush())) {
        return false;
    }
    if (!deck.EditorUsed) return true;
    return reportIfFailed(program.ui(), deck.QAFileName,
                          program.files().writeFile(deck.QAFileName, writeQAFile(deck)));
}

}  // namespace

bool FileExitQAClick(Program& program) {
    FrontEnd& windows = program.frontEnd();
    if (program.deck.EditorUsed) windows.closeEditor();
    program.drill.DrillActive = false;
    windows.closeDrillWindows();
    if (!program.shell.deckOpen) return true;
    if (!saveDeck(program)) return false;
    FreeDeck(program);
    program.shell.deckOpen = false;
    program.shell.deckMenus.setAll(false);
    return true;
}

bool closeOpenDeck(Program& program) {
    return !program.shell.deckOpen || FileExitQAClick(program);
}

void FreeDeck(Program& program) {
    program.deck.release();
}

}  // namespace cardwise
