#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cardwise {

// Something wrong with a file being imported: the line it starts on (0 for the file as a
// whole) and what is wrong, in the program's title case.
struct TextProblem {
    std::int32_t line = 0;
    std::string text;
    std::string unit = "Line";  // what `line` counts: a line, or another program's card
};

// One record of a delimited text file and the line it starts on.
struct DelimitedRecord {
    std::int32_t line = 0;
    std::vector<std::string> fields;
};

struct DelimitedTable {
    char separator = '\0';  // '\0' when the first record holds no separator at all
    std::vector<DelimitedRecord> records;
    std::optional<TextProblem> problem;  // the records read before it are kept
};

// A record holds at most this many bytes: ten times the longest row a deck can take (a pair
// below 2100 characters of up to three UTF-8 bytes each), so that a file without line ends,
// or with a quote that is never closed, is refused after this much instead of being held in
// memory whole.
inline constexpr std::size_t kMaxDelimitedRecordBytes = 64 * 1024;

// Hands out a text piece by piece: an empty piece at its end, nothing when it cannot be read
// on.
using TextPieces = std::function<std::optional<std::string_view>()>;

// Comma- or tab-separated text as spreadsheets write it, read record by record while its
// pieces come in: a field that starts with a double quote runs to the matching quote and
// may hold separators, line breaks and doubled quotes. Records end at CR LF, LF or a lone
// CR. A UTF-8 byte-order mark is skipped. The separator is the first non-empty line's: a
// tab when it holds one outside quotes, else a comma, else a semicolon. A quote that is
// never closed, text right after a closing quote, or a record longer than
// kMaxDelimitedRecordBytes is a problem of the line it is on, and reading stops there.
class DelimitedReader {
  public:
    explicit DelimitedReader(TextPieces pieces);

    char separator() const { return separator_; }  // '\0' when the first line holds none
    // The bytes not read yet, as far as they came in (the start of the text before the
    // first record is read).
    std::string_view unread() const { return std::string_view(buffer_).substr(at_); }
    // The next record; false at the end of the text, after a problem, or when the pieces
    // stopped coming (sourceFailed).
    bool next(DelimitedRecord& record);
    const std::optional<TextProblem>& problem() const { return problem_; }
    bool sourceFailed() const { return failed_; }

  private:
    void fill();

    TextPieces pieces_;
    std::string buffer_;
    std::size_t at_ = 0;
    bool end_ = false;
    bool failed_ = false;
    char separator_ = '\0';
    std::int32_t line_ = 1;
    std::optional<TextProblem> problem_;
};

// The whole of a text read at once.
DelimitedTable parseDelimited(std::string_view bytes);

// A field as written into such a file: in quotes, with its quotes doubled, when it holds
// the separator, a quote or a line break; as it is otherwise.
std::string delimitedField(std::string_view field, char separator);

// A text as a spreadsheet may open it: one that begins with "=", "+", "-", "@", a tab or a
// CR (a formula, or a number such as "-3") gets a leading "'", which spreadsheets take for
// "text follows", and so does one that begins with "'" and would otherwise lose it to
// withoutFormulaGuard.
std::string formulaGuarded(std::string_view text);
// The text formulaGuarded was given back: one leading "'" taken off where it put one.
std::string_view withoutFormulaGuard(std::string_view field);

}  // namespace cardwise
