#include "cli/terminal_ui.h"

#include <cctype>
#include <ostream>
#include <vector>

#include "cli/terminal_text.h"

namespace cardwise::cli {
namespace {

struct Choice {
    char key;
    std::string_view label;
    Button button;
};

std::vector<Choice> choicesOf(Buttons buttons) {
    switch (buttons) {
        case Buttons::OkCancel:
            return {{'o', "[o]k", Button::Ok}, {'c', "[c]ancel", Button::Cancel}};
        case Buttons::YesNo:
            return {{'y', "[y]es", Button::Yes}, {'n', "[n]o", Button::No}};
        case Buttons::YesNoCancel:
            return {{'y', "[y]es", Button::Yes},
                    {'n', "[n]o", Button::No},
                    {'c', "[c]ancel", Button::Cancel}};
        case Buttons::Ok:
            break;
    }
    return {{'o', "[o]k", Button::Ok}};
}

Button closedWithoutChoice(Buttons buttons) {
    switch (buttons) {
        case Buttons::OkCancel:
        case Buttons::YesNoCancel:
            return Button::Cancel;
        case Buttons::YesNo:
            return Button::No;
        case Buttons::Ok:
            break;
    }
    return Button::Ok;
}

}  // namespace

TerminalUserInterface::TerminalUserInterface(LineInput& in, std::ostream& out, Mode mode)
    : in_(in), out_(out), mode_(mode) {}

std::optional<std::string> TerminalUserInterface::readLine() {
    for (;;) {
        auto line = in_.readLine();
        if (!line) {
            out_ << "\n";  // ends the prompt's line
            return std::nullopt;
        }
        if (echo_) out_ << *line << "\n";
        DeckTextConversion deckText = fromTerminal(*line);
        if (deckText.ok()) return std::move(deckText.text);
        // Refused rather than stored as '?': the line is asked for again.
        out_ << "[" << kCharacterNotAllowedCaption << "] "
             << characterNotAllowedText(*deckText.refused) << "\n> " << std::flush;
    }
}

Button TerminalUserInterface::messageBox(std::string_view caption, std::string_view text, Icon,
                                         Buttons buttons) {
    ++boxesShown_;
    out_ << prefix_ << "[" << toTerminal(caption) << "] " << toTerminal(text) << "\n";
    if (buttons == Buttons::Ok) return Button::Ok;
    if (mode_ == Mode::NeverAsk) return closedWithoutChoice(buttons);

    auto choices = choicesOf(buttons);
    for (;;) {
        for (std::size_t i = 0; i < choices.size(); ++i) {
            out_ << (i == 0 ? "" : " ") << choices[i].label;
        }
        out_ << "> " << std::flush;
        auto line = readLine();
        if (!line) return closedWithoutChoice(buttons);
        if (!line->empty()) {
            char key = static_cast<char>(std::tolower(static_cast<unsigned char>(line->front())));
            for (const Choice& choice : choices) {
                if (choice.key == key) return choice.button;
            }
        }
    }
}

std::optional<std::string> TerminalUserInterface::inputBox(std::string_view caption,
                                                           std::string_view prompt,
                                                           std::string_view) {
    out_ << prefix_ << "[" << toTerminal(caption) << "] " << toTerminal(prompt) << "\n";
    if (nextInput_) {
        std::optional<std::string> answer = std::move(nextInput_);
        nextInput_.reset();
        return answer;
    }
    if (mode_ == Mode::NeverAsk) return std::nullopt;
    out_ << "> " << std::flush;
    return readLine();
}

std::optional<std::string> TerminalUserInterface::chooseSaveFile(const FileDialogRequest& request) {
    return chooseOpenFile(request);
}

std::optional<std::string> TerminalUserInterface::chooseOpenFile(const FileDialogRequest& request) {
    out_ << "[" << toTerminal(request.title) << "] File name\n";
    if (mode_ == Mode::NeverAsk) return std::nullopt;
    out_ << "> " << std::flush;
    auto line = readLine();
    if (!line || line->empty()) return std::nullopt;
    return line;
}

void TerminalUserInterface::showPromotionMessage(std::string_view text, bool timed) {
    // A timed message closes by itself; on a terminal it is simply printed.
    if (timed) {
        out_ << prefix_ << "[Pair Promotion] " << toTerminal(text) << "\n";
        return;
    }
    messageBox("Pair Promotion", text, Icon::None, Buttons::Ok);
}

}  // namespace cardwise::cli
