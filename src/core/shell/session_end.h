#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/platform/user_interface.h"

namespace cardwise {

struct Program;

// The answer a box gets when nobody is there to answer it (the session is ending): the
// editor's question whether to save the pair's changes is answered Yes, so the edit is
// kept; every other box is closed without a choice (OK, else Cancel, else No), which never
// starts anything new.
Button unattendedAnswer(std::string_view caption, std::string_view text, Buttons buttons);

// A box the core asked while nobody could see it, and the answer it was given.
struct UnshownBox {
    std::string caption;
    std::string text;
    Button answer = Button::Ok;
};

// Stands in for the user at session end: answers every box with unattendedAnswer and keeps
// it, so that the front end can log what nobody saw (a failed write, a refused pair).
class UnattendedUserInterface final : public UserInterface {
  public:
    Button messageBox(std::string_view caption, std::string_view text, Icon icon,
                      Buttons buttons) override;
    std::optional<std::string> inputBox(std::string_view, std::string_view,
                                        std::string_view) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseSaveFile(const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseOpenFile(const FileDialogRequest&) override {
        return std::nullopt;
    }
    void setWaitCursor(bool) override {}
    ScreenSize screenSize() const override { return {}; }
    void showPromotionMessage(std::string_view, bool) override {}

    const std::vector<UnshownBox>& boxes() const { return boxes_; }

  private:
    std::vector<UnshownBox> boxes_;
};

struct SessionEndResult {
    // Everything was written (or there was nothing to write); false when a write failed and
    // the files on disk were left as they were.
    bool saved = true;
    // The boxes the close would have shown, for the front end's log.
    std::vector<UnshownBox> unshown;
};

// The session ends (a termination signal, logout): closes the open deck and saves
// everything without asking anything. An edit the editor holds is saved when it can be
// (a pair the editor would refuse, or one read with markup faults, is not). Call it at a
// quiet point: not inside a grade or a box, and not while the text editor holds a deck file.
SessionEndResult endSession(Program& program);

}  // namespace cardwise
