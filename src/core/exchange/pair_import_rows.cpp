// Rows of text into pairs the deck stores: the columns, categories and limits of a deck.
#include "core/exchange/pair_import.h"

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "core/content/marks.h"
#include "core/content/pair_side.h"
#include "core/content/windows1252.h"
#include "core/deck/deck_state.h"
#include "core/deck/qa_file.h"
#include "core/deck/text_lines.h"
#include "core/exchange/pair_import_steps.h"

namespace cardwise {
namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

namespace import_steps {

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lowerAscii);
    return out;
}

TextProblem fileProblem(std::string text) {
    return TextProblem{0, std::move(text)};
}

TextProblem unreadable(const std::string& path) {
    return fileProblem("Cardwise Could Not Read " + path + ".");
}

}  // namespace import_steps

namespace {

using namespace import_steps;

// "Q" + four digits + "=" on each side, since the pair may come to any number up to 5000.
constexpr std::size_t kNumberedFraming = 2 * (1 + 4 + 1);

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool isBlank(const DelimitedRecord& record) {
    return std::all_of(record.fields.begin(), record.fields.end(),
                       [](const std::string& f) { return trimmed(f).empty(); });
}

bool matchesHeader(const DelimitedRecord& record, const std::string_view (&names)[3]) {
    const auto& f = record.fields;
    if (f.size() < 2 || lowered(trimmed(f[0])) != names[0] || lowered(trimmed(f[1])) != names[1]) {
        return false;
    }
    for (std::size_t i = 2; i < f.size(); ++i) {
        std::string name = lowered(trimmed(f[i]));
        if (!(name.empty() || (i == 2 && name == names[2]))) return false;
    }
    return true;
}

// The form of the columns when the record is a header row.
std::optional<ColumnForm> headerForm(const DelimitedRecord& record) {
    if (matchesHeader(record, kPlainHeader)) return ColumnForm::Plain;
    if (matchesHeader(record, kMarkupHeader)) return ColumnForm::Markup;
    return std::nullopt;
}

std::string separatorName(char separator) {
    switch (separator) {
        case '\t':
            return "A Tab";
        case ',':
            return "A Comma";
        case ';':
            return "A Semicolon";
        default:
            return "A Tab, A Comma Or A Semicolon";
    }
}

// Every line break of a field as CR LF, the form EncodeMarks turns into "^".
std::string withCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += kCrLf;
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The "<n" or "<N" of a text that the category lookup of a question line would stop at.
std::string categoryTagLookalike(std::string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '<' && (text[i + 1] == 'n' || text[i + 1] == 'N')) {
            return std::string(text.substr(i, 2));
        }
    }
    return "<n";
}

constexpr std::string_view kSeparatorProblem =
    " Holds \"$#$!\", Which Separates The Question From The Answer In A Deck";

std::optional<std::string> categoryProblem(std::string_view category) {
    if (category.empty()) return std::nullopt;
    const std::string shown = "The Category \"" + windows1252ToUtf8(category) + "\"";
    if (category.size() > kMaxImportedCategoryChars) {
        return shown + " Is Longer Than 15 Characters";
    }
    if (category.find_first_of("<%\r\n") != std::string_view::npos) {
        return shown + " Holds \"<\", \"%\" Or A Line Break, Which End A Category In A Deck";
    }
    if (category.find(kPairSeparator) != std::string_view::npos) {
        return shown + std::string(kSeparatorProblem);
    }
    return std::nullopt;
}

// A side given in markup must be one line of the Q&A file and read as the windows read it.
std::optional<std::string> markupProblem(std::string_view side, std::string_view column) {
    const std::string name = "The " + std::string(column) + " Markup";
    if (side.find_first_of("\r\n") != std::string_view::npos) {
        return name + " Holds A Line Break; In Markup A Line Break Is Written As \"^\"";
    }
    if (side.find(kPairSeparator) != std::string_view::npos) {
        return name + std::string(kSeparatorProblem);
    }
    return std::nullopt;
}

// The pairs and categories of a deck while rows are added to it.
class DeckLimits {
  public:
    explicit DeckLimits(const DeckContents& deck) : pairs_(deck.pairCount) {
        for (const std::string& name : deck.categories) categories_.insert(lowered(name));
    }

    // Why the deck cannot take one more pair.
    std::optional<std::string> numberProblem() const {
        const std::int64_t number = std::int64_t{pairs_} + 1;
        if (number <= kMaxPairs) return std::nullopt;
        return "This Row Would Be Pair " + std::to_string(number) +
               " Of The Deck; A Deck Holds At Most 5000 Pairs";
    }

