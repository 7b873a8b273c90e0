#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/platform/clipboard.h"
#include "core/platform/clock.h"
#include "core/platform/external_editor.h"
#include "core/platform/file_system.h"
#include "core/platform/front_end.h"
#include "core/platform/help_viewer.h"
#include "core/platform/random_source.h"
#include "core/platform/user_interface.h"
#include "core/program.h"

namespace cardwise::testing {

struct ShownBox {
    std::string caption;
    std::string text;
    Icon icon;
    Buttons buttons;
    bool operator==(const ShownBox&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const ShownBox& box) {
    return os << "[" << box.caption << "] " << box.text << " (icon " << static_cast<int>(box.icon)
              << ", buttons " << static_cast<int>(box.buttons) << ")";
}

// Records every box and answers from a queue; a box with more than an OK button that
// finds no scripted answer fails the test, and so does an input or file dialog.
class ScriptedUserInterface : public UserInterface {
  public:
    std::vector<ShownBox> boxes;
    std::deque<Button> answers;
    std::deque<std::optional<std::string>> inputs;
    std::deque<std::optional<std::string>> fileChoices;
    std::vector<std::string> inputPrompts;
    std::vector<FileDialogRequest> fileRequests;
    ScreenSize screen{1024, 768};
    int waitDepth = 0;
    bool waitCursorDuringBox = false;

    Button messageBox(std::string_view caption, std::string_view text, Icon icon,
                      Buttons buttons) override {
        boxes.push_back(ShownBox{std::string(caption), std::string(text), icon, buttons});
        if (waitDepth > 0) waitCursorDuringBox = true;
        if (!answers.empty()) {
            Button b = answers.front();
            answers.pop_front();
            return b;
        }
        if (buttons != Buttons::Ok) {
            ADD_FAILURE() << "unexpected box with a choice: " << boxes.back();
            return Button::Cancel;
        }
        return Button::Ok;
    }

    std::optional<std::string> inputBox(std::string_view caption, std::string_view prompt,
                                        std::string_view) override {
        inputPrompts.push_back(std::string(caption) + "|" + std::string(prompt));
        if (inputs.empty()) {
            ADD_FAILURE() << "unexpected input box: " << caption;
            return std::nullopt;
        }
        auto value = inputs.front();
        inputs.pop_front();
        return value;
    }

    std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) override {
        return nextFile(request);
    }
    std::optional<std::string> chooseOpenFile(const FileDialogRequest& request) override {
        return nextFile(request);
    }

    std::vector<std::pair<std::string, bool>> promotions;  // text, timed
    void showPromotionMessage(std::string_view text, bool timed) override {
        promotions.emplace_back(std::string(text), timed);
    }

    void setWaitCursor(bool on) override { waitDepth += on ? 1 : -1; }
    ScreenSize screenSize() const override { return screen; }

    std::vector<std::string> captions() const {
        std::vector<std::string> out;
        for (const auto& b : boxes) out.push_back(b.caption);
        return out;
    }

  private:
    std::optional<std::string> nextFile(const FileDialogRequest& request) {
        fileRequests.push_back(request);
        if (fileChoices.empty()) {
            ADD_FAILURE() << "unexpected file dialog: " << request.title;
            return std::nullopt;
        }
        auto value = fileChoices.front();
        fileChoices.pop_front();
        return value;
    }
};

class FixedClock : public Clock {
  public:
    explicit FixedClock(std::int32_t date = 20261207) : date_(date) {}
    std::int32_t today() const override { return date_; }
    TimeOfDay timeOfDay() const override { return time_; }
    void setToday(std::int32_t date) { date_ = date; }
    void setTime(TimeOfDay time) { time_ = time; }

  private:
    std::int32_t date_;
    TimeOfDay time_{10, 0, 0, 0};
};

// Deterministic uniform draws; reseeding is recorded but keeps the sequence going so a
// test with a fixed seed is repeatable.
class SeededRandom : public RandomSource {
  public:
    explicit SeededRandom(unsigned seed = 12345) : engine_(seed) {}
    double uniform() override {
        if (!scripted.empty()) {
            double u = scripted.front();
            scripted.pop_front();
            return u;
        }
        return std::uniform_real_distribution<double>(0.0, 1.0)(engine_);
    }
    void reseed(const TimeOfDay&) override { ++reseeds; }
    std::deque<double> scripted;
    int reseeds = 0;

