#pragma once

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

// Runs $VISUAL, else $EDITOR, else the first desktop text editor found on the PATH. The
// file goes to the editor as one argument of its own; no shell is involved, so no
// character of the path is interpreted.
class StandardExternalEditor final : public ExternalEditor {
  public:
    // Takes the command from the environment.
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

// The editor command from the two settings and the desktop editors that can be found;
// empty when there is none.
std::vector<std::string> chooseEditorCommand(std::optional<std::string_view> visual,
                                             std::optional<std::string_view> editor,
                                             std::string_view searchPath);

// Runs the program with the arguments and waits for it. Fails when it cannot be started.
FileResult runAndWait(const std::vector<std::string>& argv);

}  // namespace cardwise
