#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/file_system.h"

namespace cardwise {

// The user's text editor, run on one file; the call returns when the editor has ended.
class ExternalEditor {
  public:
    virtual ~ExternalEditor() = default;
    // Fails (with the reason) only when no editor could be started.
    virtual FileResult editAndWait(const std::string& path) = 0;
};

// For a front end that cannot start a text editor: every start fails, and the commands
// that need one say so.
class NoExternalEditor final : public ExternalEditor {
  public:
    FileResult editAndWait(const std::string&) override {
        return FileResult::failure("No text editor is available");
    }
};

// What the choice of an editor depends on: taken from the process, or given by a test.
struct EditorSurroundings {
    std::optional<std::string> visual;  // $VISUAL
    std::optional<std::string> editor;  // $EDITOR
    bool terminal = false;              // standard input is a terminal an editor can run in
    bool display = false;               // a desktop session windows can be shown in
    std::function<bool(std::string_view program)> onPath;

    static EditorSurroundings ofThisProcess();
};

// Runs the editor chosen by chooseEditorCommand. The file goes to the editor as one
// argument of its own; no shell is involved, so no character of the path is interpreted.
class StandardExternalEditor final : public ExternalEditor {
  public:
    // Chooses the command for this process's surroundings.
    StandardExternalEditor();
    // A fixed command (program and leading arguments), for tests and front ends.
    explicit StandardExternalEditor(std::vector<std::string> command);

    FileResult editAndWait(const std::string& path) override;

    const std::vector<std::string>& command() const { return command_; }

  private:
    std::vector<std::string> command_;
};

// Splits an editor setting such as "code --wait" into words at blanks and tabs. Quotes
// and other shell characters are kept as they are.
std::vector<std::string> splitCommandWords(std::string_view setting);

// A command that ends when the user is done, never one that waits for nobody. With a
// terminal: $VISUAL, else $EDITOR, else a desktop editor, else a terminal editor. Without
// one, a terminal editor would wait unseen: a desktop editor with the option that makes it
// stay until its window closes (the user's own choice first), else a terminal editor
// inside a terminal window that stays until the editor ends. Empty when there is none.
std::vector<std::string> chooseEditorCommand(const EditorSurroundings& surroundings);

// True when the program is an executable file in one of the PATH's folders.
bool isExecutableOnPath(std::string_view program, std::string_view searchPath);

// Runs the program with the arguments and waits for it. Fails when it cannot be started.
FileResult runAndWait(const std::vector<std::string>& argv);

// The editor's command with the file added as one argument of its own; a path that looks
// like an option is made one that cannot be taken for one.
std::vector<std::string> editorArguments(std::vector<std::string> command, const std::string& path);

// Why nothing was started when no editor could be chosen.
FileResult noEditorFound();

}  // namespace cardwise
