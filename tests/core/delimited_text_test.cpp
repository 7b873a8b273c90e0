#include "core/exchange/delimited_text.h"

#include <gtest/gtest.h>

namespace cardwise {
namespace {

using Fields = std::vector<std::string>;

struct ReadCase {
    const char* name;
    std::string bytes;
    char separator;
    std::vector<std::pair<int, Fields>> records;  // line, fields
};

const ReadCase kReadCases[] = {
    {"TabsAndCrLf", "a\tb\r\nc\td\r\n", '\t', {{1, {"a", "b"}}, {2, {"c", "d"}}}},
    {"QuotedCommaAndLineBreak",
     "q,a\r\n\"x, y\",\"line1\r\nline2\"\r\nz,w\n",
     ',',
     {{1, {"q", "a"}}, {2, {"x, y", "line1\r\nline2"}}, {4, {"z", "w"}}}},
    {"DoubledQuotes", "\"say \"\"hi\"\"\",\"\"\"\"\n", ',', {{1, {"say \"hi\"", "\""}}}},
    {"ByteOrderMarkSkipped", "\xEF\xBB\xBFq\ta", '\t', {{1, {"q", "a"}}}},
    {"LastLineWithoutEnd", "a,b\nc,d", ',', {{1, {"a", "b"}}, {2, {"c", "d"}}}},
    {"EmptyFieldsKept", "a,,\n,b\n", ',', {{1, {"a", "", ""}}, {2, {"", "b"}}}},
    {"LoneCarriageReturnEndsALine", "a,b\rc,d\r", ',', {{1, {"a", "b"}}, {2, {"c", "d"}}}},
    {"Semicolons", "a;b\nc;d\n", ';', {{1, {"a", "b"}}, {2, {"c", "d"}}}},
    {"TabBeatsCommaInTheFirstLine", "1,5\tone half\n", '\t', {{1, {"1,5", "one half"}}}},
    {"SeparatorInsideQuotesIsNotDetected", "\"a\tb\",c\n", ',', {{1, {"a\tb", "c"}}}},
    {"QuoteInsideAPlainFieldIsText", "5\" disk\tdisk\n", '\t', {{1, {"5\" disk", "disk"}}}},
    {"BlankLinesAreEmptyRecords", "a,b\n\nc,d\n", ',',
     {{1, {"a", "b"}}, {2, {""}}, {3, {"c", "d"}}}},
    {"NoSeparatorOneFieldPerLine", "just text\n", '\0', {{1, {"just text"}}}},
    {"EmptyFile", "", '\0', {}},
};

class DelimitedRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(DelimitedRead, RecordsWithTheirLines) {
    const ReadCase& c = GetParam();
    DelimitedTable table = parseDelimited(c.bytes);
    EXPECT_FALSE(table.problem.has_value());
    EXPECT_EQ(table.separator, c.separator);
    ASSERT_EQ(table.records.size(), c.records.size());
    for (std::size_t i = 0; i < c.records.size(); ++i) {
        EXPECT_EQ(table.records[i].line, c.records[i].first) << i;
        EXPECT_EQ(table.records[i].fields, c.records[i].second) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DelimitedRead, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DelimitedText, AnUnclosedQuoteIsAProblemOfTheLineItOpensOn) {
    DelimitedTable table = parseDelimited("q,a\nx,y\nz,\"never\nclosed\n");
    ASSERT_TRUE(table.problem.has_value());
    EXPECT_EQ(table.problem->line, 3);
    EXPECT_EQ(table.problem->text, "A Quoted Field Starts Here And Is Never Closed");
    EXPECT_EQ(table.records.size(), 2u);
}

TEST(DelimitedText, TextAfterAClosingQuoteIsAProblem) {
    DelimitedTable table = parseDelimited("a,b\n\"multi\nline\"x,b\n");
    ASSERT_TRUE(table.problem.has_value());
    EXPECT_EQ(table.problem->line, 3);
    EXPECT_EQ(table.problem->text, "Text Follows The Closing Quote Of A Field");
}

TEST(DelimitedText, FieldsAreQuotedOnlyWhenTheyMustBe) {
    struct Case {
        std::string field;
        char separator;
        std::string written;
    };
    const Case cases[] = {
        {"plain, with comma", '\t', "plain, with comma"},
        {"a\tb", '\t', "\"a\tb\""},
        {"a,b", ',', "\"a,b\""},
        {"say \"hi\"", '\t', "\"say \"\"hi\"\"\""},
        {"two\r\nlines", '\t', "\"two\r\nlines\""},
        {"", '\t', ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(delimitedField(c.field, c.separator), c.written) << c.field;
        // Whatever is written reads back as the same field.
        DelimitedTable back = parseDelimited(c.written + std::string(1, c.separator) + "x\n");
        ASSERT_EQ(back.records.size(), 1u) << c.field;
        EXPECT_EQ(back.records[0].fields.front(), c.field);
    }
}

// A spreadsheet opening an export must never run a text: every text that begins like a
// formula gets a "'" in front, and taking it off gives the text back.
TEST(DelimitedText, FormulaLikeTextsAreGuardedAndComeBack) {
    struct Case {
        const char* name;
        std::string text;
        std::string written;
    };
    const Case cases[] = {
        {"Formula", "=HYPERLINK(\"http://x\",\"y\")", "'=HYPERLINK(\"http://x\",\"y\")"},
        {"Dde", "@SUM(1+1)*cmd|' /C calc'!A0", "'@SUM(1+1)*cmd|' /C calc'!A0"},
        {"Plus", "+1", "'+1"},
        {"NegativeNumber", "-3", "'-3"},
        {"LeadingTab", "\tx", "'\tx"},
        {"LeadingCarriageReturn", "\r\nx", "'\r\nx"},
        // A "'" that a guard would be taken for is itself guarded; any other stays as it is.
        {"GuardLookalike", "'=x", "''=x"},
        {"TwoApostrophes", "''", "'''"},
        {"ApostropheWord", "'tis", "'tis"},
        {"LoneApostrophe", "'", "'"},
        {"FormulaSignLater", "a=b-c", "a=b-c"},
        {"Empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(formulaGuarded(c.text), c.written);
        EXPECT_EQ(withoutFormulaGuard(c.written), c.text);
    }
}

// Whatever the size of the pieces a file comes in, the records are the same: a record, a
// doubled quote or a CR LF may be split between two pieces.
TEST(DelimitedText, PiecesOfAnySizeGiveTheSameRecords) {
    const std::string text =
        "\xEF\xBB\xBFq,a\r\n\"x, \"\"y\"\"\",\"line1\r\nline2\"\r\n\r\nz,w\rlast,one";
    const DelimitedTable whole = parseDelimited(text);
    ASSERT_EQ(whole.records.size(), 5u);
    for (std::size_t size : {1u, 2u, 3u, 7u}) {
        SCOPED_TRACE(size);
        std::size_t at = 0;
        DelimitedReader reader([&]() -> std::optional<std::string_view> {
            std::string_view piece = std::string_view(text).substr(at, size);
            at += piece.size();
            return piece;
        });
        EXPECT_EQ(reader.separator(), ',');
        DelimitedRecord record;
        std::size_t i = 0;
        for (; reader.next(record); ++i) {
            ASSERT_LT(i, whole.records.size());
            EXPECT_EQ(record.line, whole.records[i].line);
            EXPECT_EQ(record.fields, whole.records[i].fields);
        }
        EXPECT_EQ(i, whole.records.size());
        EXPECT_FALSE(reader.problem().has_value());
        EXPECT_FALSE(reader.sourceFailed());
    }
}

// A quote that is never closed, or a file without line ends, is refused once a record has
// run on for 64 KB, without reading the rest; a failing source ends the records.
TEST(DelimitedText, RecordsStopAt64KBAndAtAFailingSource) {
    std::size_t handedOut = 0;
    std::size_t pieces = 0;
    const std::string block(4096, 'x');
    DelimitedReader reader([&]() -> std::optional<std::string_view> {
        ++pieces;
        if (pieces == 1) return std::string_view("q,a\n\"never closed,");
        handedOut += block.size();
        return std::string_view(block);  // endless
    });
    DelimitedRecord record;
    ASSERT_TRUE(reader.next(record));
    EXPECT_FALSE(reader.next(record));
    ASSERT_TRUE(reader.problem().has_value());
    EXPECT_EQ(reader.problem()->line, 2);
    EXPECT_EQ(reader.problem()->text,
              "This Row Runs On For More Than 64 KB, Far Longer Than Any Pair Of A Deck (A Quote "
              "That Is Never Closed Does This)");
    EXPECT_LT(handedOut, 2 * kMaxDelimitedRecordBytes);

    // The longest record still reads.
    const DelimitedTable longest =
        parseDelimited("a," + std::string(kMaxDelimitedRecordBytes - 3, 'b') + "\n");
    EXPECT_FALSE(longest.problem.has_value());
    EXPECT_EQ(longest.records.size(), 1u);

    int calls = 0;
    DelimitedReader failing([&]() -> std::optional<std::string_view> {
        if (++calls == 1) return std::string_view("q,a\n");
        return std::nullopt;
    });
    EXPECT_FALSE(failing.next(record));
    EXPECT_TRUE(failing.sourceFailed());
    EXPECT_FALSE(failing.problem().has_value());
}

}  // namespace
}  // namespace cardwise
