#include "core/drill/grade_undo.h"

#include "core/program.h"

namespace cardwise {

GradeSnapshot takeGradeSnapshot(const Program& program) {
    const DeckState& deck = program.deck;
    const DeckSettings& s = program.settings;
    GradeSnapshot snapshot;
    snapshot.pair = deck.CurrentPair;
    snapshot.Learning = deck.Learning;
    snapshot.SessionCorrect = deck.SessionCorrect;
    snapshot.SessionIncorrect = deck.SessionIncorrect;
    snapshot.selector = program.selector;
    snapshot.ListRollover = s.ListRollover;
    snapshot.RangeRollover = s.RangeRollover;
    snapshot.HistoryRollover = s.HistoryRollover;
    snapshot.RunComplete = program.drill.RunComplete;
    snapshot.restart = program.restart;
    return snapshot;
}

void restoreGradeSnapshot(Program& program, const GradeSnapshot& snapshot) {
    DeckState& deck = program.deck;
    DeckSettings& s = program.settings;
    deck.CurrentPair = snapshot.pair;
    deck.Learning = snapshot.Learning;
    deck.SessionCorrect = snapshot.SessionCorrect;
    deck.SessionIncorrect = snapshot.SessionIncorrect;
    program.selector = snapshot.selector;
    s.ListRollover = snapshot.ListRollover;
    s.RangeRollover = snapshot.RangeRollover;
    s.HistoryRollover = snapshot.HistoryRollover;
    program.drill.RunComplete = snapshot.RunComplete;
    program.restart = snapshot.restart;
}

}  // namespace cardwise
