#include "core/exchange/pair_export.h"

#include "core/content/marks.h"
#include "core/content/pair_side.h"
#include "core/content/windows1252.h"
#include "core/deck/deck_loader.h"
#include "core/deck/deck_state.h"
#include "core/exchange/delimited_text.h"
#include "core/profile/profile.h"

namespace cardwise {
namespace {

constexpr std::size_t kTagLength = 5;
constexpr char kSeparator = '\t';

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

void addRow(std::string& out, std::string_view question, std::string_view answer,
            std::string_view category) {
    out.append(delimitedField(question, kSeparator)).append(1, kSeparator);
    out.append(delimitedField(answer, kSeparator)).append(1, kSeparator);
    out.append(delimitedField(category, kSeparator)).append("\r\n");
}

}  // namespace

ExportedSide exportedSide(std::string_view side) {
    ExportedSide out;
    std::string_view rest = side;
    while (!rest.empty() && rest[0] == '<' && !(rest.size() > 1 && rest[1] == '<')) {
        const char letter = rest.size() > 1 ? upper(rest[1]) : '\0';
        rest.remove_prefix(std::min(kTagLength, rest.size()));
        const std::size_t end = rest.find_first_of("<%");
        const std::string_view content = rest.substr(0, end);
        if (end == std::string_view::npos) {
            rest = {};
        } else {
            rest.remove_prefix(end);
            if (rest.front() == '%') rest.remove_prefix(1);
        }
        if (letter == 'N') {
            out.category = std::string(content);
        } else {
            out.otherMarkup = true;
        }
    }
    out.text = decodedMarks(rest);
    return out;
}

ExportText exportText(const DeckState& deck) {
    ExportText out;
    addRow(out.text, "question", "answer", "category");
    for (std::int32_t n = 1; n <= deck.PairCount; ++n) {
        const std::string& text = deck.currentText(n);
        const ExportedSide question = exportedSide(cutSide(text, true, n));
        const ExportedSide answer = exportedSide(cutSide(text, false, n));
        // The answer side's category overrides the question's, as the windows read it.
        const std::string& category = answer.category.empty() ? question.category : answer.category;
        addRow(out.text, windows1252ToUtf8(question.text), windows1252ToUtf8(answer.text),
               windows1252ToUtf8(category));
        ++out.pairs;
        if (question.otherMarkup || answer.otherMarkup) ++out.pairsWithOtherMarkup;
    }
    return out;
}

std::optional<std::string> exportTargetProblem(const std::string& path) {
    const std::string extension = extensionOf(path);
    if (equalsIgnoreCase(extension, ".DKS") || equalsIgnoreCase(extension, ".DKD")) {
        return "Pairs Are Exported To A Text File; " + path +
               " Would Be Taken For A Deck's File.  Please Choose A Name Ending In .tsv Or .txt.";
    }
    return std::nullopt;
}

}  // namespace cardwise
