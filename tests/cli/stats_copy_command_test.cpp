#include <gtest/gtest.h>

#include "cli_harness.h"
#include "deck_folder.h"

namespace cardwise::cli {
namespace {

using testing::CliRun;
using testing::DeckFolder;
using testing::linesOf;

// A setup data file for clean.DKS last closed on lastDay, with three status lines.
std::string cleanSetup(const std::string& lastDay) {
    return "[CARDWISE]\r\nNoPriority=  1\r\nUseNamedRange=  3\r\nLastDayUsed=" + lastDay +
           "\r\n"
           // date      RT RTot  WT WTot DC LS flags
           "Q&A1=20261206 3   10 1 2011\r\n"
           "Q&A2=20261207 1    4 0 0020\r\n"
           "Q&A3=20261201 0    0 2 3003\r\n";
}

TEST(StatsCommand, PrintsTheTitleAndEveryFigure) {
    DeckFolder deck;
    deck.copy("clean.DKS");
    deck.write("clean.DKD", cleanSetup("20261207"));
    CliRun cli(deck.path());
    cli.run({"stats", "clean.DKS"});
    EXPECT_EQ(cli.status, kExitOk);
    EXPECT_EQ(linesOf(cli.out.str()),
              (std::vector<std::string>{
                  "File Statistics For " + deck.file("clean.DKS"), "Number Of Pairs: 3",
                  "Number Of Categories: 3", "Number Of Disabled Pairs: 1",
                  "Number Of Priority Pairs: 2", "Unlearned: 1", "Short Term Learned: 1",
                  "Long Term Learned: 1", "Correct Today: 4", "Incorrect Today: 3",
                  "Correct Since Last Cleared: 14", "Incorrect Since Last Cleared: 5"}));
}

TEST(StatsCommand, TodaysFiguresStartAtZeroOnANewDay) {
    DeckFolder deck;
    deck.copy("clean.DKS");
    deck.write("clean.DKD", cleanSetup("20261206"));
    CliRun cli(deck.path());
    cli.run({"stats", "clean.DKS"});
    auto lines = linesOf(cli.out.str());
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[8], "Correct Today: 0");
    EXPECT_EQ(lines[9], "Incorrect Today: 0");
    EXPECT_EQ(lines[10], "Correct Since Last Cleared: 14");
}

TEST(StatsCommand, DeckWithInvalidSettingsIsNotCounted) {
    DeckFolder deck;
    deck.copy("faults.DKS");
    deck.copy("faults.DKD");
    CliRun cli(deck.path());
    cli.run({"stats", "faults.DKS"});
    EXPECT_EQ(cli.status, kExitFailure);
    EXPECT_EQ(cli.out.str().find("File Statistics For"), std::string::npos);
}

TEST(CopyCommand, PrintsTheClipboardTextOfEachPart) {
    DeckFolder deck;
    deck.copy("clean.DKS");
    struct Case {
        std::vector<std::string> args;
        std::string expected;
    };
    const Case cases[] = {
        {{"copy", "clean.DKS", "1", "question"}, "Question 1\n\nOne plus one?\n"},
        {{"copy", "clean.DKS", "1", "answer"}, "Answer 1\n\nTwo\n"},
        {{"copy", "clean.DKS", "2"},
         "Question 2\n\nWhich colour is the sky on a clear day?\n\n1. Red\n2. Blue\n3. Green\n\n"
         "Answer 2\n\nA clear sky is blue.\n\nThe correct answer was:\n\nNumber: 2\n"},
        {{"copy", "clean.DKS", "3", "answer"},
         "Answer 3\n\nYou could have answered with any of the following:\n\n1. Paris\n"
         "2. Paris, France\n"},
    };
    for (const Case& c : cases) {
        CliRun cli(deck.path());
        cli.run(c.args);
        EXPECT_EQ(cli.status, kExitOk) << cli.err.str();
        EXPECT_EQ(cli.out.str(), c.expected);
    }
    EXPECT_FALSE(deck.exists("clean.DKD"));
}

TEST(CopyCommand, RefusesAPairThatIsNotInTheDeckOrAWrongPart) {
    DeckFolder deck;
    deck.copy("clean.DKS");
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"copy", "clean.DKS", "4"},
                                               {"copy", "clean.DKS", "0"},
                                               {"copy", "clean.DKS", "two"},
                                               {"copy", "clean.DKS", "1", "hint"},
                                               {"copy", "clean.DKS"}}) {
        CliRun cli(deck.path());
        cli.run(args);
        EXPECT_EQ(cli.status, kExitFailure) << ::testing::PrintToString(args);
        EXPECT_NE(cli.err.str(), "");
    }
}

}  // namespace
}  // namespace cardwise::cli
