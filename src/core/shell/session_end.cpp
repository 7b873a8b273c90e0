#include "core/shell/session_end.h"

#include "core/program.h"
#include "core/shell/deck_close.h"

namespace cardwise {
namespace {

// The editor's question about a changed pair: Yes keeps what the user typed.
constexpr std::string_view kSaveChangesCaption = "Save Current Changes?";

Button closedWithoutChoice(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return Button::Ok;
        case Buttons::YesNo:
            return Button::No;
        case Buttons::OkCancel:
        case Buttons::YesNoCancel:
            break;
    }
    return Button::Cancel;
}

// Sends the core's boxes to a stand-in for as long as it lives.
class BoxDiversion {
  public:
    BoxDiversion(Program& program, UserInterface& standIn) : program_(program) {
        program_.divertBoxes(&standIn);
    }
    ~BoxDiversion() { program_.divertBoxes(nullptr); }
    BoxDiversion(const BoxDiversion&) = delete;
    BoxDiversion& operator=(const BoxDiversion&) = delete;

  private:
    Program& program_;
};

}  // namespace

Button unattendedAnswer(std::string_view caption, std::string_view, Buttons buttons) {
    if (caption == kSaveChangesCaption &&
        (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel)) {
        return Button::Yes;
    }
    return closedWithoutChoice(buttons);
}

Button UnattendedUserInterface::messageBox(std::string_view caption, std::string_view text, Icon,
                                           Buttons buttons) {
    const Button answer = unattendedAnswer(caption, text, buttons);
    boxes_.push_back(UnshownBox{std::string(caption), std::string(text), answer});
    return answer;
}

SessionEndResult endSession(Program& program) {
    UnattendedUserInterface nobody;
    SessionEndResult result;
    {
        BoxDiversion diversion(program, nobody);
        // A deck another program changed is kept under a new name rather than asked about.
        program.document.unattended = true;
        result.saved = closeOpenDeck(program);
        if (!result.saved && program.shell.deckOpen && program.editor.PairDirty) {
            // An edit the editor refuses to store must not cost every other change: it is
            // dropped (its refusal is among the unshown boxes) and the close tried again.
            program.editor.PairDirty = false;
            result.saved = closeOpenDeck(program);
        }
        program.document.unattended = false;
    }
    result.unshown = nobody.boxes();
    return result;
}

}  // namespace cardwise
