#include "core/platform/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/fakes.h"
#include "support/faulty_files.h"

namespace cardwise {
namespace {

using testing::TempDir;

std::vector<std::string> namesIn(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

mode_t modeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0);
    return st.st_mode & 07777;
}

TEST(LocalFileSystem, WriteReplacesTheFileAndLeavesNoTemporaryFile) {
    TempDir dir;
    LocalFileSystem files;
    dir.write("deck.DKD", "old contents that are longer");
    std::string bytes("new\r\n\0bytes", 11);
    ASSERT_TRUE(files.writeFile(dir.file("deck.DKD"), bytes).ok);
    EXPECT_EQ(dir.read("deck.DKD"), bytes);
    EXPECT_EQ(files.readFile(dir.file("deck.DKD")), bytes);
    EXPECT_EQ(namesIn(dir), std::vector<std::string>{"deck.DKD"});
}

TEST(LocalFileSystem, AWriteThatFailsPartWayLeavesTheOldFileIntactAndNoTemporaryFile) {
    TempDir dir;
    LocalFileSystem failing(5);
    dir.write("deck.DKD", "the old file");
    FileResult result = failing.writeFile(dir.file("deck.DKD"), std::string(100, 'x'));
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(dir.read("deck.DKD"), "the old file");
    EXPECT_EQ(namesIn(dir), std::vector<std::string>{"deck.DKD"});

    FileResult fresh = failing.writeFile(dir.file("new.DKD"), std::string(100, 'x'));
    EXPECT_FALSE(fresh.ok);
    EXPECT_FALSE(dir.exists("new.DKD"));
    EXPECT_EQ(namesIn(dir), std::vector<std::string>{"deck.DKD"});
}

TEST(LocalFileSystem, AWriteKeepsThePermissionsOfTheReplacedFile) {
    TempDir dir;
    LocalFileSystem files;
    dir.write("deck.DKS", "x");
    ASSERT_EQ(::chmod(dir.file("deck.DKS").c_str(), 0640), 0);
    ASSERT_TRUE(files.writeFile(dir.file("deck.DKS"), "y").ok);
    EXPECT_EQ(modeOf(dir.file("deck.DKS")), 0640u);

    mode_t mask = ::umask(0);
    ::umask(mask);
    ASSERT_TRUE(files.writeFile(dir.file("fresh.DKS"), "z").ok);
    EXPECT_EQ(modeOf(dir.file("fresh.DKS")), 0666u & ~mask);
}

TEST(LocalFileSystem, ANewFileTakesTheUmaskWithoutTheWriteChangingIt) {
    TempDir dir;
    LocalFileSystem files;
    const mode_t saved = ::umask(0);
    for (mode_t mask : {mode_t{077}, mode_t{022}, mode_t{002}}) {
        ::umask(mask);
        const std::string name = "fresh" + std::to_string(mask) + ".DKS";
        ASSERT_TRUE(files.writeFile(dir.file(name), "z").ok);
        EXPECT_EQ(modeOf(dir.file(name)), 0666u & ~mask);
        EXPECT_EQ(::umask(mask), mask);  // the write left the process's umask alone
    }
    ::umask(saved);
    // A file without write bits stays so when replaced.
    dir.write("locked.DKS", "x");
    ASSERT_EQ(::chmod(dir.file("locked.DKS").c_str(), 0444), 0);
    ASSERT_TRUE(files.writeFile(dir.file("locked.DKS"), "y").ok);
    EXPECT_EQ(modeOf(dir.file("locked.DKS")), 0444u);
    EXPECT_EQ(dir.read("locked.DKS"), "y");
}

TEST(LocalFileSystem, WriteIntoAMissingFolderFails) {
    TempDir dir;
    LocalFileSystem files;
    EXPECT_FALSE(files.writeFile(dir.file("no/such/deck.DKD"), "x").ok);
}

TEST(LocalFileSystem, CopyCopiesTheBytesAndReportsAMissingSource) {
    TempDir dir;
    LocalFileSystem files;
    dir.write("a.DKS", std::string("Q1=a\r\n\0", 7));
    ASSERT_TRUE(files.copyFile(dir.file("a.DKS"), dir.file("a.~LS")).ok);
    EXPECT_EQ(dir.read("a.~LS"), dir.read("a.DKS"));
    EXPECT_FALSE(files.copyFile(dir.file("missing.DKS"), dir.file("b.~LS")).ok);
    EXPECT_FALSE(dir.exists("b.~LS"));
    // A file system that shows its files as empty to an in-kernel copy is read instead.
    std::ifstream version("/proc/version");
    const std::string expected((std::istreambuf_iterator<char>(version)), {});
    ASSERT_FALSE(expected.empty());
    ASSERT_TRUE(files.copyFile("/proc/version", dir.file("version")).ok);
    EXPECT_EQ(dir.read("version"), expected);
}

TEST(LocalFileSystem, CopiesOfManyBlocksAreWholeAndAFailedCopyKeepsTheOldBackup) {
    TempDir dir;
    std::string big;
    for (int i = 0; big.size() < 200000; ++i) big += "A" + std::to_string(i) + "=y\r\n";
    dir.write("a.DKS", big);
    dir.write("a.~LS", "previous backup");
    ASSERT_TRUE(LocalFileSystem().copyFile(dir.file("a.DKS"), dir.file("a.~LS")).ok);
    EXPECT_EQ(dir.read("a.~LS"), big);

    dir.write("a.~LS", "previous backup");
    LocalFileSystem failing(100000);  // fails in the second block
    EXPECT_FALSE(failing.copyFile(dir.file("a.DKS"), dir.file("a.~LS")).ok);
    EXPECT_EQ(dir.read("a.~LS"), "previous backup");
    EXPECT_EQ(namesIn(dir), (std::vector<std::string>{"a.DKS", "a.~LS"}));
}

// Records the folder flushes instead of waiting for the disk.
class FlushLog : public LocalFileSystem {
  public:
    explicit FlushLog(std::vector<std::string>& log) : log_(log) {}
    bool closing = false;