    // Takes the pair, or tells why its category would be one too many; `typed` is the
    // category as the file gave it, empty when the question carries its own tag.
    std::optional<std::string> take(const ImportedPair& pair, std::string_view typed) {
        // In markup the question may carry its category tag itself.
        const std::string name = categoryOf("Q1=" + pair.question);
        if (name != "0") {
            const std::string key = lowered(name);
            if (!categories_.contains(key)) {
                if (categories_.size() >= kMaxCategories) {
                    const std::string shown =
                        typed.empty() ? windows1252ToUtf8(name) : std::string(typed);
                    return "The Category \"" + shown +
                           "\" Would Be The Deck's 101st; A Deck Holds At Most 100 Categories";
                }
                categories_.insert(key);
            }
        }
        ++pairs_;
        return std::nullopt;
    }

  private:
    std::int32_t pairs_;
    std::set<std::string> categories_;
};

class RowReader {
  public:
    RowReader(const DeckContents& deck, char separator) : limits_(deck), separator_(separator) {}

    // A header row says how the columns hold the texts, and that the file is an export,
    // whose texts carry the guard against formulas.
    void setHeader(ColumnForm form) {
        form_ = form;
        guarded_ = true;
    }

    std::optional<TextProblem> add(const DelimitedRecord& record,
                                   std::vector<ImportedPair>& pairs) {
        line_ = record.line;
        const auto& f = record.fields;
        if (f.size() < 2) {
            return problem("This Line Holds No Question And Answer Separated By " +
                           separatorName(separator_));
        }
        for (std::size_t i = 3; i < f.size(); ++i) {
            if (!trimmed(f[i]).empty()) {
                return problem(
                    "This Row Has More Than Three Columns; Only Question, Answer And "
                    "Category Can Be Imported");
            }
        }
        if (auto p = limits_.numberProblem()) return problem(std::move(*p));

        std::string question;
        std::string answer;
        std::string category;
        if (auto p = deckText(field(f[0]), "Question", question)) return p;
        if (auto p = deckText(field(f[1]), "Answer", answer)) return p;
        const std::string_view typedCategory =
            f.size() > 2 ? trimmed(field(f[2])) : std::string_view{};
        if (auto p = deckText(typedCategory, "Category", category)) return p;
        StoredRow stored = storedRow(form_, question, answer, category);
        if (stored.problem) return problem(std::move(*stored.problem));
        ImportedPair pair = std::move(stored.pair);
        pair.line = line_;

        const std::size_t size =
            kNumberedFraming + kPairSeparator.size() + pair.question.size() + pair.answer.size();
        if (size >= kMaxPairChars) {
            return problem("This Pair Would Hold " + std::to_string(size) +
                           " Characters In The Deck (Markup And A Four-Digit Pair Number "
                           "Included); A Pair Must Stay Below 2100 Characters");
        }
        if (auto p = limits_.take(pair, typedCategory)) return problem(std::move(*p));
        pairs.push_back(std::move(pair));
        return std::nullopt;
    }

  private:
    TextProblem problem(std::string text) const { return TextProblem{line_, std::move(text)}; }

    // The field in the deck's character set, its line breaks as CR LF.
    std::optional<TextProblem> deckText(std::string_view utf8, std::string_view column,
                                        std::string& out) const {
        // Plain ASCII on one line is already deck text.
        if (std::all_of(utf8.begin(), utf8.end(), [](char c) {
                const auto byte = static_cast<unsigned char>(c);
                return (byte >= 0x20 && byte < 0x80) || c == '\t';
            })) {
            out.assign(utf8);
            return std::nullopt;
        }
        std::string text = withCrLf(utf8);
        for (char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x20 && c != '\t' && c != '\r' && c != '\n') {
                return problem("The " + std::string(column) +
                               " Holds A Control Character, Which A Deck Cannot Show");
            }
        }
        DeckTextConversion converted = utf8ToWindows1252(text);
        if (!converted.ok()) {
            constexpr char32_t kReplacement = 0xFFFD;
            if (*converted.refused == kReplacement &&
                text.find("\xEF\xBF\xBD") == std::string::npos) {
                return problem("The " + std::string(column) +
                               " Holds Bytes That Are Not UTF-8 Text; Please Save The File As "
                               "UTF-8 And Import It Again");
            }
            return problem(std::string(column) + ": " +
                           characterNotAllowedText(*converted.refused));
        }
        out = std::move(converted.text);
        return std::nullopt;
    }

    std::string_view field(std::string_view text) const {
        return guarded_ ? withoutFormulaGuard(text) : text;
    }

    DeckLimits limits_;
    char separator_;
    ColumnForm form_ = ColumnForm::Plain;
    bool guarded_ = false;
    std::int32_t line_ = 0;
};

}  // namespace

