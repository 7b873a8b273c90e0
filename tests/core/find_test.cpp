#include "core/editor/find.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fakes.h"

namespace cardwise {
namespace {

using testing::ProgramHarness;
using testing::ShownBox;

const std::vector<std::string> kPairs = {
    "Q1=Paris is in France$#$!A1=Yes",
    "Q2=<MC1>Rome<MC2>Oslo%Capital of Italy?$#$!A2=<FIB>1",
    "Q3=Nothing here$#$!A3=no",
    "Q4=paris again$#$!A4=ok",
    "Q5=<FIB>%Fill the gap \xe9t\xe9$#$!A5=<MC1>gap",
};

// The deck of kPairs over scripted boxes.
struct FindDeck {
    ProgramHarness h;
    Program& program = h.program;
    FindDeck() {
        program.deck.allocate(static_cast<std::int32_t>(kPairs.size()));
        for (std::size_t i = 0; i < kPairs.size(); ++i) program.deck.PairText.set(i, kPairs[i]);
    }
};

struct FindFixture : ::testing::Test, FindDeck {};

struct RangeCase {
    const char* name;
    std::string text;
    std::int32_t first;
    std::int32_t last;
    bool upward;
    std::int32_t found;
};

class FindRangeTable : public FindFixture, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(FindRangeTable, FindsFirstPairInOrder) {
    const RangeCase& c = GetParam();
    EXPECT_EQ(FindStringInRange(program, c.text, c.first, c.last, c.upward), c.found);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindRangeTable,
    ::testing::Values(RangeCase{"UpperFindsLower", "PARIS", 1, 5, true, 1},
                      RangeCase{"FromSecondUp", "paris", 2, 5, true, 4},
                      RangeCase{"DownStartsAtLast", "paris", 1, 5, false, 4},
                      RangeCase{"TagNameFindsChoicePair", "MC1", 1, 5, true, 2},
                      RangeCase{"TagNameFindsFillInPair", "mc1", 3, 5, true, 5},
                      RangeCase{"SeparatorEverywhere", "$#$!", 3, 3, true, 3},
                      RangeCase{"PrefixSearchable", "q4=", 1, 5, true, 4},
                      RangeCase{"EmptyTextNowhere", "", 1, 5, true, 0},
                      RangeCase{"EmptyRange", "paris", 5, 4, true, 0},
                      RangeCase{"RangeClampedToDeck", "gap", -3, 99, false, 5},
                      RangeCase{"AccentsExact", "\xc9T\xc9", 1, 5, true, 0},
                      RangeCase{"AccentsMatchThemselves", "\xe9T\xe9", 1, 5, true, 5},
                      RangeCase{"NotThere", "zebra", 1, 5, true, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FindFixture, SearchesEditedTextFirst) {
    program.deck.EditorUsed = true;
    program.deck.EditSlot[3] = 2;
    program.deck.EditedText[2] = "Q3=A zebra now$#$!A3=no";
    EXPECT_EQ(FindStringInRange(program, "ZEBRA", 1, 5, true), 3);
    EXPECT_EQ(FindStringInRange(program, "Nothing", 1, 5, true), 0);
}

TEST_F(FindFixture, FindStaysOnCurrentPairFindNextMoves) {
    program.deck.CurrentPair = 1;
    EXPECT_EQ(FindOrFindNext(program, {"paris", FindDirection::Up}, FindButton::Find), 1);
    EXPECT_EQ(program.deck.CurrentPair, 1);
    EXPECT_EQ(FindOrFindNext(program, {"paris", FindDirection::Up}, FindButton::FindNext), 4);
    EXPECT_EQ(program.deck.CurrentPair, 4);
    EXPECT_EQ(FindOrFindNext(program, {"paris", FindDirection::Down}, FindButton::FindNext), 1);
    EXPECT_TRUE(h.ui.boxes.empty());
}

// Not found before the end (up) or the beginning (down) of the file: the user is asked
// whether to search the rest; Yes wraps round, No stays on the current pair.
TEST(FindWrap, AsksThenWrapsOrStays) {
    struct Row {
        const char* name;
        std::int32_t current;
        std::string text;
        FindDirection direction;
        FindButton button;
        std::string question;
        Button answer;
        std::int32_t found;
        std::int32_t currentAfter;
    };
    const Row rows[] = {
        {"UpWrapsAfterYes", 4, "Capital", FindDirection::Up, FindButton::Find,
         "The Search String \"Capital\" Was Not Found Searching To The End Of The File.  Do You "
         "Wish To Search The Remainder Of The File?",
         Button::Yes, 2, 2},
        {"NoKeepsCurrentPair", 4, "Capital", FindDirection::Up, FindButton::FindNext,
         "The Search String \"Capital\" Was Not Found Searching To The End Of The File.  Do You "
         "Wish To Search The Remainder Of The File?",
         Button::No, 0, 4},
        {"DownWrapsFromLastPair", 2, "GAP", FindDirection::Down, FindButton::Find,
         "The Search String \"GAP\" Was Not Found Searching To The Beginning Of The File.  Do "
         "You Wish To Search The Remainder Of The File?",
         Button::Yes, 5, 5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FindDeck f;
        f.program.deck.CurrentPair = row.current;
        f.h.ui.expectBox({"Continue Search?", row.question, Icon::Information, Buttons::YesNo},
                         row.answer);
        EXPECT_EQ(FindOrFindNext(f.program, {row.text, row.direction}, row.button), row.found);
        EXPECT_EQ(f.program.deck.CurrentPair, row.currentAfter);
        EXPECT_FALSE(f.h.ui.waitCursorDuringBox);
        EXPECT_EQ(f.h.ui.waitDepth, 0);
        f.h.ui.checkAllShown();
    }
}

struct NotFoundCase {
    const char* name;
    std::string text;
    FindDirection direction;
    std::string question;
    std::string report;
};

class NotFoundTable : public FindFixture, public ::testing::WithParamInterface<NotFoundCase> {};

// Quotation marks surround the text in the downward report only.
TEST_P(NotFoundTable, ReportsAfterYes) {
    const NotFoundCase& c = GetParam();
    program.deck.CurrentPair = 3;
    h.ui.expectBox({"Continue Search?", c.question, Icon::Information, Buttons::YesNo},
                   Button::Yes);
    h.ui.expectBox({"String Not Found", c.report, Icon::Information, Buttons::Ok});
    EXPECT_EQ(FindOrFindNext(program, {c.text, c.direction}, FindButton::FindNext), 0);
    EXPECT_EQ(program.deck.CurrentPair, 3);
    EXPECT_FALSE(h.ui.waitCursorDuringBox);
}

std::string continueQuestion(const std::string& text, const char* towards) {
    return "The Search String \"" + text + "\" Was Not Found Searching To The " + towards +
           " Of The File.  Do You Wish To Search The Remainder Of The File?";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NotFoundTable,
    ::testing::Values(
        NotFoundCase{"Up", "zebra", FindDirection::Up, continueQuestion("zebra", "End"),
                     "The Search String zebra Was Not Found."},
        NotFoundCase{"Down", "zebra", FindDirection::Down, continueQuestion("zebra", "Beginning"),
                     "The Search String \"zebra\" Was Not Found."},
        NotFoundCase{"EmptyUp", "", FindDirection::Up, continueQuestion("", "End"),
                     "The Search String  Was Not Found."},
        NotFoundCase{"EmptyDown", "", FindDirection::Down, continueQuestion("", "Beginning"),
                     "The Search String \"\" Was Not Found."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FindFixture, OverlongSearchTextCut) {
    program.deck.PairText.set(2, "Q3=" + std::string(kFindTextMax, 'k') + "$#$!A3=x");
    std::string text(kFindTextMax + 5, 'k');
    EXPECT_EQ(FindStringInRange(program, text, 1, 5, true), 3);
}

}  // namespace
}  // namespace cardwise