  protected:
    void syncFolder(const std::string& folder) override {
        log_.push_back((closing ? "at close: " : "") + fileNameOf(folder));
    }
    FileResult renameFile(const std::string& from, const std::string& to) override {
        log_.push_back("rename");
        return LocalFileSystem::renameFile(from, to);
    }

  private:
    std::vector<std::string>& log_;
};

// A lazy write's folder is flushed by the next write there that must last, after that
// write's rename, or when all are flushed (as the file system closes); never twice, never
// for nothing.
TEST(LocalFileSystem, ALazyWriteLastsWithTheNextLastingWriteInItsFolder) {
    struct Row {
        const char* name;
        std::vector<std::pair<const char*, bool>> writes;  // folder, lazily
        std::vector<std::string> flushes;
    };
    const std::vector<Row> rows{
        {"lasting", {{"a", false}}, {"rename", "a"}},
        {"lazy alone", {{"a", true}}, {"rename", "at close: a"}},
        {"lazy then lasting there",
         {{"a", true}, {"a", true}, {"a", false}},
         {"rename", "rename", "rename", "a"}},
        {"lazy then lasting elsewhere",
         {{"a", true}, {"b", false}},
         {"rename", "rename", "b", "at close: a"}},
        {"lasting then lazy",
         {{"a", false}, {"a", true}},
         {"rename", "a", "rename", "at close: a"}},
        // Two files at once: their commit record, then both renames under one flush.
        {"two files", {{"a2", false}}, {"a", "rename", "rename", "a"}},
        {"two files lazily", {{"a2", true}}, {"a", "rename", "rename", "at close: a"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        std::filesystem::create_directory(dir.file("a"));
        std::filesystem::create_directory(dir.file("b"));
        dir.write("a/deck.DKS", "pairs");
        std::vector<std::string> log;
        {
            FlushLog files(log);
            int n = 0;
            for (auto [folder, lazily] : row.writes) {
                if (std::string_view(folder) == "a2") {
                    const std::vector<FileWrite> both{{dir.file("a/x"), "x"},
                                                      {dir.file("a/y"), "y"}};
                    ASSERT_TRUE(
                        (lazily ? files.writeFilesLazily(both) : files.writeFiles(both)).ok);
                    EXPECT_EQ(dir.read("a/x") + dir.read("a/y"), "xy");
                    continue;
                }
                const std::string to = dir.file(std::string(folder) + "/f" + std::to_string(++n));
                ASSERT_TRUE(lazily ? files.copyFileLazily(dir.file("a/deck.DKS"), to).ok
                                   : files.writeFile(to, "pairs").ok);
                EXPECT_EQ(dir.read(std::string(folder) + "/f" + std::to_string(n)), "pairs");
            }
            files.closing = true;
            files.flushLazyWrites();
        }
        EXPECT_EQ(log, row.flushes);
    }
}

TEST(LocalFileSystem, ExistenceRemovalAndReadOnlyAttribute) {
    TempDir dir;
    LocalFileSystem files;
    dir.write("a.DKS", "x");
    EXPECT_TRUE(files.fileExists(dir.file("a.DKS")));
    EXPECT_FALSE(files.fileExists(dir.path()));
    EXPECT_TRUE(files.directoryExists(dir.path()));
    EXPECT_FALSE(files.directoryExists(dir.file("a.DKS")));
    EXPECT_FALSE(files.isReadOnlyFile(dir.file("a.DKS")));
    ASSERT_EQ(::chmod(dir.file("a.DKS").c_str(), 0444), 0);
    EXPECT_TRUE(files.isReadOnlyFile(dir.file("a.DKS")));
    EXPECT_FALSE(files.isReadOnlyFile(dir.file("missing.DKS")));
    EXPECT_TRUE(files.removeFile(dir.file("a.DKS")));
    EXPECT_FALSE(files.fileExists(dir.file("a.DKS")));
    EXPECT_FALSE(files.removeFile(dir.file("a.DKS")));
    EXPECT_EQ(files.readFile(dir.file("a.DKS")), std::nullopt);
}

TEST(LocalFileSystem, TheProbeFindsAWritableFolderAndLeavesNothingBehind) {
    TempDir dir;
    LocalFileSystem files;
    EXPECT_TRUE(files.canWriteInDirectory(dir.path()));
    EXPECT_TRUE(namesIn(dir).empty());
    dir.write("X2Y3Z1A4.ZZZ", "left by a crash");
    EXPECT_TRUE(files.canWriteInDirectory(dir.path()));
    EXPECT_FALSE(dir.exists("X2Y3Z1A4.ZZZ"));
    EXPECT_FALSE(files.canWriteInDirectory(dir.file("no-such-folder")));
}

struct PathCase {
    std::string path;
    std::string directory;
    std::string name;
};

TEST(Paths, DirectoryAndNameParts) {
    const std::vector<PathCase> cases = {
        {"/decks/a.DKS", "/decks", "a.DKS"},
        {"a.DKS", "", "a.DKS"},
        {"/a.DKS", "/", "a.DKS"},
        {"C:\\decks\\a.DKS", "C:\\decks", "a.DKS"},
        {"/decks/", "/decks", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(directoryOf(c.path), c.directory) << c.path;
        EXPECT_EQ(fileNameOf(c.path), c.name) << c.path;
    }
    EXPECT_EQ(joinPath("/decks", "a.DKS"), "/decks/a.DKS");
    EXPECT_EQ(joinPath("/decks/", "a.DKS"), "/decks/a.DKS");
    EXPECT_EQ(joinPath("", "a.DKS"), "a.DKS");
}

struct PathFromCase {
    std::string folder;
    std::string path;
    std::string expected;
};

class PathFrom : public ::testing::TestWithParam<PathFromCase> {};

TEST_P(PathFrom, AbsolutePathsStayRelativeOnesJoinTheFolder) {
    EXPECT_EQ(pathFrom(GetParam().folder, GetParam().path), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PathFrom,
    ::testing::Values(PathFromCase{"/decks", "/pics", "/pics"},
                      PathFromCase{"/decks", "pics", "/decks/pics"},
                      PathFromCase{"/decks/", "pics/a.bmp", "/decks/pics/a.bmp"},
                      PathFromCase{"", "pics", "pics"},
                      // Not rooted on this system: taken from the folder like any other name.
                      PathFromCase{"/decks", "C:\\PICS", "/decks/C:\\PICS"},
                      PathFromCase{"/decks", "\\PICS", "/decks/\\PICS"}));

TEST(LocalFileSystem, ReadsFilesLargerThanOneBlockWholeAndEmptyFilesAsEmpty) {
    TempDir dir;
    LocalFileSystem files;
    std::string big;
    for (int i = 0; big.size() < 300000; ++i) big += "Q" + std::to_string(i) + "=x\r\n";
    dir.write("big.DKS", big);
    dir.write("empty.DKS", "");
    EXPECT_EQ(files.readFile(dir.file("big.DKS")), big);
    EXPECT_EQ(files.readFile(dir.file("empty.DKS")), std::string());
    EXPECT_EQ(files.readFile(dir.path()), std::nullopt);  // a folder is no file
}

// Two files written together, their folder before the write and what it must hold after.
struct PairWrite : ::testing::Test {
    TempDir dir;
    testing::FaultyFileSystem files;
    std::vector<std::string> before;

    void SetUp() override {
        dir.write("deck.DKD", "old settings");
        dir.write("deck.DKS", "old pairs");
        ASSERT_EQ(::chmod(dir.file("deck.DKS").c_str(), 0640), 0);
        before = namesIn(dir);
    }
    FileResult writeBoth() {
        return files.writeFiles({FileWrite{dir.file("deck.DKD"), "new settings"},
                                 FileWrite{dir.file("deck.DKS"), "new pairs"}});
    }
};

TEST_F(PairWrite, BothFilesAreReplacedAndNothingIsLeftBeside) {
    ASSERT_TRUE(writeBoth().ok);
    EXPECT_EQ(dir.read("deck.DKD"), "new settings");
    EXPECT_EQ(dir.read("deck.DKS"), "new pairs");
    EXPECT_EQ(modeOf(dir.file("deck.DKS")), 0640u);
    EXPECT_EQ(namesIn(dir), before);
    // Two temporary files, one old file kept, two renames.
    EXPECT_EQ(files.steps, 5);
}

TEST_F(PairWrite, AFailureAtAnyStepLeavesBothFilesAsTheyWere) {
    for (int step = 1; step <= 5; ++step) {
        files.failingSteps = {step};
        files.steps = 0;
        FileResult result = writeBoth();
        EXPECT_FALSE(result.ok) << "step " << step;
        EXPECT_TRUE(result.unchanged) << "step " << step;
        EXPECT_EQ(result.error, "Input/output error") << "step " << step;
        EXPECT_EQ(dir.read("deck.DKD"), "old settings") << "step " << step;
        EXPECT_EQ(dir.read("deck.DKS"), "old pairs") << "step " << step;
        EXPECT_EQ(modeOf(dir.file("deck.DKS")), 0640u) << "step " << step;
        EXPECT_EQ(namesIn(dir), before) << "step " << step;
    }
}

TEST_F(PairWrite, AFileThatDidNotExistIsRemovedAgainWhenTheOtherFails) {
    ASSERT_TRUE(files.removeFile(dir.file("deck.DKD")));
    before = namesIn(dir);
    files.failingSteps = {4};  // no old settings file to keep: the second rename
    EXPECT_FALSE(writeBoth().ok);
    EXPECT_FALSE(dir.exists("deck.DKD"));
    EXPECT_EQ(dir.read("deck.DKS"), "old pairs");
    EXPECT_EQ(namesIn(dir), before);
}

TEST_F(PairWrite, AnOldFileThatCannotBePutBackIsKeptAndNamed) {
    files.failingSteps = {5, 6};  // the second rename, then putting the first back
    FileResult result = writeBoth();
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.unchanged);
    EXPECT_EQ(dir.read("deck.DKS"), "old pairs");
    std::size_t at = result.error.find(" is kept as ");
    ASSERT_NE(at, std::string::npos) << result.error;
    std::string kept = result.error.substr(at + 12);
    EXPECT_EQ(directoryOf(kept), dir.path());
    EXPECT_EQ(dir.read(fileNameOf(kept)), "old settings");
    // Beside it the commit record, with which the next open puts the old file back.
    EXPECT_EQ(namesIn(dir).size(), before.size() + 2);
    EXPECT_TRUE(dir.exists(".deck.DKD.commit"));
    EXPECT_TRUE(files.recoverInterruptedWrites({dir.file("deck.DKD"), dir.file("deck.DKS")}).ok);
    EXPECT_EQ(dir.read("deck.DKD"), "old settings");
    EXPECT_EQ(namesIn(dir), before);
}

TEST(LocalFileSystem, SizeOfAFileAndNothingForAFolderOrAMissingFile) {
    TempDir dir;
    LocalFileSystem files;
    dir.write("a.DKS", "12345");
    EXPECT_EQ(files.fileSize(dir.file("a.DKS")), 5u);
    EXPECT_EQ(files.fileSize(dir.path()), std::nullopt);
    EXPECT_EQ(files.fileSize(dir.file("missing.DKS")), std::nullopt);
}

}  // namespace
}  // namespace cardwise

namespace cardwise {
namespace {

using testing::TempDir;

bool isLink(const std::string& path) {
    return std::filesystem::is_symlink(std::filesystem::symlink_status(path));
}

// A deck reached through links: deck.DKS -> alias.DKS -> store/deck.DKS, both relative.
struct LinkedDeck : ::testing::Test {
    TempDir dir;
    LocalFileSystem files;

    void SetUp() override {
        std::filesystem::create_directory(dir.file("store"));
        dir.write("store/deck.DKS", "old pairs");
        ASSERT_EQ(::chmod(dir.file("store/deck.DKS").c_str(), 0640), 0);
        std::filesystem::create_symlink("store/deck.DKS", dir.file("alias.DKS"));
        std::filesystem::create_symlink("alias.DKS", dir.file("deck.DKS"));
        dir.write("deck.DKD", "old settings");
    }
    void expectLinksKept() {
        EXPECT_TRUE(isLink(dir.file("deck.DKS")));
        EXPECT_TRUE(isLink(dir.file("alias.DKS")));
        EXPECT_EQ(std::filesystem::read_symlink(dir.file("deck.DKS")), "alias.DKS");
        std::vector<std::string> top{"alias.DKS", "deck.DKD", "deck.DKS", "store"};
        EXPECT_EQ(namesIn(dir), top);
        EXPECT_EQ(modeOf(dir.file("store/deck.DKS")), 0640u);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("store")),
                                std::filesystem::directory_iterator()),
                  1);
    }
};

TEST_F(LinkedDeck, AWriteThroughAChainOfLinksReplacesTheFileTheyNameAndKeepsTheLinks) {
    ASSERT_TRUE(files.writeFile(dir.file("deck.DKS"), "new pairs").ok);
    EXPECT_EQ(dir.read("store/deck.DKS"), "new pairs");
    expectLinksKept();
}

TEST_F(LinkedDeck, TwoFilesWrittenTogetherWhereOneIsALink) {
    ASSERT_TRUE(files
                    .writeFiles({FileWrite{dir.file("deck.DKD"), "new settings"},
                                 FileWrite{dir.file("deck.DKS"), "new pairs"}})
                    .ok);
    EXPECT_EQ(dir.read("deck.DKD"), "new settings");
    EXPECT_EQ(dir.read("store/deck.DKS"), "new pairs");
    expectLinksKept();
}

TEST_F(LinkedDeck, ALoopOfLinksIsRefusedAndNothingIsWritten) {
    std::filesystem::create_symlink("loop2.DKS", dir.file("loop1.DKS"));
    std::filesystem::create_symlink("loop1.DKS", dir.file("loop2.DKS"));
    FileResult result = files.writeFiles({FileWrite{dir.file("deck.DKD"), "new settings"},
                                          FileWrite{dir.file("loop1.DKS"), "new pairs"}});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "Too many levels of symbolic links");
    EXPECT_EQ(dir.read("deck.DKD"), "old settings");
    EXPECT_TRUE(isLink(dir.file("loop1.DKS")));
}

