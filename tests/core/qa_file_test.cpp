#include "core/deck/qa_file.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/deck/text_lines.h"
#include "support/deck_harness.h"

namespace cardwise {
namespace {

using testing::crlf;
using testing::ProgramHarness;

// Runs both passes the way the loader does and returns whether the second succeeded.
bool load(ProgramHarness& h, std::string_view qa, std::string_view setup = {}) {
    h.program.deck.allocate(countPairs(h.program, qa));
    return readPairs(h.program, qa, setup);
}

std::string questionLines(int count) {
    std::string out = "[Cardwise]\r\n";
    for (int i = 1; i <= count; ++i) {
        out += "Q" + std::to_string(i) + "=q\r\nA" + std::to_string(i) + "=a\r\n";
    }
    return out;
}

struct LineKindCase {
    std::string line;
    bool question;
    bool answer;
};

TEST(QAFileLines, QuestionAndAnswerLinesNeedTheLetterAndADigitOneToNine) {
    const std::vector<LineKindCase> cases = {
        {"Q1=x", true, false},  {"q5=x", true, false},   {"Q9", true, false},
        {"A1=x", false, true},  {"a7=x", false, true},   {"Q0=x", false, false},
        {"A0=x", false, false}, {"Q", false, false},     {"QA=x", false, false},
        {"", false, false},     {" Q1=x", false, false}, {"Q&A1=2026", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isQuestionLine(c.line), c.question) << c.line;
        EXPECT_EQ(isAnswerLine(c.line), c.answer) << c.line;
    }
}

struct SplitCase {
    std::string bytes;
    std::vector<std::string> lines;
};

TEST(QAFileLines, CrLfAndBareLfEndLinesWhileALoneCrStays) {
    const std::vector<SplitCase> cases = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r\nc", {"a\rb", "c"}},
        {"", {}},
        {"\r\n\r\n", {"", ""}},
        {"a\r", {"a"}},
        {std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}},
        {"\xEF\xBB\xBFQ1=a\r\n\xEF\xBB\xBF", {"Q1=a", "\xEF\xBB\xBF"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> got;
        for (auto line : splitLines(c.bytes)) got.emplace_back(line);
        EXPECT_EQ(got, c.lines) << ::testing::PrintToString(c.bytes);
    }
}

TEST(QAFileLines, ALineOf3000CharactersIsReadAsItsFirst2200) {
    std::string line = "Q1=" + std::string(2997, 'x');
    std::string bytes = line + "\r\nA1=a\r\n";
    auto lines = splitLines(bytes);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], line.substr(0, 2200));
    EXPECT_EQ(lines[1], "A1=a");
}

TEST(QAFileCount, FiveThousandPairsLoadWithoutWarning) {
    ProgramHarness h;
    EXPECT_EQ(countPairs(h.program, questionLines(5000)), 5000);
    EXPECT_TRUE(h.ui.boxes.empty());
}

TEST(QAFileCount, The5001stQuestionShowsTheOversizeWarningAndCountStopsAt5000) {
    ProgramHarness h;
    h.ui.expectBox(testing::kOversizeDeckBox);
    EXPECT_EQ(countPairs(h.program, questionLines(5003)), 5000);
}

TEST(QAFileCount, AFileOfCommentsAndHeaderHoldsNoPairs) {
    ProgramHarness h;
    std::string qa = crlf({"[Cardwise]", "; a comment", "", "Q0=not a question", "Center=1"});
    EXPECT_EQ(countPairs(h.program, qa), 0);
    EXPECT_TRUE(load(h, qa));
    EXPECT_EQ(h.program.deck.PairCount, 0);
}

TEST(QAFileRead, LowerCaseLinesAndCommentsBetweenFormOnePair) {
    ProgramHarness h;
    std::string qa = crlf({"[Cardwise]", "q5=What?", "; note one", "; note two", "a5=That."});
    ASSERT_TRUE(load(h, qa));
    ASSERT_EQ(h.program.deck.PairCount, 1);
    EXPECT_EQ(h.program.deck.PairText[0], "q5=What?$#$!a5=That.");
    EXPECT_EQ(h.program.deck.LoadOutcome, 1);
}

