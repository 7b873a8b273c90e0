#include "core/shell/command_line.h"

#include <gtest/gtest.h>

#include "core/platform/file_system.h"
#include "support/fakes.h"

namespace cardwise {
namespace {

const std::vector<ToolkitOption> kToolkit{{"-platform", true}, {"-reverse", false}};

TEST(CommandLineTest, OptionsAndDecks) {
    struct Row {
        const char* name;
        std::vector<std::string> args;
        StartAction action;
        std::vector<std::string> decks;
        std::string error;
    };
    const Row rows[] = {
        {"nothing", {}, StartAction::Run, {}, ""},
        {"relative deck from the working folder", {"a.DKS"}, StartAction::Run, {"/work/a.DKS"}, ""},
        {"absolute deck, normalised", {"/d/x/../b.DKS"}, StartAction::Run, {"/d/b.DKS"}, ""},
        // The bytes as given: not UTF-8, and a name that looks like an option after "--".
        {"non-UTF-8 name", {"caf\xe9.DKS"}, StartAction::Run, {"/work/caf\xe9.DKS"}, ""},
        {"after --", {"--", "--help", "-x"}, StartAction::Run, {"/work/--help", "/work/-x"}, ""},
        {"a lone dash is a name", {"-"}, StartAction::Run, {"/work/-"}, ""},
        {"empty argument skipped", {""}, StartAction::Run, {}, ""},
        {"--help wins over decks", {"a.DKS", "--help"}, StartAction::Help, {}, ""},
        {"-h", {"-h"}, StartAction::Help, {}, ""},
        {"--version", {"--version"}, StartAction::Version, {}, ""},
        {"unknown long option", {"a.DKS", "--frobnicate"}, StartAction::UsageError, {},
         "unknown option '--frobnicate'"},
        {"unknown short option", {"-x"}, StartAction::UsageError, {}, "unknown option '-x'"},
        {"an unknown option beats --help", {"--help", "--bad"}, StartAction::UsageError, {},
         "unknown option '--bad'"},
        {"toolkit option with its value", {"-platform", "offscreen", "a.DKS"}, StartAction::Run,
         {"/work/a.DKS"}, ""},
        {"toolkit option with two dashes", {"--reverse", "a.DKS"}, StartAction::Run,
         {"/work/a.DKS"}, ""},
        {"toolkit option without its value", {"-platform"}, StartAction::UsageError, {},
         "option '-platform' needs a value"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CommandLine line = parseCommandLine(row.args, "/work", kToolkit);
        EXPECT_EQ(line.action, row.action);
        EXPECT_EQ(line.decks, row.decks);
        EXPECT_EQ(line.error, row.error);
    }
}

TEST(CommandLineTest, Texts) {
    EXPECT_EQ(usageErrorText("cardwise", "unknown option '-x'"),
              "cardwise: unknown option '-x'\nTry 'cardwise --help'.\n");
    EXPECT_EQ(versionText("cardwise-cli").substr(0, 17), "cardwise-cli 5.0\n");
    EXPECT_EQ(desktopUsageText().substr(0, 46), "usage: cardwise [OPTION]... [DECK.DKS]...\nDril");
    EXPECT_EQ(missingDeckText("cardwise", "/d/x.DKS"), "cardwise: /d/x.DKS: no such deck\n");
    EXPECT_EQ(kExitUsage, 2);
    // The version the programs show is the one the build and the metadata carry.
    EXPECT_EQ(kCardwiseVersion, CARDWISE_PROJECT_VERSION);
}

TEST(CommandLineTest, OnlyDecksThatExistAreHandedOver) {
    testing::TempDir dir;
    dir.write("a.DKS", "[Cardwise]\r\n");
    const std::string a = dir.file("a.DKS");
    const std::string gone = dir.file("gone.DKS");
    LocalFileSystem files;
    struct Row {
        const char* name;
        std::vector<std::string> decks;
        std::vector<std::string> handed;
        std::vector<std::string> missing;
        bool contact;
    };
    const Row rows[] = {
        {"no deck only brings the copy forward", {}, {}, {}, true},
        {"an existing deck", {a}, {a}, {}, true},
        {"a missing deck stays here", {gone}, {}, {gone}, false},
        {"a folder is no deck", {dir.path()}, {}, {dir.path()}, false},
        {"both", {gone, a}, {a}, {gone}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HandOverPlan plan = planHandOver(row.decks, files);
        EXPECT_EQ(plan.handed, row.handed);
        EXPECT_EQ(plan.missing, row.missing);
        EXPECT_EQ(plan.contactRunningCopy, row.contact);
    }
}

}  // namespace
}  // namespace cardwise
