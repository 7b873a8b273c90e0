#include <gtest/gtest.h>

#include "cli_harness.h"
#include "deck_folder.h"

namespace cardwise::cli {
namespace {

using testing::CliRun;
using testing::DeckFolder;

TEST(ExchangeCommands, ExportThenImportGivesTheSamePairs) {
    DeckFolder deck;
    deck.write("words.DKS",
               "[Cardwise]\r\nQ1=<NAM>Food%caf\xE9^au lait\r\nA1=coffee\r\nQ2=a <<b>\r\nA2=c^^d\r\n"
               "Q3=x\r\nA3=y\r\n");
    CliRun exported(deck.path());
    exported.run({"export", "words.DKS", "words.tsv"});
    EXPECT_EQ(exported.status, kExitOk) << exported.err.str();
    EXPECT_EQ(exported.out.str(), "Exported 3 pairs to " + deck.file("words.tsv") + ".\n");
    EXPECT_EQ(deck.read("words.tsv"),
              "question\tanswer\tcategory\r\n\"caf\xC3\xA9\r\nau lait\"\tcoffee\tFood\r\n"
              "a <b>\tc^d\t\r\nx\ty\t\r\n");

    CliRun imported(deck.path());
    imported.run({"import", "words.tsv", "copy"});
    EXPECT_EQ(imported.status, kExitOk) << imported.err.str();
    EXPECT_EQ(imported.out.str(), "Created " + deck.file("copy.DKS") + " with 3 pairs.\n");
    EXPECT_EQ(deck.read("copy.DKS"),
              "[Cardwise]\r\nQ1=<NAM>Food%caf\xE9^au lait\r\nA1=coffee\r\nQ2=a <<b>\r\nA2=c^^d\r\n"
              "Q3=x\r\nA3=y\r\n");

    // Imported again, the pairs are added to the deck.
    CliRun again(deck.path());
    again.run({"import", "words.tsv", "copy.DKS"});
    EXPECT_EQ(again.status, kExitOk) << again.err.str();
    EXPECT_EQ(again.out.str(), "Added 3 pairs to " + deck.file("copy.DKS") + ".\n");
    CliRun stats(deck.path());
    stats.run({"stats", "copy.DKS"});
    EXPECT_NE(stats.out.str().find("Number Of Pairs: 6\n"), std::string::npos) << stats.out.str();
}

TEST(ExchangeCommands, ADeckWithChoicesAndHintsGoesThroughInMarkup) {
    DeckFolder deck;
    const std::string pairs =
        "Q1=<NAM>Geo<MC1>Paris<MC2>Rome%Capital?\r\nA1=<FIB>1%Paris\r\n"
        "Q2=<HC1>hint%a^b\r\nA2=<BMP>x.bmp\r\nQ3=x\r\nA3=y\r\n";
    deck.write("marked.DKS", "[Cardwise]\r\n" + pairs);
    CliRun exported(deck.path());
    exported.run({"export", "marked.DKS", "marked.tsv"});
    EXPECT_EQ(exported.status, kExitOk) << exported.err.str();
    EXPECT_EQ(exported.out.str(), "Exported 3 pairs to " + deck.file("marked.tsv") +
                                      ".\nThe file holds the sides in markup, hints, comments, "
                                      "choices, pictures and sounds included.\n");
    EXPECT_EQ(deck.read("marked.tsv"),
              "question markup\tanswer markup\tcategory\r\n"
              "<MC1>Paris<MC2>Rome%Capital?\t<FIB>1%Paris\tGeo\r\n<HC1>hint%a^b\t<BMP>x.bmp\t\r\n"
              "x\ty\t\r\n");

    CliRun imported(deck.path());
    imported.run({"import", "marked.tsv", "copy"});
    EXPECT_EQ(imported.status, kExitOk) << imported.err.str();
    EXPECT_EQ(deck.read("copy.DKS"), "[Cardwise]\r\n" + pairs);
}

TEST(ExchangeCommands, ARefusedImportNamesTheLineAndWritesNothing) {
    DeckFolder deck;
    deck.copy("five.DKS");
    deck.write("bad.csv", "question,answer\nfine,ok\n\"broken,quote\n");
    const auto before = deck.snapshot();
    CliRun cli(deck.path());
    cli.run({"import", "bad.csv", "five.DKS"});
    EXPECT_EQ(cli.status, kExitFound);
    EXPECT_EQ(cli.err.str(), "cardwise-cli: Line 3 Of " + deck.file("bad.csv") +
                                 ": A Quoted Field Starts Here And Is Never Closed.  Nothing Was "
                                 "Imported.\n");
    EXPECT_EQ(cli.out.str(), "");
    EXPECT_EQ(deck.snapshot(), before);
}

TEST(ExchangeCommands, WrongArgumentsExitTwo) {
    DeckFolder deck;
    deck.copy("five.DKS");
    const std::vector<std::vector<std::string>> cases = {
        {"import", "only.csv"},
        {"export", "five.DKS"},
        {"export", "five.DKS", "other.DKS"},
        {"export", "missing.DKS", "out.tsv"},
    };
    for (const auto& args : cases) {
        CliRun cli(deck.path());
        cli.run(args);
        EXPECT_EQ(cli.status, kExitFailure) << ::testing::PrintToString(args);
    }
    EXPECT_FALSE(deck.snapshot().contains("out.tsv"));
    EXPECT_FALSE(deck.snapshot().contains("other.DKS"));
}

}  // namespace
}  // namespace cardwise::cli
