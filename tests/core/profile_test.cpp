#include "core/profile/profile.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "core/deck/deck_state.h"
#include "support/fakes.h"
#include "support/faulty_files.h"

namespace cardwise {
namespace {

using testing::crlf;

TEST(Profile, SectionsAndKeysMatchWithoutRegardToCase) {
    Profile p = Profile::fromBytes(crlf({"[Cardwise]", "LastDayUsed=20261201", "QFontName=Arial"}));
    EXPECT_EQ(p.readInt("CARDWISE", "lastdayused", 0), 20261201);
    EXPECT_EQ(p.readString("cardwise", "QFONTNAME", "x"), "Arial");
    EXPECT_TRUE(p.hasKey("CardWise", "qfontname"));
    EXPECT_FALSE(p.hasKey("Other", "QFontName"));
    EXPECT_EQ(p.readString("Other", "QFontName", "fallback"), "fallback");
    EXPECT_EQ(p.readInt("Cardwise", "Missing", 42), 42);
}

TEST(Profile, BlanksAroundNamesAndValuesAreIgnored) {
    Profile p =
        Profile::fromBytes("  [ Cardwise ]  \r\n   Name  =   two words  \r\n Num = 12 \r\n");
    EXPECT_EQ(p.readString("Cardwise", "Name", ""), "two words");
    EXPECT_EQ(p.readInt("Cardwise", "Num", 0), 12);
}

struct IntCase {
    std::string text;
    std::int32_t value;
};

TEST(Profile, IntegersComeFromLeadingDigitsAndAreClampedTo32Bits) {
    const std::vector<IntCase> cases = {
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"  -7", -7},
        {"+5", 5},
        {"2147483647", std::numeric_limits<std::int32_t>::max()},
        {"2147483648", std::numeric_limits<std::int32_t>::max()},
        {"99999999999999999999", std::numeric_limits<std::int32_t>::max()},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"-99999999999999999999", std::numeric_limits<std::int32_t>::min()},
        {" 1 2", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseProfileInt(c.text), c.value) << c.text;
        Profile p = Profile::fromBytes("[S]\r\nK=" + c.text + "\r\n");
        EXPECT_EQ(p.readInt("S", "K", -1), c.value) << c.text;
    }
}

TEST(RightAligned, PadsWithLeadingBlanksAndNeverCuts) {
    EXPECT_EQ(rightAligned(0, 3), "  0");
    EXPECT_EQ(rightAligned(7, 5), "    7");
    EXPECT_EQ(rightAligned(-12, 4), " -12");
    EXPECT_EQ(rightAligned(5000, 3), "5000");
    EXPECT_EQ(rightAligned(12345, 0), "12345");
    EXPECT_EQ(rightAligned(std::numeric_limits<std::int64_t>::min(), 2), "-9223372036854775808");
}

TEST(Profile, WriteInPlaceKeepsEveryOtherLineByteForByte) {
    std::string before =
        "; header comment  \n[Cardwise]\r\nCenter = 0\nQFontName=Arial  \r\n"
        "odd line without sign\r\n\r\n[Other]\nCenter=5\n";
    Profile p = Profile::fromBytes(before);
    EXPECT_EQ(p.bytes(), before);
    p.writeString("CARDWISE", "center", "1");
    EXPECT_EQ(p.bytes(),
              "; header comment  \n[Cardwise]\r\ncenter=1\nQFontName=Arial  \r\n"
              "odd line without sign\r\n\r\n[Other]\nCenter=5\n");
    EXPECT_EQ(p.readInt("Other", "Center", 0), 5);
}

TEST(Profile, ANewKeyGoesAfterTheLastNonBlankLineOfItsSection) {
    Profile p = Profile::fromBytes(crlf({"[A]", "k=1", "", "[B]", "m=2"}));
    p.writeString("A", "j", "3");
    EXPECT_EQ(p.bytes(), crlf({"[A]", "k=1", "j=3", "", "[B]", "m=2"}));
}

