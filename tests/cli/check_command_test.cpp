#include <gtest/gtest.h>

#include "cli_harness.h"
#include "deck_folder.h"

namespace cardwise::cli {
namespace {

using testing::CliRun;
using testing::DeckFolder;
using testing::linesOf;

std::string unidentifiedTagText(std::string_view side, std::string_view pair) {
    return "Cardwise Has Found An Unreadable Tag In " + std::string(side) + std::string(pair) +
           ".  A Tag Is Any Sequence Of Characters Beginning With The Character \"<\". "
           "This Character Has Special Meaning In Cardwise.  Questions Or Answers Should "
           "Not Contain A _Single_ Instance Of This Character In The Text Portion Of The Q or "
           "A.  The Cardwise Editor Handles This Automatically.  If, However, You Make Edits To "
           "The .DKS File With NotePad Or Other ANSII Editor, You Must Use TWO <'s For Each One "
           "You Wish To Appear In The Text.  Single Instances Of < Are Used To Indicate Paths "
           "(<BMP>, <WAV>), To Indicate Hints Or Comments (<HI1>..<HI3>), To Indicate Multiple "
           "Choice Questions Or Fill-In-The-Blank Answers (<MC1>..<MC6>), To Indicate Question "
           "Named Range (NAM), Or To Show A Fill-In-The-Blank Question Or Multiple Choice "
           "Answer <FIN>. Please See The On-line Help Under \"Tags\" For An In-Depth Discussion "
           "Of Their Use.";
}

struct FaultsDeck : DeckFolder {
    FaultsDeck() {
        copy("faults.DKS");
        copy("faults.DKD");
        for (const char* present : {"present.bmp", "clip.avi", "photo.jpeg", "song.mp3"}) {
            write(present, "not decoded by the check");
        }
    }
};

TEST(CheckCommand, ReportsEveryFaultOfTheDeckLineByLine) {
    FaultsDeck deck;
    CliRun cli(deck.path());
    cli.run({"check", "faults.DKS"});
    const std::string dks = deck.file("faults.DKS");
    const std::string dkd = deck.file("faults.DKD");
    const std::vector<std::string> expected = {
        "[Data Error] Error In Display Answer After Value - Must Be An Integer Between 1 and 60 "
        "- Please Re-enter",
        "[Q&A SetUp Data Error] " + dks +
            " Has Invalid Or Corrupted Entries In The Data Stored In Its Associated .DKD File.  "
            "This File Cannot Be Used In Its Current State.  NotePad Will Now Be Opened With " +
            dkd +
            " Loaded To Allow You To Correct The Indicated Error.  After Correcting The Error, "
            "Reopen The File To Continue.",
        "Pair 1: [Too Many Hints Or Comments] Cardwise Has Found More Than Three Hints In "
        "Question     1.  Please Limit The Hints Or Comments To Three. ",
        "Pair 2: [Too Many Multiple Choice Or Fill-In Answers] Cardwise Has Found More Than Six "
        "Multiple Choice Possibilities In Question     2.  Please Limit The Number Of Choices To "
        "Six. ",
        "Pair 3: [Invalid Multiple Choice Answer Number] The Indicated Multiple Choice Answer "
        "Number For Answer   3 Did Not Have A Corresponding Choice In The Question Section. ",
        "Pair 4: [Unidentified Tag Encountered] " + unidentifiedTagText("Answer ", "    4"),
        "Pair 5: [.BMP/.AVI Conflict] Cardwise Has Found Both A .BMP Path And A .AVI Path "
        "Specified For Question     5.  These Cannot Be Displayed Simultaneously Since They Use "
        "The Same \"Screen\". Please Modify The Question Or Answer To Contain Only A .BMP OR A "
        ".AVI File.",
        "Pair 6: [Missing Graphics File] Cardwise Cannot Locate The Graphics File missing.gif "
        "Referenced By The Currently-Displayed Question Or Answer. Please Check Its Path In The "
        "Editor's Associated Files Page.",
        "Pair 7: [Incompatible Graphics File] The Graphics File photo.jpeg Referenced By The "
        "Currently-Displayed Question Or Answer Is Not One Of The Types (BMP, CMS, ICO, GIF, "
        "JPG, PCX, PNG, SCM, and  WMF) That Is Compatible With Cardwise.",
        "Pair 8: [Missing Multi-Media File] Cardwise Cannot Locate The Multi-Media File "
        "missing.wav Referenced By The Currently-Displayed Question Or Answer Please Check Its "
        "Path In The Editor's Associated Files Page.",
        "Pair 9: [Incompatible Multi-Media File] The Multi-Media File song.mp3 Referenced By The "
        "Currently-Displayed Question Or Answer Is Not One Of The Types (.AVI, .MOV, .MID, .RMI "
        "or .WAV) That Is Compatible With Cardwise.",
    };
    EXPECT_EQ(linesOf(cli.out.str()), expected);
    EXPECT_EQ(cli.status, kExitFound);
    EXPECT_EQ(cli.err.str(), "");
}

TEST(CheckCommand, CleanDeckReportsNothingAndExitsZero) {
    DeckFolder deck;
    deck.copy("clean.DKS");
    CliRun cli(deck.path());
    cli.run({"check", deck.file("clean.DKS")});
    EXPECT_EQ(cli.out.str(), "");
    EXPECT_EQ(cli.status, kExitOk);
}

TEST(CheckCommand, ExampleDeckReportsNothing) {
    DeckFolder deck;
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(CARDWISE_SOURCE_DIR) / "examples")) {
        std::filesystem::copy_file(entry.path(), deck.file(entry.path().filename().string()));
    }
    CliRun cli("/");
    cli.run({"check", deck.file("CRDWSE50.DKS")});
    EXPECT_EQ(cli.out.str(), "");
    EXPECT_EQ(cli.status, kExitOk);
}

