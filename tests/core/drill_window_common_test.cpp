#include "core/drill/drill_window_common.h"

#include <gtest/gtest.h>

#include "drill_test_support.h"

namespace cardwise {
namespace {

using testing::DrillHarness;

TEST(PercentCorrect, RoundsToTheNearestWithHalvesToEven) {
    struct Case {
        std::int64_t correct, total;
        const char* shown;
    };
    for (const Case& c :
         {Case{2, 3, "67 %"}, Case{1, 8, "12 %"}, Case{3, 8, "38 %"}, Case{1, 3, "33 %"},
          Case{5, 8, "62 %"}, Case{7, 8, "88 %"}, Case{0, 4, "0 %"}, Case{4, 4, "100 %"},
          Case{1, 200, "0 %"}, Case{3, 200, "2 %"}, Case{2147483647, 2147483647, "100 %"}}) {
        EXPECT_EQ(percentCorrectText(c.correct, c.total), c.shown)
            << c.correct << " of " << c.total;
    }
    EXPECT_EQ(percentCorrectText(0, 0), "");
}

TEST(DrillWindowCaption, NamesModeAndDeckFile) {
    DrillHarness h;
    h.program.deck.QAFileName = "C:\\DECKS\\GEO.DKS";
    h.program.settings.NoPriority = 3;
    EXPECT_EQ(drillWindowCaption("Question", h.program),
              "Question - Priority Questions From Range Mode - GEO.DKS");
    h.program.settings.NoPriority = 4;
    EXPECT_EQ(drillWindowCaption("Answer", h.program),
              "Answer - Priority Questions From History Mode - GEO.DKS");
}

TEST(PairNumberColors, FollowModeListAndCategory) {
    DrillHarness h;
    Program& p = h.program;
    p.deck.CurrentPair = 2;
    struct Case {
        std::int32_t mode, flags, status;
        FieldColours colors;
    };
    for (const Case& c : {Case{1, 1, 0, {kYellow, kBlack}}, Case{3, 0, 2, {kYellow, kBlack}},
                          Case{2, 1, 0, {kRed, kWhite}}, Case{2, 3, 0, {kRed, kWhite}},
                          Case{2, 2, 0, {kGreen, kWhite}}, Case{2, 0, 0, {kGreen, kWhite}},
                          Case{4, 0, 0, {kRed, kWhite}}, Case{4, 0, 1, {kYellow, kBlack}},
                          Case{4, 1, 2, {kGreen, kWhite}}}) {
        p.settings.NoPriority = c.mode;
        p.deck.Learning[2].ListFlags = c.flags;
        p.deck.Learning[2].LearnStatus = c.status;
        EXPECT_EQ(pairNumberColours(p), c.colors) << "mode " << c.mode;
    }
}

TEST(PairNumberColors, APairOutsideTheTablesReadsAsZero) {
    DrillHarness h(3);
    h.program.settings.NoPriority = 4;
    h.program.deck.CurrentPair = 99;
    EXPECT_EQ(pairNumberColours(h.program), (FieldColours{kRed, kWhite}));
}

TEST(StatusFields, ShowSessionFiguresUnlessNoneOrAutopilot) {
    DrillHarness h;
    Program& p = h.program;
    p.deck.CurrentPair = 4;
    StatusFields blank = drillStatusFields(p, "", 9);
    EXPECT_EQ(blank.category, "Category");
    EXPECT_EQ(blank.pairNumber, "4");
    EXPECT_EQ(blank.left, "9");
    EXPECT_EQ(blank.total, "");
    EXPECT_EQ(blank.percent, "");

    p.deck.SessionCorrect = 2;
    p.deck.SessionIncorrect = 1;
    StatusFields shown = drillStatusFields(p, "Rivers", 9);
    EXPECT_EQ(shown.category, "Rivers");
    EXPECT_EQ(shown.total, "3");
    EXPECT_EQ(shown.correct, "2");
    EXPECT_EQ(shown.incorrect, "1");
    EXPECT_EQ(shown.percent, "67 %");

    p.settings.AutoPilot = 1;
    StatusFields pilot = drillStatusFields(p, "Rivers", 9);
    EXPECT_EQ(pilot.total, "");
    EXPECT_EQ(pilot.correct, "");
    EXPECT_EQ(pilot.incorrect, "");
    EXPECT_EQ(pilot.percent, "");
}

TEST(StatusFields, ResetEmptiesTheSessionFieldsAndCounters) {
    DrillHarness h;
    Program& p = h.program;
    p.deck.SessionCorrect = 5;
    p.deck.SessionIncorrect = 3;
    StatusFields fields = drillStatusFields(p, "Rivers", 9);
    resetSessionStatistics(p, fields);
    EXPECT_EQ(p.deck.SessionCorrect, 0);
    EXPECT_EQ(p.deck.SessionIncorrect, 0);
    EXPECT_EQ(fields.total, "");
    EXPECT_EQ(fields.correct, "");
    EXPECT_EQ(fields.incorrect, "");
    EXPECT_EQ(fields.percent, "");
    EXPECT_EQ(fields.left, "");
    EXPECT_EQ(fields.category, "Rivers");
    EXPECT_EQ(fields.pairNumber, "1");
}

TEST(NoteSequence, ThreeHintsCycleWithTheirCaptions) {
    DrillHarness h;
    std::array<std::string, 3> hints{"one", "two", "three"};
    int index = 0;
    using testing::noteBox;
    h.ui.expectBox(noteBox("There Are More Hints", "one"));
    h.ui.expectBox(noteBox("There Is Another Hint", "two"));
    h.ui.expectBox(noteBox("This Is The Last Hint", "three"));
    h.ui.expectBox(noteBox("There Are More Hints", "one"));
    for (int i = 0; i < 4; ++i) showNextNote(h.ui, hints, index, kHintCaptions);
}

TEST(NoteSequence, TwoCommentsAndOneHint) {
    DrillHarness h;
    std::array<std::string, 3> comments{"one", "two", ""};
    int index = 0;
    using testing::noteBox;
    h.ui.expectBox(noteBox("There Are More Comments", "one"));
    h.ui.expectBox(noteBox("This Is The Last Comment", "two"));
    h.ui.expectBox(noteBox("There Are More Comments", "one"));
    for (int i = 0; i < 3; ++i) showNextNote(h.ui, comments, index, kCommentCaptions);
    h.ui.checkAllShown();

    std::array<std::string, 3> single{"only", "", ""};
    index = 0;
    h.ui.expectBox(noteBox("This Is The Last Hint", "only"), Button::Ok, 2);
    showNextNote(h.ui, single, index, kHintCaptions);
    showNextNote(h.ui, single, index, kHintCaptions);
}

TEST(NoteSequence, AnIndexOutOfRangeStartsAgainAtTheFirst) {
    DrillHarness h;
    std::array<std::string, 3> hints{"one", "two", ""};
    int index = 7;
    h.ui.expectBox(testing::noteBox("There Are More Hints", "one"));
    showNextNote(h.ui, hints, index, kHintCaptions);
    EXPECT_EQ(index, 1);
}

}  // namespace
}  // namespace cardwise
