// The deck's files with imported pairs added: Q&A lines and new-pair status lines.
#include "core/exchange/pair_import.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/deck/deck_state.h"
#include "core/deck/qa_file.h"
#include "core/deck/setup_file.h"
#include "core/deck/setup_keys.h"
#include "core/deck/status_lines.h"
#include "core/deck/text_lines.h"
#include "core/exchange/pair_import_steps.h"
#include "core/profile/profile.h"
#include "core/program.h"

namespace cardwise {
namespace {

using namespace import_steps;

std::string numberedPair(std::int32_t n, const ImportedPair& pair) {
    const std::string number = std::to_string(n);
    std::string out;
    out.reserve(pair.question.size() + pair.answer.size() + 2 * number.size() + 8);
    out.append("Q").append(number).append("=").append(pair.question).append(kCrLf);
    out.append("A").append(number).append("=").append(pair.answer).append(kCrLf);
    return out;
}

// Ends the text's last line when it has no end, so that a line can follow it.
void endLastLine(std::string& text) {
    if (text.empty() || text.back() == '\n') return;
    text += text.back() == '\r' ? "\n" : kCrLf;
}

std::string newPairStatusLines(std::int32_t first, std::int32_t last, std::int32_t today) {
    PairLearning fresh;
    fresh.LastDate = today;
    std::string out;
    for (std::int32_t n = first; n <= last; ++n) {
        out.append(encodeStatusLine(n, fresh)).append(kCrLf);
    }
    return out;
}

// A line of a deck file as text_lines splits it: where it starts and where the next begins.
struct LineSpan {
    std::size_t start;
    std::size_t next;
    std::string_view text;
};

std::vector<LineSpan> lineSpans(std::string_view bytes) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    std::vector<LineSpan> spans;
    std::size_t at = bytes.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    while (at < bytes.size()) {
        std::size_t lf = bytes.find('\n', at);
        std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        std::size_t next = lf == std::string_view::npos ? bytes.size() : lf + 1;
        if (end > at && bytes[end - 1] == '\r' && lf != std::string_view::npos) --end;
        spans.push_back(LineSpan{at, next, bytes.substr(at, end - at)});
        at = next;
    }
    return spans;
}

}  // namespace

DeckContents deckContentsOf(std::string_view qaBytes) {
    DeckContents contents;
    for (std::string_view line : splitLines(qaBytes)) {
        if (!isQuestionLine(line)) continue;
        ++contents.pairCount;
        std::string name = categoryOf(line);
        if (name != "0") contents.categories.push_back(std::move(name));
    }
    return contents;
}

std::string appendedQAFile(std::string_view qaBytes, std::int32_t pairCount,
                           const std::vector<ImportedPair>& pairs) {
    std::string out(qaBytes);
    if (out.empty()) {
        out.append(kQAFileHeader).append(kCrLf);
    } else {
        endLastLine(out);
    }
    std::int32_t n = pairCount;
    for (const ImportedPair& pair : pairs) out += numberedPair(++n, pair);
    return out;
}

std::string appendedSetupFile(std::string_view setupBytes, std::int32_t pairCount,
                              std::int32_t added, std::int32_t today) {
    const std::vector<LineSpan> lines = lineSpans(setupBytes);
    auto first = std::find_if(lines.begin(), lines.end(),
                              [](const LineSpan& l) { return isStatusLine(l.text); });
    const auto have = static_cast<std::int32_t>(lines.end() - first);
    const std::int32_t missing = std::max(pairCount - have, 0);
    std::size_t insertAt = setupBytes.size();
    if (missing == 0 && first != lines.end()) {
        insertAt = pairCount == 0 ? first->start : (first + (pairCount - 1))->next;
    }
    std::string out(setupBytes.substr(0, insertAt));
    endLastLine(out);
    out += newPairStatusLines(pairCount - missing + 1, pairCount + added, today);
    out.append(setupBytes.substr(insertAt));
    return out;
}

std::string newDeckQAFile(const std::vector<ImportedPair>& pairs) {
    return appendedQAFile({}, 0, pairs);
}

std::string import_steps::newDeckSetupFile(Program& program, std::int32_t pairs) {
    // The settings a new deck starts with: the current ones with the whole deck as range.
    DeckSettings& s = program.settings;
    s.LowRange = 1;
    s.HighRange = std::min(3, pairs);
    s.RangeName.clear();
    s.UseNamedRange = 3;
    Profile block;
    writeSettingsBlock(program, block);
    block.writeString(kSetupSection, "LastDayUsed", rightAligned(program.deck.Today, 8));
    std::string bytes = block.bytes();
    endLastLine(bytes);
    return bytes + newPairStatusLines(1, pairs, program.deck.Today);
}

}  // namespace cardwise
