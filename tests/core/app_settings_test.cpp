#include "core/shell/app_settings.h"

#include <gtest/gtest.h>

#include "support/fakes.h"
#include "support/faulty_files.h"

namespace cardwise {
namespace {

using testing::crlf;
using testing::ProgramHarness;
using testing::TempDir;

struct AppSettingsTest : ::testing::Test {
    ProgramHarness h;
    TempDir programDir;
    TempDir userDir;
    Program& p = h.program;

    AppSettingsTest() {
        p.programDirectory = programDir.path();
        programDir.write(std::string(kPortableMarkerFileName), "");
    }
};

TEST_F(AppSettingsTest, MissingFileGetsEveryDefaultWrittenBack) {
    ASSERT_TRUE(locateAppSettings(p, userDir.path()));
    readAppSettings(p);
    EXPECT_EQ(p.shell.app.MainLeft, 10);
    EXPECT_EQ(p.shell.app.MainTop, 10);
    EXPECT_EQ(p.shell.app.MainWidth, 535);
    EXPECT_EQ(p.shell.app.MainHeight, 240);
    EXPECT_EQ(p.shell.app.AutoSavePair, 0);
    EXPECT_EQ(p.shell.app.AutoResetPage, 1);
    EXPECT_EQ(p.shell.app.FileSaveI, 0);
    EXPECT_EQ(p.settings.UseLastOpenDIR, 1);
    EXPECT_EQ(p.settings.UseStartDIR, 0);
    EXPECT_EQ(p.settings.StartDIR, "");
    EXPECT_EQ(programDir.read("CARDWISE.INI"),
              crlf({"[CARDWISE]", "MainLeft=10", "MainTop=10", "MainWidth=535", "MainHeight=240",
                    "UseLastOpenDIR=1", "UseStartDIR=0", "AutoSavePair=0", "AutoResetPage=1",
                    "FileSaveI=0", "StartDIR="}));
    EXPECT_TRUE(h.ui.boxes.empty());
}

TEST_F(AppSettingsTest, PresentKeysAreReadAndTheFileIsLeftUntouched) {
    std::string text =
        crlf({"[cardwise]", "MainLeft=  -5", "MainTop=7", "MainWidth=800", "MainHeight=600",
              "UseLastOpenDIR=0", "UseStartDIR=1", "AutoSavePair=1", "AutoResetPage=0",
              "FileSaveI=1", "StartDIR=/decks", "UsedFilePath1=/decks/a.DKS"});
    programDir.write("CARDWISE.INI", text);
    ASSERT_TRUE(locateAppSettings(p, userDir.path()));
    readAppSettings(p);
    EXPECT_EQ(p.shell.app.MainLeft, -5);
    EXPECT_EQ(p.shell.app.MainHeight, 600);
    EXPECT_EQ(p.shell.app.FileSaveI, 1);
    EXPECT_EQ(p.settings.UseLastOpenDIR, 0);
    EXPECT_EQ(p.settings.UseStartDIR, 1);
    EXPECT_EQ(p.settings.StartDIR, "/decks");
    EXPECT_EQ(programDir.read("CARDWISE.INI"), text);
}

TEST_F(AppSettingsTest, AValueOfThirtyThousandCountsAsMissing) {
    programDir.write("CARDWISE.INI", crlf({"[CARDWISE]", "MainWidth=30000", "StartDIR=/x"}));
    ASSERT_TRUE(locateAppSettings(p, userDir.path()));
    readAppSettings(p);
    EXPECT_EQ(p.shell.app.MainWidth, 535);
    EXPECT_NE(programDir.read("CARDWISE.INI").find("MainWidth=535\r\n"), std::string::npos);
}

TEST_F(AppSettingsTest, UserFolderFileIsCopiedIntoAWritableProgramFolderFirst) {
    userDir.write("CARDWISE.INI", crlf({"[CARDWISE]", "MainLeft=99"}));
    ASSERT_TRUE(locateAppSettings(p, userDir.path()));
    EXPECT_EQ(p.appSettings.path(), programDir.file("CARDWISE.INI"));
    readAppSettings(p);
    EXPECT_EQ(p.shell.app.MainLeft, 99);
    // The copy is what gets written; the user folder's file stays as it was.
    EXPECT_EQ(userDir.read("CARDWISE.INI"), crlf({"[CARDWISE]", "MainLeft=99"}));
}

TEST_F(AppSettingsTest, ProgramFolderFileWinsOverTheUserFolderFile) {
    programDir.write("CARDWISE.INI", crlf({"[CARDWISE]", "MainLeft=1"}));
    userDir.write("CARDWISE.INI", crlf({"[CARDWISE]", "MainLeft=2"}));
    ASSERT_TRUE(locateAppSettings(p, userDir.path()));
    readAppSettings(p);
    EXPECT_EQ(p.shell.app.MainLeft, 1);
}

TEST_F(AppSettingsTest, ReadOnlyProgramFolderUsesTheUserFolder) {
    testing::FaultyFileSystem files;
    files.readOnlyFolder = programDir.path();
    Program q{h.services.platform(h.ui, h.clock, h.random, files)};
    q.programDirectory = programDir.path();
    ASSERT_TRUE(locateAppSettings(q, userDir.path()));
    EXPECT_EQ(q.appSettings.path(), userDir.file("CARDWISE.INI"));
    readAppSettings(q);
    EXPECT_TRUE(userDir.exists("CARDWISE.INI"));
    EXPECT_FALSE(programDir.exists("CARDWISE.INI"));
    EXPECT_TRUE(h.ui.boxes.empty());
}

TEST_F(AppSettingsTest, NoWritableFolderAtAllEndsTheProgram) {
    testing::FaultyFileSystem files;
    files.readOnlyFolder = programDir.path();
    Program q{h.services.platform(h.ui, h.clock, h.random, files)};
    q.programDirectory = programDir.path();
    h.ui.expectBox({"Error", "Could Not Find Windows Directory", Icon::Warning, Buttons::Ok});
    EXPECT_FALSE(locateAppSettings(q, std::nullopt));
}

TEST_F(AppSettingsTest, WriteBackIntoAReadOnlyFolderIsReportedAndKeepsTheOldFile) {
    std::string text = crlf({"[CARDWISE]", "MainLeft=3"});
    userDir.write("CARDWISE.INI", text);
    testing::FaultyFileSystem files;
    files.readOnlyFolder = userDir.path();
    Program q{h.services.platform(h.ui, h.clock, h.random, files)};
    q.programDirectory = programDir.path();
    q.appSettings = ProfileFile(files, userDir.file("CARDWISE.INI"));
    h.ui.expectBox(testing::writeErrorBox(userDir.file("CARDWISE.INI"), "Read-only file system"));
    readAppSettings(q);
    EXPECT_EQ(q.shell.app.MainLeft, 3);
    EXPECT_EQ(q.shell.app.MainTop, 10);
    EXPECT_EQ(userDir.read("CARDWISE.INI"), text);
}

TEST_F(AppSettingsTest, FailedWriteBackIsReportedAndKeepsTheOldFile) {
    std::string text = crlf({"[CARDWISE]", "MainLeft=3"});
    programDir.write("CARDWISE.INI", text);
    LocalFileSystem failing(0);
    testing::ScriptedUserInterface ui;
    Program q{h.services.platform(ui, h.clock, h.random, failing)};
    q.programDirectory = programDir.path();
    ASSERT_TRUE(locateAppSettings(q, userDir.path()));
    ui.expectBox(
        testing::writeErrorBox(programDir.file("CARDWISE.INI"), "No space left on device"));
    readAppSettings(q);
    EXPECT_EQ(programDir.read("CARDWISE.INI"), text);
}

// Where the settings file goes: only a portable copy (marker present, folder writable)
// writes beside itself; an installed program's folder is never written, whoever runs it.
TEST(AppSettingsLocation, ProgramFolderOnlyForAWritablePortableCopy) {
    struct Case {
        const char* name;
        bool marker;
        bool programFolderWritable;
        bool userFolder;
        const char* expected;  // "program", "user" or "none"
    };
    const Case cases[] = {
        {"installed, writable (root)", false, true, true, "user"},
        {"installed, read-only", false, false, true, "user"},
        {"portable, writable", true, true, true, "program"},
        {"portable, read-only", true, false, true, "user"},
        {"portable, writable, no user folder", true, true, false, "program"},
        {"installed, writable, no user folder", false, true, false, "none"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::ProgramHarness h;
        TempDir programDir;
        TempDir userDir;
        testing::FaultyFileSystem files;
        if (!c.programFolderWritable) files.readOnlyFolder = programDir.path();
        if (c.marker) programDir.write(std::string(kPortableMarkerFileName), "");
        AbsentServices absent;
        Program q{absent.platform(h.ui, h.clock, h.random, files)};
        q.programDirectory = programDir.path();
        std::optional<std::string> user;
        if (c.userFolder) user = userDir.path();
        std::string expected = c.expected;
        if (expected == "none") {
            h.ui.expectBox(
                {"Error", "Could Not Find Windows Directory", Icon::Warning, Buttons::Ok});
        }
        bool located = locateAppSettings(q, user);
        EXPECT_EQ(located, expected != "none") << c.name;
        h.ui.checkAllShown();
        if (!located) continue;
        readAppSettings(q);
        EXPECT_EQ(programDir.exists("CARDWISE.INI"), expected == "program") << c.name;
        EXPECT_EQ(userDir.exists("CARDWISE.INI"), expected == "user") << c.name;
        EXPECT_TRUE(h.ui.boxes.empty()) << c.name;
    }
}

TEST_F(AppSettingsTest, MainWindowPlaceIsStored) {
    ASSERT_TRUE(locateAppSettings(p, userDir.path()));
    readAppSettings(p);
    storeMainWindowPlace(p, 20, 30, 640, 480);
    ProfileFile again(h.files, programDir.file("CARDWISE.INI"));
    EXPECT_EQ(again.read().readInt("CARDWISE", "MainLeft", 0), 20);
    EXPECT_EQ(again.read().readInt("CARDWISE", "MainTop", 0), 30);
    EXPECT_EQ(again.read().readInt("CARDWISE", "MainWidth", 0), 640);
    EXPECT_EQ(again.read().readInt("CARDWISE", "MainHeight", 0), 480);
}

TEST_F(AppSettingsTest, FileDialogsStartInTheChosenFolder) {
    p.shell.recentFiles[0] = "/decks/spanish/verbs.DKS";
    p.settings.StartDIR = "/start";
    p.settings.UseLastOpenDIR = 1;
    p.settings.UseStartDIR = 1;
    EXPECT_EQ(fileDialogDirectory(p), "/decks/spanish");
    p.settings.UseLastOpenDIR = 0;
    EXPECT_EQ(fileDialogDirectory(p), "/start");
    p.settings.UseStartDIR = 0;
    EXPECT_EQ(fileDialogDirectory(p), "");
}

}  // namespace
}  // namespace cardwise
