#include "cli/memory_writes_file_system.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace cardwise::cli {
namespace {

TEST(MemoryWritesFileSystem, WritesCopiesAndRemovalsStayInMemory) {
    cardwise::testing::TempDir dir;
    dir.write("deck.DKS", "Q1=a\r\nA1=b\r\n");
    LocalFileSystem disk;
    MemoryWritesFileSystem files(disk);

    EXPECT_TRUE(files.writeFile(dir.file("deck.DKD"), "[CARDWISE]\r\n").ok);
    EXPECT_TRUE(files.copyFile(dir.file("deck.DKS"), dir.file("deck.~LS")).ok);
    EXPECT_TRUE(files.removeFile(dir.file("deck.DKS")));

    EXPECT_EQ(files.readFile(dir.file("deck.DKD")), "[CARDWISE]\r\n");
    EXPECT_EQ(files.readFile(dir.file("deck.~LS")), "Q1=a\r\nA1=b\r\n");
    EXPECT_TRUE(files.fileExists(dir.file("deck.~LS")));
    EXPECT_FALSE(files.fileExists(dir.file("deck.DKS")));
    EXPECT_FALSE(files.readFile(dir.file("deck.DKS")));

    EXPECT_FALSE(dir.exists("deck.DKD"));
    EXPECT_FALSE(dir.exists("deck.~LS"));
    EXPECT_EQ(dir.read("deck.DKS"), "Q1=a\r\nA1=b\r\n");
    EXPECT_EQ(files.changedPaths().size(), 3u);
}

TEST(MemoryWritesFileSystem, WriteIntoAMissingFolderFailsAsOnDisk) {
    cardwise::testing::TempDir dir;
    LocalFileSystem disk;
    MemoryWritesFileSystem files(disk);
    EXPECT_FALSE(files.writeFile(dir.file("nowhere/deck.DKD"), "x").ok);
    EXPECT_FALSE(files.removeFile(dir.file("absent.DKS")));
}

}  // namespace
}  // namespace cardwise::cli
