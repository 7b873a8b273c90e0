#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cardwise {

enum class Icon { None, Error, Warning, Information, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Button { Ok, Cancel, Yes, No };

// The program's title, shown as the caption of plain message dialogs.
inline constexpr std::string_view kAppTitle = "Cardwise";

struct ScreenSize {
    int width = 1024;   // full-screen client width in pixels
    int height = 768;   // full-screen client height in pixels
};

struct FileDialogRequest {
    std::string title;
    std::string directory;
    std::string filter;  // "DKS Files|*.dks" style
};

// Everything the core needs from whoever talks to the user. Boxes always return the
// button pressed; a box closed without a choice answers Cancel (or No when there is no
// Cancel button).
class UserInterface {
public:
    virtual ~UserInterface() = default;

    virtual Button messageBox(std::string_view caption, std::string_view text, Icon icon,
                              Buttons buttons) = 0;
    // Empty optional when the user cancels.
    virtual std::optional<std::string> inputBox(std::string_view caption, std::string_view prompt,
                                                std::string_view defaultText) = 0;
    virtual std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> chooseOpenFile(const FileDialogRequest& request) = 0;
    virtual void setWaitCursor(bool on) = 0;
    virtual ScreenSize screenSize() const = 0;

    // The promotion message: a small window that waits for OK, or closes by itself after
    // its third timer tick when timed.
    virtual void showPromotionMessage(std::string_view text, bool timed) {
        if (!timed) messageBox("Pair Promotion", text, Icon::None, Buttons::Ok);
    }

    // A long task's share done, 0-100, under caption; a negative share ends the display.
    // Front ends that cannot show it ignore it.
    virtual void progress(std::string_view /*caption*/, int /*percent*/) {}

    Button message(std::string_view caption, std::string_view text, Icon icon) {
        return messageBox(caption, text, icon, Buttons::Ok);
    }
};

// Shows the wait cursor for a scope. Front ends show every message box with the normal
// pointer even inside such a scope, so the user never answers a box under an hourglass.
class WaitCursor {
public:
    explicit WaitCursor(UserInterface& ui) : ui_(ui) { ui_.setWaitCursor(true); }
    ~WaitCursor() { ui_.setWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    UserInterface& ui_;
};

}  // namespace cardwise
