#include "core/deck/setup_file.h"
#include "learning_column.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/deck/reenable.h"
#include "support/fakes.h"

namespace cardwise {
namespace {

using testing::crlf;
using testing::ProgramHarness;
using testing::ScriptedUserInterface;
using testing::ShownBox;
using testing::TempDir;

ShownBox dataError(const std::string& text) {
    return {"Data Error", text, Icon::Warning, Buttons::Ok};
}

const ShownBox kDisplayAnswerAfterError = dataError(
    "Error In Display Answer After Value - Must Be An Integer Between 1 and 60 - Please "
    "Re-enter");

std::string readTestData(const std::string& name) {
    TempDir scratch;
    scratch.copyFromData(name);
    return scratch.read(name);
}

// The settings the golden file was written from.
void setGoldenSettings(Program& p) {
    DeckSettings& s = p.settings;
    s = DeckSettings{};
    s.NoPriority = 2;
    s.ListRollover = {1, 0};
    s.HistoryRollover = {0, 1, 1};
    s.NumSeconds = 60;
    s.Frequency = 100;
    s.HighRange = 5000;
    s.RangeName = "Verbs";
    s.QLeft = -5;
    s.QWidth = 2000;
    s.AHeight = 900;
    s.QFontStyle = FontStyle{true, true, false, false};
    s.AFontName = "Times New Roman";
    s.AFontSize = 14;
    s.AFontStyle = FontStyle{false, false, true, true};
    s.AFontColor = 255;
    s.GraphicsDIR = "/pics";
    p.deck.LastDayUsed = 20261201;
}

class SetupFileTest : public ::testing::Test {
  protected:
    void SetUp() override { attach(h.program); }

    void attach(Program& program) {
        program.deck.QAFileName = dir.file("deck.DKS");
        program.deck.deriveCompanionNames();
        program.currentDirectory = dir.path();
        program.deck.allocate(5);
        program.bindSetupFile();
    }
    void setupBytes(const std::string& bytes) {
        dir.write("deck.DKD", bytes);
        p.setupFile.reload();
    }
    std::string onDisk() const { return dir.read("deck.DKD"); }
    // A valid file: every key present through the golden block, LastDayUsed today.
    void validFile() { setupBytes(crlf({"[CARDWISE]", "NoPriority=  1", "LastDayUsed=20261207"})); }

