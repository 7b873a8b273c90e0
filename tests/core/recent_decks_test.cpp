#include "core/shell/recent_decks.h"

#include <gtest/gtest.h>

#include <array>

#include "core/shell/app_settings.h"
#include "support/fakes.h"

namespace cardwise {
namespace {

using testing::crlf;
using testing::ProgramHarness;
using testing::TempDir;

struct RecentDecksTest : ::testing::Test {
    ProgramHarness h;
    TempDir dir;
    Program& p = h.program;

    RecentDecksTest() {
        p.programDirectory = dir.path();
        dir.write(std::string(kPortableMarkerFileName), "");
        EXPECT_TRUE(locateAppSettings(p, std::nullopt));
    }

    void fill(int count) {
        for (int i = count; i >= 1; --i) addRecentDeck(p, "/d/deck" + std::to_string(i) + ".DKS");
    }
    std::string slot(int k) const { return p.shell.recentFiles[static_cast<std::size_t>(k - 1)]; }
};

TEST_F(RecentDecksTest, ReopeningSlotFourMovesItToTheTopAndLeavesLaterSlots) {
    fill(9);
    addRecentDeck(p, "/d/deck4.DKS");
    const std::array<int, 9> expected{4, 1, 2, 3, 5, 6, 7, 8, 9};
    for (int k = 1; k <= 9; ++k) {
        EXPECT_EQ(slot(k), "/d/deck" + std::to_string(expected[k - 1]) + ".DKS") << k;
    }
}

TEST_F(RecentDecksTest, ATenthDeckDropsTheNinth) {
    fill(9);
    addRecentDeck(p, "/d/new.DKS");
    EXPECT_EQ(slot(1), "/d/new.DKS");
    EXPECT_EQ(slot(9), "/d/deck8.DKS");
    loadRecentDecks(p);
    for (int k = 1; k <= 9; ++k) EXPECT_NE(slot(k), "/d/deck9.DKS");
}

TEST_F(RecentDecksTest, PathsDifferingInCaseTakeTwoSlots) {
    addRecentDeck(p, "/d/Verbs.DKS");
    addRecentDeck(p, "/d/verbs.dks");
    EXPECT_EQ(slot(1), "/d/verbs.dks");
    EXPECT_EQ(slot(2), "/d/Verbs.DKS");
}

TEST_F(RecentDecksTest, OnlyNonEmptySlotsAreWritten) {
    addRecentDeck(p, "/d/b.DKS");
    addRecentDeck(p, "/d/a.DKS");
    EXPECT_EQ(dir.read("CARDWISE.INI"),
              crlf({"[CARDWISE]", "UsedFilePath1=/d/a.DKS", "UsedFilePath2=/d/b.DKS"}));
}

TEST_F(RecentDecksTest, ListIsReadBackFromTheSettingsFile) {
    dir.write("CARDWISE.INI",
              crlf({"[Cardwise]", "usedfilepath2=/x/two.DKS", "UsedFilePath1=/x/one.DKS"}));
    p.appSettings.reload();
    loadRecentDecks(p);
    EXPECT_EQ(slot(1), "/x/one.DKS");
    EXPECT_EQ(slot(2), "/x/two.DKS");
    EXPECT_EQ(slot(3), "");
}

TEST_F(RecentDecksTest, MenuShowsNonEmptySlotsAndLeavesOthersAsTheyWere) {
    p.shell.recentMenu[2] = RecentMenuItem{"&3  old", true};
    addRecentDeck(p, "C:\\WORK\\DECKS\\SPANISH\\VERBS.DKS");
    EXPECT_EQ(p.shell.recentMenu[0].caption, "&1  C:\\WORK\\...\\VERBS.DKS");
    EXPECT_TRUE(p.shell.recentMenu[0].visible);
    EXPECT_FALSE(p.shell.recentMenu[1].visible);
    EXPECT_EQ(p.shell.recentMenu[2].caption, "&3  old");
}

struct ShortenCase {
    const char* path;
    const char* shown;
};

class ShortenedPath : public ::testing::TestWithParam<ShortenCase> {};

TEST_P(ShortenedPath, KeepsTwoLevelsWholeAndShortensDeeperPaths) {
    EXPECT_EQ(shortenedPath(GetParam().path), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ShortenedPath,
    ::testing::Values(ShortenCase{"C:\\WORK\\DECKS\\SPANISH\\VERBS.DKS",
                                  "C:\\WORK\\...\\VERBS.DKS"},
                      ShortenCase{"C:\\DECKS\\VERBS.DKS", "C:\\DECKS\\VERBS.DKS"},
                      ShortenCase{"C:\\WORK\\DECKS\\VERBS.DKS", "C:\\WORK\\...\\VERBS.DKS"},
                      ShortenCase{"/decks/verbs.dks", "/decks/verbs.dks"},
                      ShortenCase{"/home/ann/decks/verbs.dks", "/home/.../verbs.dks"},
                      ShortenCase{"verbs.dks", "verbs.dks"}));

TEST(RecentMenuCaption, AmpersandInAPathIsDoubled) {
    EXPECT_EQ(recentMenuCaption(2, "/q&a/x.DKS"), "&2  /q&&a/x.DKS");
}

}  // namespace
}  // namespace cardwise
