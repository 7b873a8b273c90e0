#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace cardwise::cli {

// Where typed lines come from. Lines arrive as typed (UTF-8) without their line end.
class LineInput {
  public:
    virtual ~LineInput() = default;
    // The next line; nothing at end of input.
    virtual std::optional<std::string> readLine() = 0;
    // Waits at most timeoutMs for a whole line (or the end of input) to be ready; false when
    // the time ran out first. Input that cannot be waited on is always ready.
    virtual bool waitForLine(int timeoutMs) = 0;
    // The session is ending (a termination signal came): readLine gives nothing from now on,
    // as at the end of input.
    virtual bool stopped() const { return false; }
};

class StreamLineInput : public LineInput {
  public:
    explicit StreamLineInput(std::istream& in) : in_(in) {}
    std::optional<std::string> readLine() override;
    bool waitForLine(int) override { return true; }

  private:
    std::istream& in_;
};

// A file descriptor read directly, so that waiting with a timeout sees every byte typed
// (a stream's own buffer would hide lines from poll). A wait also ends when stopFd becomes
// readable (TerminationSignals::fd): then the input has stopped.
class DescriptorLineInput : public LineInput {
  public:
    explicit DescriptorLineInput(int fd, int stopFd = -1) : fd_(fd), stopFd_(stopFd) {}
    std::optional<std::string> readLine() override;
    bool waitForLine(int timeoutMs) override;
    bool stopped() const override { return stopped_; }

  private:
    bool lineReady() const;
    // Reads what is there (blocking when nothing is); false at end of input or on error.
    bool fill(int timeoutMs);

    int fd_;
    int stopFd_;
    std::string buffer_;
    bool ended_ = false;
    bool stopped_ = false;
};

}  // namespace cardwise::cli
