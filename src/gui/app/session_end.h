#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <functional>

#include "core/platform/termination_signals.h"
#include "core/shell/session_end.h"

namespace cardwise {
struct Program;
}

namespace cardwise::gui {

class QtUserInterface;

// The desktop session ends (SIGTERM, SIGHUP, SIGINT, or the session manager's logout) and
// the user is no longer there. The signal is only noted by its handler; here, in the event
// loop, boxes start being answered for the user, modal windows close and every event loop
// ends. Whatever command was under way unwinds to the top; once the main loop has returned
// the owner calls finish(), which closes and saves the deck at that quiet point.
class SessionEnd : public QObject {
    Q_OBJECT
  public:
    SessionEnd(Program& program, QtUserInterface& ui);

    // Runs just before the save (the main window stores its place).
    void setBeforeSave(std::function<void()> beforeSave) { beforeSave_ = std::move(beforeSave); }

    // The signal handlers are in place.
    bool listening() const { return signals_.installed(); }
    // A session end began: the main loop ended because of it.
    bool began() const { return began_; }

    // Ends the session as a signal does.
    void begin();
    // The logout: saves at once when the program is at a quiet point (the session manager
    // may end it as soon as this returns), else as a signal does; the logout is never
    // cancelled.
    void commitData();

    // After the main loop has returned: endSession, with every box nobody saw written to
    // standard error. The exit status: 0, or 1 when a write failed (the files on disk were
    // left as they were).
    int finish();

  private:
    void save();

    Program& program_;
    QtUserInterface& ui_;
    TerminationSignals signals_;
    QSocketNotifier* notifier_ = nullptr;
    bool began_ = false;
    bool saved_ = true;
    std::function<void()> beforeSave_;
};

}  // namespace cardwise::gui