TEST(Profile, ANewKeyGoesBeforeTheStatusLinesWhenToldSo) {
    Profile p = Profile::fromBytes(crlf(
        {"[Cardwise]", "Center=1", "Q&A1=20261201 0    0 0 0000", "Q&A2=20261201 0    0 0 0000"}));
    p.setNewKeysBefore(isStatusLine);
    p.writeString("Cardwise", "LastDayUsed", "20261207");
    EXPECT_EQ(p.bytes(), crlf({"[Cardwise]", "Center=1", "LastDayUsed=20261207",
                               "Q&A1=20261201 0    0 0 0000", "Q&A2=20261201 0    0 0 0000"}));
    p.assign(crlf({"[Cardwise]", "Q&A1=x"}));
    p.writeString("Cardwise", "Center", "0");
    EXPECT_EQ(p.bytes(), crlf({"[Cardwise]", "Center=0", "Q&A1=x"}));
}

// Reads go through an index of the key lines: every change that moves lines (a new key,
// an appended line, a new text) must leave the reads right, and only the first section of
// a name and the first line of a key count.
TEST(Profile, ReadsStayRightAsWritesMoveTheLines) {
    Profile p = Profile::fromBytes(
        crlf({"[A]", "k=1", "k=9", "Q&A1=x", "[b]", "m=2", "[a]", "k=7", "z=8"}));
    p.setNewKeysBefore(isStatusLine);
    EXPECT_EQ(p.readString("a", "K", ""), "1");
    EXPECT_FALSE(p.hasKey("A", "z"));
    p.writeString("A", "j", "3");  // inserted before Q&A1: the lines below move down
    EXPECT_EQ(p.readString("B", "m", ""), "2");
    EXPECT_EQ(p.readString("A", "Q&A1", ""), "x");
    p.writeString("B", "m", "5");  // in place
    EXPECT_EQ(p.readString("b", "M", ""), "5");
    p.appendLine("n=6");
    EXPECT_EQ(p.readString("a", "n", "none"), "none");  // the repeated [a] holds it
    p.assign(crlf({"[A]", "k=4"}));
    EXPECT_EQ(p.readInt("A", "k", 0), 4);
    EXPECT_FALSE(p.hasKey("B", "m"));
    // Many new keys, each moving the lines of the sections below: the index grows meanwhile.
    p.appendLine("[C]");
    for (int i = 0; i < 200; ++i) {
        p.writeString(i % 2 == 0 ? "A" : "C", "key" + std::to_string(i), std::to_string(i));
    }
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(p.readInt(i % 2 == 0 ? "a" : "c", "KEY" + std::to_string(i), -1), i);
        EXPECT_FALSE(p.hasKey(i % 2 == 0 ? "C" : "A", "key" + std::to_string(i)));
    }
    EXPECT_EQ(p.readInt("A", "k", 0), 4);
}

TEST(Profile, NoWrittenValueCarriesALineBreakIntoTheFile) {
    for (std::string_view value :
         {"/decks/a\nUsedFilePath2=/evil.DKS", "/decks/a\r\nX=1", "/decks/a\rX=1"}) {
        Profile p = Profile::fromBytes("[CARDWISE]\r\nUsedFilePath1=old\r\n");
        p.writeString("CARDWISE", "UsedFilePath1", value);
        p.writeString("CARDWISE", "New\nKey", value);
        EXPECT_EQ(p.bytes(), "[CARDWISE]\r\nUsedFilePath1=/decks/a\r\nNew=/decks/a\r\n");
        EXPECT_FALSE(p.hasKey("CARDWISE", "UsedFilePath2"));
        EXPECT_FALSE(p.hasKey("CARDWISE", "X"));
    }
}

TEST(Profile, AMissingSectionIsAddedAtTheEnd) {
    Profile p = Profile::fromBytes(crlf({"[A]", "k=1"}));
    p.writeString("CARDWISE", "Center", "1");
    EXPECT_EQ(p.bytes(), crlf({"[A]", "k=1", "[CARDWISE]", "Center=1"}));
    Profile empty;
    empty.writeString("CARDWISE", "Center", "1");
    EXPECT_EQ(empty.bytes(), crlf({"[CARDWISE]", "Center=1"}));
}