TEST(QAFileRead, BareLineFeedsReadLikeCrLf) {
    ProgramHarness crlfDeck;
    ProgramHarness lfDeck;
    ASSERT_TRUE(load(crlfDeck, crlf({"Q1=a", "A1=b", "Q2=c", "A2=d"})));
    ASSERT_TRUE(load(lfDeck, "Q1=a\nA1=b\nQ2=c\nA2=d"));
    EXPECT_EQ(lfDeck.program.deck.PairCount, 2);
    EXPECT_EQ(lfDeck.program.deck.PairText, crlfDeck.program.deck.PairText);
}

TEST(QAFileRead, NulBytesAreKeptAsText) {
    ProgramHarness h;
    std::string question = std::string("Q1=a\0b", 6);
    std::string answer = "A1=" + std::string(1000, '\0');
    ASSERT_TRUE(load(h, question + "\r\n" + answer + "\r\n"));
    EXPECT_EQ(h.program.deck.PairText[0], question + "$#$!" + answer);
}

TEST(QAFileRead, AnOverlongAnswerLineIsCutAndThenRefusedAsTooLong) {
    ProgramHarness h;
    h.ui.expectBox(testing::overlongPairBox(1));
    EXPECT_FALSE(load(h, crlf({"Q1=a", "A1=" + std::string(100000, 'y')})));
    EXPECT_EQ(h.program.deck.LoadOutcome, 4);
}

TEST(QAFileRead, APairOf2099CharactersLoads) {
    ProgramHarness h;
    // "Q1=" + text + "$#$!" + "A1=b": 3 + n + 4 + 4 characters.
    std::string qa = crlf({"Q1=" + std::string(2088, 'x'), "A1=b"});
    ASSERT_TRUE(load(h, qa));
    EXPECT_EQ(h.program.deck.PairText[0].size(), 2099u);
    EXPECT_TRUE(h.ui.boxes.empty());
}

TEST(QAFileRead, APairOf2100CharactersIsRefusedWithOutcome4) {
    ProgramHarness h;
    std::string qa = crlf({"Q1=a", "A1=b", "Q2=" + std::string(2089, 'x'), "A2=b"});
    h.ui.expectBox(testing::overlongPairBox(2));
    EXPECT_FALSE(load(h, qa));
    EXPECT_EQ(h.program.deck.LoadOutcome, 4);
}

TEST(QAFileRead, AQuestionPassedOverWhileSeekingAnAnswerBecomesItsOwnPairAtTheEnd) {
    ProgramHarness h;
    ASSERT_TRUE(load(h, crlf({"Q1=first", "Q2=second", "A2=answer", "Q3=third", "A3=three"})));
    const DeckState& deck = h.program.deck;
    ASSERT_EQ(deck.PairCount, 3);
    EXPECT_EQ(deck.PairText[0], "Q1=first$#$!A2=answer");
    EXPECT_EQ(deck.PairText[1], "Q3=third$#$!A3=three");
    EXPECT_EQ(deck.PairText[2], "Q2=second$#$!A3=");
}

TEST(QAFileRead, ALastQuestionWithoutAnswerGetsAnEmptyAnswerSide) {
    ProgramHarness h;
    ASSERT_TRUE(load(h, crlf({"Q1=a", "A1=b", "Q2=lonely", "; end"})));
    ASSERT_EQ(h.program.deck.PairCount, 2);
    EXPECT_EQ(h.program.deck.PairText[1], "Q2=lonely$#$!A2=");
    EXPECT_EQ(h.program.deck.currentText(2), "Q2=lonely$#$!A2=");
}

