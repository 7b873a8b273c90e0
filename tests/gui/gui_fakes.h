#pragma once

#include <QDebug>

#include <deque>
#include <string>
#include <vector>

#include "core/platform/user_interface.h"

namespace cardwise::gui::testing {

struct Box {
    std::string caption;
    std::string text;
    Buttons buttons;
};

// Records every box and answers those with a choice from a queue; a box with a choice that finds no
// answer, or any dialog, counts as unexpected.
class FakeUserInterface : public UserInterface {
  public:
    std::vector<Box> boxes;
    std::deque<Button> answers;
    std::deque<std::optional<std::string>> files;
    int unexpected = 0;

    Button messageBox(std::string_view caption, std::string_view text, Icon,
                      Buttons buttons) override {
        boxes.push_back(Box{std::string(caption), std::string(text), buttons});
        if (buttons == Buttons::Ok) return Button::Ok;
        if (!answers.empty()) {
            Button answer = answers.front();
            answers.pop_front();
            return answer;
        }
        qWarning() << "unexpected box" << QString::fromStdString(std::string(caption));
        ++unexpected;
        return Button::Cancel;
    }
    std::optional<std::string> inputBox(std::string_view, std::string_view,
                                        std::string_view) override {
        ++unexpected;
        return std::nullopt;
    }
    std::optional<std::string> chooseSaveFile(const FileDialogRequest&) override {
        return nextFile();
    }
    std::optional<std::string> chooseOpenFile(const FileDialogRequest&) override {
        return nextFile();
    }
    void setWaitCursor(bool) override {}
    ScreenSize screenSize() const override { return {}; }

  private:
    std::optional<std::string> nextFile() {
        if (files.empty()) {
            ++unexpected;
            return std::nullopt;
        }
        auto file = files.front();
        files.pop_front();
        return file;
    }
};

}  // namespace cardwise::gui::testing
