#pragma once

#include <cstdint>
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

// Comma- or tab-separated text as spreadsheets write it: a field that starts with a
// double quote runs to the matching quote and may hold separators, line breaks and
// doubled quotes. Records end at CR LF, LF or a lone CR. A UTF-8 byte-order mark is
// skipped. The separator is the first non-empty line's: a tab when it holds one outside quotes,
// else a comma, else a semicolon. A quote that is never closed, or text right after a
// closing quote, is a problem of the line it is on.
DelimitedTable parseDelimited(std::string_view bytes);

// A field as written into such a file: in quotes, with its quotes doubled, when it holds
// the separator, a quote or a line break; as it is otherwise.
std::string delimitedField(std::string_view field, char separator);

}  // namespace cardwise
