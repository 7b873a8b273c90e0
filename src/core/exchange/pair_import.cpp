#include "core/exchange/pair_import.h"

#include <algorithm>
#include <memory>
#include <set>
#include <utility>

#include "core/content/marks.h"
#include "core/content/pair_side.h"
#include "core/content/windows1252.h"
#include "core/deck/deck_state.h"
#include "core/deck/qa_file.h"
#include "core/deck/setup_file.h"
#include "core/deck/setup_keys.h"
#include "core/deck/status_lines.h"
#include "core/deck/text_lines.h"
#include "core/exchange/foreign_deck.h"
#include "core/exchange/foreign_import.h"
#include "core/media/picture_view.h"
#include "core/profile/profile.h"
#include "core/program.h"
#include "core/shell/deck_loader.h"
#include "core/shell/deck_new.h"

namespace cardwise {
namespace {

constexpr std::string_view kCrLf = "\r\n";
// "Q" + four digits + "=" on each side, since the pair may come to any number up to 5000.
constexpr std::size_t kNumberedFraming = 2 * (1 + 4 + 1);

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lowerAscii);
    return out;
}

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

TextProblem fileProblem(std::string text) {
    return TextProblem{0, std::move(text)};
}

std::string newDeckSetupFile(Program& program, std::int32_t pairs) {
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

TextProblem unreadable(const std::string& path) {
    return fileProblem("Cardwise Could Not Read " + path + ".");
}

// The file to import, opened to be read row by row, or nothing with the problem set.
std::unique_ptr<FileReader> openImportFile(const FileSystem& files, const std::string& path,
                                           std::optional<TextProblem>& problem) {
    const std::optional<std::uint64_t> size = files.fileSize(path);
    if (size && *size > kMaxImportFileBytes) {
        problem = fileProblem(path + " Is Too Large To Hold The Pairs Of A Deck.");
        return nullptr;
    }
    std::unique_ptr<FileReader> reader = size ? files.openFile(path) : nullptr;
    if (!reader) problem = unreadable(path);
    return reader;
}

// The rows of the text, read one by one until the first the deck cannot take.
ImportPlan planRows(DelimitedReader& text, const DeckContents& deck) {
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

// Passes the file through, telling the user how far the reading has got.
class ProgressReader final : public FileReader {
  public:
    ProgressReader(std::unique_ptr<FileReader> file, std::uint64_t total, UserInterface& ui)
        : file_(std::move(file)), total_(total), ui_(ui) {}
    ~ProgressReader() override { ui_.progress(kImportProgressCaption, -1); }
    ProgressReader(const ProgressReader&) = delete;
    ProgressReader& operator=(const ProgressReader&) = delete;

    std::optional<std::string_view> next() override {
        std::optional<std::string_view> piece = file_->next();
        if (piece && total_ > 0) {
            read_ += piece->size();
            const int percent =
                static_cast<int>(std::min<std::uint64_t>(read_, total_) * 100 / total_);
            if (percent != shown_) ui_.progress(kImportProgressCaption, shown_ = percent);
        }
        return piece;
    }

  private:
    std::unique_ptr<FileReader> file_;
    std::uint64_t total_;
    std::uint64_t read_ = 0;
    int shown_ = -1;
    UserInterface& ui_;
};

// The folder of a path with its separator, ready for a name.
std::string folderOf(const std::string& path) {
    std::string folder = directoryOf(path);
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

// A name relative to the folder of the file imported, read when it stays in that folder or
// below and is a regular file of a size a picture may have; every file counts against one
// budget.
BesideFile besideFile(const FileSystem& files, const std::string& path) {
    auto used = std::make_shared<std::uint64_t>(0);
    const std::string folder = folderOf(path);
    return [&files, folder, used](const std::string& relative) -> std::optional<std::string> {
        if (relative.empty() || relative.front() == '/' ||
            relative.find('\\') != std::string::npos || relative.find(':') != std::string::npos) {
            return std::nullopt;
        }
        for (std::string_view rest = relative; !rest.empty();) {
            const std::size_t slash = rest.find('/');
            if (rest.substr(0, slash) == "..") return std::nullopt;
            if (slash == std::string_view::npos) break;
            rest.remove_prefix(slash + 1);
        }
        const std::string full = folder + relative;
        const std::optional<std::uint64_t> size = files.fileSize(full);
        if (!size || *size > kMaxPictureFileBytes || *used + *size > kMaxForeignInflatedBytes) {
            return std::nullopt;
        }
        std::optional<std::string> bytes = files.readFile(full);
        if (bytes) *used += bytes->size();
        return bytes;
    };
}

// The file read through, told by its first bytes: another program's deck, or rows of text.
ImportPlan planFromReader(const FileSystem& files, std::unique_ptr<FileReader> file,
                          const std::string& path, const DeckContents& deck) {
    ImportPlan plan;
    std::optional<std::string_view> piece = file->next();
    if (!piece) {
        plan.problem = unreadable(path);
        return plan;
    }
    std::string bytes(*piece);
    const ForeignFormat format = sniffFormat(bytes);
    if (format == ForeignFormat::Text) {
        bool given = false;
        DelimitedReader text([&]() -> std::optional<std::string_view> {
            if (!std::exchange(given, true)) return std::string_view(bytes);
            return file->next();
        });
        plan = planRows(text, deck);
        if (!plan.problem && text.sourceFailed()) plan.problem = unreadable(path);
        return plan;
    }
    while (!bytes.empty()) {
        piece = file->next();
        if (!piece) {
            plan.problem = unreadable(path);
            return plan;
        }
        if (piece->empty()) break;
        bytes.append(*piece);
    }
    return planForeignDeck(readForeignDeck(format, std::move(bytes), besideFile(files, path)),
                           deck);
}

std::string writeFailureText(const std::vector<std::string>& paths, const FileResult& result) {
    std::string names;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (i > 0) names += " And ";
        names += paths[i];
    }
    return "Cardwise Could Not Write " + names + " (" + result.error + ").  " +
           (result.unchanged ? "The Files On Disk Were All Left As They Were."
                             : "Not Every Old File Could Be Put Back In Place; The Reason Above "
                               "Names Where It Is Kept.");
}

}  // namespace

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

namespace {

// The deck the pairs go to, as it was before they were added.
struct TargetDeck {
    std::string qaPath;
    std::string setupPath;
    bool isNew = false;
    std::string qaBytes;
    std::optional<std::string> setupBytes;
    DeckContents contents;
};

std::optional<TextProblem> readTargetDeck(const FileSystem& files, TargetDeck& deck) {
    const std::string& qaPath = deck.qaPath;
    const std::string& setupPath = deck.setupPath;
    if (!equalsIgnoreCase(extensionOf(qaPath), ".DKS")) {
        return fileProblem(qaPath +
                           " Does Not Have A .DKS Extension; Pairs Can Be Imported Only Into "
                           "A .DKS File.");
    }
    deck.isNew = !files.fileExists(qaPath);
    if (deck.isNew) {
        // A setup data file left behind by a deleted deck would hand its settings and
        // learning state to the new pairs.
        if (files.fileExists(setupPath)) {
            return fileProblem(setupPath +
                               " Already Exists Without Its .DKS File; Please Move It "
                               "Away Or Import Into Another Name.");
        }
        return std::nullopt;
    }
    if (files.isReadOnlyFile(qaPath) ||
        (files.fileExists(setupPath) && files.isReadOnlyFile(setupPath))) {
        return fileProblem(qaPath + " Is A Read-Only Deck; No Pairs Can Be Added To It.");
    }
    const std::optional<std::uint64_t> qaSize = files.fileSize(qaPath);
    if (qaSize && *qaSize > kMaxQAFileBytes)
        return fileProblem(qaPath + " Is Too Large To Be A Deck.");
    std::optional<std::string> read = qaSize ? files.readFile(qaPath) : std::nullopt;
    if (!read) return unreadable(qaPath);
    deck.qaBytes = std::move(*read);
    if (files.fileExists(setupPath)) {
        deck.setupBytes = files.readFile(setupPath);
        if (!deck.setupBytes) return unreadable(setupPath);
    }
    deck.contents = deckContentsOf(deck.qaBytes);
    return std::nullopt;
}

// The folder a deck's pictures or sounds go to: the one its settings name when they use
// one and it is there, else the deck's own.
std::string mediaFolder(Program& program, const TargetDeck& deck, bool picture) {
    std::int32_t use = 0;
    std::string folder;
    const char* useKey = picture ? "UseGraphicsDIR" : "UseSoundDIR";
    const char* folderKey = picture ? "GraphicsDIR" : "SoundDIR";
    if (deck.isNew) {
        use = picture ? program.settings.UseGraphicsDIR : program.settings.UseSoundDIR;
        folder = picture ? program.settings.GraphicsDIR : program.settings.SoundDIR;
    } else if (deck.setupBytes) {
        const Profile setup = Profile::fromBytes(*deck.setupBytes);
        use = setup.readInt(kSetupSection, useKey, 0);
        folder = setup.readString(kSetupSection, folderKey, "");
    }
    if (use == 1 && !folder.empty() && program.files().directoryExists(folder)) {
        if (folder.back() != '/' && folder.back() != '\\') folder += '/';
        return folder;
    }
    return folderOf(deck.qaPath);
}

// Where each medium goes: its planned name unless another file holds it (a file with the
// same bytes is taken as it is), then the first free "name-2.ext", "name-3.ext", ...
std::optional<TextProblem> placeMedia(Program& program, const TargetDeck& deck,
                                      const std::vector<ImportedMedia>& media,
                                      std::vector<FileWrite>& writes,
                                      std::map<std::string, std::string>& renamed) {
    const FileSystem& files = program.files();
    std::set<std::string> taken{lowered(deck.qaPath), lowered(deck.setupPath)};
    const std::string folders[2] = {mediaFolder(program, deck, false),
                                    mediaFolder(program, deck, true)};
    for (const ImportedMedia& m : media) {
        const std::string& folder = folders[m.picture ? 1 : 0];
        const std::size_t dot = m.name.rfind('.');
        const std::string stem = dot == std::string::npos ? m.name : m.name.substr(0, dot);
        const std::string ext = dot == std::string::npos ? "" : m.name.substr(dot);
        std::string name = m.name;
        bool same = false;
        for (int n = 2;; ++n) {
            const std::string path = folder + name;
            if (!taken.contains(lowered(path))) {
                if (!files.fileExists(path)) break;
                const std::optional<std::uint64_t> size = files.fileSize(path);
                if (size && *size == m.bytes.size() && files.readFile(path) == m.bytes) {
                    same = true;
                    break;
                }
            }
            if (n > 999) {
                return fileProblem("Cardwise Found No Free Name For The Media File " + m.name +
                                   " In " + folder + ".");
            }
            name = stem + "-" + std::to_string(n) + ext;
        }
        taken.insert(lowered(folder + name));
        if (name != m.name) renamed[m.name] = name;
        if (!same) writes.push_back(FileWrite{folder + name, m.bytes});
    }
    return std::nullopt;
}

void writeImport(Program& program, const TargetDeck& deck,
                 const std::vector<ImportedPair>& plannedPairs,
                 const std::vector<ImportedMedia>& media, ImportResult& result) {
    std::vector<FileWrite> mediaWrites;
    std::map<std::string, std::string> renamed;
    if ((result.problem = placeMedia(program, deck, media, mediaWrites, renamed))) return;
    const std::vector<ImportedPair> pairs =
        renamed.empty() ? plannedPairs : withMediaRenamed(plannedPairs, renamed);
    const auto added = static_cast<std::int32_t>(pairs.size());
    if (deck.isNew && added < 2) {
        // The settings of a deck need a range of at least two pairs.
        result.problem =
            fileProblem("A New Deck Needs At Least Two Pairs; The File Holds Only One.");
        return;
    }
    std::string newQA;
    std::string newSetup;
    if (deck.isNew) {
        newQA = newDeckQAFile(pairs);
        newSetup = newDeckSetupFile(program, added);
    } else {
        newQA = appendedQAFile(deck.qaBytes, deck.contents.pairCount, pairs);
        // Without a setup data file the next load makes one, every pair starting new.
        if (deck.setupBytes) {
            newSetup = appendedSetupFile(*deck.setupBytes, deck.contents.pairCount, added,
                                         program.deck.Today);
        }
    }
    std::vector<FileWrite> writes{FileWrite{deck.qaPath, newQA}};
    std::vector<std::string> paths{deck.qaPath};
    if (deck.isNew || deck.setupBytes) {
        writes.push_back(FileWrite{deck.setupPath, newSetup});
        paths.push_back(deck.setupPath);
    }
    for (FileWrite& w : mediaWrites) {
        paths.push_back(w.path);
        writes.push_back(std::move(w));
    }
    const FileResult written = program.files().writeFiles(writes);
    if (!written.ok) {
        result.problem = fileProblem(writeFailureText(paths, written));
        return;
    }
    result.pairsAdded = added;
}

TargetDeck targetDeckAt(ImportResult& result, const std::string& deckPath) {
    result.deckPath = withDefaultExtension(deckPath);
    TargetDeck deck;
    deck.qaPath = result.deckPath;
    deck.setupPath = setupNameOf(deck.qaPath);
    return deck;
}

}  // namespace

ImportResult importPairs(Program& program, const std::string& sourcePath,
                         const std::string& deckPath) {
    ImportResult result;
    TargetDeck deck = targetDeckAt(result, deckPath);
    std::unique_ptr<FileReader> source =
        openImportFile(program.files(), sourcePath, result.problem);
    if (!source) return result;
    if ((result.problem = readTargetDeck(program.files(), deck))) return result;
    result.newDeck = deck.isNew;
    ImportPlan plan = planFromReader(program.files(), std::move(source), sourcePath, deck.contents);
    if ((result.problem = std::move(plan.problem))) return result;
    writeImport(program, deck, plan.pairs, plan.media, result);
    return result;
}

ImportPlan planImportFile(Program& program, const std::string& sourcePath) {
    ImportPlan plan;
    std::unique_ptr<FileReader> source = openImportFile(program.files(), sourcePath, plan.problem);
    if (!source) return plan;
    const std::uint64_t total = program.files().fileSize(sourcePath).value_or(0);
    return planFromReader(program.files(),
                          std::make_unique<ProgressReader>(std::move(source), total, program.ui()),
                          sourcePath, DeckContents{});
}

ImportResult importPlannedPairs(Program& program, const std::vector<ImportedPair>& pairs,
                                const std::string& deckPath,
                                const std::vector<ImportedMedia>& media) {
    ImportResult result;
    TargetDeck deck = targetDeckAt(result, deckPath);
    if ((result.problem = readTargetDeck(program.files(), deck))) return result;
    result.newDeck = deck.isNew;
    if ((result.problem = fitIntoDeck(pairs, deck.contents))) return result;
    writeImport(program, deck, pairs, media, result);
    return result;
}

std::vector<ImportedPair> withMediaRenamed(std::vector<ImportedPair> pairs,
                                           const std::map<std::string, std::string>& renamed) {
    auto rename = [&renamed](std::string& side) {
        std::string out;
        std::size_t at = 0;
        // Only the run of tags at the start of a side names files.
        while (at + 5 <= side.size() && side[at] == '<' && side[at + 1] != '<') {
            const char kind = static_cast<char>(side[at + 1] & ~0x20);
            const std::size_t start = at + 5;
            std::size_t end = side.find_first_of("<%", start);
            if (end == std::string::npos) end = side.size();
            out.append(side, at, 5);
            const std::string content = side.substr(start, end - start);
            const auto found = renamed.find(content);
            out += (kind == 'B' || kind == 'W') && found != renamed.end() ? found->second : content;
            at = end;
            if (at < side.size() && side[at] == '%') {
                out += '%';
                ++at;
                if (at >= side.size() || side[at] != '<' ||
                    (at + 1 < side.size() && side[at + 1] == '<')) {
                    break;
                }
            }
        }
        side = out + side.substr(at);
    };
    for (ImportedPair& pair : pairs) {
        rename(pair.question);
        rename(pair.answer);
    }
    return pairs;
}

std::string importProblemText(const std::string& sourcePath, const TextProblem& problem) {
    std::string text = problem.text;
    if (problem.line > 0) {
        text = problem.unit + " " + std::to_string(problem.line) + " Of " + sourcePath + ": " +
               text + ".";
    }
    return text + "  Nothing Was Imported.";
}

}  // namespace cardwise