    TempDir dir;
    ProgramHarness h;
    Program& p = h.program;
    ScriptedUserInterface& ui = h.ui;
};

TEST_F(SetupFileTest, WritesEveryKeyInTableOrderWithItsWidth) {
    setGoldenSettings(p);
    ASSERT_TRUE(WriteSetUp(p));
    EXPECT_EQ(onDisk(), readTestData("setup_golden.DKD"));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(SetupFileTest, WritingLeavesTheSettingsInMemoryAsTheyWere) {
    setGoldenSettings(p);
    WriteSetUp(p);
    EXPECT_EQ(p.settings.QLeft, -5);
    EXPECT_EQ(p.settings.QWidth, 2000);
    EXPECT_EQ(p.settings.HistoryRollover, (std::array<std::int32_t, 3>{0, 1, 1}));
}

TEST_F(SetupFileTest, CloseWritesIntoEmptiedProfileWithoutTouchingDisk) {
    setupBytes(crlf({"[CARDWISE]", "Center=  1", "Q&A1=2026120700000000000000"}));
    setGoldenSettings(p);
    p.setupFile.edit().clear();
    ASSERT_TRUE(WriteSetUp(p, false));
    EXPECT_EQ(p.setupFile.read().bytes(), readTestData("setup_golden.DKD"));
    EXPECT_EQ(onDisk(), crlf({"[CARDWISE]", "Center=  1", "Q&A1=2026120700000000000000"}));
}

TEST_F(SetupFileTest, GoldenFileReadsBackToTheSettingsItWasWrittenFrom) {
    setupBytes(readTestData("setup_golden.DKD"));
    ui.expectBox(dataError(
        "Error In High Range Value - High Range Must Be <=  Highest Q/A Pair Number - Please "
        "Re-enter"));
    ReadSetUp(p);
    const DeckSettings& s = p.settings;
    EXPECT_EQ(p.deck.LoadOutcome, 0) << "HighRange 5000 is beyond the 5 pairs";
    EXPECT_EQ(s.NoPriority, 2);
    EXPECT_EQ(s.HighRange, 5000);
    EXPECT_EQ(s.RangeName, "Verbs");
    EXPECT_EQ(s.QLeft, 0);
    EXPECT_EQ(s.QWidth, 1024);
    EXPECT_EQ(s.AHeight, 768);
    EXPECT_EQ(s.ListRollover, (std::array<std::int32_t, 2>{1, 0}));
    EXPECT_EQ(s.HistoryRollover, (std::array<std::int32_t, 3>{1, 0, 0}));
}

TEST(SetupKeys, EachNameOnceAndEveryIntegerWithAWidth) {
    for (std::size_t i = 0; i < kSetupKeys.size(); ++i) {
        const SetupKey& key = kSetupKeys[i];
        for (std::size_t j = i + 1; j < kSetupKeys.size(); ++j) {
            EXPECT_FALSE(equalsIgnoreCase(key.name, kSetupKeys[j].name)) << key.name;
        }
        const bool text = key.kind == SetupKeyKind::Text || key.kind == SetupKeyKind::FontStyle;
        EXPECT_EQ(key.width == 0, text) << key.name;
    }
}

// A key read into another key's field would come back with the other key's value.
TEST_F(SetupFileTest, EveryIntegerKeyComesBackFromItsOwnField) {
    std::vector<std::string> lines{"[CARDWISE]", "NoPriority=  1", "UseNamedRange=  3"};
    std::int32_t value = 100;
    for (const SetupKey& key : kSetupKeys) {
        if (key.number == nullptr || key.name == "NoPriority" || key.name == "UseNamedRange") {
            continue;
        }
        lines.push_back(std::string(key.name) + "=" + std::to_string(value++));
    }
    std::string file;
    for (const auto& line : lines) file += line + "\r\n";
    setupBytes(file);
    // 100 and up is out of range for the answer delay, so the fields are not taken over.
    h.ui.expectBox(kDisplayAnswerAfterError);
    ReadSetUp(p);
    ASSERT_TRUE(WriteSetUp(p, false));
    const Profile& written = p.setupFile.read();
    for (std::size_t i = 3; i < lines.size(); ++i) {
        const std::size_t eq = lines[i].find('=');
        const std::string key = lines[i].substr(0, eq);
        const SetupKey& entry = *std::find_if(kSetupKeys.begin(), kSetupKeys.end(),
                                              [&](const SetupKey& k) { return k.name == key; });
        if (entry.takenOverWhenValid) continue;
        EXPECT_EQ(written.readInt(kSetupSection, key, -1), std::stoi(lines[i].substr(eq + 1)))
            << key;
    }
}

TEST_F(SetupFileTest, ValidGoldenFileTakesOverFontsColoursAndDate) {
    std::string golden = readTestData("setup_golden.DKD");
    golden.replace(golden.find("HighRange=5000"), 14, "HighRange=  5");
    setupBytes(golden);
    ReadSetUp(p);
    const DeckSettings& s = p.settings;
    ASSERT_EQ(p.deck.LoadOutcome, 1);
    EXPECT_EQ(s.QFontStyle, (FontStyle{true, true, false, false}));
    EXPECT_EQ(s.AFontName, "Times New Roman");
    EXPECT_EQ(s.AFontSize, 14);
    EXPECT_EQ(s.AFontStyle, (FontStyle{false, false, true, true}));
    EXPECT_EQ(s.AFontColor, 255);
    EXPECT_EQ(s.MWCurBkGndColor, 8454143);
    EXPECT_EQ(p.deck.LastDayUsed, 20261201);
}

TEST_F(SetupFileTest, InvalidFileKeepsFontsAndColoursOfBefore) {
    setupBytes(crlf({"[CARDWISE]", "NoPriority=  1", "NumSeconds=  0", "QFontName=Courier",
                     "QFontSize=  30", "MWCurBkGndColor=       111", "LastDayUsed=20261207"}));
    p.settings.QFontName = "Verdana";
    ui.expectBox(kDisplayAnswerAfterError);
    ReadSetUp(p);
    EXPECT_EQ(p.deck.LoadOutcome, 0);
    EXPECT_EQ(p.settings.QFontName, "Verdana");
    EXPECT_EQ(p.settings.MWCurBkGndColor, 8454143);
}

TEST_F(SetupFileTest, MissingKeysGiveTheirReadDefaults) {
    setupBytes(crlf({"[cardwise]", "NoPriority=  1"}));
    p.settings.Numerical = 0;
    p.settings.UnFrequency = 0;
    p.settings.RangeName = "x";
    p.settings.QFontName = "Verdana";
    p.settings.QFontColor = 7;
    ReadSetUp(p);
    const DeckSettings& s = p.settings;
    ASSERT_EQ(p.deck.LoadOutcome, 1);
    EXPECT_EQ(s.Numerical, 1);
    EXPECT_EQ(s.NumSeconds, 5);
    EXPECT_EQ(s.UnFrequency, 80);
    EXPECT_EQ(s.UseNamedRange, 2) << "no UseNamedRange and no UseEntireFile";
    EXPECT_EQ(s.RangeName, "1");
    EXPECT_EQ(s.GraphicsDIR, "1");
    EXPECT_EQ(s.SoundDIR, "1");
    EXPECT_EQ(s.QWidth, 610);
    EXPECT_EQ(s.EnableTips, 1);
    EXPECT_EQ(s.QFontName, "Arial");
    EXPECT_EQ(s.QFontSize, 12);
    EXPECT_EQ(s.QFontStyle, (FontStyle{true, false, false, false}));
    EXPECT_EQ(s.QFontColor, 0);
    EXPECT_EQ(s.MWCurBkGndColor, 1);
    EXPECT_EQ(s.UseLastOpenDIR, 1);
    EXPECT_EQ(s.UseStartDIR, 0);
    EXPECT_EQ(p.deck.LastDayUsed, 20261207);
}

TEST_F(SetupFileTest, FileOfOnlyStatusLinesGetsTheBlockAheadOfThem) {
    const std::string status = crlf({"Q&A1=2026120700000000000000", "Q&A2=2026120700000000000000"});
    setupBytes(status);
    p.settings.NoPriority = 4;
    p.settings.HighRange = 5;
    ReadSetUp(p);
    const std::string file = onDisk();
    EXPECT_EQ(file.rfind("[CARDWISE]\r\nCenter=  0\r\n", 0), 0u) << file;
    ASSERT_GE(file.size(), status.size());
    EXPECT_EQ(file.substr(file.size() - status.size()), status);
    EXPECT_NE(file.find("LastDayUsed=20261207\r\nQ&A1="), std::string::npos);
    EXPECT_EQ(p.deck.LoadOutcome, 1);
    EXPECT_EQ(p.settings.NoPriority, 4);
    EXPECT_EQ(p.settings.HighRange, 5);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(SetupFileTest, BlockWithoutModeKeepsTheKeysItHolds) {
    const std::string status = crlf({"Q&A1=2026120700000000000004"});
    setupBytes(crlf({"[CARDWISE]", "Resume=1", "numseconds = 12", "QFontName=Verdana"}) + status);
    p.settings.NoPriority = 2;
    ReadSetUp(p);
    EXPECT_EQ(p.settings.Resume, 1);
    EXPECT_EQ(p.settings.NumSeconds, 12);
    EXPECT_EQ(p.settings.QFontName, "Verdana");
    EXPECT_EQ(p.settings.NoPriority, 2);  // what the file lacked comes from the settings
    const std::string file = onDisk();
    EXPECT_NE(file.find("\r\nResume=1\r\n"), std::string::npos) << file;  // left as it was
    EXPECT_NE(file.find("\r\nNoPriority=  2\r\n"), std::string::npos) << file;
    EXPECT_EQ(file.substr(file.size() - status.size()), status);
}

TEST_F(SetupFileTest, ReadOnlyDeckWithoutSettingsWritesNothingAndUsesCurrentValues) {
    const std::string status = crlf({"Q&A1=2026120700000000000000"});
    setupBytes(status);
    p.deck.ReadOnlyDeck = true;
    p.settings.NoPriority = 3;
    p.settings.QFontName = "Verdana";
    ReadSetUp(p);
    EXPECT_EQ(onDisk(), status);
    EXPECT_EQ(p.deck.LoadOutcome, 1);
    EXPECT_EQ(p.settings.NoPriority, 3);
    EXPECT_EQ(p.settings.QFontName, "Verdana");
}

TEST_F(SetupFileTest, ReadOnlyDeckIsNeverWritten) {
    const std::string before = crlf({"[CARDWISE]", "NoPriority=  1", "LastDayUsed=1"});
    setupBytes(before);
    p.deck.ReadOnlyDeck = true;
    EXPECT_TRUE(WriteSetUp(p));
    ReadSetUp(p);
    EXPECT_EQ(onDisk(), before);
    EXPECT_EQ(p.deck.LastDayUsed, 20261207);
}

struct FailingHarness {
    ScriptedUserInterface ui;
    testing::FixedClock clock;
    testing::SeededRandom random;
    LocalFileSystem files{16};
    testing::RecordedServices services;
    Program program{services.platform(ui, clock, random, files)};
};

TEST_F(SetupFileTest, FailedWriteKeepsTheOldFileAndIsReported) {
    const std::string before = crlf({"[CARDWISE]", "NoPriority=  2"});
    dir.write("deck.DKD", before);
    FailingHarness f;
    attach(f.program);
    f.ui.expectBox(testing::writeErrorBox(dir.file("deck.DKD"), "No space left on device"));
    EXPECT_FALSE(WriteSetUp(f.program));
    EXPECT_EQ(onDisk(), before);
}

TEST_F(SetupFileTest, FailedFirstWriteReadsTheBlockOnceAndGoesOn) {
    const std::string status = crlf({"Q&A1=2026120700000000000000"});
    dir.write("deck.DKD", status);
    FailingHarness f;
    attach(f.program);
    f.program.settings.NoPriority = 2;
    f.ui.expectBox(testing::writeErrorBox(dir.file("deck.DKD"), "No space left on device"));
    ReadSetUp(f.program);
    EXPECT_EQ(onDisk(), status);
    EXPECT_EQ(f.program.deck.LoadOutcome, 1);
    EXPECT_EQ(f.program.settings.NoPriority, 2);
    EXPECT_FALSE(f.ui.waitCursorDuringBox);
}

struct OlderKeysCase {
    std::vector<std::string_view> lines;
    std::int32_t mode;
    std::int32_t rangeKind;
};

TEST_F(SetupFileTest, OlderKeysSelectModeAndRangeKind) {
    const std::vector<OlderKeysCase> cases = {
        {{"NoPriority=0", "UseList=1", "UseRange=1"}, 2, 2},
        {{"NoPriority=0", "UseRange=1", "UseHistory=1"}, 3, 2},
        {{"NoPriority=0", "UseHistory=1"}, 4, 2},
        {{"NoPriority=0"}, 1, 2},
        {{"NoPriority=2", "UseRange=1"}, 2, 2},
        {{"NoPriority=1", "UseNamedRange=0", "UseEntireFile=1"}, 1, 3},
        {{"NoPriority=1", "UseNamedRange=0", "UseEntireFile=7"}, 1, 2},
        {{"NoPriority=1", "UseNamedRange=1", "UseEntireFile=1"}, 1, 1},
    };
    for (const auto& c : cases) {
        std::string bytes = "[CARDWISE]\r\n";
        for (auto line : c.lines) bytes += std::string(line) + "\r\n";
        setupBytes(bytes);
        ReadSetUp(p);
        EXPECT_EQ(p.settings.NoPriority, c.mode) << bytes;
        EXPECT_EQ(p.settings.UseNamedRange, c.rangeKind) << bytes;
    }
}

TEST_F(SetupFileTest, OlderRangeKeyIsWrittenBackAsModeThree) {
    setupBytes(crlf({"[CARDWISE]", "NoPriority=  0", "UseRange=1"}));
    ReadSetUp(p);
    WriteSetUp(p);
    EXPECT_NE(onDisk().find("\r\nNoPriority=  3\r\n"), std::string::npos);
    EXPECT_NE(onDisk().find("\r\nUseRange=1\r\n"), std::string::npos) << "older keys stay as read";
}

TEST_F(SetupFileTest, UnknownModeReadsAsModeOne) {
    setupBytes(crlf({"[CARDWISE]", "NoPriority=  9"}));
    ReadSetUp(p);
    EXPECT_EQ(p.settings.NoPriority, 1);
}

TEST_F(SetupFileTest, FontStyleIsFoundAnywhereAndWrittenInFixedOrder) {
    setupBytes(
        crlf({"[CARDWISE]", "NoPriority=1", "QFontName=Courier", "QFontStyle=[fsItalic][fsBold]",
              "AFontName=Courier", "AFontStyle=fsBold", "LastDayUsed=20261207"}));
    ReadSetUp(p);
    ASSERT_EQ(p.deck.LoadOutcome, 1);
    EXPECT_EQ(p.settings.QFontStyle, (FontStyle{true, true, false, false}));
    EXPECT_EQ(p.settings.AFontStyle, (FontStyle{true, false, false, false}));
    WriteSetUp(p);
    EXPECT_NE(onDisk().find("\r\nQFontStyle=[fsBold][fsItalic]\r\n"), std::string::npos);
}

TEST(FontStyleText, EncodesAndDecodesEveryStyle) {
    EXPECT_EQ(encodeFontStyle({}), "");
    EXPECT_EQ(encodeFontStyle({true, true, true, true}),
              "[fsBold][fsItalic][fsUnderline][fsStrikeOut]");
    EXPECT_EQ(decodeFontStyle("1"), FontStyle{});
    EXPECT_EQ(decodeFontStyle("[fsStrikeOut][fsUnderline]"), (FontStyle{false, false, true, true}));
}

TEST_F(SetupFileTest, WindowKeysAreClampedToTheScreenWhenWritten) {
    ui.screen = ScreenSize{800, 600};
    p.settings.QLeft = -1;
    p.settings.QTop = -300;
    p.settings.QWidth = 801;
    p.settings.QHeight = 600;
    p.settings.AWidth = 800;
    p.settings.AHeight = 5000;
    WriteSetUp(p);
    const std::string file = onDisk();
    for (const char* line : {"QLeft=   0", "QTop=   0", "QWidth= 800", "QHeight= 600",
                             "AWidth= 800", "AHeight= 600", "ALeft=  30"}) {
        EXPECT_NE(file.find(std::string("\r\n") + line + "\r\n"), std::string::npos) << line;
    }
}

TEST_F(SetupFileTest, TextValuesAreCutToTheirLimitsAndStayOnOneLine) {
    const std::string longName(40, 'F');
    const std::string longDir(300, 'd');
    setupBytes(crlf({"[CARDWISE]", "NoPriority=1", "RangeName=ABCDEFGHIJKLMNOPQRSTUVWXYZ",
                     ("QFontName=" + longName).c_str(), ("SoundDIR=" + longDir).c_str(),
                     "LastDayUsed=20261207"}));
    ReadSetUp(p);
    ASSERT_EQ(p.deck.LoadOutcome, 1);
    EXPECT_EQ(p.settings.RangeName, "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(p.settings.QFontName, std::string(31, 'F'));
    EXPECT_EQ(p.settings.SoundDIR, std::string(256, 'd'));

    p.settings.RangeName = "Ver\r\nQ&A1=bs";
    WriteSetUp(p);
    EXPECT_NE(onDisk().find("\r\nRangeName=Ver\r\n"), std::string::npos);
    EXPECT_EQ(onDisk().find("Q&A1=bs"), std::string::npos);
}

TEST_F(SetupFileTest, HugeNumbersClamp) {
    setupBytes(crlf({"[CARDWISE]", "NoPriority=1", "Center=99999999999", "Reverse=-70000",
                     "NumSeconds=99999", "LastDayUsed=20261207"}));
    ui.expectBox(kDisplayAnswerAfterError);
    ReadSetUp(p);
    EXPECT_EQ(p.settings.Center, 32767);
    EXPECT_EQ(p.settings.Reverse, -32768);
    EXPECT_EQ(p.settings.NumSeconds, 99999) << "not a 16-bit switch";
    EXPECT_EQ(p.deck.LoadOutcome, 0);

    setupBytes(
        crlf({"[CARDWISE]", "NoPriority=1", "Frequency=99999999999999", "LastDayUsed=20261207"}));
    ui.boxes.clear();
    ui.expectBox(dataError(
        "Error In Frequency Value - Must Be An Integer Between 0 And 100 - Please Re-enter"));
    ReadSetUp(p);
    EXPECT_EQ(p.settings.Frequency, 2147483647);
}

struct RolloverReadCase {
    std::int32_t mode;
    std::array<std::int32_t, 2> list;
    std::array<std::int32_t, 2> range;
};

TEST_F(SetupFileTest, RolloverKeysFeedTheModesPairs) {
    const std::vector<RolloverReadCase> cases = {
        {1, {0, 0}, {0, 0}}, {2, {1, 0}, {0, 0}}, {3, {0, 0}, {1, 0}}, {4, {0, 0}, {0, 0}}};
    for (const auto& c : cases) {
        setupBytes(crlf({"[CARDWISE]", ("NoPriority=" + std::to_string(c.mode)).c_str(),
                         "UnlearnedRollover=1", "STLearnedRollover=0", "LTLearnedRollover=1"}));
        p.settings.ListRollover = {0, 0};
        p.settings.RangeRollover = {0, 0};
        ReadSetUp(p);
        EXPECT_EQ(p.settings.HistoryRollover, (std::array<std::int32_t, 3>{1, 0, 1})) << c.mode;
        EXPECT_EQ(p.settings.ListRollover, c.list) << c.mode;
        EXPECT_EQ(p.settings.RangeRollover, c.range) << c.mode;
    }
}

struct RolloverWriteCase {
    std::int32_t mode;
    std::string keys;
};

TEST_F(SetupFileTest, RolloverKeysAreWrittenFromTheActiveMode) {
    const std::vector<RolloverWriteCase> cases = {
        {1, "UnlearnedRollover=  1\r\nSTLearnedRollover=  1\r\nLTLearnedRollover=  1\r\n"},
        {2, "UnlearnedRollover=  0\r\nSTLearnedRollover=  1\r\nLTLearnedRollover=  0\r\n"},
        {3, "UnlearnedRollover=  1\r\nSTLearnedRollover=  0\r\nLTLearnedRollover=  0\r\n"},
        {4, "UnlearnedRollover=  1\r\nSTLearnedRollover=  1\r\nLTLearnedRollover=  1\r\n"}};
    for (const auto& c : cases) {
        p.settings.NoPriority = c.mode;
        p.settings.ListRollover = {0, 1};
        p.settings.RangeRollover = {1, 0};
        p.settings.HistoryRollover = {1, 1, 1};
        WriteSetUp(p);
        EXPECT_NE(onDisk().find(c.keys), std::string::npos) << c.mode;
    }
}

TEST_F(SetupFileTest, DirectorySettingsGoToTheApplicationSettingsFile) {
    p.appSettings = ProfileFile(h.files, dir.file("CARDWISE.INI"));
    p.settings.StartDIR = "/decks";
    p.settings.UseLastOpenDIR = 0;
    p.settings.UseStartDIR = 1;
    WriteSetUp(p);
    EXPECT_EQ(dir.read("CARDWISE.INI"),
              crlf({"[CARDWISE]", "StartDIR=/decks", "UseLastOpenDIR=0", "UseStartDIR=1"}));
    EXPECT_EQ(onDisk().find("StartDIR"), std::string::npos);

    p.settings = DeckSettings{};
    p.appSettings.reload();
    validFile();
    ui.expectBox({"Options Data Error",
                  "The Directory Specified For .DKS Files Does Not Exist - The Last Open .DKS "
                  "Directory Will Be Used.",
                  Icon::Warning, Buttons::Ok});
    ReadSetUp(p);
    EXPECT_EQ(p.settings.StartDIR, "/decks");
    // The folder does not exist, so the validation turns back to the last open folder.
    EXPECT_EQ(p.settings.UseStartDIR, 0);
    EXPECT_EQ(p.settings.UseLastOpenDIR, 1);
}

TEST_F(SetupFileTest, ValidationBoxesAppearWithoutTheWaitCursor) {
    setupBytes(crlf({"[CARDWISE]", "NoPriority=4", "QOnly=1", "AutoPilot=1"}));
    ui.expectBox({"Options Data Error",
                  "Question Only Cannot Be Used When In Priority Questions From History Mode.",
                  Icon::Warning, Buttons::Ok});
    ui.expectBox({"Options Data Error",
                  "The AutoPilot Cannot Be Used When In Priority Questions From History Mode.",
                  Icon::Warning, Buttons::Ok});
    ReadSetUp(p);
    EXPECT_FALSE(ui.waitCursorDuringBox);
    EXPECT_EQ(ui.waitDepth, 0);
}

TEST_F(SetupFileTest, ReEnableAllPairsClearsOnlyTheDisabledBit) {
    const std::vector<std::int32_t> before{9, 0, 1, 2, 3, 2, 3, 3};
    p.deck.Learning.resize(before.size());
    for (std::size_t n = 0; n < before.size(); ++n) p.deck.Learning[n].ListFlags = before[n];
    ui.expectBox({"Priority List", "The Disabled Questions Have Been Re-enabled", Icon::Information,
                  Buttons::Ok});
    ReEnableAllPairs(p);
    EXPECT_EQ(learningColumn(p.deck, &PairLearning::ListFlags), (std::vector<std::int32_t>{9, 0, 1, 0, 1, 0, 3, 3}))
        << "only pairs 1..PairCount change";
    EXPECT_EQ(ui.boxes, (std::vector<ShownBox>{{"Priority List",
                                                "The Disabled Questions Have Been Re-enabled",
                                                Icon::Information, Buttons::Ok}}));
    EXPECT_TRUE(p.drill.RunComplete);
}

}  // namespace
}  // namespace cardwise
