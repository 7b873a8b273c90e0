// Any bytes as a Q&A file (and, after a "\0\xff" mark, as its setup data file): counting,
// pairing and rewriting must stay within the limits, and a rewritten file must read back
// to the same pairs and rewrite to the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/deck/qa_file.h"
#include "core/deck/status_lines.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace cardwise;
using fuzzing::require;

// Counts and reads a Q&A file the way the loader's two passes do; false when no pair was
// counted or a pair reached the size limit.
bool load(fuzzing::Harness& h, std::string_view qa, std::string_view setup) {
    DeckState& deck = h.program.deck;
    std::int32_t count = countPairs(h.program, qa);
    require(count >= 0 && count <= kMaxPairs);
    if (count == 0) return false;
    deck.allocate(count);
    bool ok = readPairs(h.program, qa, setup);
    require(deck.PairCount >= 0 && deck.PairCount <= count);
    if (!ok) {
        require(deck.LoadOutcome == 4);
        return false;
    }
    require(deck.PairCount == count);  // every counted question keeps its text
    for (std::int32_t n = 1; n <= deck.PairCount; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        const std::string_view text = deck.PairText.at(i);
        require(text.size() < kMaxPairChars);
        require(text.find(kPairSeparator) != std::string::npos);
        require(isQuestionLine(text));
        const std::string& category = deck.CategoryName.at(i);
        require(!category.empty() && category.size() <= kMaxCategoryChars);
        require(deck.StatusText.at(i).size() <= kMaxStatusChars);
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::size_t mark = bytes.find(std::string_view("\0\xff", 2));
    std::string_view qa = bytes.substr(0, mark);
    std::string_view setup =
        mark == std::string_view::npos ? std::string_view() : bytes.substr(mark + 2);

    (void)olderSettingsLines(qa);
    (void)locateStatusLines(setup, static_cast<std::int32_t>(size % 64));

    fuzzing::Harness first;
    if (!load(first, qa, setup)) return 0;
    const std::string rewritten = writeQAFile(first.program.deck);
    require(rewritten.rfind("[Cardwise]\r\n", 0) == 0);
    require(rewritten.size() >= 2 && rewritten.substr(rewritten.size() - 2) == "\r\n");

    // A rewrite renumbers the pairs, so a pair close to the size limit may grow past it;
    // every other rewritten file must load again, to the same pairs.
    fuzzing::Harness second;
    if (!load(second, rewritten, setup)) {
        require(second.program.deck.LoadOutcome == 4);
        return 0;
    }
    const DeckState& a = first.program.deck;
    const DeckState& b = second.program.deck;
    require(a.PairCount == b.PairCount);
    for (std::size_t i = 0; i < static_cast<std::size_t>(a.PairCount); ++i) {
        require(a.StatusText.at(i) == b.StatusText.at(i));
    }
    require(writeQAFile(b) == rewritten);
    return 0;
}
