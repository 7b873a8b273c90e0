#include "core/exchange/pair_export.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/content/marks.h"
#include "core/content/pair_side.h"
#include "core/content/windows1252.h"
#include "core/deck/deck_state.h"
#include "core/exchange/delimited_text.h"
#include "core/exchange/pair_import.h"
#include "core/profile/profile.h"
#include "core/shell/deck_loader.h"

namespace cardwise {
namespace {

constexpr std::size_t kTagLength = 5;
constexpr char kSeparator = '\t';

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

struct Row {
    std::string question;
    std::string answer;
    std::string category;
};

void addRow(std::string& out, std::string_view question, std::string_view answer,
            std::string_view category) {
    out.append(delimitedField(question, kSeparator)).append(1, kSeparator);
    out.append(delimitedField(answer, kSeparator)).append(1, kSeparator);
    out.append(delimitedField(category, kSeparator)).append("\r\n");
}

bool startsWithTag(std::string_view side) {
    return !side.empty() && side[0] == '<' && !(side.size() > 1 && side[1] == '<');
}

char tagLetter(std::string_view side) {
    return side.size() > 1 ? upper(side[1]) : '\0';
}

// The first tag's content and what follows it (past a "%" that ends the content).
std::pair<std::string_view, std::string_view> firstTag(std::string_view side) {
    std::string_view rest = side.substr(std::min(kTagLength, side.size()));
    const std::size_t end = rest.find_first_of("<%");
    if (end == std::string_view::npos) return {rest, {}};
    std::string_view after = rest.substr(end);
    if (after.front() == '%') after.remove_prefix(1);
    return {rest.substr(0, end), after};
}

bool readsBackAs(const StoredRow& row, std::string_view question, std::string_view answer) {
    return !row.problem && row.pair.question == question && row.pair.answer == answer;
}

Row plainRow(std::string_view question, std::string_view answer) {
    const ExportedSide q = exportedSide(question);
    const ExportedSide a = exportedSide(answer);
    // The answer side's category overrides the question's, as the windows read it.
    return Row{q.text, a.text, a.category.empty() ? q.category : a.category};
}

Row markupRow(std::string_view question, std::string_view answer) {
    if (startsWithTag(question) && tagLetter(question) == 'N') {
        const auto [category, rest] = firstTag(question);
        if (readsBackAs(storedRow(ColumnForm::Markup, rest, answer, category), question, answer)) {
            return Row{std::string(rest), std::string(answer), std::string(category)};
        }
    }
    return Row{std::string(question), std::string(answer), {}};
}

}  // namespace

ExportedSide exportedSide(std::string_view side) {
    ExportedSide out;
    std::string_view rest = side;
    while (startsWithTag(rest)) {
        const char letter = tagLetter(rest);
        const auto [content, after] = firstTag(rest);
        if (letter == 'N') out.category = std::string(content);
        rest = after;
    }
    out.text = decodedMarks(rest);
    return out;
}

ExportText exportText(const DeckState& deck) {
    ExportText out;
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(std::max(deck.PairCount, 0)));
    for (std::int32_t n = 1; n <= deck.PairCount; ++n) {
        const std::string_view text = deck.currentText(n);
        const std::string_view question = cutSide(text, true, n);
        const std::string_view answer = cutSide(text, false, n);
        Row row = plainRow(question, answer);
        if (!out.markup &&
            !readsBackAs(storedRow(ColumnForm::Plain, row.question, row.answer, row.category),
                         question, answer)) {
            out.markup = true;
        }
        rows.push_back(std::move(row));
    }
    if (out.markup) {
        for (std::int32_t n = 1; n <= deck.PairCount; ++n) {
            const std::string_view text = deck.currentText(n);
            rows[static_cast<std::size_t>(n - 1)] =
                markupRow(cutSide(text, true, n), cutSide(text, false, n));
        }
    }
    const auto& header = out.markup ? kMarkupHeader : kPlainHeader;
    addRow(out.text, header[0], header[1], header[2]);
    // No text may open in a spreadsheet as a formula; import takes the guard off again.
    for (const Row& row : rows) {
        addRow(out.text, formulaGuarded(windows1252ToUtf8(row.question)),
               formulaGuarded(windows1252ToUtf8(row.answer)),
               formulaGuarded(windows1252ToUtf8(row.category)));
        ++out.pairs;
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
