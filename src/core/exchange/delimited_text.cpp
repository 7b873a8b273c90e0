#include "core/exchange/delimited_text.h"

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
    Reader(std::string_view bytes, char separator) : bytes_(bytes), separator_(separator) {}

    bool done() const { return at_ >= bytes_.size(); }
    std::int32_t line() const { return line_; }

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

DelimitedTable parseDelimited(std::string_view bytes) {
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
    DelimitedTable table;
    table.separator = detectSeparator(bytes);
    Reader reader(bytes, table.separator);
    while (!reader.done()) {
        DelimitedRecord record;
        if (!reader.record(record, table.problem)) break;
        table.records.push_back(std::move(record));
    }
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

}  // namespace cardwise
