#include "core/content/marks.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "core/content/pair_side.h"
#include "core/content/pair_view.h"
#include "core/drill/pair_format.h"
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
                      MarksCase{"LoneAngleBetweenBreaksStays", "a^<^b", "a\r\n<\r\nb"},
                      MarksCase{"LoneAngleBeforeCaretStays", "a^<^^", "a\r\n<^"},
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
                                           MarksCase{"SpaceLineStaysSpaceLine", "a^ ^b",
                                                     "a\r\n \r\nb"},
                                           MarksCase{"TrailingBreak", "a^", "a\r\n"},
                                           MarksCase{"LeadingBreakThenAngle", "^<<x", "\r\n<x"},
                                           MarksCase{"LoneLineFeedUntouched", "a\nb", "a\nb"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A line break that another "^" would follow gets a space after its "^", so the stored
// form reads the same in every copy of the program; the line comes back with that space.
struct SpacedCase {
    const char* name;
    std::string typed;
    std::string stored;
    std::string shownAgain;
};

class EncodeSpacedTable : public ::testing::TestWithParam<SpacedCase> {};

TEST_P(EncodeSpacedTable, KeepsLineBreaksApart) {
    EXPECT_EQ(encodedMarks(GetParam().typed), GetParam().stored);
    EXPECT_EQ(decodedMarks(GetParam().stored), GetParam().shownAgain);
    EXPECT_EQ(encodedMarks(GetParam().shownAgain), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EncodeSpacedTable,
    ::testing::Values(SpacedCase{"EmptyLine", "a\r\n\r\nb", "a^ ^b", "a\r\n \r\nb"},
                      SpacedCase{"TwoEmptyLines", "a\r\n\r\n\r\nb", "a^ ^ ^b", "a\r\n \r\n \r\nb"},
                      SpacedCase{"CaretAfterBreak", "a\r\n^", "a^ ^^", "a\r\n ^"},
                      SpacedCase{"EmptyLastLines", "a\r\n\r\n", "a^ ^", "a\r\n \r\n"},
                      SpacedCase{"LoneCrAfterBreak", "a\r\n\rb", "a^ \rb", "a\r\n \rb"}),
    [](const auto& info) { return std::string(info.param.name); });

// What a typed text looks like after storing: a space opens every line that is empty or
// starts with "^" (only where a line break comes before it).
std::string shownAfterStoring(const std::string& typed) {
    std::string out;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        out += typed[i];
        if (typed[i] == '\n' && i > 0 && typed[i - 1] == '\r' && i + 1 < typed.size() &&
            (typed[i + 1] == '\r' || typed[i + 1] == '^')) {
            out += ' ';
        }
    }
    return out;
}

TEST(DecodeMarks, CutsToTextFieldWithoutHalfLineBreak) {
    std::string text(kViewTextMax - 1, 'x');
    text += "^tail";
    DecodeMarks(text);
    EXPECT_EQ(text, std::string(kViewTextMax - 1, 'x'));
}

TEST(EncodeMarks, InPlaceStoresTheSameAsThePureForm) {
    std::string text = "1 < 2\r\n\r\n^";
    EncodeMarks(text);
    EXPECT_EQ(text, "1 << 2^ ^ ^^");
}

// Every text comes back with its line breaks (a lone CR too), storing it again changes
// nothing, and the stored form stays display text behind a tag run (no "<" at its start
// is taken for a tag).
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
        ASSERT_EQ(decodedMarks(stored), shownAfterStoring(text)) << "stored as [" << stored << "]";
        ASSERT_EQ(encodedMarks(decodedMarks(stored)), stored);

        h.program.deck.PairText.set(0, "Q1=<HC1>hint%" + stored + "$#$!A1=x");
        const FormattedSide question = FormatPairSide(h.program, "Q", 1, {});
        ASSERT_TRUE(question.ok);
        ASSERT_EQ(question.view.Text, stored);
    }
    EXPECT_TRUE(h.ui.boxes.empty());
}

// Every short text over the characters that matter comes back, and is stored stably.
TEST(MarksProperty, AllShortTextsRoundTrip) {
    const std::string alphabet = "a^<\r\n ";
    std::vector<std::size_t> digits;
    for (std::size_t length = 0; length <= 6; ++length) {
        digits.assign(length, 0);
        for (;;) {
            std::string text;
            for (std::size_t d : digits) text += alphabet[d];
            const std::string stored = encodedMarks(text);
            ASSERT_EQ(decodedMarks(stored), shownAfterStoring(text));
            ASSERT_EQ(encodedMarks(decodedMarks(stored)), stored);
            std::size_t i = 0;
            while (i < length && ++digits[i] == alphabet.size()) digits[i++] = 0;
            if (i == length) break;
        }
    }
}

}  // namespace
}  // namespace cardwise
