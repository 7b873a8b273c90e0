#include "core/content/marks.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "core/content/pair_side.h"
#include "core/content/pair_view.h"
#include "support/fakes.h"

namespace cardwise {
namespace {

struct MarksCase {
    const char* name;
    std::string stored;
    std::string shown;
};

class DecodeMarksTable : public ::testing::TestWithParam<MarksCase> {};

TEST_P(DecodeMarksTable, ShowsStoredText) {
    EXPECT_EQ(decodedMarks(GetParam().stored), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeMarksTable,
    ::testing::Values(MarksCase{"SingleCaretBreaksLine", "Line one^Line two",
                                "Line one\r\nLine two"},
                      MarksCase{"DoubleCaretIsCaret", "a^^b", "a^b"},
                      MarksCase{"TripleCaretIsCaretThenBreak", "a^^^b", "a^\r\nb"},
                      MarksCase{"SpacedCaretsGiveSpaceLine", "x^ ^y", "x\r\n \r\ny"},
                      MarksCase{"DoubledAngleIsAngle", "<<b>>", "<b>>"},
                      MarksCase{"TripleAngleIsOneAngle", "a<<<b", "a<b"},
                      MarksCase{"LoneAnglesAloneStay", "a<b<c", "a<b<c"},
                      MarksCase{"LoneAngleDroppedBesideDoubled", "a<b<<c", "ab<c"},
                      MarksCase{"SeparatorBetweenBreaks", "a^<^b", "a\r\n\r\nb"},
                      MarksCase{"SeparatorBeforeCaret", "a^<^^", "a\r\n^"},
                      MarksCase{"AngleAfterLiteralCaretIsNoSeparator", "a^^<^b", "a^<\r\nb"},
                      MarksCase{"DoubledAngleAfterBreakIsNoSeparator", "a^<<^^", "a\r\n<^"},
                      MarksCase{"NoMarksUnchanged", "plain % text >", "plain % text >"}),
    [](const auto& info) { return std::string(info.param.name); });

class EncodeMarksTable : public ::testing::TestWithParam<MarksCase> {};

TEST_P(EncodeMarksTable, StoresShownText) {
    EXPECT_EQ(encodedMarks(GetParam().shown), GetParam().stored);
    EXPECT_EQ(decodedMarks(GetParam().stored), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, EncodeMarksTable,
                         ::testing::Values(MarksCase{"CaretDoubled", "a^^b", "a^b"},
                                           MarksCase{"CaretRunDoubled", "^^^^^^", "^^^"},
                                           MarksCase{"AngleDoubled", "<<<<b>", "<<b>"},
                                           MarksCase{"LineBreakIsCaret", "a^b", "a\r\nb"},
                                           MarksCase{"CaretBeforeBreak", "a^^^b", "a^\r\nb"},
                                           MarksCase{"EmptyLineKeptApart", "a^<^b", "a\r\n\r\nb"},
                                           MarksCase{"TwoEmptyLines", "a^<^<^b", "a\r\n\r\n\r\nb"},
                                           MarksCase{"CaretAfterBreak", "a^<^^", "a\r\n^"},
                                           MarksCase{"SpaceLineStaysSpaceLine", "a^ ^b",
                                                     "a\r\n \r\nb"},
                                           MarksCase{"TrailingBreak", "a^", "a\r\n"},
                                           MarksCase{"LeadingBreakThenAngle", "^<<x", "\r\n<x"},
                                           MarksCase{"LoneLineFeedUntouched", "a\nb", "a\nb"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DecodeMarks, CutsToTextFieldWithoutHalfLineBreak) {
    std::string text(kViewTextMax - 1, 'x');
    text += "^tail";
    DecodeMarks(text);
    EXPECT_EQ(text, std::string(kViewTextMax - 1, 'x'));
}

TEST(EncodeMarks, InPlaceMatchesPureForm) {
    std::string text = "1 < 2\r\n\r\n^";
    EncodeMarks(text);
    EXPECT_EQ(text, encodedMarks("1 < 2\r\n\r\n^"));
}

// Every text comes back exactly (a lone CR too), and their stored form stays display text
// behind a tag run (no "<" at its start is taken for a tag).
TEST(MarksProperty, EncodedTextDecodesToItselfAndStaysDisplayText) {
    const std::array<std::string, 13> pieces = {"a", "b",    " ",  "  ",   "^",  "<", ">",
                                                "%", "\r\n", "\n", "\xe9", "<<", "\r"};
    std::mt19937 engine(20261207);
    std::uniform_int_distribution<std::size_t> length(0, 40);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);

    testing::ProgramHarness h;
    h.program.deck.allocate(1);
    for (int round = 0; round < 4000; ++round) {
        std::string text;
        for (std::size_t i = length(engine); i > 0; --i) text += pieces[pick(engine)];
        const std::string stored = encodedMarks(text);
        ASSERT_EQ(decodedMarks(stored), text) << "stored as [" << stored << "]";

        h.program.deck.PairText[0] = "Q1=<HC1>hint%" + stored + "$#$!A1=x";
        ASSERT_TRUE(FormatPairSide(h.program, "Q", 1));
        ASSERT_EQ(h.program.view.Text, stored);
    }
    EXPECT_TRUE(h.ui.boxes.empty());
}

// Every short text over the characters that matter comes back exactly.
TEST(MarksProperty, AllShortTextsRoundTrip) {
    const std::string alphabet = "a^<\r\n ";
    std::vector<std::size_t> digits;
    for (std::size_t length = 0; length <= 6; ++length) {
        digits.assign(length, 0);
        for (;;) {
            std::string text;
            for (std::size_t d : digits) text += alphabet[d];
            ASSERT_EQ(decodedMarks(encodedMarks(text)), text);
            std::size_t i = 0;
            while (i < length && ++digits[i] == alphabet.size()) digits[i++] = 0;
            if (i == length) break;
        }
    }
}

}  // namespace
}  // namespace cardwise
