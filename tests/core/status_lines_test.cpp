#include "core/deck/status_lines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/fakes.h"

namespace cardwise {
namespace {

using testing::crlf;
using testing::ProgramHarness;
using testing::TempDir;

}  // namespace

void PrintTo(const PairLearning& f, std::ostream* os) {
    *os << f.LastDate << "/" << f.RightToday << "/" << f.RightTotal << "/" << f.WrongToday << "/"
        << f.WrongTotal << "/" << f.DayCount << "/" << f.LearnStatus << "/" << f.ListFlags << "/"
        << f.AskedInRun;
}

namespace {

constexpr std::int32_t kToday = 20261207;
constexpr std::string_view kTodayDefault = "2026120700000000000000";

PairLearning fields(std::int32_t lastDate, std::int32_t rightToday, std::int32_t rightTotal,
                    std::int32_t wrongToday, std::int32_t wrongTotal, std::int32_t dayCount,
                    std::int32_t learnStatus, std::int32_t listFlags, bool asked) {
    return PairLearning{lastDate, rightToday,  rightTotal, wrongToday, wrongTotal,
                        dayCount, learnStatus, listFlags,  asked};
}

TEST(StatusLineEncode, FieldsAreRightAlignedWithLeadingBlanks) {
    EXPECT_EQ(encodeStatusLine(12, fields(20261201, 7, 15, 0, 3, 2, 1, 3, true)),
              "Q&A12=20261201 7   15 0 3217");
    EXPECT_EQ(encodeStatusLine(1, fields(20261201, 0, 0, 0, 0, 0, 0, 0, false)),
              "Q&A1=20261201 0    0 0 0000");
}

TEST(StatusLineEncode, ValuesBeyondTheirWidthAreHeldSoTheLayoutNeverBreaks) {
    std::string line =
        encodeStatusLine(5000, fields(20261201, 150, 123456, -4, 100, 12, 2, 3, true));
    EXPECT_EQ(line, "Q&A5000=202612019999999 099927");
    EXPECT_EQ(line.size(), 30u);
    EXPECT_LE(line.size(), kMaxStatusChars);
}

TEST(StatusLineDecode, EncodedFieldsReadBack) {
    const std::vector<PairLearning> cases = {
        fields(20261201, 7, 15, 0, 3, 2, 1, 3, true),
        fields(19960801, 99, 99999, 99, 99, 9, 2, 0, false),
        fields(20250101, 0, 0, 0, 0, 0, 0, 2, true),
    };
    for (const auto& f : cases) {
        EXPECT_EQ(decodeStatusLine(encodeStatusLine(42, f), kToday), f) << encodeStatusLine(42, f);
    }
}

struct DecodeCase {
    std::string line;
    PairLearning expected;
};

TEST(StatusLineDecode, LinesOfAnyShapeGiveDefinedValues) {
    const std::vector<DecodeCase> cases = {
        {"Q&A1=20261201 7   15 0 3217", fields(20261201, 7, 15, 0, 3, 2, 1, 3, true)},
        {"", fields(kToday, 0, 0, 0, 0, 0, 0, 0, false)},
        {"Z", fields(kToday, 0, 0, 0, 0, 0, 0, 0, false)},
        {"no sign at all", fields(kToday, 0, 0, 0, 0, 0, 0, 0, false)},
        {"Q&A1=", fields(0, 0, 0, 0, 0, 0, 0, 0, false)},
        {"Q&A1=2026", fields(20260000, 0, 0, 0, 0, 0, 0, 0, false)},
        {"Q&A1=abcdefgh 4xyz12", fields(0, 4, 0, 0, 0, 0, 0, 0, false)},
        {"Q&A1=20261201 1    1 0 0059", fields(20261201, 1, 1, 0, 0, 0, 0, 1, true)},
        {"Q&A1=20261201 1    1 0 0080", fields(20261201, 1, 1, 0, 0, 0, 0, 0, false)},
        {"Q&A1=20261201 1    1 0 001x", fields(20261201, 1, 1, 0, 0, 0, 1, 0, false)},
        {"Q&A1=20261201 1    1 0 0012 and then some more",
         fields(20261201, 1, 1, 0, 0, 0, 1, 2, false)},
        {"Q&A1==20261201", fields(0, 10, 0, 0, 0, 0, 0, 0, false)},
    };
    for (const auto& c : cases) EXPECT_EQ(decodeStatusLine(c.line, kToday), c.expected) << c.line;
}

TEST(StatusLineDecode, AnyLineGivesFieldsWithinTheirRangesThatEncodeBackExactly) {
    std::mt19937 engine(7);
    const std::string alphabet = "0123456789   =&AQZx-\t";
    for (int round = 0; round < 2000; ++round) {
        std::string line;
        auto length = engine() % 40;
        for (std::size_t i = 0; i < length; ++i) line += alphabet[engine() % alphabet.size()];
        PairLearning f = decodeStatusLine(line, kToday);
        EXPECT_TRUE(f.LastDate >= 0 && f.LastDate <= 99999999) << line;
        EXPECT_TRUE(f.RightToday >= 0 && f.RightToday <= 99) << line;
        EXPECT_TRUE(f.RightTotal >= 0 && f.RightTotal <= 99999) << line;
        EXPECT_TRUE(f.LearnStatus >= 0 && f.LearnStatus <= 2) << line;
        EXPECT_TRUE(f.ListFlags >= 0 && f.ListFlags <= 3) << line;
        std::string encoded = encodeStatusLine(5000, f);
        EXPECT_EQ(encoded.size(), 30u);
        EXPECT_EQ(decodeStatusLine(encoded, kToday), f) << line;
    }
}

TEST(StatusLineDefault, IsTodayFollowedByFourteenZeros) {
    EXPECT_EQ(defaultStatus(kToday), kTodayDefault);
}

TEST(StatusLineLocate, LinesFollowTheFirstStatusLineByPosition) {
    std::string setup = crlf({"[Cardwise]", "Center=1", "X&A is not first", "Q&A1=a", "",
                              "Q&A3=" + std::string(40, '1')});
    std::vector<std::string> expected = {"X&A is not first", "Q&A1=a", "",
                                         "Q&A3=" + std::string(27, '1'), "Z"};
    EXPECT_EQ(locateStatusLines(setup, 5), expected);
    EXPECT_EQ(locateStatusLines("[Cardwise]\r\nCenter=1\r\n", 2),
              (std::vector<std::string>{"Z", "Z"}));
}

// A deck of n pairs in a temporary folder with the given setup data file.
struct DeckFixture {
    TempDir dir;
    ProgramHarness h;