TEST(QAFileRead, StatusLinesAreTakenByPositionAndMissingOnesStayZ) {
    ProgramHarness h;
    std::string setup =
        crlf({"[Cardwise]", "Center=1", "Q&A7=20261201 1    1 0 0001", "anything at all", "   "});
    ASSERT_TRUE(load(h, questionLines(4), setup));
    const auto& status = h.program.deck.StatusText;
    EXPECT_EQ(status[0], "Q&A7=20261201 1    1 0 0001");
    EXPECT_EQ(status[1], "anything at all");
    EXPECT_EQ(status[2], "   ");
    EXPECT_EQ(status[3], "Z");
}

struct CategoryCase {
    std::string line;
    std::string category;
};

TEST(QAFileRead, CategoryComesFromTheNameTag) {
    const std::vector<CategoryCase> cases = {
        {"Q1=<NAM>Verbs%What is it", "Verbs"},
        {"Q1=<nam>verbs<BMP>a.bmp%x", "verbs"},
        {"Q1=<NAM>Big<nam>small%x", "small"},  // "<n" is sought first
        {"Q1=<NAM>ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKL"},
        {"Q1=plain question", "0"},
        {"Q1=<NA", "0"},
        {"Q1=<NAM>%text", "0"},
    };
    for (const auto& c : cases) EXPECT_EQ(categoryOf(c.line), c.category) << c.line;

    ProgramHarness h;
    ASSERT_TRUE(load(h, crlf({"Q1=<NAM>Verbs%go", "A1=went", "Q2=x", "A2=y"})));
    EXPECT_EQ(h.program.deck.CategoryName[0], "Verbs");
    EXPECT_EQ(h.program.deck.CategoryName[1], "0");
}

struct OlderLineCase {
    std::string line;
    bool settings;
};

TEST(QAFileOlderLayout, SettingsLinesAreTheLinesNoRuleExcludes) {
    const std::vector<OlderLineCase> cases = {
        {"Center=1", true},
        {"Q&A1=20261201 0    0 0 0000", true},
        {"; comment", false},
        {"[Cardwise]", false},
        {"Q1=question", false},
        {"a3=answer", false},
        {"", false},
        {"x", true},
        {"Ql=x", false},
        {"abcdC=1", false},
        {"Q0=x", true},
        {"Wide=", true},
    };
    std::string qa;
    std::vector<std::string> expected;
    for (const auto& c : cases) {
        qa += c.line + "\r\n";
        if (c.settings) expected.push_back(c.line);
    }
    EXPECT_EQ(olderSettingsLines(qa), expected);
}

TEST(QAFileWrite, RewriteNumbersByPositionUsesUpperCaseAndDropsOtherLines) {
    ProgramHarness h;
    std::string qa = crlf({"[Cardwise]", "; comment", "q5=What?", "", "; more", "a5=That.",
                           "Center=1", "Q9=<NAM>X%Two", "A1=2"});
    ASSERT_TRUE(load(h, qa));
    EXPECT_EQ(writeQAFile(h.program.deck),
              "[Cardwise]\r\nQ1=What?\r\nA1=That.\r\nQ2=<NAM>X%Two\r\nA2=2\r\n");
}

TEST(QAFileWrite, SidesWithoutEqualsSignKeepTheirText) {
    DeckState deck;
    deck.allocate(3);
    deck.PairText.set(0, "Q5 no sign$#$!A5 answer");
    deck.PairText.set(1, "bare question$#$!bare answer");
    deck.PairText.set(2, "Q3=no separator");
    EXPECT_EQ(writeQAFile(deck),
              "[Cardwise]\r\nQ1= no sign\r\nA1= answer\r\nQ2=bare question\r\nA2=bare answer\r\n"
              "Q3=no separator\r\nA3=\r\n");
}

