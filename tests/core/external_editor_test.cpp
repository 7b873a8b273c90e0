#include "core/platform/external_editor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "support/fakes.h"

namespace cardwise {
namespace {

using testing::TempDir;

// Surroundings with the given programs on the PATH.
EditorSurroundings around(bool terminal, bool display, std::set<std::string> programs,
                          std::optional<std::string> visual = std::nullopt,
                          std::optional<std::string> editor = std::nullopt) {
    EditorSurroundings result;
    result.terminal = terminal;
    result.display = display;
    result.visual = std::move(visual);
    result.editor = std::move(editor);
    result.onPath = [programs](std::string_view program) {
        return programs.count(std::string(program)) != 0;
    };
    return result;
}

using Words = std::vector<std::string>;

struct ChoiceCase {
    const char* name;
    EditorSurroundings surroundings;
    Words expected;
};

TEST(EditorCommand, ChoiceNeverWaitsOnAnEditorNobodyCanSee) {
    const std::vector<ChoiceCase> cases = {
        {"terminal: VISUAL wins and is split at blanks",
         around(true, true, {"gedit"}, "code  --wait", "vi"),
         {"code", "--wait"}},
        {"terminal: EDITOR when VISUAL is blank", around(true, false, {}, "  ", "nano"), {"nano"}},
        {"terminal without settings: a desktop editor in a session",
         around(true, true, {"gedit", "nano"}),
         {"gedit", "--wait"}},
        {"terminal without settings or session: a terminal editor",
         around(true, false, {"vi"}),
         {"vi"}},
        {"no terminal: a terminal editor setting runs in a terminal window",
         around(false, true, {"xterm", "gedit"}, std::nullopt, "vim"),
         {"xterm", "-e", "vim"}},
        {"no terminal: a desktop editor setting gets its stay option",
         around(false, true, {}, "/usr/bin/kate"),
         {"/usr/bin/kate", "--block"}},
        {"no terminal: a stay option already given is not repeated",
         around(false, true, {}, "code -w"),
         {"code", "-w"}},
        {"no terminal: a terminal editor setting without a terminal window gives way",
         around(false, true, {"mousepad"}, "vim"),
         {"mousepad", "--disable-server"}},
        {"no terminal, no settings: the first desktop editor",
         around(false, true, {"kate", "gnome-text-editor"}),
         {"gnome-text-editor", "--standalone"}},
        {"no terminal, no desktop editor: a terminal editor in a waiting window",
         around(false, true, {"gnome-terminal", "nano"}),
         {"gnome-terminal", "--wait", "--", "nano"}},
        {"no terminal, only a terminal editor: nothing", around(false, true, {"nano", "vi"}), {}},
        {"no terminal, no session: nothing, whatever is set",
         around(false, false, {"gedit", "xterm", "nano"}, "nano"),
         {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(chooseEditorCommand(c.surroundings), c.expected) << c.name;
    }
}

TEST(EditorCommand, NoEditorFoundIsAFailureThatSaysWhatIsNeeded) {
    StandardExternalEditor editor(chooseEditorCommand(around(false, true, {"nano"})));
    EXPECT_TRUE(editor.command().empty());
    FileResult result = editor.editAndWait("deck.DKS");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("desktop editor"), std::string::npos) << result.error;
}

TEST(EditorCommand, ProgramsAreFoundOnThePath) {
    TempDir bin;
    bin.write("gedit", "#!/bin/sh\n");
    std::filesystem::permissions(bin.file("gedit"), std::filesystem::perms::owner_all);
    EXPECT_TRUE(isExecutableOnPath("gedit", "/nonexistent:" + bin.path()));
    EXPECT_FALSE(isExecutableOnPath("gedit", "/nonexistent"));
    EXPECT_FALSE(isExecutableOnPath("", bin.path()));
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
