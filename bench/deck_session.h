#pragma once

#include <string>

#include "core/deck/qa_file.h"
#include "core/deck/setup_file.h"
#include "core/deck/status_lines.h"
#include "core/program.h"

// Opening and closing a deck as the loader and the close do it: read, decode and validate
// both files, make the backups; write the settings, the status lines and, after editing,
// the pairs.
namespace cardwise::bench {

inline bool openDeck(Program& program, const std::string& qaPath) {
    DeckState& deck = program.deck;
    deck.release();
    deck.QAFileName = qaPath;
    deck.deriveCompanionNames();
    deck.LoadOutcome = 1;
    program.bindSetupFile();
    auto qa = program.files().readFile(deck.QAFileName);
    if (!qa) return false;
    const std::string setup = program.setupFile.read().bytes();
    deck.allocate(countPairs(program, *qa));
    if (!readPairs(program, *qa, setup)) return false;
    DecodeStatus(program);
    ReadSetUp(program);
    return deck.LoadOutcome == 1 && makeBackups(program);
}

inline bool closeDeck(Program& program) {
    DeckState& deck = program.deck;
    if (deck.ReadOnlyDeck) return true;
    program.setupFile.edit().clear();
    bool ok = WriteSetUp(program, false);
    WriteStatusLines(program);
    ok = program.setupFile.flush().ok && ok;
    if (deck.EditorUsed) ok = program.files().writeFile(deck.QAFileName, writeQAFile(deck)).ok && ok;
    return ok;
}

}  // namespace cardwise::bench
