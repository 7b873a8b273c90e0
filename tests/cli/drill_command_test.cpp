#include <gtest/gtest.h>

#include "core/platform/process_identity.h"

#include "cli_harness.h"
#include "deck_folder.h"

namespace cardwise::cli {
namespace {

using testing::CliRun;
using testing::DeckFolder;
using testing::linesOf;

const std::string kOnePassSetup =
    "[CARDWISE]\r\nNoPriority=  1\r\nOnePass=  1\r\nNumerical=  1\r\nUseNamedRange=  3\r\n"
    "LastDayUsed=20261207\r\n";

std::vector<std::string> statusLinesOf(const std::string& setup) {
    std::vector<std::string> lines;
    for (const std::string& line : linesOf(setup)) {
        if (line.rfind("Q&A", 0) == 0) lines.push_back(line.substr(0, line.find('\r')));
    }
    return lines;
}

const std::string kQuestionCaption = "Question - Ask All Questions Equally Often Mode - five.DKS";
const std::string kAnswerCaption = "Answer - Ask All Questions Equally Often Mode - five.DKS";
const std::string kGradeButtons =
    "[c] Correct (Enter) | [i] Incorrect | [t] Try Question Again | [x] Disable This Pair";
const std::string kJudgedButtons =
    "[Enter] Show Next Question | [t] Try Question Again | [x] Disable This Pair";

TEST(DrillCommand, OnePassRunShowsEveryPairAsksToGoOnAndSavesOnNo) {
    DeckFolder deck;
    deck.copy("five.DKS");
    deck.write("five.DKD", kOnePassSetup);
    const std::string script =
        "\n"       // pair 1: display the answer
        "c\n"      // correct
        "2\n"      // pair 2: choice 2
        "\n"       // show the next question
        "paris\n"  // pair 3: fill-in reply
        "\n"
        ":h\n"  // pair 4: its hint
        "d\n"
        "i\n"  // incorrect
        "\n"   // pair 5
        "c\n"
        "n\n";  // no further run
    CliRun cli(deck.path(), script);
    cli.run({"drill", "five.DKS"});
    EXPECT_EQ(cli.status, kExitOk) << cli.err.str();
    const std::vector<std::string> expected = {
        "Keys anywhere: :q close the deck and exit, :g N go to pair N, :h next hint or comment, "
        ":r reset the status bar statistics, :d delete the pair on show, :u undo the last grade "
        "or delete",
        kQuestionCaption,
        "Pair 1 | Category | Left 4",
        "One plus one?",
        "[Enter]/d Display The Answer",
        "> ",
        kAnswerCaption,
        "Pair 1 | Category | Left 4",
        "Two",
        kGradeButtons,
        "> c",
        kQuestionCaption,
        "Pair 2 | Category | Left 3 | Total 1 | Correct 1 | Incorrect 0 | 100 %",
        "Which colour is the sky on a clear day?",
        "",
        "1. Red",
        "2. Blue",
        "3. Green",
        "",
        "Choose 1 2 3 | a All Of The Above | n None Of The Above | [Enter]/d Display The Answer",
        "> 2",
        kAnswerCaption,
        "Pair 2 | Category | Left 3 | Total 1 | Correct 1 | Incorrect 0 | 100 %",
        "The correct answer was:",
        "",
        "Number: 2",
        "Verdict: Correct",
        kJudgedButtons,
        "> ",
        kQuestionCaption,
        "Pair 3 | Category | Left 2 | Total 2 | Correct 2 | Incorrect 0 | 100 %",
        "Capital of France?",
        "Type your answer and [Enter] to Check My Answer | [Enter] alone Display The Answer",
        "> paris",
        kAnswerCaption,
        "Pair 3 | Category | Left 2 | Total 2 | Correct 2 | Incorrect 0 | 100 %",
        "You could have answered with any of the following:",
        "",
        "1. Paris",
        "2. Paris, France",
        "",
        "Verdict: Correct",
        kJudgedButtons,
        "> ",
        kQuestionCaption,
        "Pair 4 | Category | Left 1 | Total 3 | Correct 3 | Incorrect 0 | 100 %",
        "Which animal says woof?",
        "[Enter]/d Display The Answer | :h Hint",
        "> :h",
        "[This Is The Last Hint] It barks.",
        "> d",
        kAnswerCaption,
        "Pair 4 | Category | Left 1 | Total 3 | Correct 3 | Incorrect 0 | 100 %",
        "A dog",
        kGradeButtons + " | :h Comment",
        "> i",
        kQuestionCaption,
        "Pair 5 | Category | Left 0 | Total 4 | Correct 3 | Incorrect 1 | 75 %",
        "Last question?",
        "[Enter]/d Display The Answer",
        "> ",
        kAnswerCaption,
        "Pair 5 | Category | Left 0 | Total 4 | Correct 3 | Incorrect 1 | 75 %",
        "Yes",
        "the last one",
        kGradeButtons,
        "> c",
        "[Continuation] That Completes This Run Through Of five.DKS.  Do You Want To Run It "
        "Again?",
        "[y]es [n]o> n",
    };
    EXPECT_EQ(linesOf(cli.out.str()), expected);
    // Correct, right today and in all, except pair 4; every pair asked in this run.
    EXPECT_EQ(
        statusLinesOf(deck.read("five.DKD")),
        (std::vector<std::string>{"Q&A1=20261207 1    1 0 0004", "Q&A2=20261207 1    1 0 0004",
                                  "Q&A3=20261207 1    1 0 0004", "Q&A4=20261207 0    0 1 1004",
                                  "Q&A5=20261207 1    1 0 0004"}));
    EXPECT_NE(deck.read("five.DKD").find("LastDayUsed=20261207\r\n"), std::string::npos);
    EXPECT_TRUE(deck.exists("five.~LS"));
    EXPECT_TRUE(deck.exists("five.~LD"));
}

TEST(DrillCommand, EndOfInputClosesTheDeckAndSaves) {
    DeckFolder deck;
    deck.copy("five.DKS");
    deck.write("five.DKD", kOnePassSetup);
    // Pair 1 graded correct; pair 2's answer is on show, ungraded, when the input ends.
    CliRun cli(deck.path(), "\nc\nd\n");
    cli.run({"drill", "five.DKS"});
    EXPECT_EQ(cli.status, kExitOk);
    EXPECT_EQ(
        statusLinesOf(deck.read("five.DKD")),
        (std::vector<std::string>{"Q&A1=20261207 1    1 0 0004", "Q&A2=20261207 0    0 0 0004",
                                  "Q&A3=20261207 0    0 0 0000", "Q&A4=20261207 0    0 0 0000",
                                  "Q&A5=20261207 0    0 0 0000"}));
}

// The keys of the question window, each row a run of typed lines over the five-pair deck:
// what the output shows (after another text, when given), what it never shows, and the
// status lines saved.
TEST(DrillCommand, UndoDeleteQuitGoToAndResetKeys) {
    struct Shown {
        std::string after;  // searched from the first place of this text; empty: anywhere
        std::string text;
    };
    struct Row {
        const char* name;
        std::string input;
        std::vector<Shown> shown;
        std::vector<std::string> notShown;
        std::vector<std::pair<std::size_t, std::string>> status;  // index, line
        bool deckUnchanged;
    };
    const std::string noGradeToUndo =
        "[Undo Last Grade] There Is No Grade To Undo.  Only The Last Grade Can Be Taken Back, "
        "And Only While The Question After It Is Shown.\n";
    const Row rows[] = {
        {"UndoTakesBackTheLastGradeOnce",
         "\nc\n:u\n\ni\n:u\n:u\n:q\n",
         {{"", "> c\n" + kQuestionCaption + "\nPair 2 |"},
          {"", "> :u\n" + kQuestionCaption + "\nPair 1 | Category | Left 4\n"},
          {"", "> i\n" + kQuestionCaption +
                   "\nPair 2 | Category | Left 3 | Total 1 | Correct 0 | Incorrect 1 | 0 %"},
          {"", "> :u\n" + noGradeToUndo}},
         {},
         {{0, "Q&A1=20261207 0    0 0 0004"}},  // asked, but neither grade stands
         false},
        {"DeleteDeletesThePairOnShowAndUndoPutsItBack",
         ":g 4\n:d\n:u\n:u\n:q\n",
         {{"", "> :d\n" + kQuestionCaption + "\nPair 4 | Category | Left 3\nLast question?"},
          {"", "> :u\n" + kQuestionCaption + "\nPair 4 |"},
          {"> :u\n", "Which animal says woof?\n"},
          {"", "> :u\n[Undo Last Grade] There Is No Grade To Undo."}},
         {},
         {},
         true},
        // After the pair jumped to, the run goes on from pair 2; :r blanks the session figures.
        {"QuitGoToAndReset",
         ":g 4\n:g 9\n\nc\n:r\n:q\nnever read\n",
         {{"", "> :g 4\n[Enter The Number Of The Pair To Jump To] Pair Number\n" +
                   kQuestionCaption + "\nPair 4 |"},
          {"",
           "[Cardwise] Please Enter A Number Less Than The Highest Number In The Deck And "
           "Greater Than 0"},
          {"", "> :r\n" + kQuestionCaption + "\nPair 2 | Category\n"}},
         {"never read"},
         {{3, "Q&A4=20261207 1    1 0 0000"},  // a pair jumped to is not asked
          {1, "Q&A2=20261207 0    0 0 0004"}},
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DeckFolder deck;
        deck.copy("five.DKS");
        deck.write("five.DKD", kOnePassSetup);
        const std::string original = deck.read("five.DKS");
        CliRun cli(deck.path(), row.input);
        cli.run({"drill", "five.DKS"});
        EXPECT_EQ(cli.status, kExitOk) << cli.err.str();
        const std::string out = cli.out.str();
        for (const Shown& shown : row.shown) {
            const std::size_t from = shown.after.empty() ? 0 : out.find(shown.after);
            EXPECT_NE(out.find(shown.text, from), std::string::npos) << shown.text << "\n" << out;
        }
        for (const std::string& text : row.notShown) {
            EXPECT_EQ(out.find(text), std::string::npos) << text;
        }
        const auto status = statusLinesOf(deck.read("five.DKD"));
        ASSERT_EQ(status.size(), 5u);
        for (const auto& [index, line] : row.status) EXPECT_EQ(status[index], line);
        if (row.deckUnchanged) {
            EXPECT_EQ(deck.read("five.DKS"), original);
        }
    }
}

TEST(DrillCommand, TryAgainDisableAndKeysOfAnotherWindow) {
    DeckFolder deck;
    deck.copy("five.DKS");
    deck.write("five.DKD", kOnePassSetup);
    // Pair 1: a key the question does not take, the answer, try again, the answer again,
    // disable, grade; then quit at pair 2.
    CliRun cli(deck.path(), "z\n\nt\n\nx\nc\n:q\n");
    cli.run({"drill", "five.DKS"});
    EXPECT_EQ(cli.status, kExitOk);
    const std::string out = cli.out.str();
    EXPECT_NE(out.find("[Enter]/d Display The Answer\n> z\n"
                       "Not a key of this window: z (the keys are listed above the prompt)\n"
                       "> \n" +
                       kAnswerCaption),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("> t\n" + kQuestionCaption + "\nPair 1 | Category | Left 4\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("> x\n" + kAnswerCaption +
                       "\nPair 1 | Category | Left 4\nTwo\n"
                       "[c] Correct (Enter) | [i] Incorrect | [t] Try Question Again | [x] "
                       "Re-enable This Pair\n> c\n"),
              std::string::npos)
        << out;
    auto status = statusLinesOf(deck.read("five.DKD"));
    ASSERT_EQ(status.size(), 5u);
    EXPECT_EQ(status[0], "Q&A1=20261207 1    1 0 0006");  // disabled, asked
}

TEST(DrillCommand, AMissingPictureIsReportedOncePerShowOfItsSide) {
    DeckFolder deck;
    deck.write("flags.DKS",
               "[Cardwise]\r\nQ1=<BMP>missing.gif%Which "
               "flag?\r\nA1=France\r\nQ2=Two?\r\nA2=2\r\nQ3=Three?\r\nA3=3\r\n");
    deck.write("flags.DKD", kOnePassSetup);
    // Two redraws of the question, then its answer, try again, and the question anew.
    CliRun cli(deck.path(), ":r\n:r\n\nt\n:q\n");
    cli.run({"drill", "flags.DKS"});
    EXPECT_EQ(cli.status, kExitOk) << cli.err.str();
    const std::string out = cli.out.str();
    std::size_t boxes = 0;
    for (std::size_t at = out.find("[Missing Graphics File]"); at != std::string::npos;
         at = out.find("[Missing Graphics File]", at + 1)) {
        ++boxes;
    }
    EXPECT_EQ(boxes, 2u) << out;
    EXPECT_EQ(out.find("Picture:"), std::string::npos);
}

TEST(DrillCommand, DeckThatCannotBeOpenedExitsTwo) {
    DeckFolder deck;
    deck.copy("faults.DKS");
    deck.copy("faults.DKD");
    CliRun missing(deck.path());
    missing.run({"drill", "absent.DKS"});
    EXPECT_EQ(missing.status, kExitFailure);
    EXPECT_NE(missing.out.str().find("[No .DKS File]"), std::string::npos);

    // Without a terminal no editor is started on the faulty setup data file.
    CliRun faulty(deck.path());
    faulty.run({"drill", "faults.DKS"});
    EXPECT_EQ(faulty.status, kExitFailure);
    auto lines = linesOf(faulty.out.str());
    ASSERT_EQ(lines.size(), 3u) << faulty.out.str();
    EXPECT_EQ(lines[0].rfind("[Data Error] ", 0), 0u);
    EXPECT_EQ(lines[1].rfind("[Q&A SetUp Data Error] ", 0), 0u);
    EXPECT_EQ(lines[2].rfind("[Text Editor Error] ", 0), 0u);
}

TEST(DrillCommand, ADeckAnotherProgramHoldsIsDrilledReadOnlyAndSaysWho) {
    DeckFolder deck;
    deck.copy("five.DKS");
    deck.write("five.DKD", kOnePassSetup);
    // Process 1 always runs on this host.
    const std::string theirs =
        "Cardwise deck lock\n" + SystemProcessIdentity().hostName() + "\n1\nalice\n";
    deck.write("five.~LK", theirs);
    CliRun cli(deck.path(), "\nc\n");
    cli.run({"drill", "five.DKS"});
    EXPECT_EQ(cli.status, kExitOk) << cli.err.str();
    EXPECT_EQ(linesOf(cli.out.str()).at(0),
              "[Deck In Use] " + deck.file("five.DKS") +
                  " Is Open In Another Copy Of Cardwise (User alice, Process 1 On Host " +
                  SystemProcessIdentity().hostName() +
                  ").  It Was Opened Read-Only: Nothing You Change Will Be Saved.");
    EXPECT_EQ(deck.read("five.DKD"), kOnePassSetup);
    EXPECT_EQ(deck.read("five.~LK"), theirs);
}

TEST(DrillCommand, ALockLeftByADrillThatEndedIsTakenOverAndReleasedAtTheEnd) {
    DeckFolder deck;
    deck.copy("five.DKS");
    deck.write("five.DKD", kOnePassSetup);
    // No process has id 0x7FFFFFF0.
    deck.write("five.~LK", "Cardwise deck lock\n" + SystemProcessIdentity().hostName() +
                               "\n2147483632\nalice\n");
    CliRun cli(deck.path(), "\nc\n");
    cli.run({"drill", "five.DKS"});
    EXPECT_EQ(cli.out.str().find("Deck In Use"), std::string::npos);
    EXPECT_NE(deck.read("five.DKD"), kOnePassSetup);  // the grade was saved
    EXPECT_FALSE(deck.exists("five.~LK"));
}

}  // namespace
}  // namespace cardwise::cli