TEST(Profile, ALastLineWithoutLineEndIsEndedBeforeAnythingFollows) {
    Profile p = Profile::fromBytes("[A]\r\nk=1");
    EXPECT_EQ(p.bytes(), "[A]\r\nk=1");
    p.writeString("A", "j", "2");
    EXPECT_EQ(p.bytes(), "[A]\r\nk=1\r\nj=2\r\n");
    Profile q = Profile::fromBytes("[A]\nk=1");
    q.appendLine("Q&A1=x");
    EXPECT_EQ(q.bytes(), "[A]\nk=1\r\nQ&A1=x\r\n");
    Profile r = Profile::fromBytes("[A]\r\nk=1");
    r.writeString("B", "m", "3");
    EXPECT_EQ(r.bytes(), "[A]\r\nk=1\r\n[B]\r\nm=3\r\n");
}

// A file that is there but cannot be read.
class UnreadableFile : public LocalFileSystem {
  public:
    std::optional<std::string> readFile(const std::string&) const override { return std::nullopt; }
    bool fileExists(const std::string&) const override { return true; }
};

TEST(ProfileFile, AFileThatExistsButCannotBeReadIsNeverOverwritten) {
    testing::TempDir dir;
    dir.write("deck.DKD", crlf({"[Cardwise]", "Center=1"}));
    UnreadableFile files;
    ProfileFile file(files, dir.file("deck.DKD"));
    file.edit().appendLine("Q&A1=x");
    FileResult result = file.flush();
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(dir.read("deck.DKD"), crlf({"[Cardwise]", "Center=1"}));
}

TEST(ProfileFile, AMissingFileReadsEmptyAndIsCreatedByFlush) {
    testing::TempDir dir;
    LocalFileSystem files;
    ProfileFile file(files, dir.file("new.DKD"));
    EXPECT_EQ(file.read().readInt("Cardwise", "Center", 7), 7);
    file.edit().writeString("Cardwise", "Center", "1");
    ASSERT_TRUE(file.flush().ok);
    EXPECT_EQ(dir.read("new.DKD"), crlf({"[Cardwise]", "Center=1"}));
}

TEST(ProfileFile, FlushWritesOnlyAfterAnEditAndReloadDropsUnsavedEdits) {
    testing::TempDir dir;
    LocalFileSystem files;
    dir.write("a.ini", "[S]\nk=1\n");
    ProfileFile file(files, dir.file("a.ini"));
    EXPECT_EQ(file.read().readInt("S", "k", 0), 1);
    dir.write("a.ini", "[S]\nk=2\n");
    EXPECT_TRUE(file.flush().ok);
    EXPECT_EQ(dir.read("a.ini"), "[S]\nk=2\n");
    file.edit().writeString("S", "k", "3");
    file.reload();
    EXPECT_EQ(file.read().readInt("S", "k", 0), 2);
    EXPECT_TRUE(file.flush().ok);
    EXPECT_EQ(dir.read("a.ini"), "[S]\nk=2\n");
}

TEST(ProfileFile, AnEditThatChangesNoByteWritesNothing) {
    testing::TempDir dir;
    testing::FaultyFileSystem files;
    dir.write("a.ini", "[S]\r\nk=1\r\n");
    ProfileFile file(files, dir.file("a.ini"));
    file.edit().writeString("S", "k", "1");
    files.failWrites = true;  // a write would fail the flush
    EXPECT_TRUE(file.flush().ok);
    file.edit().writeString("S", "k", "2");
    EXPECT_FALSE(file.flush().ok);
    files.failWrites = false;
    ASSERT_TRUE(file.flush().ok);
    file.edit().writeString("S", "k", "1");  // back to what was read: the file says 2 now
    ASSERT_TRUE(file.flush().ok);
    EXPECT_EQ(dir.read("a.ini"), "[S]\r\nk=1\r\n");
}

}  // namespace
}  // namespace cardwise
