#include "core/exchange/pair_import.h"

#include <gtest/gtest.h>

#include "core/deck/deck_state.h"

namespace cardwise {
namespace {

const std::string kMarkup = "question markup\tanswer markup\tcategory\r\n";

struct RowCase {
    const char* name;
    std::string file;
    std::string question;  // as stored, without "Q<n>="
    std::string answer;
};

// Each file holds one pair after an optional header.
const RowCase kRowCases[] = {
    {"HeaderAndCategory", "question\tanswer\tcategory\r\nWhat?\tThat\tGeo\r\n",
     "<NAM>Geo%What?", "That"},
    {"HeaderInAnyCaseWithCommas", "Question, ANSWER\nWhat?,That\n", "What?", "That"},
    {"NoHeader", "What?\tThat\n", "What?", "That"},
    {"LineBreaksBecomeCarets", "\"one\ntwo\",\"x\r\ny\r\n\"\n", "one^two", "x^y^"},
    {"EmptyLineKeepsItsSpace", "\"a\n\nb\",c\n", "a^ ^b", "c"},
    {"CaretsAndAnglesAreDoubled", "x^y <b> 50%\t<<z\n", "x^^y <<b> 50%", "<<<<z"},
    {"PercentAfterACategory", "50% off\tsale\tShop\n", "<NAM>Shop%50% off", "sale"},
    {"CategoryOnly", "\tanswer\tGeo\n", "<NAM>Geo", "answer"},
    {"CategoryBlanksTrimmed", "q\ta\t  Geo  \n", "<NAM>Geo%q", "a"},
    {"WesternCharacters", "caf\xC3\xA9\t\xE2\x82\xAC 5\n", "caf\xE9", "\x80 5"},
    {"UpperNAfterACategoryIsText", "I<N\tx\tMath\n", "<NAM>Math%I<<N", "x"},
    {"SeparatorInTheAnswerIsKept", "q\ta$#$!b\n", "q", "a$#$!b"},
    {"BlankRowsSkipped", "\n\t\t\nq\ta\n\t\n", "q", "a"},
    {"EmptyFourthColumnIgnored", "q\ta\tc\t\n", "<NAM>c%q", "a"},
    // A plain file's text never turns into tags.
    {"PlainTagLookalikesStayText", "<HC1>hint%q\t<FIB>1\n", "<<HC1>hint%q", "<<FIB>1"},
    {"PlainPercentFirstAfterACategory", "%x\ty\tC\n", "<NAM>C%%x", "y"},
    // A markup file's sides are taken as stored; its category goes first, as the editor
    // writes it.
    {"MarkupSidesAsStored", kMarkup + "<MC1>x<MC2>y%Pick^one\t<FIB>2%Because\tGeo\r\n",
     "<NAM>Geo<MC1>x<MC2>y%Pick^one", "<FIB>2%Because"},
    {"MarkupHeaderInAnyCaseWithCommas", "Question Markup,ANSWER MARKUP\na^^b <<c,d^e\n",
     "a^^b <<c", "d^e"},
    {"MarkupTextAfterACategory", kMarkup + "q\t%a\tC\n", "<NAM>C%q", "%a"},
    {"MarkupEscapedAngleAfterACategory", kMarkup + "<<b>\ta\tC\n", "<NAM>C%<<b>", "a"},
    // An export guards texts that a spreadsheet would run; under a header the guard goes.
    {"FormulaGuardTakenOffUnderTheHeader",
     "question\tanswer\tcategory\r\n'=1+1\t'-3\t'@Cat\r\n", "<NAM>@Cat%=1+1", "-3"},
    {"FormulaGuardTakenOffUnderTheMarkupHeader", kMarkup + "'+x\t'''\r\n", "+x", "''"},
    {"ApostropheWithoutAHeaderStays", "'=1+1\t'-3\n", "'=1+1", "'-3"},
    {"MarkupKeepsItsOwnCategoryTag", kMarkup + "<nam>geo%i<<n\t<NAM>x\n", "<nam>geo%i<<n",
     "<NAM>x"},
};

class ImportRow : public ::testing::TestWithParam<RowCase> {};

TEST_P(ImportRow, StoredAsTheEditorWouldStoreIt) {
    const RowCase& c = GetParam();
    ImportPlan plan = planImport(c.file, DeckContents{});
    ASSERT_FALSE(plan.problem.has_value()) << plan.problem->text;
    ASSERT_EQ(plan.pairs.size(), 1u);
    EXPECT_EQ(plan.pairs[0].question, c.question);
    EXPECT_EQ(plan.pairs[0].answer, c.answer);
}

INSTANTIATE_TEST_SUITE_P(Cases, ImportRow, ::testing::ValuesIn(kRowCases),
                         [](const auto& info) { return std::string(info.param.name); });

std::vector<std::string> names(int count, const std::string& prefix) {
    std::vector<std::string> out;
    for (int i = 1; i <= count; ++i) out.push_back(prefix + std::to_string(i));
    return out;
}

std::string rows(int count) {
    std::string out;
    for (int i = 1; i <= count; ++i) out += "q" + std::to_string(i) + "\ta\n";
    return out;
}

struct ProblemCase {
    const char* name;
    std::string file;
    DeckContents deck;
    int line;
    std::string text;
};

const std::string kBadCharacter =
    "The Character \"\xD0\x91\" (U+0411) Cannot Be Stored In A Deck.  Decks Hold Only The "
    "Characters Of The Western European (Windows-1252) Code Page.  Please Replace It And Try "
    "Again.";

// A pair is "Q" + four digits + "=" + question + "$#$!" + "A" + four digits + "=" + answer:
// 16 characters besides the two texts, and it must stay below 2100.
const std::string kLongest = std::string(2083, 'x');

const ProblemCase kProblemCases[] = {
    {"PairTooLong", "ok\tfine\n" + kLongest + "\ty\n", {}, 2,
     "This Pair Would Hold 2100 Characters In The Deck (Markup And A Four-Digit Pair Number "
     "Included); A Pair Must Stay Below 2100 Characters"},
    {"MarkupCountsTowardsTheLength", std::string(2070, 'x') + "\t^^^^^^^\n", {}, 1,
     "This Pair Would Hold 2100 Characters In The Deck (Markup And A Four-Digit Pair Number "
     "Included); A Pair Must Stay Below 2100 Characters"},
    {"Pair5001", rows(2), DeckContents{4999, {}}, 2,
     "This Row Would Be Pair 5001 Of The Deck; A Deck Holds At Most 5000 Pairs"},
    {"FullDeck", rows(1), DeckContents{5000, {}}, 1,
     "This Row Would Be Pair 5001 Of The Deck; A Deck Holds At Most 5000 Pairs"},
    {"Category101", "q\ta\tc99\nq\ta\tC1\nq\ta\tNew\n", DeckContents{10, names(100, "c")}, 3,
     "The Category \"New\" Would Be The Deck's 101st; A Deck Holds At Most 100 Categories"},
    {"Category101FromTheFile", "q\ta\tn1\nq\ta\tn2\nq\ta\tN1\n", DeckContents{10, names(99, "c")},
     2, "The Category \"n2\" Would Be The Deck's 101st; A Deck Holds At Most 100 Categories"},
    {"NotWindows1252", "q\ta\n\"multi\nline\"\tx\n\xD0\x91\ty\n", {}, 4,
     "Question: " + kBadCharacter},
    {"NotWindows1252InTheAnswer", "q\t\xD0\x91\n", {}, 1, "Answer: " + kBadCharacter},
    {"NotUtf8", "q\t\xFFx\n", {}, 1,
     "The Answer Holds Bytes That Are Not UTF-8 Text; Please Save The File As UTF-8 And Import "
     "It Again"},
    {"UnclosedQuote", "q\ta\n\"open\tb\nc\td\n", {}, 2,
     "A Quoted Field Starts Here And Is Never Closed"},
    {"CategoryTooLong", "q\ta\tSixteen chars xx\n", {}, 1,
     "The Category \"Sixteen chars xx\" Is Longer Than 15 Characters"},
    {"CategoryWithMarkup", "q\ta\t50%\n", {}, 1,
     "The Category \"50%\" Holds \"<\", \"%\" Or A Line Break, Which End A Category In A Deck"},
    {"SeparatorInTheQuestion", "a$#$!b\tc\n", {}, 1,
     "The Question Holds \"$#$!\", Which Separates The Question From The Answer In A Deck"},
    {"LowerNLooksLikeACategoryTag", "q\ta\nfor i<n; i++\tloop\n", {}, 2,
     "The Question Holds \"<n\", Which A Deck Would Take For The Start Of A Category Tag"},
    {"UpperNWithoutACategory", "I<NAME> is\tx\n", {}, 1,
     "The Question Holds \"<N\", Which A Deck Would Take For The Start Of A Category Tag"},
    {"ControlCharacter", "a\x01\tb\n", {}, 1,
     "The Question Holds A Control Character, Which A Deck Cannot Show"},
    {"NoSeparator", "q\ta\njust a question\n", {}, 2,
     "This Line Holds No Question And Answer Separated By A Tab"},
    {"FourthColumn", "q,a,c,extra\n", {}, 1,
     "This Row Has More Than Three Columns; Only Question, Answer And Category Can Be Imported"},
    {"NoPairs", "question\tanswer\n\n", {}, 0, "The File Holds No Pairs To Import."},
    {"MarkupUnknownTag", kMarkup + "q\ta\n<XYZ>a%q\ta\n", {}, 3,
     "The Question Markup Has A Fault: Unidentified Tag Encountered"},
    {"MarkupAnswerNumberWithoutChoice", kMarkup + "<MC1>a<MC2>b%q\t<FIB>3\n", {}, 2,
     "The Answer Markup Has A Fault: Invalid Multiple Choice Answer Number"},
    {"MarkupSevenFillInAnswers",
     kMarkup + "<FIB>%q\t<MC1>1<MC2>2<MC3>3<MC4>4<MC5>5<MC6>6<MC7>7\n", {}, 2,
     "The Answer Markup Has A Fault: Too Many Multiple Choice Or Fill-In Answers"},
    {"MarkupLineBreak", kMarkup + "q\t\"one\ntwo\"\n", {}, 2,
     "The Answer Markup Holds A Line Break; In Markup A Line Break Is Written As \"^\""},
    {"MarkupSeparator", kMarkup + "q\ta$#$!b\n", {}, 2,
     "The Answer Markup Holds \"$#$!\", Which Separates The Question From The Answer In A "
     "Deck"},
    {"MarkupCategoryTwice", kMarkup + "<NAM>x%q\ta\tGeo\n", {}, 2,
     "The Question Markup Names A Category Of Its Own Besides The Category Column"},
    {"MarkupLookalikeBesideACategory", kMarkup + "i<<n\ta\tC\n", {}, 2,
     "The Question Holds \"<n\", Which A Deck Would Take For The Start Of A Category Tag"},
    {"MarkupCategoryCounts", kMarkup + "<NAM>c99%q\ta\n<NAM>New%q\ta\n",
     DeckContents{10, names(100, "c")}, 3,
     "The Category \"New\" Would Be The Deck's 101st; A Deck Holds At Most 100 Categories"},
    {"Utf16", std::string("\xFF\xFEq\0\t\0a\0", 8), {}, 0,
     "The File Is UTF-16 Text; Please Save It As UTF-8 (Or CSV UTF-8) And Import It Again."},
};

class ImportProblem : public ::testing::TestWithParam<ProblemCase> {};

TEST_P(ImportProblem, FirstBadRowIsToldWithItsLine) {
    const ProblemCase& c = GetParam();
    ImportPlan plan = planImport(c.file, c.deck);
    ASSERT_TRUE(plan.problem.has_value());
    EXPECT_EQ(plan.problem->line, c.line);
    EXPECT_EQ(plan.problem->text, c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, ImportProblem, ::testing::ValuesIn(kProblemCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PairImport, LongestPairAndLastPairAndLastCategoryFit) {
    EXPECT_FALSE(planImport(std::string(2082, 'x') + "\ty\n", {}).problem.has_value());
    EXPECT_FALSE(planImport(rows(1), DeckContents{4999, {}}).problem.has_value());
    EXPECT_FALSE(planImport("q\ta\tnew\n", DeckContents{1, names(99, "c")}).problem.has_value());
}

TEST(PairImport, ProblemTextNamesTheLineAndTheFile) {
    EXPECT_EQ(importProblemText("/x/cards.csv", TextProblem{7, "Something Is Wrong"}),
              "Line 7 Of /x/cards.csv: Something Is Wrong.  Nothing Was Imported.");
    EXPECT_EQ(importProblemText("/x/cards.csv", TextProblem{0, "The File Is Bad."}),
              "The File Is Bad.  Nothing Was Imported.");
}

TEST(PairImport, DeckContentsCountEveryQuestionLineAndItsCategory) {
    DeckContents c = deckContentsOf(
        "[Cardwise]\r\n; note\r\nQ1=<NAM>Geo%a\r\nA1=b\r\nq7=plain\r\nA7=x\r\nQ3=<nam>Longer than "
        "twelve%z\r\nA3=y\r\nQ0=not a question\r\n");
    EXPECT_EQ(c.pairCount, 3);
    EXPECT_EQ(c.categories, (std::vector<std::string>{"Geo", "Longer than "}));
}

TEST(PairImport, AppendedPairsFollowEveryExistingByte) {
    const std::vector<ImportedPair> pairs{{1, "<NAM>c%q", "a"}, {2, "x", "y"}};
    const std::string withEnd = "[Cardwise]\r\n; keep me\r\nQ1=one\r\nA1=uno\r\n";
    EXPECT_EQ(appendedQAFile(withEnd, 1, pairs),
              withEnd + "Q2=<NAM>c%q\r\nA2=a\r\nQ3=x\r\nA3=y\r\n");
    // A last line without its end gets one; a file edited elsewhere keeps its LF lines.
    EXPECT_EQ(appendedQAFile("Q1=one\nA1=uno", 1, pairs),
              "Q1=one\nA1=uno\r\nQ2=<NAM>c%q\r\nA2=a\r\nQ3=x\r\nA3=y\r\n");
    EXPECT_EQ(appendedQAFile("", 0, pairs),
              "[Cardwise]\r\nQ1=<NAM>c%q\r\nA1=a\r\nQ2=x\r\nA2=y\r\n");
    EXPECT_EQ(newDeckQAFile(pairs), appendedQAFile("", 0, pairs));
}

struct SetupCase {
    const char* name;
    std::string before;
    std::int32_t pairs;
    std::string after;
};

const std::string kNew4 = "Q&A4=20261207 0    0 0 0000\r\n";
const std::string kNew5 = "Q&A5=20261207 0    0 0 0000\r\n";

const SetupCase kSetupCases[] = {
    {"OneLinePerPair", "[CARDWISE]\r\nNoPriority=  1\r\nQ&A1=x\r\nQ&A2=y\r\nQ&A3=z\r\n", 3,
     "[CARDWISE]\r\nNoPriority=  1\r\nQ&A1=x\r\nQ&A2=y\r\nQ&A3=z\r\n" + kNew4 + kNew5},
    {"LinesAfterTheLastPairStayAfter",
     "[CARDWISE]\r\nQ&A1=x\r\nQ&A2=y\r\nQ&A3=z\r\nQ&A4=stale\r\nLateKey=1\r\n", 3,
     "[CARDWISE]\r\nQ&A1=x\r\nQ&A2=y\r\nQ&A3=z\r\n" + kNew4 + kNew5 +
         "Q&A4=stale\r\nLateKey=1\r\n"},
    {"MissingLinesGetTheNewPairLine", "[CARDWISE]\r\nQ&A1=x\r\n", 3,
     "[CARDWISE]\r\nQ&A1=x\r\nQ&A2=20261207 0    0 0 0000\r\nQ&A3=20261207 0    0 0 0000\r\n" +
         kNew4 + kNew5},
    {"NoStatusLines", "[CARDWISE]\r\nNoPriority=  1", 3,
     "[CARDWISE]\r\nNoPriority=  1\r\nQ&A1=20261207 0    0 0 0000\r\nQ&A2=20261207 0    0 0 "
     "0000\r\nQ&A3=20261207 0    0 0 0000\r\n" +
         kNew4 + kNew5},
    {"LfLinesAndNoLastEnd", "[CARDWISE]\nQ&A1=x\nQ&A2=y\nQ&A3=z", 3,
     "[CARDWISE]\nQ&A1=x\nQ&A2=y\nQ&A3=z\r\n" + kNew4 + kNew5},
};

class SetupAppend : public ::testing::TestWithParam<SetupCase> {};

TEST_P(SetupAppend, NewPairsGetTheirLinesWhereTheLoadLooks) {
    const SetupCase& c = GetParam();
    EXPECT_EQ(appendedSetupFile(c.before, c.pairs, 2, 20261207), c.after);
}

INSTANTIATE_TEST_SUITE_P(Cases, SetupAppend, ::testing::ValuesIn(kSetupCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cardwise
