#pragma once

#include <string>

#include "core/program.h"
#include "core/shell/deck_close.h"
#include "core/shell/deck_loader.h"

// Opening and closing a deck as the user's commands do: the loader reads, decodes and
// validates both files and makes the backups; the close writes the settings, the status
// lines and, after editing, the pairs.
namespace cardwise::bench {

inline bool openDeck(Program& program, const std::string& qaPath) {
    program.deck.QAFileName = qaPath;
    InitDKSFile(program);
    return program.shell.deckOpen;
}

inline bool closeDeck(Program& program) {
    return FileExitQAClick(program);
}

}  // namespace cardwise::bench
