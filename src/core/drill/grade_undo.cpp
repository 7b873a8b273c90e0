#include "core/drill/grade_undo.h"

#include "core/program.h"

namespace cardwise {
namespace {

// The learning tables in one order, for taking and restoring alike.
template <typename Deck, typename Snapshot, typename Action>
void eachTable(Deck& deck, Snapshot& snapshot, Action action) {
    action(deck.LastDate, snapshot.LastDate);
    action(deck.RightToday, snapshot.RightToday);
    action(deck.RightTotal, snapshot.RightTotal);
    action(deck.WrongToday, snapshot.WrongToday);
    action(deck.WrongTotal, snapshot.WrongTotal);
    action(deck.DayCount, snapshot.DayCount);
    action(deck.LearnStatus, snapshot.LearnStatus);
    action(deck.ListFlags, snapshot.ListFlags);
    action(deck.AskedInRun, snapshot.AskedInRun);
}

}  // namespace

GradeSnapshot takeGradeSnapshot(const Program& program) {
    const DeckState& deck = program.deck;
    const DeckSettings& s = program.settings;
    GradeSnapshot snapshot;
    snapshot.pair = deck.CurrentPair;
    eachTable(deck, snapshot, [](const auto& table, auto& kept) { kept = table; });
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
    eachTable(deck, snapshot, [](auto& table, const auto& kept) { table = kept; });
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
