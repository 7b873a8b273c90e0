#include <gtest/gtest.h>

#include "cli_harness.h"

namespace cardwise::cli {
namespace {

using testing::CliRun;

TEST(CommandLine, HelpListsEveryCommandAndSucceeds) {
    CliRun cli;
    cli.run({"--help"});
    EXPECT_EQ(cli.status, kExitOk);
    for (const char* name : {"check DECK", "stats DECK", "copy DECK PAIR", "drill DECK",
                             "import FILE DECK", "export DECK FILE"}) {
        EXPECT_NE(cli.out.str().find(name), std::string::npos) << name;
    }
    EXPECT_EQ(cli.err.str(), "");
}

TEST(CommandLine, VersionNamesTheProgramAndItsLicence) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--version"}, {"check", "x.DKS", "--version"}}) {
        CliRun cli;
        cli.run(args);
        EXPECT_EQ(cli.status, kExitOk);
        EXPECT_EQ(cli.out.str().substr(0, 51),
                  "cardwise-cli 5.0\nLicence GPL-3.0-or-later: GNU GPL ");
        EXPECT_EQ(cli.err.str(), "");
    }
}

TEST(CommandLine, WrongCommandLinesExitTwoWithAUsageLine) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate", "x.DKS"},
        {"--verbose", "check", "x.DKS"},
        {"check", "-q", "x.DKS"},
    };
    for (const auto& args : cases) {
        CliRun cli;
        cli.run(args);
        EXPECT_EQ(cli.status, kExitFailure) << ::testing::PrintToString(args);
        EXPECT_NE(cli.err.str().find("usage: cardwise-cli"), std::string::npos);
        EXPECT_EQ(cli.out.str(), "");
    }
}

}  // namespace
}  // namespace cardwise::cli