TEST(QAFileWrite, TheEditedTextStoreWinsAndLineFeedsBecomeLineBreakMarks) {
    DeckState deck;
    deck.allocate(2);
    deck.PairText.set(0, "Q1=old$#$!A1=old");
    deck.PairText.set(1, "Q2=two\r\nlines$#$!A2=a\nb");
    deck.EditorUsed = true;
    deck.EditSlot[1] = 1;
    deck.EditedText[1] = "Q1=new$#$!A1=newer";
    EXPECT_EQ(writeQAFile(deck), "[Cardwise]\r\nQ1=new\r\nA1=newer\r\nQ2=two^lines\r\nA2=a^b\r\n");
}

struct LineFeedCase {
    std::string side;
    std::string written;
};

TEST(QAFileWrite, OnlyTheCrRightBeforeALineFeedGoesWithIt) {
    const std::vector<LineFeedCase> cases = {
        {"x\r\r\ny", "x\r^y"}, {"x\ry", "x\ry"},     {"\n\n", "^^"},
        {"x\r", "x\r"},        {"\r\nx\r\n", "^x^"}, {"x\n\r", "x^\r"},
    };
    for (const auto& c : cases) {
        DeckState deck;
        deck.allocate(1);
        deck.PairText.set(0, "Q1=" + c.side + "$#$!A1=a");
        EXPECT_EQ(writeQAFile(deck), "[Cardwise]\r\nQ1=" + c.written + "\r\nA1=a\r\n")
            << ::testing::PrintToString(c.side);
    }
}

TEST(QAFileWrite, ARewrittenFileReadsBackToTheSamePairs) {
    ProgramHarness first;
    ASSERT_TRUE(load(first, crlf({"q4=one", "a4=1", "Q1=two", "Q7=three", "A2=2"})));
    std::string written = writeQAFile(first.program.deck);
    ProgramHarness second;
    ASSERT_TRUE(load(second, written));
    ASSERT_EQ(second.program.deck.PairCount, first.program.deck.PairCount);
    EXPECT_EQ(writeQAFile(second.program.deck), written);
    EXPECT_EQ(second.program.deck.PairText[2], "Q3=three$#$!A3=");
}

// Whatever bytes a file holds, reading, rewriting and reading again never fails badly:
// every counted pair has a text with the separator, and a rewrite reads back unchanged.
TEST(QAFileRead, ArbitraryBytesAreReadAndRewrittenSafely) {
    std::mt19937 engine(20261207);
    const std::vector<std::string> pieces = {"Q",
                                             "q",
                                             "A",
                                             "a",
                                             "1",
                                             "0",
                                             "9",
                                             "=",
                                             "<N",
                                             "<n",
                                             "AM>",
                                             "%",
                                             "<",
                                             "\r",
                                             "\n",
                                             "\r\n",
                                             "$#$!",
                                             ";",
                                             std::string(1, '\0'),
                                             "x",
                                             "Q&A",
                                             " ",
                                             "^"};
    for (int round = 0; round < 300; ++round) {
        std::string qa;
        int length = static_cast<int>(engine() % 400);
        for (int i = 0; i < length; ++i) qa += pieces[engine() % pieces.size()];
        ProgramHarness h;
        ASSERT_TRUE(load(h, qa, qa)) << ::testing::PrintToString(qa);
        const DeckState& deck = h.program.deck;
        for (std::int32_t n = 1; n <= deck.PairCount; ++n) {
            EXPECT_NE(deck.currentText(n).find("$#$!"), std::string::npos);
            EXPECT_LE(deck.CategoryName[static_cast<std::size_t>(n - 1)].size(), 12u);
            EXPECT_LE(deck.StatusText[static_cast<std::size_t>(n - 1)].size(), 32u);
        }
        std::string written = writeQAFile(deck);
        ProgramHarness again;
        ASSERT_TRUE(load(again, written)) << ::testing::PrintToString(qa);
        EXPECT_EQ(again.program.deck.PairCount, deck.PairCount);
        EXPECT_EQ(writeQAFile(again.program.deck), written) << ::testing::PrintToString(qa);
        olderSettingsLines(qa);
    }
}

}  // namespace
}  // namespace cardwise