ImportPlan import_steps::planRows(DelimitedReader& text, const DeckContents& deck) {
    ImportPlan plan;
    // Spreadsheets offer "Unicode text", which is UTF-16: every other byte would be a NUL.
    if (text.unread().starts_with("\xFF\xFE") || text.unread().starts_with("\xFE\xFF")) {
        plan.problem = fileProblem(
            "The File Is UTF-16 Text; Please Save It As UTF-8 (Or CSV UTF-8) And Import It "
            "Again.");
        return plan;
    }
    RowReader rows(deck, text.separator());
    DelimitedRecord record;
    bool first = true;
    while (text.next(record)) {
        if (std::exchange(first, false)) {
            if (const std::optional<ColumnForm> header = headerForm(record)) {
                rows.setHeader(*header);
                continue;
            }
        }
        if (isBlank(record)) continue;
        if (auto problem = rows.add(record, plan.pairs)) {
            plan.problem = std::move(problem);
            return plan;
        }
    }
    if (text.problem()) {
        plan.problem = text.problem();
    } else if (!text.sourceFailed() && plan.pairs.empty()) {
        plan.problem = fileProblem("The File Holds No Pairs To Import.");
    }
    return plan;
}

std::string withCategoryTag(std::string_view category, std::string_view question) {
    if (category.empty()) return std::string(question);
    std::string out = "<NAM>" + std::string(category);
    if (question.empty()) return out;
    const bool tagFollows = question[0] == '<' && !(question.size() > 1 && question[1] == '<');
    if (!tagFollows) out += '%';
    return out.append(question);
}

StoredRow storedRow(ColumnForm form, std::string_view question, std::string_view answer,
                    std::string_view category) {
    StoredRow row;
    category = trimmed(category);
    if ((row.problem = categoryProblem(category))) return row;
    if (form == ColumnForm::Plain) {
        if (question.find(kPairSeparator) != std::string_view::npos) {
            row.problem = "The Question" + std::string(kSeparatorProblem);
            return row;
        }
        row.pair.question = withCategoryTag(category, encodedMarks(question));
        row.pair.answer = encodedMarks(answer);
    } else {
        if ((row.problem = markupProblem(question, "Question"))) return row;
        if ((row.problem = markupProblem(answer, "Answer"))) return row;
        row.pair.question = withCategoryTag(category, question);
        row.pair.answer = std::string(answer);
        const FormattedSide q = readStoredSide(row.pair.question, true, {});
        if (!q.ok) {
            row.problem = "The Question Markup Has A Fault: " + q.fault;
            return row;
        }
        const FormattedSide a = readStoredSide(row.pair.answer, false, q.view);
        if (!a.ok) {
            row.problem = "The Answer Markup Has A Fault: " + a.fault;
            return row;
        }
        if (!category.empty() && q.view.Category != category) {
            row.problem =
                "The Question Markup Names A Category Of Its Own Besides The Category Column";
            return row;
        }
    }
    const std::string stored = categoryOf("Q1=" + row.pair.question);
    const std::string expected =
        category.empty() ? "0" : categoryOf("Q1=" + withCategoryTag(category, {}));
    // Markup without a category column is taken as the deck would hold it.
    if (stored != expected && (form == ColumnForm::Plain || !category.empty())) {
        row.problem = "The Question Holds \"" + categoryTagLookalike(question) +
                      "\", Which A Deck Would Take For The Start Of A Category Tag";
    }
    return row;
}

ImportPlan planImport(std::string_view fileBytes, const DeckContents& deck) {
    bool given = false;
    DelimitedReader text([&]() -> std::optional<std::string_view> {
        if (std::exchange(given, true)) return std::string_view();
        return fileBytes;
    });
    return planRows(text, deck);
}

std::optional<TextProblem> fitIntoDeck(const std::vector<ImportedPair>& pairs,
                                       const DeckContents& deck) {
    DeckLimits limits(deck);
    for (const ImportedPair& pair : pairs) {
        std::optional<std::string> problem = limits.numberProblem();
        if (!problem) problem = limits.take(pair, {});
        if (problem) return TextProblem{pair.line, std::move(*problem)};
    }
    return std::nullopt;
}

}  // namespace cardwise
