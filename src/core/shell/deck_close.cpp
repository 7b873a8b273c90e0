#include "core/shell/deck_close.h"

#include "core/program.h"
#include "core/shell/deck_save.h"

namespace cardwise {

std::string rewriteTooLongText(std::int32_t pair) {
    return "Pair " + std::to_string(pair) +
           " Would Reach The Limit Of 2100 Characters Once The .DKS File Is Renumbered, And "
           "Cardwise Could Not Open The File Again.  Nothing Was Written: The Files On Disk "
           "Were Left As They Were.  Please Shorten Pair " +
           std::to_string(pair) + " In The Editor.";
}

bool FileExitQAClick(Program& program) {
    FrontEnd& windows = program.frontEnd();
    const SaveHold hold(program.document);
    // An edit the editor cannot store stops the close: the editor shows why, and keeps it.
    if ((program.deck.EditorUsed || program.editor.shown) && !windows.closeEditor()) return false;
    program.drill.DrillActive = false;
    windows.closeDrillWindows();
    if (!program.shell.deckOpen) return true;
    if (!saveForClose(program)) return false;
    program.document.forget();
    FreeDeck(program);
    program.setDeckOpen(false);
    return true;
}

bool closeOpenDeck(Program& program) {
    return !program.shell.deckOpen || FileExitQAClick(program);
}

void FreeDeck(Program& program) {
    program.deck.release();
    // The editor's reload opens the same deck at once: no other program may slip in between.
    if (!program.editor.reloading) program.lock.release();
}

}  // namespace cardwise
