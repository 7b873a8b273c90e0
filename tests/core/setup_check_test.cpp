#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/deck/setup_file.h"
#include "support/fakes.h"

namespace cardwise {
namespace {

using testing::crlf;
using testing::ProgramHarness;
using testing::ShownBox;
using testing::TempDir;

constexpr std::int32_t kToday = 20261207;

class CheckSetUpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        p.deck.QAFileName = dir.file("deck.DKS");
        p.deck.deriveCompanionNames();
        p.currentDirectory = dir.path();
        p.deck.allocate(5);
        p.settings.HighRange = 5;
        dir.write("deck.DKD", validFile);
        p.bindSetupFile();
    }

    const std::string validFile = crlf({"[CARDWISE]", "NoPriority=  1", "LastDayUsed=20261207"});
    TempDir dir;
    ProgramHarness h;
    Program& p = h.program;
};

ShownBox warning(std::string caption, std::string text) {
    return ShownBox{std::move(caption), std::move(text), Icon::Warning, Buttons::Ok};
}

const std::string kDataError = "Data Error";
const std::string kOptionsError = "Options Data Error";

struct CheckCase {
    std::string name;
    std::function<void(Program&)> change;
    int result;
    std::vector<ShownBox> boxes;
};

TEST_F(CheckSetUpTest, EveryCheckShowsItsMessageAndAnswers) {
    const std::vector<CheckCase> cases = {
        {"valid", [](Program&) {}, 1, {}},
        {"no pairs", [](Program& q) { q.deck.PairCount = 0; }, 3, {}},
        {"no pairs before any message",
         [](Program& q) {
             q.deck.PairCount = 0;
             q.settings.NumSeconds = 0;
         },
         3,
         {}},
        {"seconds 0",
         [](Program& q) { q.settings.NumSeconds = 0; },
         0,
         {warning(kDataError,
                  "Error In Display Answer After Value - Must Be An Integer Between 1 "
                  "and 60 - Please Re-enter")}},
        {"seconds 61",
         [](Program& q) { q.settings.NumSeconds = 61; },
         0,
         {warning(kDataError,
                  "Error In Display Answer After Value - Must Be An Integer Between 1 "
                  "and 60 - Please Re-enter")}},
        {"seconds 60", [](Program& q) { q.settings.NumSeconds = 60; }, 1, {}},
        {"low 0",
         [](Program& q) { q.settings.LowRange = 0; },
         0,
         {warning(kDataError,
                  "Error In Low Range Value - Must Be A Positive Integer - Please Re-enter")}},
        {"frequency -1",
         [](Program& q) { q.settings.Frequency = -1; },
         0,
         {warning(kDataError,
                  "Error In Frequency Value - Must Be An Integer Between 0 And 100 - "
                  "Please Re-enter")}},
        {"frequency 100", [](Program& q) { q.settings.Frequency = 100; }, 1, {}},
        {"low equals high",
         [](Program& q) { q.settings.LowRange = 5; },
         0,
         {warning(kDataError,
                  "Error In Range Value(s) - Low Range Must Be Less Than High Range - "
                  "Please Re-enter")}},
        {"high beyond pairs",
         [](Program& q) { q.settings.HighRange = 6; },
         0,
         {warning(kDataError,
                  "Error In High Range Value - High Range Must Be <=  Highest Q/A Pair "
                  "Number - Please Re-enter")}},
        {"both range checks",
         [](Program& q) {
             q.settings.LowRange = 9;
             q.settings.HighRange = 8;
         },
         0,
         {warning(kDataError,
                  "Error In Range Value(s) - Low Range Must Be Less Than High Range - "
                  "Please Re-enter"),
          warning(kDataError,
                  "Error In High Range Value - High Range Must Be <=  Highest Q/A Pair "
                  "Number - Please Re-enter")}},
        {"only the first failure before the range group",
         [](Program& q) {
             q.settings.Frequency = 101;
             q.settings.LowRange = 9;
         },
         0,
         {warning(kDataError,
                  "Error In Frequency Value - Must Be An Integer Between 0 And 100 - "
                  "Please Re-enter")}},
        {"unlearned 101",
         [](Program& q) { q.settings.UnFrequency = 101; },
         0,
         {warning(kDataError,
                  "Unlearned Frequency Value Must Be An Integer Between 0 And 100 - "
                  "Please Re-enter")}},
        {"short -1",
         [](Program& q) { q.settings.ShortFrequency = -1; },
         0,
         {warning(kDataError,
                  "Short Term Frequency Value Must Be An Integer Between 0 And 100 - "
                  "Please Re-enter")}},
        {"long 101",
         [](Program& q) { q.settings.LongFrequency = 101; },
         0,
         {warning(kDataError,
                  "Long Term Frequency Value Must Be An Integer Between 0 And 100 - "
                  "Please Re-enter")}},
        {"frequencies 80 10 20",
         [](Program& q) { q.settings.LongFrequency = 20; },
         0,
         {warning(kDataError, "Frequency Values Must Add Up To 100 - Please Re-enter")}},
        {"frequencies 30 30 30",
         [](Program& q) {
             q.settings.UnFrequency = 30;
             q.settings.ShortFrequency = 30;
             q.settings.LongFrequency = 30;
         },
         0,
         {warning(kDataError, "Frequency Values Must Add Up To 100 - Please Re-enter")}},
        {"frequencies 0 0 100",
         [](Program& q) {
             q.settings.UnFrequency = 0;
             q.settings.ShortFrequency = 0;
             q.settings.LongFrequency = 100;
         },
         1,
         {}},
        {"short threshold 0",
         [](Program& q) { q.settings.ShortThreshold = 0; },
         0,
         {warning(kDataError,
                  "Unlearned To Short Term Promotion Value Must Be An Integer Between "
                  "1 And 9 - Please Re-enter")}},
        {"long answer threshold 10",
         [](Program& q) { q.settings.LongAnsThreshold = 10; },
         0,
         {warning(kDataError,
                  "Short Term To Long Term Promotion Value Must Be An Integer Between "
                  "1 And 9 - Please Re-enter")}},
        {"day threshold 0",
         [](Program& q) { q.settings.LongDayThreshold = 0; },
         0,
         {warning(kDataError,
                  "Number Of Days Threshold Value Must Be An Integer Between 1 And 9 "
                  "- Please Re-enter")}},
        {"graphics and sound folders missing",
         [](Program& q) {
             q.settings.UseGraphicsDIR = 1;
             q.settings.GraphicsDIR = "nowhere";
             q.settings.UseSoundDIR = 1;
             q.settings.SoundDIR = "/no/such/folder";
         },
         0,
         {warning(kOptionsError, "The Directory Specified For Graphics Files Does Not Exist."),
          warning(kOptionsError,
                  "The Directory Specified For Audio & Video Files Does Not Exist.")}},
        {"start folder missing too",
         [](Program& q) {
             q.settings.UseStartDIR = 1;
             q.settings.StartDIR = "/no/such/folder\\";
             q.settings.UseSoundDIR = 1;
             q.settings.SoundDIR = "";
         },
         0,
         {warning(kOptionsError,
                  "The Directory Specified For .DKS Files Does Not Exist - The "
                  "Last Open .DKS Directory Will Be Used."),
          warning(kOptionsError,
                  "The Directory Specified For Audio & Video Files Does Not Exist.")}},
        {"unused folders are not looked at",
         [](Program& q) {
             q.settings.GraphicsDIR = "nowhere";
             q.settings.StartDIR = "nowhere";
         },
         1,
         {}},
        {"history mode with question only and autopilot",
         [](Program& q) {
             q.settings.NoPriority = 4;
             q.settings.QOnly = 1;
             q.settings.AutoPilot = 1;
         },
         0,
         {warning(kOptionsError,
                  "Question Only Cannot Be Used When In Priority Questions From "
                  "History Mode."),
          warning(kOptionsError,
                  "The AutoPilot Cannot Be Used When In Priority Questions From "
                  "History Mode.")}},
        {"autopilot outside history mode",
         [](Program& q) {
             q.settings.NoPriority = 3;
             q.settings.QOnly = 1;
             q.settings.AutoPilot = 1;
         },
         1,
         {}},
        {"history group not reached after an earlier failure",
         [](Program& q) {
             q.settings.NoPriority = 4;
             q.settings.AutoPilot = 1;
             q.settings.LongDayThreshold = 0;
         },
         0,
         {warning(kDataError,
                  "Number Of Days Threshold Value Must Be An Integer Between 1 And 9 "
                  "- Please Re-enter")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        p.deck.allocate(5);
        p.settings = DeckSettings{};
        p.settings.HighRange = 5;
        h.ui.boxes.clear();
        c.change(p);
        for (const auto& box : c.boxes) h.ui.expectBox(box);
        EXPECT_EQ(CheckSetUp(p), c.result);
        h.ui.checkAllShown();
        EXPECT_EQ(h.ui.boxes, c.boxes);
    }
}

TEST_F(CheckSetUpTest, MissingStartFolderFallsBackToTheLastOpenFolder) {
    p.settings.UseStartDIR = 1;
    p.settings.UseLastOpenDIR = 0;
    p.settings.StartDIR = dir.file("gone");
    h.ui.expectBox(warning(kOptionsError,
                           "The Directory Specified For .DKS Files Does Not Exist - The Last Open "
                           ".DKS Directory Will Be Used."));
    EXPECT_EQ(CheckSetUp(p), 1);
    EXPECT_EQ(p.settings.UseStartDIR, 0);
    EXPECT_EQ(p.settings.UseLastOpenDIR, 1);
}

TEST_F(CheckSetUpTest, FoldersAreFoundRelativeToTheDeckAndWithTrailingSeparator) {
    std::filesystem::create_directory(dir.file("pics"));
    p.settings.UseGraphicsDIR = 1;
    p.settings.GraphicsDIR = "pics";
    p.settings.UseSoundDIR = 1;
    p.settings.SoundDIR = dir.path() + "/pics\\";
    p.settings.UseStartDIR = 1;
    p.settings.StartDIR = dir.path() + "/";
    EXPECT_EQ(CheckSetUp(p), 1);
    EXPECT_TRUE(h.ui.boxes.empty());
}

TEST_F(CheckSetUpTest, AllPairsDisabledAreReEnabledAndStayValid) {
    for (auto& record : p.deck.Learning) record.ListFlags = 2;
    p.deck.Learning.at(3).ListFlags = 3;
    h.ui.expectBox(
        warning("No Enabled Questions",
                "There Are Now No Enabled Questions - All Questions Will Be Re-enabled"));
    h.ui.expectBox({"Priority List", "The Disabled Questions Have Been Re-enabled",
                    Icon::Information, Buttons::Ok});
    EXPECT_EQ(CheckSetUp(p), 1);
    EXPECT_EQ(p.deck.Learning.at(1).ListFlags, 0);
    EXPECT_EQ(p.deck.Learning.at(3).ListFlags, 1);
    EXPECT_TRUE(p.drill.RunComplete);
}

TEST_F(CheckSetUpTest, OneEnabledPairIsEnough) {
    for (auto& record : p.deck.Learning) record.ListFlags = 3;
    p.deck.Learning.at(5).ListFlags = 1;
    EXPECT_EQ(CheckSetUp(p), 1);
    EXPECT_TRUE(h.ui.boxes.empty());
    EXPECT_FALSE(p.drill.RunComplete);
}

TEST_F(CheckSetUpTest, BadLastDayUsedBecomesTodayAndIsWrittenAtOnce) {
    for (const char* stored : {"abc", "2026x", "19960731", "20261208", "", "-20261201"}) {
        SCOPED_TRACE(stored);
        dir.write("deck.DKD", crlf({"[CARDWISE]", "NoPriority=  1",
                                    (std::string("LastDayUsed=") + stored).c_str(),
                                    "Q&A1=2026120700000000000000"}));
        p.setupFile.reload();
        p.deck.LastDayUsed = 19990101;
        EXPECT_EQ(CheckSetUp(p), 1);
        EXPECT_EQ(p.deck.LastDayUsed, kToday);
        EXPECT_EQ(dir.read("deck.DKD"),
                  crlf({"[CARDWISE]", "NoPriority=  1", "LastDayUsed=20261207",
                        "Q&A1=2026120700000000000000"}));
    }
    EXPECT_TRUE(h.ui.boxes.empty());
}

TEST_F(CheckSetUpTest, MissingLastDayUsedGoesAheadOfTheStatusLines) {
    dir.write("deck.DKD", crlf({"[CARDWISE]", "NoPriority=  1", "Q&A1=2026120700000000000000"}));
    p.setupFile.reload();
    EXPECT_EQ(CheckSetUp(p), 1);
    EXPECT_EQ(dir.read("deck.DKD"), crlf({"[CARDWISE]", "NoPriority=  1", "LastDayUsed=20261207",
                                          "Q&A1=2026120700000000000000"}));
}

TEST_F(CheckSetUpTest, GoodLastDayUsedIsLeftAlone) {
    const std::string file = crlf({"[CARDWISE]", "LastDayUsed=19960801"});
    dir.write("deck.DKD", file);
    p.setupFile.reload();
    p.deck.LastDayUsed = 19960801;
    EXPECT_EQ(CheckSetUp(p), 1);
    EXPECT_EQ(p.deck.LastDayUsed, 19960801);
    EXPECT_EQ(dir.read("deck.DKD"), file);
}

TEST_F(CheckSetUpTest, BadLastDayUsedOfReadOnlyDeckChangesOnlyMemory) {
    const std::string file = crlf({"[CARDWISE]", "LastDayUsed=1"});
    dir.write("deck.DKD", file);
    p.setupFile.reload();
    p.deck.ReadOnlyDeck = true;
    EXPECT_EQ(CheckSetUp(p), 1);
    EXPECT_EQ(p.deck.LastDayUsed, kToday);
    EXPECT_EQ(dir.read("deck.DKD"), file);
}

TEST_F(CheckSetUpTest, FailedLastDayUsedRepairIsReportedAndKeepsTheFile) {
    const std::string file = crlf({"[CARDWISE]", "LastDayUsed=17760704"});
    dir.write("deck.DKD", file);
    testing::ScriptedUserInterface ui;
    testing::FixedClock clock;
    testing::SeededRandom random;
    LocalFileSystem failing(8);
    testing::RecordedServices services;
    Program q{services.platform(ui, clock, random, failing)};
    q.deck = p.deck;
    q.settings = p.settings;
    q.bindSetupFile();
    ui.expectBox(testing::writeErrorBox(dir.file("deck.DKD"), "No space left on device"));
    EXPECT_EQ(CheckSetUp(q), 1);
    EXPECT_EQ(q.deck.LastDayUsed, kToday);
    EXPECT_EQ(dir.read("deck.DKD"), file);
}

}  // namespace
}  // namespace cardwise
