#include "core/exchange/delimited_text.h"

#include <utility>

namespace cardwise {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

char detectSeparator(std::string_view bytes) {
    bool quoted = false;
    bool fieldStart = true;
    bool lineStarted = false;
    bool comma = false;
    bool semicolon = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (quoted) {
            if (c != '"') continue;
            if (i + 1 < bytes.size() && bytes[i + 1] == '"') {
                ++i;
            } else {
                quoted = false;
            }
            continue;
        }
        // Only a quote that starts a field quotes; "5\" disk" is text.
        if (c == '"' && fieldStart) {
            quoted = true;
            fieldStart = false;
            lineStarted = true;
            continue;
        }
        // Empty lines before the first record say nothing.
        if (isLineEnd(c)) {
            if (lineStarted) break;
            continue;
        }
        lineStarted = true;
        if (c == '\t') return '\t';
        comma = comma || c == ',';
        semicolon = semicolon || c == ';';
        fieldStart = c == ',' || c == ';';
    }
    if (comma) return ',';
    return semicolon ? ';' : '\0';
}

class Reader {
  public:
    Reader(std::string_view bytes, char separator, std::int32_t line)
        : bytes_(bytes), separator_(separator), line_(line) {}

    bool done() const { return at_ >= bytes_.size(); }
    std::int32_t line() const { return line_; }
    std::size_t at() const { return at_; }

    // One record; false with a problem set when the text cannot be read on.
    bool record(DelimitedRecord& record, std::optional<TextProblem>& problem) {
        record.line = line_;
        for (;;) {
            std::string field;
            if (peek() == '"') {
                if (!quotedField(field, problem)) return false;
            } else {
                plainField(field);
            }
            record.fields.push_back(std::move(field));
            if (!done() && isSeparator(bytes_[at_])) {
                ++at_;
                continue;
            }
            skipLineEnd();
            return true;
        }
    }

  private:
    char peek() const { return done() ? '\0' : bytes_[at_]; }
    // Without a separator every line is one field, NUL bytes included.
    bool isSeparator(char c) const { return separator_ != '\0' && c == separator_; }

    void plainField(std::string& field) {
        std::size_t end = at_;
        while (end < bytes_.size() && !isSeparator(bytes_[end]) && !isLineEnd(bytes_[end])) {
            ++end;
        }
        field.assign(bytes_.substr(at_, end - at_));
        at_ = end;
    }

    bool quotedField(std::string& field, std::optional<TextProblem>& problem) {
        const std::int32_t opened = line_;
        ++at_;
        for (;;) {
            if (done()) {
                problem = TextProblem{opened, "A Quoted Field Starts Here And Is Never Closed"};
                return false;
            }
            char c = bytes_[at_];
            if (c == '"') {
                if (at_ + 1 < bytes_.size() && bytes_[at_ + 1] == '"') {
                    field += '"';
                    at_ += 2;
                    continue;
                }
                ++at_;
                break;
            }
            if (isLineEnd(c)) {
                // Line breaks inside a field keep their form; the pair text makes them CR LF.
                std::size_t start = at_;
                skipLineEnd();
                field.append(bytes_.substr(start, at_ - start));
                continue;
            }
            // The run up to the next quote or line break in one piece.
            std::size_t end = at_;
            while (end < bytes_.size() && bytes_[end] != '"' && !isLineEnd(bytes_[end])) ++end;
            field.append(bytes_.substr(at_, end - at_));
            at_ = end;
        }
        if (!done() && !isSeparator(bytes_[at_]) && !isLineEnd(bytes_[at_])) {
            problem = TextProblem{line_, "Text Follows The Closing Quote Of A Field"};
            return false;
        }
        return true;
    }

    void skipLineEnd() {
        if (done()) return;
        if (bytes_[at_] == '\r') {
            ++at_;
            if (!done() && bytes_[at_] == '\n') ++at_;
        } else if (bytes_[at_] == '\n') {
            ++at_;
        } else {
            return;
        }
        ++line_;
    }

    std::string_view bytes_;
    char separator_;
    std::size_t at_ = 0;
    std::int32_t line_ = 1;
};

}  // namespace

DelimitedReader::DelimitedReader(TextPieces pieces) : pieces_(std::move(pieces)) {
    fill();
    if (std::string_view(buffer_).starts_with(kByteOrderMark)) at_ = kByteOrderMark.size();
    separator_ = detectSeparator(unread());
}

// Keeps more than a whole record's worth of bytes ahead, so that a record is read from the
// buffer alone; one that reaches the buffer's end before the text's is too long.
void DelimitedReader::fill() {
    constexpr std::size_t kAhead = kMaxDelimitedRecordBytes + 2;
    if (end_ || buffer_.size() - at_ >= kAhead) return;
    buffer_.erase(0, at_);
    at_ = 0;
    while (!end_ && buffer_.size() < kAhead) {
        const std::optional<std::string_view> piece = pieces_();
        if (!piece || piece->empty()) {
            end_ = true;
            failed_ = !piece;
        } else {
            buffer_.append(*piece);
        }
    }
}

bool DelimitedReader::next(DelimitedRecord& record) {
    record = DelimitedRecord{};
    if (problem_ || failed_) return false;
    fill();
    if (failed_ || at_ >= buffer_.size()) return false;
    Reader reader(unread(), separator_, line_);
    const bool read = reader.record(record, problem_);
    if (reader.at() > kMaxDelimitedRecordBytes) {
        problem_ = TextProblem{record.line,
                               "This Row Runs On For More Than 64 KB, Far Longer Than Any Pair "
                               "Of A Deck (A Quote That Is Never Closed Does This)"};
        return false;
    }
    if (!read) return false;
    at_ += reader.at();
    line_ = reader.line();
    return true;
}

DelimitedTable parseDelimited(std::string_view bytes) {
    bool given = false;
    DelimitedReader reader([&]() -> std::optional<std::string_view> {
        if (given) return std::string_view();
        given = true;
        return bytes;
    });
    DelimitedTable table;
    table.separator = reader.separator();
    DelimitedRecord record;
    while (reader.next(record)) table.records.push_back(std::move(record));
    table.problem = reader.problem();
    return table;
}

std::string delimitedField(std::string_view field, char separator) {
    bool quote = false;
    for (char c : field) quote = quote || c == separator || c == '"' || isLineEnd(c);
    if (!quote) return std::string(field);
    std::string out = "\"";
    for (char c : field) {
        out += c;
        if (c == '"') out += '"';
    }
    out += '"';
    return out;
}

namespace {

// What a spreadsheet takes for the start of a formula (or a DDE call), and the guard itself.
bool startsFormula(char c) {
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

bool guarded(std::string_view field) {
    return field.size() >= 2 && field[0] == '\'' && (startsFormula(field[1]) || field[1] == '\'');
}

}  // namespace

std::string formulaGuarded(std::string_view text) {
    if ((!text.empty() && startsFormula(text[0])) || guarded(text)) {
        return "'" + std::string(text);
    }
    return std::string(text);
}

std::string_view withoutFormulaGuard(std::string_view field) {
    return guarded(field) ? field.substr(1) : field;
}

}  // namespace cardwise
