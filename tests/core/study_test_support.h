#pragma once

#include <string>

#include "core/drill/run_control.h"
#include "drill_test_support.h"
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

// A drill on its first question with the answer timer running, as a study dialog that
// opens meets it.
struct TimedQuestion {
    ScriptedDrillEngine engine;
    DrillController drill;

    TimedQuestion(Program& p, std::int32_t pairs) : drill(p, engine) {
        for (std::int32_t n = 1; n <= pairs; ++n) engine.pairs[n] = ScriptedPair{};
        engine.selections = {1};
        p.settings.UseTimer = 1;
        p.settings.NumSeconds = 1;
        drill.start();
    }
};

}  // namespace cardwise::testing
