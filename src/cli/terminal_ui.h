#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "cli/line_input.h"
#include "core/platform/user_interface.h"

namespace cardwise::cli {

// The core's user interface on a terminal. A box prints "[<Caption>] <text>"; a box with
// several buttons then reads one line, the first letter of a button; end of input answers
// No, or Cancel when the box has one. Texts arrive as deck bytes (Windows-1252) and are
// shown in UTF-8.
class TerminalUserInterface : public UserInterface {
  public:
    enum class Mode {
        Ask,       // read the user's choices from the input
        NeverAsk,  // print every box, read nothing; choices answer No or Cancel
    };

    TerminalUserInterface(LineInput& in, std::ostream& out, Mode mode);

    Button messageBox(std::string_view caption, std::string_view text, Icon icon,
                      Buttons buttons) override;
    std::optional<std::string> inputBox(std::string_view caption, std::string_view prompt,
                                        std::string_view defaultText) override;
    std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseOpenFile(const FileDialogRequest& request) override;
    void setWaitCursor(bool) override {}
    ScreenSize screenSize() const override { return ScreenSize{}; }
    void showPromotionMessage(std::string_view text, bool timed) override;

    // Repeats every line read, so that a transcript of scripted input reads like a session
    // on a terminal (where the terminal itself echoes).
    void setEcho(bool echo) { echo_ = echo; }

    // Put in front of every box line, e.g. "Pair 7: " while a pair is checked.
    void setPrefix(std::string prefix) { prefix_ = std::move(prefix); }
    int boxesShown() const { return boxesShown_; }

    // Reads one line from the input, converted to deck bytes; nothing at end of input.
    std::optional<std::string> readLine();
    // The next input box answers this instead of reading a line (":g 12" names the pair).
    void answerNextInputBox(std::string text) { nextInput_ = std::move(text); }
    std::ostream& out() { return out_; }

  private:
    LineInput& in_;
    std::ostream& out_;
    Mode mode_;
    std::string prefix_;
    int boxesShown_ = 0;
    std::optional<std::string> nextInput_;
    bool echo_ = false;
};

}  // namespace cardwise::cli