struct OwnerOf {
    uid_t uid;
    gid_t gid;
};
OwnerOf ownerOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0);
    return {st.st_uid, st.st_gid};
}

TEST(LocalFileSystem, AWriteKeepsTheOwnerAndGroupOfTheReplacedFile) {
    if (::geteuid() != 0) GTEST_SKIP() << "only a superuser can give a file to another owner";
    TempDir dir;
    LocalFileSystem files;
    dir.write("deck.DKS", "old pairs");
    dir.write("deck.DKD", "old settings");
    for (const char* name : {"deck.DKS", "deck.DKD"}) {
        ASSERT_EQ(::chown(dir.file(name).c_str(), 4321, 8765), 0);
    }
    ASSERT_TRUE(files.writeFile(dir.file("deck.DKS"), "new pairs").ok);
    ASSERT_TRUE(files
                    .writeFiles({FileWrite{dir.file("deck.DKD"), "new settings"},
                                 FileWrite{dir.file("deck.DKS"), "newer pairs"}})
                    .ok);
    for (const char* name : {"deck.DKS", "deck.DKD"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ownerOf(dir.file(name)).uid, 4321u);
        EXPECT_EQ(ownerOf(dir.file(name)).gid, 8765u);
    }
    EXPECT_EQ(dir.read("deck.DKS"), "newer pairs");
}

