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

}  // namespace
}  // namespace cardwise
