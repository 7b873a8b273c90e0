#include "core/drill/program_deck_commands.h"

#include "core/deck/deck_close.h"
#include "core/deck/notepad_edit.h"
#include "core/program.h"

namespace cardwise {

// A failed save has been reported and keeps the deck loaded; the drill stops either way.
void ProgramDeckCommands::closeDeck() {
    FileExitQAClick(program_);
}

void ProgramDeckCommands::editQAFile() {
    EditFileClick(program_);
}

}  // namespace cardwise