TEST(LocalFileSystem, AStampChangesWithTheFileAndIsTheLinkedFilesThroughALink) {
    TempDir dir;
    LocalFileSystem files;
    EXPECT_EQ(files.stamp(dir.file("deck.DKS")), std::nullopt);
    dir.write("deck.DKS", "old pairs");
    std::filesystem::create_symlink("deck.DKS", dir.file("link.DKS"));
    std::optional<FileStamp> before = files.stamp(dir.file("deck.DKS"));
    ASSERT_TRUE(before);
    EXPECT_EQ(before->size, 9u);
    EXPECT_EQ(files.stamp(dir.file("deck.DKS")), before);
    EXPECT_EQ(files.stamp(dir.file("link.DKS")), before);
    // Same size, written in place: only the time tells.
    std::filesystem::last_write_time(
        dir.file("deck.DKS"),
        std::filesystem::last_write_time(dir.file("deck.DKS")) + std::chrono::nanoseconds(1));
    EXPECT_NE(files.stamp(dir.file("deck.DKS")), before);
    ASSERT_TRUE(files.writeFile(dir.file("link.DKS"), "new pairs").ok);
    EXPECT_NE(files.stamp(dir.file("deck.DKS"))->inode, before->inode);
}

struct NewFileCase {
    const char* name;
    bool existsBefore;
    NewFile expected;
    std::string bytesAfter;
};

TEST(LocalFileSystem, ANewFileIsCreatedOnlyWhereNoneIsAndLeavesNoTemporary) {
    const NewFileCase cases[] = {
        {"no file there", false, NewFile::Created, "host\n"},
        {"a file there", true, NewFile::Exists, "theirs\n"},
    };
    for (const NewFileCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        LocalFileSystem files;
        if (c.existsBefore) dir.write("deck.~LK", "theirs\n");
        EXPECT_EQ(files.createNewFile(dir.file("deck.~LK"), "host\n"), c.expected);
        EXPECT_EQ(dir.read("deck.~LK"), c.bytesAfter);
        EXPECT_EQ(namesIn(dir), std::vector<std::string>{"deck.~LK"});
    }
    LocalFileSystem files;
    EXPECT_EQ(files.createNewFile("/nonexistent-folder/deck.~LK", "x"), NewFile::Failed);
}

}  // namespace
}  // namespace cardwise
