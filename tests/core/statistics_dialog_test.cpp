#include "core/study/statistics_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "study_test_support.h"

namespace cardwise {
namespace {

// Answers today and since the long-term counters were last cleared, on three pairs.
void giveCounts(Program& program) {
    program.deck.CategoryName[0] = "Verbs";
    program.deck.Learning[1].RightToday = 3;
    program.deck.Learning[2].WrongToday = 2;
    program.deck.Learning[1].RightTotal = 7;
    program.deck.Learning[3].WrongTotal = 4;
}

class StatisticsDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { giveCounts(p); }

    // The figure of that label as the window shows it.
    static std::int64_t figure(const StatisticsView& view, std::string_view label) {
        for (const StatisticsFigure& f : view.figures) {
            if (f.label == label) return f.value;
        }
        ADD_FAILURE() << "no figure " << label;
        return -1;
    }

    testing::ValidDeck deck{3};
    Program& p = deck.p;
};

TEST_F(StatisticsDialogTest, ViewShowsTheDecksFiguresAndChartRows) {
    StatisticsDialog dialog(p, nullptr);
    const StatisticsView view = dialog.view();
    EXPECT_EQ(view.title, "File Statistics For " + deck.dir.file("deck.DKS"));
    EXPECT_EQ(figure(view, "Number Of Pairs"), 3);
    EXPECT_EQ(figure(view, "Correct Today"), 3);
    EXPECT_EQ(figure(view, "Incorrect Since Last Cleared"), 4);
    EXPECT_EQ(view.categoryRows,
              (std::vector<ChartCount>{{"Verbs", 1, false}, {"(No Category)", 2, true}}));
}

// Each button zeroes its own counts, keeps the others, and leaves the open deck owing the
// change to its files.
TEST_F(StatisticsDialogTest, ClearButtonsChangeTheOpenDeckAtOnce) {
    struct Row {
        const char* name;
        std::function<void(StatisticsDialog&)> press;
        std::int64_t correctToday, incorrectToday, correctLongTerm, incorrectLongTerm;
    };
    const Row rows[] = {
        {"Clear Today", [](StatisticsDialog& d) { d.clearToday(); }, 0, 0, 7, 4},
        {"Clear Long Term", [](StatisticsDialog& d) { d.clearLongTerm(); }, 3, 2, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        testing::ValidDeck fresh{3};
        Program& program = fresh.p;
        giveCounts(program);
        program.document.markSaved(program.document.revision());
        ASSERT_FALSE(program.document.changed());
        StatisticsDialog dialog(program, nullptr);
        row.press(dialog);
        EXPECT_TRUE(program.document.changed());
        const StatisticsView view = dialog.view();
        EXPECT_EQ(figure(view, "Correct Today"), row.correctToday);
        EXPECT_EQ(figure(view, "Incorrect Today"), row.incorrectToday);
        EXPECT_EQ(figure(view, "Correct Since Last Cleared"), row.correctLongTerm);
        EXPECT_EQ(figure(view, "Incorrect Since Last Cleared"), row.incorrectLongTerm);
    }
}

TEST_F(StatisticsDialogTest, TimersStopWhileOpenAndTheWindowInUseShowsAgainOnce) {
    testing::TimedQuestion timed(p, 3);
    DrillController& drill = timed.drill;
    const testing::ScriptedDrillEngine& engine = timed.engine;
    ASSERT_EQ(drill.screen(), DrillScreen::Question);
    const std::size_t formattedBefore = engine.formatted.size();
    std::size_t formattedAtClose = 0;
    {
        StatisticsDialog dialog(p, &drill);
        for (int i = 0; i < 5; ++i) drill.tick();
        EXPECT_EQ(drill.screen(), DrillScreen::Question);
        EXPECT_EQ(engine.formatted.size(), formattedBefore);
        dialog.close();
        formattedAtClose = engine.formatted.size();
        // The window going away after its close gives nothing back a second time.
    }
    EXPECT_GT(formattedAtClose, formattedBefore);
    EXPECT_EQ(engine.formatted.size(), formattedAtClose);
    for (int i = 0; i < 3; ++i) drill.tick();
    EXPECT_EQ(drill.screen(), DrillScreen::Answer);
}

}  // namespace
}  // namespace cardwise
