#pragma once

namespace cardwise {

// SIGTERM, SIGHUP and SIGINT, the signals that end a session, turned into bytes on a pipe:
// the handler only writes the signal's number, so that the program handles it later in its
// own loop, at a point where it may save (the pattern Qt documents for Unix signals). A
// signal ignored when the program started stays ignored (nohup keeps SIGHUP away). One
// instance at a time; the handlers that were there before come back when it goes.
class TerminationSignals {
  public:
    TerminationSignals();
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False when the handlers could not be installed (no pipe, or another instance).
    bool installed() const { return installed_; }
    // Readable once a signal has come; -1 when not installed.
    int fd() const { return readEnd_; }
    // The number of a signal that came and was not taken yet, else 0. Never blocks.
    int take();

  private:
    bool installed_ = false;
    int readEnd_ = -1;
    int writeEnd_ = -1;
};

}  // namespace cardwise