    void open(std::int32_t pairs, const std::string& setupBytes) {
        dir.write("deck.DKD", setupBytes);
        DeckState& deck = h.program.deck;
        deck.QAFileName = dir.file("deck.DKS");
        deck.deriveCompanionNames();
        deck.allocate(pairs);
        h.program.currentDirectory = dir.path();
        h.program.bindSetupFile();
        auto status = locateStatusLines(setupBytes, pairs);
        for (std::int32_t n = 1; n <= pairs; ++n) {
            deck.StatusText[static_cast<std::size_t>(n - 1)] =
                status[static_cast<std::size_t>(n - 1)];
        }
    }
};

std::string setupWith(std::string_view lastDayUsed, std::string_view resume,
                      std::initializer_list<std::string_view> statusLines) {
    std::string out = crlf(
        {"[Cardwise]", "Resume=" + std::string(resume), "LastDayUsed=" + std::string(lastDayUsed)});
    for (auto line : statusLines) out += std::string(line) + "\r\n";
    return out;
}

TEST(DecodeStatus, ReopenedOnALaterDayTheDayCountersAreCleared) {
    DeckFixture f;
    f.open(1, setupWith("20261206", "0", {"Q&A1=20261206 5   15 2 3211"}));
    DecodeStatus(f.h.program);
    const DeckState& deck = f.h.program.deck;
    EXPECT_EQ(deck.LastDayUsed, 20261206);
    EXPECT_EQ(deck.Learning[1].RightToday, 0);
    EXPECT_EQ(deck.Learning[1].WrongToday, 0);
    EXPECT_EQ(deck.Learning[1].RightTotal, 15);
    EXPECT_EQ(deck.Learning[1].WrongTotal, 3);
    EXPECT_EQ(deck.Learning[1].DayCount, 2);
    EXPECT_EQ(deck.Learning[1].LearnStatus, 1);
    EXPECT_EQ(deck.Learning[1].ListFlags, 1);
    EXPECT_EQ(deck.Learning[1].LastDate, 20261206);
}

TEST(DecodeStatus, ReopenedTheSameDayTheDayCountersStay) {
    DeckFixture f;
    f.open(1, setupWith("20261207", "0", {"Q&A1=20261207 5   15 2 3211"}));
    DecodeStatus(f.h.program);
    EXPECT_EQ(f.h.program.deck.Learning[1].RightToday, 5);
    EXPECT_EQ(f.h.program.deck.Learning[1].WrongToday, 2);
}

TEST(DecodeStatus, ALastDayUsedTooEarlyInTheFutureOrMissingIsTakenAs19960801) {
    for (std::string_view stored : {"19960731", "20261208", "1", "junk"}) {
        DeckFixture f;
        f.open(1, setupWith(stored, "0", {"Q&A1=20261207 5   15 2 3211"}));
        DecodeStatus(f.h.program);
        EXPECT_EQ(f.h.program.deck.LastDayUsed, 19960801) << stored;
        EXPECT_EQ(f.h.program.deck.Learning[1].RightToday, 0) << stored;
    }
    DeckFixture earliest;
    earliest.open(1, setupWith("19960801", "0", {"Q&A1=20261207 5   15 2 3211"}));
    DecodeStatus(earliest.h.program);
    EXPECT_EQ(earliest.h.program.deck.LastDayUsed, 19960801);
}

TEST(DecodeStatus, FlagDigitSevenGivesAskedInRunOnlyWithResume) {
    for (auto [resume, asked] : {std::pair{"0", 0}, std::pair{"1", 1}, std::pair{"2", 0}}) {
        DeckFixture f;
        f.open(1, setupWith("20261207", resume, {"Q&A1=20261207 0    0 0 0007"}));
        DecodeStatus(f.h.program);
        EXPECT_EQ(f.h.program.deck.Learning[1].ListFlags, 3) << resume;
        EXPECT_EQ(f.h.program.deck.Learning[1].AskedInRun, asked) << resume;
    }
}

TEST(DecodeStatus, MissingStatusLinesAreAppendedAtOnceAsTheDefault) {
    DeckFixture f;
    std::vector<std::string> lines;
    std::string setup = setupWith("20261207", "0", {});
    for (int n = 1; n <= 10; ++n)
        setup += "Q&A" + std::to_string(n) + "=20261101 1    4 0 1001\r\n";
    f.open(12, setup);
    DecodeStatus(f.h.program);
    EXPECT_EQ(f.dir.read("deck.DKD"), setup + "Q&A11=" + std::string(kTodayDefault) +
                                          "\r\nQ&A12=" + std::string(kTodayDefault) + "\r\n");
    const DeckState& deck = f.h.program.deck;
    EXPECT_EQ(deck.Learning[11].LastDate, kToday);
    EXPECT_EQ(deck.Learning[12].LearnStatus, 0);
    EXPECT_EQ(deck.Learning[12].RightTotal, 0);
    EXPECT_EQ(deck.Learning[10].RightTotal, 4);
    EXPECT_TRUE(f.h.ui.boxes.empty());
}

TEST(DecodeStatus, AReadOnlyDeckGetsDefaultsButItsFileIsNotTouched) {
    DeckFixture f;
    std::string setup = setupWith("20261207", "0", {"Q&A1=20261101 1    4 0 1001"});
    f.open(3, setup);
    f.h.program.deck.ReadOnlyDeck = true;
    DecodeStatus(f.h.program);
    EXPECT_EQ(f.dir.read("deck.DKD"), setup);
    EXPECT_EQ(f.h.program.deck.Learning[3].LastDate, kToday);
    EXPECT_EQ(f.h.program.deck.Learning[1].RightTotal, 4);
}

// Accepts every read but fails every write.
class FailingWrites : public LocalFileSystem {
  public:
    FailingWrites() : LocalFileSystem(0) {}
};

TEST(DecodeStatus, AFailedWriteOfTheDefaultLinesIsReported) {
    TempDir dir;
    testing::ScriptedUserInterface ui;
    testing::FixedClock clock;
    testing::SeededRandom random;
    FailingWrites files;
    testing::RecordedServices services;
    Program program{services.platform(ui, clock, random, files)};
    std::string setup = setupWith("20261207", "0", {});
    dir.write("deck.DKD", setup);
    program.deck.QAFileName = dir.file("deck.DKS");
    program.deck.deriveCompanionNames();
    program.deck.allocate(1);
    program.bindSetupFile();
    ui.expectBox(testing::writeErrorBox(dir.file("deck.DKD"), "No space left on device"));
    DecodeStatus(program);
    EXPECT_EQ(dir.read("deck.DKD"), setup);
    EXPECT_EQ(program.deck.Learning[1].LastDate, kToday);
}

TEST(WriteStatusLines, WritesLastDayUsedAndEveryLineButLeavesTheFlushToTheCaller) {
    DeckFixture f;
    std::string setup = setupWith("20261201", "1", {"Q&A1=20261201 5   15 2 3211", "stray"});
    f.open(2, setup);
    DecodeStatus(f.h.program);
    DeckState& deck = f.h.program.deck;
    deck.Learning[2].RightToday = 7;
    deck.Learning[2].RightTotal = 123456;
    deck.Learning[2].AskedInRun = 1;
    deck.Learning[2].ListFlags = 3;
    Profile& profile = f.h.program.setupFile.edit();
    profile.clear();
    profile.writeString("CARDWISE", "Resume", "1");
    WriteStatusLines(f.h.program);
    EXPECT_EQ(f.dir.read("deck.DKD"), setup);
    ASSERT_TRUE(f.h.program.setupFile.flush().ok);
    EXPECT_EQ(f.dir.read("deck.DKD"),
              crlf({"[CARDWISE]", "Resume=1", "LastDayUsed=20261207", "Q&A1=20261201 0   15 0 3211",
                    "Q&A2=20261207 799999 0 0007"}));
    EXPECT_EQ(f.h.ui.waitDepth, 0);
}

TEST(WriteStatusLines, AReadOnlyDeckWritesNothing) {
    DeckFixture f;
    std::string setup = setupWith("20261201", "0", {"Q&A1=20261201 5   15 2 3211"});
    f.open(1, setup);
    f.h.program.deck.ReadOnlyDeck = true;
    DecodeStatus(f.h.program);
    std::string before = f.h.program.setupFile.read().bytes();
    WriteStatusLines(f.h.program);
    EXPECT_EQ(f.h.program.setupFile.read().bytes(), before);
    EXPECT_TRUE(f.h.program.setupFile.flush().ok);
    EXPECT_EQ(f.dir.read("deck.DKD"), setup);
}

TEST(WriteStatusLines, DecodedStateWrittenAndReadAgainIsUnchanged) {
    DeckFixture first;
    first.open(3, setupWith("20261207", "1",
                            {"Q&A1=20261207 3   15 1 3217", "Q&A2=20260101 0    0 0 0000",
                             "Q&A3=20261111 2   99 0 9920"}));
    DecodeStatus(first.h.program);
    first.h.program.setupFile.edit().clear();
    first.h.program.setupFile.edit().writeString("CARDWISE", "Resume", "1");
    WriteStatusLines(first.h.program);
    ASSERT_TRUE(first.h.program.setupFile.flush().ok);

    DeckFixture second;
    second.open(3, first.dir.read("deck.DKD"));
    DecodeStatus(second.h.program);
    const DeckState& a = first.h.program.deck;
    const DeckState& b = second.h.program.deck;
    EXPECT_EQ(a.Learning, b.Learning);
}

// Read-only conditions that file permissions cannot show when the tests run as a superuser.
class ProtectedFiles : public LocalFileSystem {
  public:
    bool readOnlyFile = false;
    bool writableFolder = true;
    std::vector<std::string> probed;
    bool isReadOnlyFile(const std::string& path) const override {
        return readOnlyFile || LocalFileSystem::isReadOnlyFile(path);
    }
    bool canWriteInDirectory(const std::string& directory) override {
        probed.push_back(directory);
        return writableFolder;
    }
};

struct ProtectedDeck {
    testing::ScriptedUserInterface ui;
    testing::FixedClock clock;
    testing::SeededRandom random;
    ProtectedFiles files;
    testing::RecordedServices services;
    Program program{services.platform(ui, clock, random, files)};
    ProtectedDeck() {
        program.deck.QAFileName = "/decks/deck.DKS";
        program.currentDirectory = "/decks";
    }
};

const std::string kReadOnlyText =
    "/decks/deck.DKS Is A Read-Only File.  The File Will Operate Properly, But No Permanent "
    "Changes Can Be Made To The Option Settings, Priority List, Etc.";
const std::string kProtectedText =
    "/decks/deck.DKS Is Located On A Write-Protected Or Read-Only Disk (Perhaps a CDROM).  The "
    "File Will Operate Properly, But No Permanent Changes Can Be Made To The Option Settings, "
    "Priority List, Etc.";

TEST(ReadOnlyDeck, AWritableDeckShowsNothing) {
    ProtectedDeck d;
    d.program.deck.ReadOnlyDeck = true;
    EXPECT_FALSE(detectReadOnlyDeck(d.program));
    EXPECT_FALSE(d.program.deck.ReadOnlyDeck);
    EXPECT_TRUE(d.ui.boxes.empty());
    EXPECT_EQ(d.files.probed, std::vector<std::string>{"/decks"});
}

TEST(ReadOnlyDeck, EachConditionShowsItsBoxAndBothCanAppear) {
    struct Case {
        bool readOnlyFile;
        bool writableFolder;
        std::vector<testing::ShownBox> boxes;
    };
    const testing::ShownBox readOnly{"Q&A Read-Only Warning", kReadOnlyText, Icon::Information,
                                     Buttons::Ok};
    const testing::ShownBox protectedDisk{"Q&A Write-Protected Disk Warning", kProtectedText,
                                          Icon::Information, Buttons::Ok};
    const std::vector<Case> cases = {
        {true, true, {readOnly}},
        {false, false, {protectedDisk}},
        {true, false, {readOnly, protectedDisk}},
    };
    for (const auto& c : cases) {
        ProtectedDeck d;
        d.files.readOnlyFile = c.readOnlyFile;
        d.files.writableFolder = c.writableFolder;
        for (const auto& box : c.boxes) d.ui.expectBox(box);
        EXPECT_TRUE(detectReadOnlyDeck(d.program));
        EXPECT_TRUE(d.program.deck.ReadOnlyDeck);
        EXPECT_EQ(d.ui.boxes, c.boxes);
    }
}

TEST(ReadOnlyDeck, AFileWithoutWriteBitsIsReadOnlyOnTheRealFileSystem) {
    ProgramHarness h;
    TempDir dir;
    dir.write("deck.DKS", "Q1=a\r\nA1=b\r\n");
    std::filesystem::permissions(dir.file("deck.DKS"), std::filesystem::perms::owner_read |
                                                           std::filesystem::perms::group_read);
    h.program.deck.QAFileName = dir.file("deck.DKS");
    h.program.currentDirectory = dir.path();
    h.ui.expectBox({"Q&A Read-Only Warning",
                    dir.file("deck.DKS") +
                        " Is A Read-Only File.  The File Will Operate Properly, But No Permanent "
                        "Changes Can Be Made To The Option Settings, Priority List, Etc.",
                    Icon::Information, Buttons::Ok});
    EXPECT_TRUE(detectReadOnlyDeck(h.program));
    EXPECT_FALSE(dir.exists("X2Y3Z1A4.ZZZ"));
}

struct BackupFixture {
    TempDir dir;
    ProgramHarness h;
    BackupFixture() {
        dir.write("deck.DKS", "Q1=a\r\nA1=b\r\n");
        dir.write("deck.DKD", "[Cardwise]\r\nQ&A1=20261207 0    0 0 0000\r\n");
        h.program.deck.QAFileName = dir.file("deck.DKS");
        h.program.deck.deriveCompanionNames();
    }
};

TEST(Backups, BothFilesAreCopiedOverOlderBackups) {
    BackupFixture f;
    f.dir.write("deck.~LS", "old");
    f.dir.write("deck.~LD", "old");
    EXPECT_TRUE(makeBackups(f.h.program));
    EXPECT_EQ(f.dir.read("deck.~LS"), f.dir.read("deck.DKS"));
    EXPECT_EQ(f.dir.read("deck.~LD"), f.dir.read("deck.DKD"));
    EXPECT_TRUE(f.h.ui.boxes.empty());
}

TEST(Backups, AReadOnlyDeckTouchesNoFile) {
    BackupFixture f;
    f.dir.write("deck.~LD", "old");
    f.h.program.deck.ReadOnlyDeck = true;
    EXPECT_TRUE(makeBackups(f.h.program));
    EXPECT_FALSE(f.dir.exists("deck.~LS"));
    EXPECT_EQ(f.dir.read("deck.~LD"), "old");
}

TEST(Backups, AFailedCopyIsReportedAndKeepsThePreviousBackup) {
    BackupFixture f;
    f.dir.write("deck.~LD", "previous");
    std::filesystem::remove(f.dir.file("deck.DKD"));
    f.h.ui.expectBox(testing::writeErrorBox(
        f.dir.file("deck.~LD"),
        "Cannot read " + f.dir.file("deck.DKD") + ": No such file or directory"));
    EXPECT_FALSE(makeBackups(f.h.program));
    EXPECT_EQ(f.dir.read("deck.~LS"), f.dir.read("deck.DKS"));
    EXPECT_EQ(f.dir.read("deck.~LD"), "previous");
}

}  // namespace
}  // namespace cardwise
