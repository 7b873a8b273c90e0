#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "core/platform/settings_folder.h"
#include "support/fakes.h"

namespace cardwise {
namespace {

namespace fs = std::filesystem;

mode_t modeOf(const std::string& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// The single-instance socket may only live where no other user can reach it.
TEST(PrivateFolderTest, OnlyAFolderOfOursThatNobodyElseEntersIsPrivate) {
    testing::TempDir dir;
    const std::string root = dir.path();
    auto folderWithMode = [&](const std::string& name, fs::perms perms) {
        fs::create_directory(dir.file(name));
        fs::permissions(dir.file(name), perms);
        return dir.file(name);
    };
    fs::create_symlink(folderWithMode("target", fs::perms::owner_all), dir.file("link"));
    dir.write("file", "");
    struct Row {
        const char* name;
        std::string path;
        bool create;
        bool privateAfter;
    };
    const Row rows[] = {
        {"ours with 0700", folderWithMode("own", fs::perms::owner_all), false, true},
        {"readable by others", folderWithMode("shared", fs::perms::owner_all | fs::perms::others_read),
         true, false},
        {"group may enter", folderWithMode("group", fs::perms::owner_all | fs::perms::group_exec),
         true, false},
        {"a link to a private folder", dir.file("link"), true, false},
        {"a file", dir.file("file"), true, false},
        {"missing, not made", dir.file("absent"), false, false},
        {"missing, made", dir.file("made/deeper"), true, true},
        {"relative", "relative/folder", true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::optional<std::string> found = privateFolder(row.path, row.create);
        EXPECT_EQ(found.has_value(), row.privateAfter);
        if (found) {
            EXPECT_EQ(modeOf(*found), 0700u);
        }
    }
    // A refused folder is left as it was.
    EXPECT_EQ(modeOf(dir.file("shared")), 0704u);
    EXPECT_EQ(root, dir.path());
}

TEST(PrivateFolderTest, SocketFolderIsTheRuntimeFolderOrOneMadeInTheCache) {
    testing::TempDir dir;
    fs::create_directory(dir.file("run"));
    fs::permissions(dir.file("run"), fs::perms::owner_all);
    fs::create_directory(dir.file("open"));
    fs::permissions(dir.file("open"), fs::perms::all);
    const std::string run = dir.file("run");
    const std::string open = dir.file("open");
    const std::string cache = dir.file("cache");
    const std::string home = dir.file("home");
    struct Row {
        const char* name;
        const char* runtime;
        const char* cacheHome;
        const char* home;
        std::optional<std::string> expected;
    };
    const Row rows[] = {
        {"private runtime folder", run.c_str(), cache.c_str(), home.c_str(), run},
        {"a shared runtime folder is passed over", open.c_str(), cache.c_str(), home.c_str(),
         cache + "/cardwise"},
        {"no runtime folder: the cache", nullptr, cache.c_str(), home.c_str(), cache + "/cardwise"},
        {"no cache variable: ~/.cache", "", nullptr, home.c_str(), home + "/.cache/cardwise"},
        {"nowhere: never /tmp", nullptr, nullptr, nullptr, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(instanceSocketFolder(row.runtime, row.cacheHome, row.home), row.expected);
        if (row.expected) {
            EXPECT_EQ(modeOf(*row.expected), 0700u);
        }
    }
}

}  // namespace
}  // namespace cardwise
