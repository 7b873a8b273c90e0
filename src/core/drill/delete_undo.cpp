#include "core/drill/delete_undo.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/program.h"

namespace cardwise {
namespace {

// Entries at..used-1 move up one place and `value` takes place `at`.
template <typename T>
void putBack(std::vector<T>& table, std::size_t at, std::size_t used, T value, const T& blank) {
    if (table.size() < used + 1) table.resize(used + 1, blank);
    const auto first = table.begin() + static_cast<std::ptrdiff_t>(at);
    const auto end = table.begin() + static_cast<std::ptrdiff_t>(used);
    std::move_backward(first, end, end + 1);
    table[at] = std::move(value);
}

template <typename T>
T entryOr(const std::vector<T>& table, std::size_t at, T blank) {
    return at < table.size() ? table[at] : std::move(blank);
}

}  // namespace

DeletedPair takeDeletedPair(const Program& program, std::int32_t n) {
    const DeckState& deck = program.deck;
    DeletedPair deleted;
    deleted.pair = n;
    if (deck.validPair(n)) deleted.text = std::string(deck.currentText(n));
    const auto index = static_cast<std::size_t>(std::max(n - 1, 0));
    deleted.status = entryOr(deck.StatusText, index, std::string("Z"));
    deleted.category = entryOr(deck.CategoryName, index, std::string("0"));
    deleted.learning = deck.learningOf(n);
    deleted.LowRange = program.settings.LowRange;
    deleted.HighRange = program.settings.HighRange;
    return deleted;
}

void deleteFinished(const Program& program, DeletedPair& deleted) {
    deleted.deckName = program.deck.QAFileName;
    deleted.pairCount = program.deck.PairCount;
    deleted.textsRevision = program.document.textsRevision();
    deleted.lowAfter = program.settings.LowRange;
    deleted.highAfter = program.settings.HighRange;
}

bool deletedPairRestorable(const Program& program, const DeletedPair& deleted) {
    const DeckState& deck = program.deck;
    return program.shell.deckOpen && !deck.ReadOnlyDeck && !deck.TruncatedAtLoad &&
           deck.QAFileName == deleted.deckName && deck.PairCount == deleted.pairCount &&
           program.document.textsRevision() == deleted.textsRevision &&
           deck.PairCount < kMaxPairs && deleted.pair >= 1 && deleted.pair <= deck.PairCount + 1;
}

void restoreDeletedPair(Program& program, const DeletedPair& deleted) {
    DeckState& deck = program.deck;
    const std::int32_t n = deleted.pair;
    const auto count = static_cast<std::size_t>(deck.PairCount);
    const auto at = static_cast<std::size_t>(n);
    // The store is empty after the delete's reload; should it not be, its edits go into the
    // pairs before they move.
    deck.mergeEditedTexts();
    deck.PairText.shiftUp(at - 1, count);
    deck.PairText.set(at - 1, deleted.text);
    putBack(deck.StatusText, at - 1, count, deleted.status, std::string("Z"));
    putBack(deck.CategoryName, at - 1, count, deleted.category, std::string("0"));
    // Each record moves with its pair. The pair is on show, which counts as asked in the run,
    // as the selection that shows a pair marks it.
    PairLearning record = deleted.learning;
    record.AskedInRun = 1;
    putBack(deck.Learning, at, count + 1, record, PairLearning{});
    ++deck.PairCount;
    deck.Capacity = std::max<std::int32_t>(deck.Capacity, deck.PairCount + 1);
    deck.CategoryListStale = true;

    DeckSettings& s = program.settings;
    if (s.LowRange == deleted.lowAfter && s.HighRange == deleted.highAfter) {
        s.LowRange = deleted.LowRange;
        s.HighRange = deleted.HighRange;
    }
    SelectorState& selector = program.selector;
    auto renumber = [n](std::int32_t& pair) {
        if (pair >= n) ++pair;
    };
    renumber(selector.PreviousPair);
    for (auto& list : selector.CandidateList) std::for_each(list.begin(), list.end(), renumber);

    deck.CurrentPair = n;
    program.drill.ReturnPair = n;
    program.document.markTextsChanged();
}

}  // namespace cardwise
