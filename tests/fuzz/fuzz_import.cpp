// Any bytes as a file to import: either a problem with a line inside the file, or pairs
// within the deck's limits whose sides read without a markup fault and that, exported and
// imported again (plain or in markup), give the same pair texts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/content/pair_side.h"
#include "core/deck/deck_state.h"
#include "core/deck/qa_file.h"
#include "core/exchange/pair_export.h"
#include "core/exchange/pair_import.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace cardwise;
using fuzzing::require;

std::int32_t linesIn(std::string_view bytes) {
    std::int32_t lines = 1;
    for (char c : bytes) lines += c == '\n' || c == '\r';
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ImportPlan plan = planImport(bytes, DeckContents{});
    if (plan.problem) {
        require(plan.problem->line >= 0 && plan.problem->line <= linesIn(bytes));
        require(!plan.problem->text.empty());
        return 0;
    }
    require(!plan.pairs.empty() && plan.pairs.size() <= static_cast<std::size_t>(kMaxPairs));

    DeckState deck;
    deck.allocate(static_cast<std::int32_t>(plan.pairs.size()));
    for (std::size_t i = 0; i < plan.pairs.size(); ++i) {
        const ImportedPair& pair = plan.pairs[i];
        const std::string n = std::to_string(i + 1);
        // One line each, so the Q&A file keeps the pair whole.
        require(pair.question.find_first_of("\r\n") == std::string::npos);
        require(pair.answer.find_first_of("\r\n") == std::string::npos);
        require(pair.question.find(kPairSeparator) == std::string::npos);
        const FormattedSide question = readStoredSide(pair.question, true, {});
        require(question.ok && readStoredSide(pair.answer, false, question.view).ok);
        const std::string text = "Q" + n + "=" + pair.question + std::string(kPairSeparator) + "A" +
                                 n + "=" + pair.answer;
        require(text.size() + 2 * (4 - n.size()) < kMaxPairChars);
        deck.PairText.set(i, text);
    }
    deck.PairCount = static_cast<std::int32_t>(plan.pairs.size());

    ImportPlan again = planImport(exportText(deck).text, DeckContents{});
    require(!again.problem);
    require(again.pairs.size() == plan.pairs.size());
    for (std::size_t i = 0; i < plan.pairs.size(); ++i) {
        require(again.pairs[i].question == plan.pairs[i].question);
        require(again.pairs[i].answer == plan.pairs[i].answer);
    }
    return 0;
}