TEST(CheckCommand, BuildPutsTheExampleDeckBesideTheProgram) {
    namespace fs = std::filesystem;
    const fs::path examples = fs::path(CARDWISE_SOURCE_DIR) / "examples";
    const fs::path copied = fs::path(CARDWISE_CLI_DIR) / "EXAMPLES";
    int files = 0;
    for (const auto& entry : fs::directory_iterator(examples)) {
        const fs::path beside = copied / entry.path().filename();
        ASSERT_TRUE(fs::exists(beside)) << beside;
        EXPECT_EQ(fs::file_size(beside), fs::file_size(entry.path())) << beside;
        ++files;
    }
    EXPECT_GE(files, 6);
    EXPECT_TRUE(fs::exists(copied / "CRDWSE50.DKS"));
}

TEST(CheckCommand, CheckAndStatsChangeNoFileAndCreateNone) {
    FaultsDeck faults;
    DeckFolder fresh;  // no setup data file: opening it in the program would create one
    fresh.copy("clean.DKS");
    const std::pair<const DeckFolder*, const char*> decks[] = {{&faults, "faults.DKS"},
                                                               {&fresh, "clean.DKS"}};
    for (const auto& [deck, name] : decks) {
        auto before = deck->snapshot();
        for (const char* command : {"check", "stats"}) {
            CliRun cli(deck->path());
            cli.run({command, name});
            EXPECT_EQ(deck->snapshot(), before) << command << " " << name;
        }
    }
}

TEST(CheckCommand, DeckThatCannotBeOpenedExitsTwo) {
    DeckFolder deck;
    deck.write("empty.DKS", "[Cardwise]\r\n; nothing here\r\n");
    deck.write("notes.txt", "Q1=a\r\nA1=b\r\n");
    deck.write("long.DKS", "Q1=" + std::string(2100, 'x') + "\r\nA1=y\r\n");
    struct Case {
        const char* name;
        const char* caption;
    };
    const Case cases[] = {
        {"missing.DKS", "[No .DKS File] "},
        {"notes.txt", "[Q&A File Extension Error] "},
        {"empty.DKS", "[Data Error] "},
        {"long.DKS", "[Q&A .DKS File Error] "},
    };
    for (const Case& c : cases) {
        CliRun cli(deck.path());
        cli.run({"check", c.name});
        EXPECT_EQ(cli.status, kExitFailure) << c.name;
        EXPECT_NE(cli.out.str().find(c.caption), std::string::npos) << cli.out.str();
    }
    EXPECT_FALSE(deck.exists("empty.DKD"));
    EXPECT_FALSE(deck.exists("long.DKD"));
}

TEST(CheckCommand, ReadsTheApplicationSettingsBesideTheProgramWithoutWritingThem) {
    DeckFolder deck;
    deck.copy("clean.DKS");
    const std::string settings = "[CARDWISE]\r\nUseStartDIR=1\r\nStartDIR=/no/such/folder/\r\n";
    deck.write("CARDWISE.INI", settings);
    deck.write("CARDWISE.PORTABLE", "");
    CliRun cli(deck.path());
    cli.run({"check", "clean.DKS"});
    EXPECT_EQ(cli.out.str(),
              "[Options Data Error] The Directory Specified For .DKS Files Does Not Exist - The "
              "Last Open .DKS Directory Will Be Used.\n");
    EXPECT_EQ(cli.status, kExitFound);
    EXPECT_EQ(deck.read("CARDWISE.INI"), settings);
}

TEST(CheckCommand, ReportsTheLoadWarningsOfAReadOnlyOrOversizeDeck) {
    DeckFolder deck;
    deck.copy("clean.DKS");
    std::filesystem::permissions(deck.file("clean.DKS"), std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::group_read |
                                                             std::filesystem::perms::others_read);
    std::string big = "[Cardwise]\r\n";
    for (int n = 1; n <= 5001; ++n) big += "Q" + std::to_string(n) + "=q\r\nA1=a\r\n";
    deck.write("big.DKS", big);

    CliRun readOnly(deck.path());
    readOnly.run({"check", "clean.DKS"});
    EXPECT_EQ(readOnly.out.str(), "[Q&A Read-Only Warning] " + deck.file("clean.DKS") +
                                      " Is A Read-Only File.  The File Will Operate Properly, But "
                                      "No Permanent Changes Can Be Made To The Option Settings, "
                                      "Priority List, Etc.\n");
    EXPECT_EQ(readOnly.status, kExitFound);

    CliRun oversize(deck.path());
    oversize.run({"check", "big.DKS"});
    EXPECT_EQ(linesOf(oversize.out.str()),
              (std::vector<std::string>{
                  "[Oversize .DKS File] For Performance Considerations, Cardwise Limits The Deck "
                  "Size To 5000 Question/Answer Pairs.  This Deck Exceeds That Limit - Only The "
                  "First 5000 Pairs Will Be Loaded.  DO NOT MAKE ANY EDITS TO THIS DECK WHILE IT "
                  "IS OPEN - IF YOU DO, THE FILE WILL BE TRUNCATED TO THE FIRST 5000 PAIRS!!!!"}));
    EXPECT_EQ(oversize.status, kExitFound);
    EXPECT_FALSE(deck.exists("big.DKD"));
}

TEST(CheckCommand, NeedsExactlyOneDeck) {
    CliRun cli;
    cli.run({"check"});
    EXPECT_EQ(cli.status, kExitFailure);
    EXPECT_NE(cli.err.str().find("usage: cardwise-cli check DECK"), std::string::npos);
}

}  // namespace
}  // namespace cardwise::cli
