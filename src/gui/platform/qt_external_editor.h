#pragma once

#include <QPointer>

#include <string>
#include <vector>

#include "core/platform/external_editor.h"

class QWidget;

namespace cardwise::gui {

// The user's text editor run as a QProcess. From the core's view the call waits until the
// editor ends; meanwhile a local event loop keeps the program painting (and its timers and
// signal handling running) behind a small modal note that takes no input but its "Stop
// Waiting" button. Stopping the wait, or the session ending, leaves the editor running with
// whatever the user typed in it; it is never killed.
class QtExternalEditor final : public ExternalEditor {
  public:
    // The command as chooseEditorCommand gives it: program and leading arguments.
    explicit QtExternalEditor(std::vector<std::string> command);

    FileResult editAndWait(const std::string& path) override;

    // The note is placed over this window (the main window once it exists).
    void setParentWindow(QWidget* window) { parent_ = window; }
    const std::vector<std::string>& command() const { return command_; }

  private:
    std::vector<std::string> command_;
    QPointer<QWidget> parent_;
};

}  // namespace cardwise::gui
