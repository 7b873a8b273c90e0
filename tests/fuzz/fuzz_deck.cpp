// Any pair of deck files (the setup data file after a "\0\xff" mark, missing without one):
// opening, drilling a few pairs and closing must never crash, never half-write a file, and
// a deck that opened and was saved must open again to the same learning state.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "core/drill/pair_selector.h"
#include "core/shell/deck_close.h"
#include "core/shell/deck_loader.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace cardwise;
using fuzzing::require;

constexpr std::int32_t kToday = 20261207;

void open(fuzzing::Harness& h, std::string_view qa, std::optional<std::string_view> setup) {
    h.placeDeck(qa, setup);
    InitDKSFile(h.program);
    require(h.ui.waitDepth == 0);
    const DeckState& deck = h.program.deck;
    if (!h.program.shell.deckOpen) {
        require(deck.PairCount == 0);  // a deck that did not open leaves nothing behind
        return;
    }
    require(deck.LoadOutcome == 1 && deck.PairCount >= 1 && deck.PairCount <= kMaxPairs);
    require(deck.LastDayUsed >= kEarliestDate && deck.LastDayUsed <= deck.Today);
    for (std::int32_t n = 1; n <= deck.PairCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        require(deck.PairText.at(i - 1).size() < kMaxPairChars);
        require(deck.Learning.at(i).LearnStatus >= 0 && deck.Learning.at(i).LearnStatus <= 2);
        require(deck.Learning.at(i).ListFlags >= 0 && deck.Learning.at(i).ListFlags <= 3);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool readOnly = input.ConsumeBool();
    const bool failWrites = input.ConsumeBool();
    const bool edited = input.ConsumeBool();
    const int selections = input.ConsumeIntegralInRange<int>(0, 8);
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const std::size_t mark = bytes.find(std::string_view("\0\xff", 2));
    const std::string_view qa = std::string_view(bytes).substr(0, mark);
    std::optional<std::string_view> setup;
    if (mark != std::string::npos) setup = std::string_view(bytes).substr(mark + 2);

    fuzzing::Harness first(kToday);
    first.files.writableFolders = !readOnly;
    first.files.failWrites = failWrites;
    first.ui.fallback = Button::Yes;
    open(first, qa, setup);
    const auto before = first.files.files;
    Program& program = first.program;
    if (!program.shell.deckOpen) return 0;

    for (int i = 0; i < selections; ++i) {
        if (SelectNextPair(program) != SelectionResult::Chosen) break;
        require(program.deck.validPair(program.deck.CurrentPair));
        program.deck.Learning.at(static_cast<std::size_t>(program.deck.CurrentPair)).RightTotal += 1;
    }
    program.deck.EditorUsed = edited;
    const DeckState saved = program.deck;
    const DeckSettings savedSettings = program.settings;
    const bool closed = FileExitQAClick(program);
    require(first.ui.waitDepth == 0);
    if (readOnly || failWrites) {
        // Nothing written: every file is as the load left it.
        require(first.files.files == before);
        require(closed == readOnly);
        return 0;
    }
    require(closed && !program.shell.deckOpen && program.deck.PairCount == 0);

    fuzzing::Harness second(kToday);
    second.ui.fallback = Button::Yes;
    const std::string qaAfter = first.files.files.at(std::string(fuzzing::Harness::kQAPath));
    const std::string setupAfter = first.files.files.at(std::string(fuzzing::Harness::kSetupPath));
    if (!edited) require(qaAfter == qa);
    open(second, qaAfter, setupAfter);
    const DeckState& again = second.program.deck;
    if (!second.program.shell.deckOpen) {
        // A rewrite renumbers the pairs: one close to the size limit may grow past it.
        require(edited && again.LoadOutcome == 4);
        return 0;
    }
    require(again.PairCount == saved.PairCount);
    require(again.LastDayUsed == kToday);
    for (auto table : {&PairLearning::LastDate, &PairLearning::RightToday, &PairLearning::RightTotal,
                       &PairLearning::WrongToday, &PairLearning::WrongTotal, &PairLearning::DayCount,
                       &PairLearning::LearnStatus, &PairLearning::ListFlags}) {
        for (std::int32_t n = 1; n <= saved.PairCount; ++n) {
            const auto i = static_cast<std::size_t>(n);
            const std::int32_t value = saved.Learning.at(i).*table;
            // The status line holds RightTotal in five digits.
            const std::int32_t expected =
                table == &PairLearning::RightTotal ? std::min(value, 99999) : value;
            require(again.Learning.at(i).*table == expected);
        }
    }
    if (savedSettings.Resume == 1) {
        for (std::int32_t n = 1; n <= saved.PairCount; ++n) {
            const auto i = static_cast<std::size_t>(n);
            require(again.Learning.at(i).AskedInRun == saved.Learning.at(i).AskedInRun);
        }
    }
    if (!edited) {
        for (std::size_t i = 0; i < static_cast<std::size_t>(saved.PairCount); ++i) {
            require(again.PairText.at(i) == saved.PairText.at(i));
        }
    }
    return 0;
}