  private:
    std::mt19937 engine_;
};

class RecordingClipboard : public Clipboard {
  public:
    std::vector<std::string> texts;
    void setText(std::string_view text) override { texts.emplace_back(text); }
};

// Stands in for the user's text editor: records the files it was run on and lets a test
// change the file as the user would.
class RecordingEditor : public ExternalEditor {
  public:
    std::vector<std::string> opened;
    std::function<void(const std::string&)> onEdit;
    FileResult result;

    FileResult editAndWait(const std::string& path) override {
        opened.push_back(path);
        if (onEdit) onEdit(path);
        return result;
    }
};

class RecordingHelpViewer : public HelpViewer {
  public:
    static constexpr int kContents = -1;
    static constexpr int kHelpOnHelp = -2;
    std::vector<int> shown;  // topic numbers, kContents, kHelpOnHelp
    void showContents() override { shown.push_back(kContents); }
    void showTopic(int topic) override { shown.push_back(topic); }
    void showHelpOnHelp() override { shown.push_back(kHelpOnHelp); }
};

// Records every hand-over to the windows in order; onCall lets a test act as the window
// would, after the call is recorded.
class RecordingFrontEnd : public FrontEnd {
  public:
    std::vector<std::string> calls;  // method names
    std::function<void(std::string_view call)> onCall;
    std::int32_t rememberedPair = -1;  // as showEditorOnNewDeck last got it

    int count(std::string_view call) const {
        int n = 0;
        for (const auto& c : calls) n += c == call ? 1 : 0;
        return n;
    }

    void RunDKSFile() override { record("RunDKSFile"); }
    void closeDrillWindows() override { record("closeDrillWindows"); }
    void closeEditor() override { record("closeEditor"); }
    void showEditorOnNewDeck(std::int32_t pair) override {
        rememberedPair = pair;
        record("showEditorOnNewDeck");
    }
    void returnToEditor() override { record("returnToEditor"); }
    void closeDeck() override { record("closeDeck"); }
    void editQAFile() override { record("editQAFile"); }

  private:
    void record(std::string_view call) {
        calls.emplace_back(call);
        if (onCall) onCall(call);
    }
};

// The services most tests do not look at, recorded for those that do.
struct RecordedServices {
    RecordingClipboard clipboard;
    RecordingEditor editor;
    RecordingHelpViewer help;
    NoImageDecoder images;
    NoMediaPlayer media;

    Platform platform(UserInterface& ui, Clock& clock, RandomSource& random, FileSystem& files) {
        return Platform{.ui = ui,
                        .clock = clock,
                        .random = random,
                        .files = files,
                        .clipboard = clipboard,
                        .editor = editor,
                        .help = help,
                        .images = images,
                        .media = media};
    }
};

// A fresh folder per test, removed afterwards.
class TempDir {
  public:
    TempDir() {
        auto base = std::filesystem::temp_directory_path();
        std::random_device rd;
        for (;;) {
            path_ = base / ("cardwise-test-" + std::to_string(rd()));
            if (std::filesystem::create_directory(path_)) break;
        }
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream out(path_ / name, std::ios::binary);
        out << bytes;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(path_ / name, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }
    void copyFromData(const std::string& name, const std::string& as = {}) const {
        std::filesystem::copy_file(std::filesystem::path(CARDWISE_TEST_DATA) / name,
                                   path_ / (as.empty() ? name : as),
                                   std::filesystem::copy_options::overwrite_existing);
    }

  private:
    std::filesystem::path path_;
};

// Joins lines with CR LF, each line ended.
inline std::string crlf(std::initializer_list<std::string_view> lines) {
    std::string out;
    for (auto line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

// A Program over the fakes and the real file system.
struct ProgramHarness {
    ScriptedUserInterface ui;
    FixedClock clock;
    SeededRandom random;
    LocalFileSystem files;
    RecordedServices services;
    RecordingFrontEnd frontEnd;
    Program program{services.platform(ui, clock, random, files)};

    ProgramHarness() { program.attachFrontEnd(frontEnd); }
};

}  // namespace cardwise::testing
