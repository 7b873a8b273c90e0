#include "core/deck/qa_file.h"

#include <algorithm>

#include "core/deck/status_lines.h"
#include "core/deck/text_lines.h"

namespace cardwise {
namespace {

bool isDigit1to9(char c) {
    return c >= '1' && c <= '9';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Character i of a line, NUL when the line is shorter; NUL matches none of the rules.
char charAt(std::string_view line, std::size_t i) {
    return i < line.size() ? line[i] : '\0';
}

void ensureTextTables(DeckState& deck) {
    auto slots = static_cast<std::size_t>(std::max(deck.PairCount, 0)) + 1;
    if (deck.PairText.size() < slots) deck.PairText.resize(slots);
    if (deck.StatusText.size() < slots) deck.StatusText.resize(slots, "Z");
    if (deck.CategoryName.size() < slots) deck.CategoryName.resize(slots, "0");
}

std::string emptyAnswer(std::int32_t n) {
    return "A" + std::to_string(n) + "=";
}

// One side of a pair in its written form, appended to out: the letter, the pair number and
// the text from the first '='. Without '=' the text after the old letter and number is kept
// whole. Appended piece by piece: the rewrite of a large deck is megabytes.
void appendSide(std::string& out, char letter, std::int32_t n, std::string_view side) {
    out += letter;
    out += std::to_string(n);
    std::size_t eq = side.find('=');
    if (eq != std::string_view::npos) {
        side.remove_prefix(eq);
    } else {
        if (!side.empty() && (side.front() == letter || side.front() == letter + ('a' - 'A'))) {
            side.remove_prefix(1);
            while (!side.empty() && isDigit(side.front())) side.remove_prefix(1);
        }
        out += '=';
    }
    // A line feed (with a CR right before it) becomes the line-break mark.
    for (;;) {
        std::size_t nl = side.find('\n');
        if (nl == std::string_view::npos) {
            out.append(side);
            return;
        }
        std::string_view piece = side.substr(0, nl);
        if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
        out.append(piece);
        out += '^';
        side.remove_prefix(nl + 1);
    }
}

}  // namespace

bool isQuestionLine(std::string_view line) {
    return line.size() >= 2 && (line[0] == 'Q' || line[0] == 'q') && isDigit1to9(line[1]);
}

bool isAnswerLine(std::string_view line) {
    return line.size() >= 2 && (line[0] == 'A' || line[0] == 'a') && isDigit1to9(line[1]);
}

std::int32_t countPairs(DeckSession& program, std::string_view qaBytes) {
    std::int32_t count = 0;
    for (std::string_view line : splitLines(qaBytes)) {
        if (!isQuestionLine(line)) continue;
        if (count == kMaxPairs) {
            program.deck.TruncatedAtLoad = true;
            program.ui().message(kOversizeCaption, kOversizeText, Icon::Warning);
            break;
        }
        ++count;
    }
    return count;
}

std::vector<std::string> olderSettingsLines(std::string_view qaBytes) {
    std::vector<std::string> found;
    for (std::string_view line : splitLines(qaBytes)) {
        if (line.empty()) continue;
        char first = line[0];
        char second = charAt(line, 1);
        if (isDigit1to9(second) || first == ';' || first == '[' || second == 'l') continue;
        if (charAt(line, 4) == 'C') continue;
        found.emplace_back(line);
    }
    return found;
}

std::string categoryOf(std::string_view questionLine) {
    std::size_t tag = questionLine.find("<n");
    if (tag == std::string_view::npos) tag = questionLine.find("<N");
    if (tag == std::string_view::npos || tag + 5 > questionLine.size()) return "0";
    std::string_view name = questionLine.substr(tag + 5);
    name = name.substr(0, std::min(name.find_first_of("<%"), kMaxCategoryChars));
    return name.empty() ? "0" : std::string(name);
}

std::string pairTooLongText(std::int32_t n) {
    return "Cannot Load This File. Q&&A Pair " + std::to_string(n) +
           " Exceeds The Total Character Limit Of 2100 Characters.  This Pair Was " +
           "Probably Constructed Outside The Cardwise Editor.  It Must Be Reduced Below " +
           "The 2100 Character Limit Before The File Can Be Opened.";
}

bool readPairs(DeckSession& program, std::string_view qaBytes, std::string_view setupBytes) {
    DeckState& deck = program.deck;
    ensureTextTables(deck);
    const std::int32_t count = deck.PairCount;
    const std::vector<std::string_view> lines = splitLines(qaBytes);
    std::vector<std::string> status = locateStatusLines(setupBytes, count);

    // The texts are gathered as views into the file and copied once, all into one block.
    std::vector<PairTexts::Parts> texts;
    texts.reserve(static_cast<std::size_t>(std::max(count, 0)));
    std::vector<std::string> emptyAnswers;  // reserved: views into it stay valid
    emptyAnswers.reserve(texts.capacity());
    auto store = [&](std::int32_t n, std::string_view question, std::string_view answer) {
        const PairTexts::Parts parts{question, kPairSeparator, answer};
        if (parts.size() >= kMaxPairChars) {
            program.ui().message(kAppTitle, pairTooLongText(n), Icon::None);
            deck.LoadOutcome = 4;
            return false;
        }
        auto index = static_cast<std::size_t>(n - 1);
        texts.push_back(parts);
        deck.CategoryName.at(index) = categoryOf(question);
        deck.StatusText.at(index) = std::move(status.at(index));
        return true;
    };
    auto noAnswer = [&](std::int32_t n) -> std::string_view {
        return emptyAnswers.emplace_back(emptyAnswer(n));
    };

    std::vector<std::size_t> passedOver;  // question lines met while an answer was sought
    std::int32_t n = 0;
    std::size_t i = 0;
    while (i < lines.size() && n < count) {
        if (!isQuestionLine(lines[i])) {
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        while (j < lines.size() && !isAnswerLine(lines[j])) {
            if (isQuestionLine(lines[j])) passedOver.push_back(j);
            ++j;
        }
        ++n;
        if (!store(n, lines[i], j < lines.size() ? lines[j] : noAnswer(n))) return false;
        i = j + 1;
    }
    // The counted pairs still without a text take the passed-over question lines, so their
    // text survives a rewrite instead of leaving empty pairs behind.
    for (std::size_t k = 0; k < passedOver.size() && n < count; ++k) {
        ++n;
        if (!store(n, lines[passedOver[k]], noAnswer(n))) return false;
    }
    deck.PairText.fill(texts);
    deck.PairCount = n;
    return true;
}

std::string rewrittenPair(std::string_view text, std::int32_t n) {
    std::size_t sep = text.find(kPairSeparator);
    std::string_view question = text.substr(0, sep);
    std::string_view answer = sep == std::string_view::npos
                                  ? std::string_view()
                                  : text.substr(sep + kPairSeparator.size());
    std::string out;
    out.reserve(text.size() + 12);
    appendSide(out, 'Q', n, question);
    out += kPairSeparator;
    appendSide(out, 'A', n, answer);
    return out;
}

std::int32_t firstPairTooLongToLoad(const DeckState& deck) {
    for (std::int32_t n = 1; n <= deck.PairCount; ++n) {
        if (rewrittenPair(deck.currentText(n), n).size() >= kMaxPairChars) return n;
    }
    return 0;
}

std::string writeQAFile(const DeckState& deck) {
    std::size_t total = kQAFileHeader.size() + 2;
    for (std::int32_t n = 1; n <= deck.PairCount; ++n) total += deck.currentText(n).size() + 20;
    std::string out;
    out.reserve(total);
    out += kQAFileHeader;
    out += "\r\n";
    for (std::int32_t n = 1; n <= deck.PairCount; ++n) {
        std::string_view text = deck.currentText(n);
        std::size_t sep = text.find(kPairSeparator);
        std::string_view question = text.substr(0, sep);
        std::string_view answer = sep == std::string_view::npos
                                      ? std::string_view()
                                      : text.substr(sep + kPairSeparator.size());
        appendSide(out, 'Q', n, question);
        out += "\r\n";
        appendSide(out, 'A', n, answer);
        out += "\r\n";
    }
    return out;
}

}  // namespace cardwise
