#pragma once

#include <string>

#include "support/fakes.h"

namespace cardwise::testing {

// An open deck of `pairs` pairs whose settings pass the validation, with its setup data
// file bound, as the study dialogs find it.
struct ValidDeck {
    TempDir dir;
    ProgramHarness h;
    Program& p = h.program;

    explicit ValidDeck(std::int32_t pairs) {
        p.deck.QAFileName = dir.file("deck.DKS");
        p.deck.deriveCompanionNames();
        p.currentDirectory = dir.path();
        p.deck.allocate(pairs);
        p.settings.HighRange = pairs;
        dir.write("deck.DKD", crlf({"[CARDWISE]", "NoPriority=  1", "LastDayUsed=20261207"}));
        p.bindSetupFile();
    }
};

}  // namespace cardwise::testing
