// Import and export against real deck files: the round trip, appending, and the refusals
// that leave every file as it was.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <algorithm>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/content/pair_side.h"
#include "core/deck/status_lines.h"
#include "core/exchange/exchange_commands.h"
#include "core/exchange/pair_export.h"
#include "core/exchange/pair_import.h"
#include "core/shell/deck_close.h"
#include "support/deck_harness.h"

namespace cardwise {
namespace {

using testing::crlf;
using testing::DeckHarness;
using testing::ShownBox;
using testing::snapshot;
using testing::threePairDeck;

// Pairs with every kind of display markup that a plain row carries.
const std::string kRichDeck =
    crlf({"[Cardwise]", "Q1=<NAM>Geo%Capital of^France?", "A1=Paris", "Q2=a^^b <<tag>> 50%",
          "A2=line one^ ^line three", "Q3=<NAM>Verbs%caf\xE9", "A3=x", "Q4=%with percent",
          "A4=answer", "Q5=plain", "A5=<<<<z"});

const std::string kRichExport =
    "question\tanswer\tcategory\r\n"
    "\"Capital of\r\nFrance?\"\tParis\tGeo\r\n"
    "a^b <tag>> 50%\t\"line one\r\n \r\nline three\"\t\r\n"
    "caf\xC3\xA9\tx\tVerbs\r\n"
    "%with percent\tanswer\t\r\n"
    "plain\t<<z\t\r\n";

std::vector<std::string> sidesOf(const DeckState& deck, std::int32_t n) {
    const std::string_view text = deck.currentText(n);
    return {std::string(cutSide(text, true, n)), std::string(cutSide(text, false, n))};
}

struct PairExchange : ::testing::Test {
    DeckHarness h;
    Program& p = h.program;
};

TEST_F(PairExchange, ExportWritesTheTextsAsTyped) {
    h.open(h.write("rich.DKS", kRichDeck));
    ASSERT_TRUE(p.shell.deckOpen);
    ExportText text = exportText(p.deck);
    EXPECT_EQ(text.text, kRichExport);
    EXPECT_EQ(text.pairs, 5);
    EXPECT_FALSE(text.markup);
}

TEST_F(PairExchange, ExportThenImportKeepsEveryPairCategoryAndLineBreak) {
    h.open(h.write("rich.DKS", kRichDeck));
    ASSERT_TRUE(p.shell.deckOpen);
    const std::string exported = h.write("rich.tsv", exportText(p.deck).text);
    std::vector<std::vector<std::string>> before;
    for (std::int32_t n = 1; n <= 5; ++n) before.push_back(sidesOf(p.deck, n));
    ASSERT_TRUE(FileExitQAClick(p));

    ImportResult result = importPairs(p, exported, h.decks.file("copy"));
    ASSERT_TRUE(result.ok()) << result.problem->text;
    EXPECT_TRUE(result.newDeck);
    EXPECT_EQ(result.deckPath, h.decks.file("copy.DKS"));
    EXPECT_EQ(result.pairsAdded, 5);
    h.open(result.deckPath);
    ASSERT_TRUE(p.shell.deckOpen);
    ASSERT_EQ(p.deck.PairCount, 5);
    for (std::int32_t n = 1; n <= 5; ++n) {
        EXPECT_EQ(sidesOf(p.deck, n), before[static_cast<std::size_t>(n - 1)]) << n;
    }
    EXPECT_EQ(p.deck.CategoryName[0], "Geo");
    EXPECT_EQ(p.deck.CategoryName[2], "Verbs");
    // Exported again, the copy is the same text.
    EXPECT_EQ(exportText(p.deck).text, kRichExport);
}

// Sides a plain row cannot carry, and tags and marks only a hand-edited deck holds: each
// comes back exactly as stored.
const std::string kMarkupDeck =
    crlf({"[Cardwise]", "Q1=<NAM>Geo<MC1>Paris<MC2>Rome%Capital of^France?", "A1=<FIB>1%Paris",
          "Q2=<NAM>Geo%a <<b>", "A2=<HC1>comment%", "Q3=<nam>geo%lower case tag", "A3=x",
          "Q4=<NAM>Geo%", "A4=trailing percent", "Q5=<HC1>hint<NAM>Geo%category not first",
          "A5=<BMP>pic.bmp<WAV>a.wav", "Q6=<NAM>Geo%i<<n", "A6=<NAM>Other%answer category",
          "Q7=lone < angle", "A7=<FIB>", "Q8=<NAM>Long category name%x", "A8=\"quoted\"\ttab"});

// Only a leading category that comes back the same moves to its column.
const std::string kMarkupExport =
    "question markup\tanswer markup\tcategory\r\n"
    "<MC1>Paris<MC2>Rome%Capital of^France?\t<FIB>1%Paris\tGeo\r\n"
    "a <<b>\t<HC1>comment%\tGeo\r\n"
    "<nam>geo%lower case tag\tx\t\r\n"
    "<NAM>Geo%\ttrailing percent\t\r\n"
    "<HC1>hint<NAM>Geo%category not first\t<BMP>pic.bmp<WAV>a.wav\t\r\n"
    "<NAM>Geo%i<<n\t<NAM>Other%answer category\t\r\n"
    "lone < angle\t<FIB>\t\r\n"
    "<NAM>Long category name%x\t\"\"\"quoted\"\"\ttab\"\t\r\n";

std::vector<std::vector<std::string>> allSides(const DeckState& deck) {
    std::vector<std::vector<std::string>> out;
    for (std::int32_t n = 1; n <= deck.PairCount; ++n) out.push_back(sidesOf(deck, n));
    return out;
}

TEST_F(PairExchange, MarkupExportComesBackAsStored) {
    h.open(h.write("marked.DKS", kMarkupDeck));
    ASSERT_TRUE(p.shell.deckOpen);
    const ExportText text = exportText(p.deck);
    EXPECT_TRUE(text.markup);
    EXPECT_EQ(text.pairs, 8);
    EXPECT_EQ(text.text, kMarkupExport);
    const auto before = allSides(p.deck);
    const auto categories = p.deck.CategoryName;
    const std::string exported = h.write("marked.tsv", text.text);
    ASSERT_TRUE(FileExitQAClick(p));

    ImportResult result = importPairs(p, exported, h.decks.file("copy.DKS"));
    ASSERT_TRUE(result.ok()) << result.problem->text;
    h.open(result.deckPath);
    ASSERT_TRUE(p.shell.deckOpen);
    EXPECT_EQ(allSides(p.deck), before);
    EXPECT_EQ(p.deck.CategoryName, categories);
    EXPECT_EQ(exportText(p.deck).text, kMarkupExport);
}

// Texts a spreadsheet would run as formulas (or read as numbers) are written with a leading
// "'" in either form, and come back as they were.
TEST_F(PairExchange, FormulaTextsAreGuardedInTheExportAndComeBack) {
    struct Case {
        const char* name;
        std::string deck;
        std::string exported;
    };
    const Case cases[] = {
        {"Plain",
         crlf({"[Cardwise]", "Q1=<NAM>=Cat%=HYPERLINK(\"http://x\",\"y\")", "A1=-3", "Q2=@SUM(1)",
               "A2=+1", "Q3='=x", "A3='tis"}),
         "question\tanswer\tcategory\r\n"
         "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\"\t'-3\t'=Cat\r\n"
         "'@SUM(1)\t'+1\t\r\n"
         "''=x\t'tis\t\r\n"},
        {"Markup",
         crlf({"[Cardwise]", "Q1=<HC1>hint%q", "A1=-3", "Q2==1", "A2=@x", "Q3=+", "A3=-"}),
         "question markup\tanswer markup\tcategory\r\n"
         "<HC1>hint%q\t'-3\t\r\n"
         "'=1\t'@x\t\r\n"
         "'+\t'-\t\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string name = std::string(c.name) + ".DKS";
        h.open(h.write(name, c.deck));
        ASSERT_TRUE(p.shell.deckOpen);
        const auto before = allSides(p.deck);
        const std::string text = exportText(p.deck).text;
        EXPECT_EQ(text, c.exported);
        const std::string exported = h.write(std::string(c.name) + ".tsv", text);
        ASSERT_TRUE(FileExitQAClick(p));
        ImportResult result =
            importPairs(p, exported, h.decks.file(std::string(c.name) + "Copy.DKS"));
        ASSERT_TRUE(result.ok()) << result.problem->text;
        h.open(result.deckPath);
        ASSERT_TRUE(p.shell.deckOpen);
        EXPECT_EQ(allSides(p.deck), before);
        ASSERT_TRUE(FileExitQAClick(p));
    }
}

// The desktop program reads the file once: the pairs it read are added even when the file
// is gone by the time the deck is chosen.
TEST_F(PairExchange, PlannedPairsAreAddedWithoutReadingTheFileAgain) {
    const std::string qa = h.write("deck.DKS", threePairDeck());
    const std::string source = h.write("more.csv", "four,cuatro\nfive,cinco\n");
    ImportPlan plan = planImportFile(p, source);
    ASSERT_FALSE(plan.problem.has_value()) << plan.problem->text;
    std::filesystem::remove(source);
    ImportResult result = importPlannedPairs(p, plan.pairs, qa);
    ASSERT_TRUE(result.ok()) << result.problem->text;
    EXPECT_EQ(result.pairsAdded, 2);
    EXPECT_NE(h.decks.read("deck.DKS").find("Q5=five\r\nA5=cinco\r\n"), std::string::npos);
}

// A file of many pieces is read with its progress shown, rising to the whole and ended.
TEST_F(PairExchange, ReadingAFileToImportShowsHowFarItHasGot) {
    std::string rows;
    for (int n = 1; n <= 4000; ++n) {
        rows += "q" + std::to_string(n) + "," + std::string(70, 'a') + "\n";
    }
    const std::string source = h.write("many.csv", rows);
    ImportPlan plan = planImportFile(p, source);
    const std::vector<int>& shown = h.ui.progressShown;
    ASSERT_GE(shown.size(), 3u);
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end() - 1));
    EXPECT_EQ(shown[shown.size() - 2], 100);
    EXPECT_EQ(shown.back(), -1) << "the display ends however the reading ends";
    EXPECT_FALSE(plan.problem.has_value());
    EXPECT_EQ(plan.pairs.size(), 4000u);
}

// A file larger than a full deck's export, or one that is no regular file, is not read.
TEST_F(PairExchange, OversizedAndSpecialFilesAreNotRead) {
    const std::string big = h.write("big.csv", "");
    std::filesystem::resize_file(big, kMaxImportFileBytes + 1);
    const std::string fifo = h.decks.file("pipe.csv");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string source;
        std::string text;
    } cases[] = {
        {big, big + " Is Too Large To Hold The Pairs Of A Deck."},
        {fifo, "Cardwise Could Not Read " + fifo + "."},
        {"/dev/zero", "Cardwise Could Not Read /dev/zero."},
        {h.decks.path(), "Cardwise Could Not Read " + h.decks.path() + "."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        ImportPlan plan = planImportFile(p, c.source);
        ASSERT_TRUE(plan.problem.has_value());
        EXPECT_EQ(plan.problem->line, 0);
        EXPECT_EQ(plan.problem->text, c.text);
    }
}

TEST_F(PairExchange, ExampleDeckComesBackFromItsExportThroughTheFileMenu) {
    std::ifstream example(std::string(CARDWISE_SOURCE_DIR) + "/examples/CRDWSE50.DKS",
                          std::ios::binary);
    ASSERT_TRUE(example.good());
    const std::string bytes{std::istreambuf_iterator<char>(example), {}};
    h.open(h.write("CRDWSE50.DKS", bytes));
    ASSERT_TRUE(p.shell.deckOpen);
    const auto before = allSides(p.deck);
    ASSERT_EQ(before.size(), 47u);

    const std::string out = h.decks.file("example.tsv");
    h.ui.fileChoices = {out};
    h.ui.expectBox({"Export Pairs",
                    "47 Pairs Were Exported To " + out +
                        ".  The File Holds Each Question And Answer In The Deck's Markup, So "
                        "That Their Hints, Comments, Choices, Pictures And Sounds Come Back When "
                        "It Is Imported.",
                    Icon::Information, Buttons::Ok});
    ExportPairsClick(p);
    ASSERT_TRUE(FileExitQAClick(p));

    const std::string created = h.decks.file("again.DKS");
    h.ui.fileChoices = {out, created};
    h.ui.expectBox({"Import Pairs", "The New Deck " + created + " Was Created With 47 Pairs.",
                    Icon::Information, Buttons::Ok});
    ImportPairsClick(p);
    ASSERT_TRUE(p.shell.deckOpen);
    EXPECT_EQ(p.deck.QAFileName, created);
    EXPECT_EQ(allSides(p.deck), before);
}

TEST_F(PairExchange, NewDeckOpensWithTheRangeOfANewDeckAndNewPairs) {
    const std::string source =
        h.write("cards.csv", "Question,Answer,Category\r\nq1,a1,C\r\nq2,a2,\r\n");
    ImportResult result = importPairs(p, source, h.decks.file("fresh.dks"));
    ASSERT_TRUE(result.ok()) << result.problem->text;
    EXPECT_EQ(h.decks.read("fresh.dks"),
              crlf({"[Cardwise]", "Q1=<NAM>C%q1", "A1=a1", "Q2=q2", "A2=a2"}));
    const std::string setup = h.decks.read("fresh.dkD");
    EXPECT_NE(setup.find("HighRange=  2\r\n"), std::string::npos);
    EXPECT_NE(setup.find("LastDayUsed=20261207\r\nQ&A1=20261207 0    0 0 0000\r\n"
                         "Q&A2=20261207 0    0 0 0000\r\n"),
              std::string::npos);
    h.open(result.deckPath);
    EXPECT_EQ(p.deck.LoadOutcome, 1);
    EXPECT_EQ(p.deck.PairCount, 2);
}

TEST_F(PairExchange, AppendKeepsTheDeckByteForByteAndItsLearningState) {
    const std::string qa = h.write("deck.DKS", threePairDeck());
    h.open(qa);
    p.deck.Learning[1].LearnStatus = 2;
    p.deck.Learning[2].RightTotal = 7;
    ASSERT_TRUE(FileExitQAClick(p));
    const std::string qaBefore = h.decks.read("deck.DKS");
    const std::string setupBefore = h.decks.read("deck.DKD");

    const std::string source = h.write("more.tsv", "four\tcuatro\nfive\tcinco\tNumbers\n");
    ImportResult result = importPairs(p, source, qa);
    ASSERT_TRUE(result.ok()) << result.problem->text;
    EXPECT_FALSE(result.newDeck);
    EXPECT_EQ(h.decks.read("deck.DKS"),
              qaBefore + crlf({"Q4=four", "A4=cuatro", "Q5=<NAM>Numbers%five", "A5=cinco"}));
    EXPECT_EQ(h.decks.read("deck.DKD"),
              setupBefore + crlf({"Q&A4=20261207 0    0 0 0000", "Q&A5=20261207 0    0 0 0000"}));
    h.open(qa);
    ASSERT_EQ(p.deck.PairCount, 5);
    EXPECT_EQ(p.deck.Learning[1].LearnStatus, 2);
    EXPECT_EQ(p.deck.Learning[2].RightTotal, 7);
    EXPECT_EQ(p.deck.Learning[5].LearnStatus, 0);
    EXPECT_EQ(p.deck.Learning[5].LastDate, 20261207);
    EXPECT_EQ(p.deck.CategoryName[4], "Numbers");
}

std::string manyRows(int count, bool categories) {
    std::string out;
    for (int i = 1; i <= count; ++i) {
        out += "q" + std::to_string(i) + "\ta";
        if (categories) out += "\tcat" + std::to_string(i);
        out += "\n";
    }
    return out;
}

struct RefusedFile {
    const char* name;
    std::string file;
    int line;
    std::string textStart;
    bool refusedForANewDeck = true;  // false: only the pairs of the deck make it too much
};

// The deck holds three pairs, one of them in a category.
const RefusedFile kRefusedFiles[] = {
    {"PairTooLong", "q\ta\n" + std::string(2100, 'x') + "\ty\n", 2, "This Pair Would Hold"},
    {"TooManyPairs", manyRows(4998, false), 4998, "This Row Would Be Pair 5001", false},
    {"Category101", "q\ta\tGeo\n" + manyRows(100, true), 101, "The Category \"cat100\""},
    {"NotWindows1252", "q\ta\nq\ta\n\"x\ny\"\ta\nq\t\xE2\x98\x83\n", 5,
     "Answer: The Character \"\xE2\x98\x83\" (U+2603)"},
    {"UnclosedQuote", "q\ta\n\"x\ty\nz\tw\n", 2, "A Quoted Field Starts Here"},
    {"MarkupFault", "Question Markup,Answer Markup\n<HC1>a%q,b\n<HC1>a<HC1>b<HC1>c<HC1>d%q,b\n", 3,
     "The Question Markup Has A Fault: Too Many Hints Or Comments"},
};

class RefusedImport : public ::testing::TestWithParam<RefusedFile> {};

TEST_P(RefusedImport, NamesTheLineAndWritesNothing) {
    const RefusedFile& c = GetParam();
    DeckHarness h;
    const std::string qa = h.write("deck.DKS", crlf({"[Cardwise]", "Q1=<NAM>Geo%one", "A1=uno",
                                                     "Q2=two", "A2=dos", "Q3=three", "A3=tres"}));
    h.write("deck.DKD", "[CARDWISE]\r\nNoPriority=  1\r\nQ&A1=20261201 1    3 0 0110\r\n");
    const std::string source = h.write("bad.txt", c.file);
    const auto before = snapshot(h.decks.path());
    std::vector<std::string> targets{qa};
    if (c.refusedForANewDeck) targets.push_back(h.decks.file("new.DKS"));
    for (const std::string& target : targets) {
        ImportResult result = importPairs(h.program, source, target);
        ASSERT_FALSE(result.ok()) << target;
        EXPECT_EQ(result.problem->line, c.line) << target;
        EXPECT_EQ(result.problem->text.rfind(c.textStart, 0), 0u) << result.problem->text;
        EXPECT_EQ(snapshot(h.decks.path()), before) << target;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedImport, ::testing::ValuesIn(kRefusedFiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PairExchange, RefusedDecksAndFailedWritesLeaveEveryFileAsItWas) {
    const std::string qa = h.write("deck.DKS", threePairDeck());
    h.write("orphan.DKD", "[CARDWISE]\r\n");
    const std::string good = h.write("good.tsv", "q\ta\nr\tb\n");
    const std::string single = h.write("single.tsv", "q\ta\n");
    const auto before = snapshot(h.decks.path());

    struct Case {
        std::string source;
        std::string deck;
        std::string text;
    };
    const std::vector<Case> cases{
        {good, h.decks.file("orphan"),
         h.decks.file("orphan.DKD") +
             " Already Exists Without Its .DKS File; Please Move It Away Or Import Into Another "
             "Name."},
        {good, h.decks.file("cards.txt"),
         h.decks.file("cards.txt") +
             " Does Not Have A .DKS Extension; Pairs Can Be Imported Only Into A .DKS File."},
        {single, h.decks.file("one.DKS"),
         "A New Deck Needs At Least Two Pairs; The File Holds Only One."},
        {h.decks.file("missing.tsv"), qa,
         "Cardwise Could Not Read " + h.decks.file("missing.tsv") + "."},
    };
    for (const Case& c : cases) {
        ImportResult result = importPairs(p, c.source, c.deck);
        ASSERT_FALSE(result.ok()) << c.deck;
        EXPECT_EQ(result.problem->line, 0);
        EXPECT_EQ(result.problem->text, c.text);
    }

    h.files.failWrites = true;
    ImportResult failed = importPairs(p, good, qa);
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.problem->text.rfind("Cardwise Could Not Write " + qa, 0), 0u);
    h.files.failWrites = false;

    std::filesystem::permissions(qa, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    ImportResult readOnly = importPairs(p, good, qa);
    ASSERT_FALSE(readOnly.ok());
    EXPECT_EQ(readOnly.problem->text, qa + " Is A Read-Only Deck; No Pairs Can Be Added To It.");
    std::filesystem::permissions(qa, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(snapshot(h.decks.path()), before);
}

// The File menu commands: the deck closes, takes the pairs and opens again.
TEST_F(PairExchange, ImportIntoTheOpenDeckReopensItWithThePairs) {
    const std::string qa = h.write("deck.DKS", threePairDeck());
    h.open(qa);
    const std::string source = h.write("more.csv", "four,cuatro\nfive,cinco\n");
    h.ui.fileChoices = {source};
    h.ui.expectBox(
        {"Import Pairs", "2 Pairs Were Added To " + qa + ".", Icon::Information, Buttons::Ok});
    ImportPairsClick(p);
    EXPECT_TRUE(p.shell.deckOpen);
    EXPECT_EQ(p.deck.QAFileName, qa);
    EXPECT_EQ(p.deck.PairCount, 5);
    EXPECT_EQ(h.drillStarts(), 2);
}

TEST_F(PairExchange, ImportProblemIsToldAndTheOpenDeckComesBackUnchanged) {
    const std::string qa = h.write("deck.DKS", threePairDeck());
    h.open(qa);
    const std::string source = h.write("bad.csv", "four,cuatro\n\"five,cinco\n");
    h.ui.fileChoices = {source};
    h.ui.expectBox({"Import Error",
                    "Line 2 Of " + source +
                        ": A Quoted Field Starts Here And Is Never Closed.  Nothing Was Imported.",
                    Icon::Error, Buttons::Ok});
    ImportPairsClick(p);
    EXPECT_TRUE(p.shell.deckOpen);
    EXPECT_EQ(p.deck.PairCount, 3);
    EXPECT_EQ(h.drillStarts(), 1);  // the deck was never closed
    EXPECT_EQ(h.decks.read("deck.DKS"), threePairDeck());

    // A problem only this deck makes is found after the deck closed; it opens again.
    const std::string tooMany = h.write("many.csv", manyRows(4998, false));
    h.ui.fileChoices = {tooMany};
    h.ui.expectBox({"Import Error",
                    "Line 4998 Of " + tooMany +
                        ": This Row Would Be Pair 5001 Of The Deck; A Deck Holds At Most 5000 "
                        "Pairs.  Nothing Was Imported.",
                    Icon::Error, Buttons::Ok});
    ImportPairsClick(p);
    EXPECT_TRUE(p.shell.deckOpen);
    EXPECT_EQ(p.deck.PairCount, 3);
    EXPECT_EQ(h.drillStarts(), 2);
}

TEST_F(PairExchange, ABadFileIsToldBeforeADeckNameIsAskedFor) {
    const std::string source = h.write("bad.csv", "q,a\n\xD0\x91,b\n");
    h.ui.fileChoices = {source};
    h.ui.expectBoxWhere("Import Error", Icon::Error, Buttons::Ok, [&](const std::string& text) {
        return text.rfind("Line 2 Of " + source + ": Question: The Character", 0) == 0;
    });
    ImportPairsClick(p);
    EXPECT_EQ(h.ui.fileRequests.size(), 1u);
    EXPECT_FALSE(p.shell.deckOpen);
}

TEST_F(PairExchange, ImportWithoutADeckCreatesTheNamedDeck) {
    const std::string source = h.write("cards.tsv", "q1\ta1\nq2\ta2\nq3\ta3\n");
    h.ui.fileChoices = {source, h.decks.file("words")};
    const std::string created = h.decks.file("words.DKS");
    h.ui.expectBox({"Import Pairs", "The New Deck " + created + " Was Created With 3 Pairs.",
                    Icon::Information, Buttons::Ok});
    ImportPairsClick(p);
    EXPECT_TRUE(p.shell.deckOpen);
    EXPECT_EQ(p.deck.QAFileName, created);
    EXPECT_EQ(p.deck.PairCount, 3);

    // Cancelling either dialog does nothing.
    ASSERT_TRUE(FileExitQAClick(p));
    const auto before = snapshot(h.decks.path());
    h.ui.fileChoices = {std::nullopt};
    ImportPairsClick(p);
    h.ui.fileChoices = {source, std::nullopt};
    ImportPairsClick(p);
    // An existing deck is added to only when the user says so.
    h.ui.fileChoices = {source, created};
    h.ui.expectBox(
        {"Deck Already Exists", created + " Already Exists.  Add The Imported Pairs To It?",
         Icon::Question, Buttons::YesNo},
        Button::No);
    ImportPairsClick(p);
    EXPECT_EQ(snapshot(h.decks.path()), before);
    EXPECT_FALSE(p.shell.deckOpen);
}

TEST_F(PairExchange, ExportWritesTheOpenDeckAndAsksBeforeReplacing) {
    h.open(h.write("rich.DKS", kRichDeck));
    h.ui.fileChoices = {h.decks.file("out")};
    const std::string out = h.decks.file("out.tsv");
    h.ui.expectBox(
        {"Export Pairs", "5 Pairs Were Exported To " + out + ".", Icon::Information, Buttons::Ok});
    ExportPairsClick(p);
    EXPECT_EQ(h.decks.read("out.tsv"), kRichExport);

    h.decks.write("out.tsv", "keep");
    h.ui.fileChoices = {out};
    h.ui.expectBox(
        {"Replace Existing File?", out + " Already Exists.  Replace It With The Exported Pairs?",
         Icon::Question, Buttons::YesNo},
        Button::No);
    ExportPairsClick(p);
    EXPECT_EQ(h.decks.read("out.tsv"), "keep");

    const std::string deck = h.decks.file("rich.DKS");
    h.ui.fileChoices = {deck};
    h.ui.expectBox({"Export Error",
                    "Pairs Are Exported To A Text File; " + deck +
                        " Would Be Taken For A Deck's File.  Please Choose A Name Ending In .tsv "
                        "Or .txt.",
                    Icon::Error, Buttons::Ok});
    ExportPairsClick(p);
    EXPECT_EQ(h.decks.read("rich.DKS"), kRichDeck);
}

}  // namespace
}  // namespace cardwise
