#include "core/platform/external_editor.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/fakes.h"

namespace cardwise {
namespace {

using testing::TempDir;

TEST(EditorCommand, VisualWinsOverEditorAndIsSplitAtBlanks) {
    EXPECT_EQ(chooseEditorCommand("code  --wait", "vi", ""),
              (std::vector<std::string>{"code", "--wait"}));
    EXPECT_EQ(chooseEditorCommand(std::nullopt, "vi", ""), (std::vector<std::string>{"vi"}));
    EXPECT_EQ(chooseEditorCommand("  ", "nano", ""), (std::vector<std::string>{"nano"}));
}

TEST(EditorCommand, DesktopEditorIsFoundOnThePath) {
    TempDir bin;
    bin.write("gedit", "#!/bin/sh\n");
    std::filesystem::permissions(bin.file("gedit"), std::filesystem::perms::owner_all);
    EXPECT_EQ(chooseEditorCommand(std::nullopt, std::nullopt, "/nonexistent:" + bin.path()),
              (std::vector<std::string>{"gedit", "--wait"}));
    EXPECT_TRUE(chooseEditorCommand(std::nullopt, std::nullopt, "/nonexistent").empty());
}

TEST(StandardExternalEditor, PathWithShellCharactersArrivesAsOneArgument) {
    TempDir dir;
    // The stand-in editor records its argument and waits a moment, so the call must wait.
    dir.write("record", "#!/bin/sh\nsleep 0.2\nprintf '%s' \"$1\" > \"$0.out\"\n");
    std::filesystem::permissions(dir.file("record"), std::filesystem::perms::owner_all);
    std::string path = dir.path() + "/my deck 'q\"$(touch x);`id`&|*.DKS";
    StandardExternalEditor editor({dir.file("record")});
    FileResult result = editor.editAndWait(path);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(dir.read("record.out"), path);
    EXPECT_FALSE(dir.exists("x"));
}

TEST(StandardExternalEditor, PathStartingWithADashIsNotTakenForAnOption) {
    TempDir dir;
    dir.write("record", "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.out\"\n");
    std::filesystem::permissions(dir.file("record"), std::filesystem::perms::owner_all);
    StandardExternalEditor editor({dir.file("record")});
    ASSERT_TRUE(editor.editAndWait("-deck.DKS").ok);
    EXPECT_EQ(dir.read("record.out"), "./-deck.DKS");
}

TEST(StandardExternalEditor, MissingProgramIsAFailureWithTheReason) {
    StandardExternalEditor editor({"/nonexistent/editor"});
    FileResult result = editor.editAndWait("deck.DKS");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("/nonexistent/editor"), std::string::npos);
}

TEST(StandardExternalEditor, NoEditorAtAllIsAFailure) {
    StandardExternalEditor editor(std::vector<std::string>{});
    EXPECT_FALSE(editor.editAndWait("deck.DKS").ok);
}

}  // namespace
}  // namespace cardwise
