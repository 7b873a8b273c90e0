#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/platform/file_system.h"
#include "support/fakes.h"

namespace cardwise {
namespace {

using testing::TempDir;

// Thrown out of a step to stop a write where a killed process would stop: nothing after
// it runs, nothing is cleaned up.
struct Killed {};

// The real file system whose write is killed just before or just after one of its steps
// (each temporary file written, old file kept and rename is a step, from 1), and whose
// step failAt fails as a full disk would.
class KilledWrite : public LocalFileSystem {
  public:
    int killBefore = 0;
    int killAfter = 0;
    int failAt = 0;

  protected:
    FileResult writeTemporary(const std::string& target, const PieceSource& next,
                              std::string& temporary) override {
        return step([&] { return LocalFileSystem::writeTemporary(target, next, temporary); });
    }
    FileResult keepOldFile(const std::string& path, std::string& kept) override {
        return step([&] { return LocalFileSystem::keepOldFile(path, kept); });
    }
    FileResult renameFile(const std::string& from, const std::string& to) override {
        return step([&] { return LocalFileSystem::renameFile(from, to); });
    }

  private:
    template <typename Step>
    FileResult step(const Step& run) {
        ++steps_;
        if (steps_ == killBefore) throw Killed{};
        if (steps_ == failAt) return FileResult::failure("Input/output error");
        FileResult result = run();
        if (steps_ == killAfter) throw Killed{};
        return result;
    }
    int steps_ = 0;
};

std::vector<std::string> namesIn(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A deck's two files and, beside them, files of others that recovery must leave alone.
struct InterruptedWrite : ::testing::Test {
    TempDir dir;
    LocalFileSystem files;
    const std::vector<std::string> others{".notes.txt.new-abcdefgh", "notes.txt"};

    void SetUp() override {
        dir.write("deck.DKD", "old settings");
        dir.write("deck.DKS", "old pairs");
        dir.write("notes.txt", "not the deck's");
        dir.write(".notes.txt.new-abcdefgh", "another program's temporary");
    }
    std::vector<std::string> deckFiles() const {
        return {dir.file("deck.DKS"), dir.file("deck.DKD"), dir.file("deck.~LK")};
    }
    void writeBoth(KilledWrite& killed) {
        try {
            killed.writeFiles({FileWrite{dir.file("deck.DKD"), "new settings"},
                               FileWrite{dir.file("deck.DKS"), "new pairs"}});
        } catch (const Killed&) {
            return;
        }
        ADD_FAILURE() << "the write was not killed";
    }
    // Both old or both new, and nothing left beside them but the others' files.
    void expectMatching(bool expectNew) {
        const std::string settings = dir.read("deck.DKD");
        const std::string pairs = dir.read("deck.DKS");
        EXPECT_EQ(settings, expectNew ? "new settings" : "old settings");
        EXPECT_EQ(pairs, expectNew ? "new pairs" : "old pairs");
        std::vector<std::string> expected{".notes.txt.new-abcdefgh", "deck.DKD", "deck.DKS",
                                          "notes.txt"};
        EXPECT_EQ(namesIn(dir), expected);
        EXPECT_EQ(dir.read("notes.txt"), "not the deck's");
    }
};

TEST_F(InterruptedWrite, TheNextOpenLeavesBothFilesOldOrBothNewWhereverTheWriteWasKilled) {
    // Steps: 1 new settings, 2 new pairs, 3 old settings kept, (commit record), 4 settings
    // renamed in, 5 pairs renamed in, 6 the old settings put back after a failure.
    struct Row {
        const char* name;
        int killBefore, killAfter, failAt;
        bool vanishSecondNew;  // the second new file is lost before the open
        bool expectNew;
    };
    const Row rows[] = {
        {"after the first new file", 0, 1, 0, false, false},
        {"after both new files", 0, 2, 0, false, false},
        {"after the old file was kept", 0, 3, 0, false, false},
        {"after the record, before any rename", 4, 0, 0, false, true},
        {"between the two renames", 0, 4, 0, false, true},
        {"after the last rename", 0, 5, 0, false, true},
        {"between the renames, the second new file lost", 0, 4, 0, true, false},
        {"the second rename failed, before putting back", 6, 0, 5, false, true},
        {"the second rename failed, after putting back", 0, 6, 5, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetUp();
        KilledWrite killed;
        killed.killBefore = row.killBefore;
        killed.killAfter = row.killAfter;
        killed.failAt = row.failAt;
        writeBoth(killed);
        if (row.vanishSecondNew) {
            for (const std::string& name : namesIn(dir)) {
                if (name.rfind(".deck.DKS.new-", 0) == 0) std::filesystem::remove(dir.file(name));
            }
        }
        EXPECT_TRUE(files.recoverInterruptedWrites(deckFiles()).ok);
        expectMatching(row.expectNew);
    }
}

TEST_F(InterruptedWrite, ASettingsFileThatDidNotExistIsRemovedWhenTheWriteIsUndone) {
    std::filesystem::remove(dir.file("deck.DKD"));
    KilledWrite killed;
    killed.killAfter = 3;  // settings renamed in (no old one to keep), pairs not yet
    writeBoth(killed);
    ASSERT_TRUE(dir.exists("deck.DKD"));
    for (const std::string& name : namesIn(dir)) {
        if (name.rfind(".deck.DKS.new-", 0) == 0) std::filesystem::remove(dir.file(name));
    }
    EXPECT_TRUE(files.recoverInterruptedWrites(deckFiles()).ok);
    EXPECT_FALSE(dir.exists("deck.DKD"));
    EXPECT_EQ(dir.read("deck.DKS"), "old pairs");
}

TEST_F(InterruptedWrite, LeftoversOfTheDecksFilesAreSweptAndOnlyThose) {
    dir.write(".deck.DKS.new-Ab3dEf7h", "half a deck");
    dir.write(".deck.DKD.old-00000000", "an old copy");
    dir.write(".deck.~LK.new-zzzzzzzz", "a lock never linked");
    dir.write(".deck.DKS.new-short", "not a name a write makes");
    dir.write(".other.DKS.new-abcdefgh", "another deck's");
    EXPECT_TRUE(files.recoverInterruptedWrites(deckFiles()).ok);
    std::vector<std::string> expected{".deck.DKS.new-short",
                                      ".notes.txt.new-abcdefgh",
                                      ".other.DKS.new-abcdefgh",
                                      "deck.DKD",
                                      "deck.DKS",
                                      "notes.txt"};
    EXPECT_EQ(namesIn(dir), expected);
    EXPECT_EQ(dir.read("deck.DKD"), "old settings");
    EXPECT_EQ(dir.read("deck.DKS"), "old pairs");
}

TEST_F(InterruptedWrite, ARecordThatIsCutShortOrNamesOtherFilesIsNotBelieved) {
    const std::string victimNew = ".notes.txt.new-abcdefgh";
    auto entry = [](std::string file, std::string temporary, std::string old) {
        return "file=" + file + "\nnew=" + temporary + "\ninode=1\nsize=3\nold=" + old + "\n";
    };
    struct Row {
        const char* name;
        std::string record;
    };
    const Row rows[] = {
        {"empty", ""},
        {"cut short", "Cardwise commit record\nfile=deck.DKD\nnew=.deck.DK"},
        {"no end line",
         "Cardwise commit record\n" + entry("deck.DKD", ".deck.DKD.new-aaaaaaaa", "-")},
        {"another header",
         "Some other record\n" + entry("deck.DKD", ".deck.DKD.new-aaaaaaaa", "-") + "end\n"},
        {"a file that is not the deck's", "Cardwise commit record\n" +
                                              entry("deck.DKD", ".deck.DKD.new-aaaaaaaa", "-") +
                                              entry("notes.txt", victimNew, "-") + "end\n"},
        {"a path out of the folder",
         "Cardwise commit record\n" + entry("deck.DKD", ".deck.DKD.new-aaaaaaaa", "-") +
             entry("../deck.DKS", ".deck.DKS.new-aaaaaaaa", "-") + "end\n"},
        {"a temporary of another file",
         "Cardwise commit record\n" + entry("deck.DKD", victimNew, "-") + "end\n"},
        {"an old copy of another file",
         "Cardwise commit record\n" + entry("deck.DKD", ".deck.DKD.new-aaaaaaaa", "notes.txt") +
             "end\n"},
        {"not named after its first file",
         "Cardwise commit record\n" + entry("deck.DKS", ".deck.DKS.new-aaaaaaaa", "-") + "end\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetUp();
        dir.write(".deck.DKD.commit", row.record);
        EXPECT_TRUE(files.recoverInterruptedWrites(deckFiles()).ok);
        expectMatching(false);
        EXPECT_EQ(dir.read(victimNew), "another program's temporary");
    }
}

}  // namespace
}  // namespace cardwise
