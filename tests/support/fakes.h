#pragma once

#include <gtest/gtest.h>

#include <array>
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
#include "core/platform/media_player.h"
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

// Printed as the literal a test would write, so a failure can be pasted into expectBox.
inline void printLiteral(std::ostream& os, std::string_view text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    os << '"';
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            os << '\\' << c;
        } else if (c == '\r') {
            os << "\\r";
        } else if (c == '\n') {
            os << "\\n";
        } else if (c < 0x20 || c >= 0x7f) {
            os << "\\x" << hex[c >> 4] << hex[c & 15] << "\"\"";
        } else {
            os << c;
        }
    }
    os << '"';
}

inline std::ostream& operator<<(std::ostream& os, const ShownBox& box) {
    static constexpr const char* icons[] = {"None", "Error", "Warning", "Information", "Question"};
    static constexpr const char* buttons[] = {"Ok", "OkCancel", "YesNo", "YesNoCancel"};
    os << "{";
    printLiteral(os, box.caption);
    os << ", ";
    printLiteral(os, box.text);
    return os << ", Icon::" << icons[static_cast<int>(box.icon)]
              << ", Buttons::" << buttons[static_cast<int>(box.buttons)] << "}";
}

// The report of a write that failed for `reason`, as the file system put it.
inline ShownBox writeErrorBox(const std::string& path, const std::string& reason) {
    return {"File Write Error",
            "Cardwise Could Not Write " + path + " (" + reason +
                ").  The File On Disk Was Left As It Was.",
            Icon::Error, Buttons::Ok};
}

// The report of two files written together that failed, both left as they were.
inline ShownBox writeErrorBox(const std::string& first, const std::string& second,
                              const std::string& reason) {
    return {"File Write Error",
            "Cardwise Could Not Write " + first + " And " + second + " (" + reason +
                ").  The Files On Disk Were All Left As They Were.",
            Icon::Error, Buttons::Ok};
}

// The question at the end of a run through the deck file `deck` (its name only).
inline ShownBox continuationBox(std::string_view deck) {
    return {"Continuation",
            "That Completes This Run Through Of " + std::string(deck) +
                ".  Do You Want To Run It Again?",
            Icon::Question, Buttons::YesNo};
}

// A hint or a comment, shown under the caption that says how many are left.
inline ShownBox noteBox(std::string caption, std::string text) {
    return {std::move(caption), std::move(text), Icon::Information, Buttons::Ok};
}

// What follows the pair number in the report of an unknown tag.
inline const std::string kUnknownTagTail =
    ".  A Tag Is Any Sequence Of Characters Beginning With The Character \"<\". This Character "
    "Has Special Meaning In Cardwise.  Questions Or Answers Should Not Contain A _Single_ "
    "Instance Of This Character In The Text Portion Of The Q or A.  The Cardwise Editor Handles "
    "This Automatically.  If, However, You Make Edits To The .DKS File With NotePad Or Other "
    "ANSII Editor, You Must Use TWO <'s For Each One You Wish To Appear In The Text.  Single "
    "Instances Of < Are Used To Indicate Paths (<BMP>, <WAV>), To Indicate Hints Or Comments "
    "(<HI1>..<HI3>), To Indicate Multiple Choice Questions Or Fill-In-The-Blank Answers "
    "(<MC1>..<MC6>), To Indicate Question Named Range (NAM), Or To Show A Fill-In-The-Blank "
    "Question Or Multiple Choice Answer <FIN>. Please See The On-line Help Under \"Tags\" For "
    "An In-Depth Discussion Of Their Use.";

// The report of an unknown tag in the question ("Q") or answer ("A") of `pair`.
inline ShownBox unknownTagBox(std::string_view side, int pair) {
    std::string number = std::to_string(pair);
    if (number.size() < 6) number.insert(0, 6 - number.size(), ' ');
    return {"Unidentified Tag Encountered",
            "Cardwise Has Found An Unreadable Tag In " +
                std::string(side == "Q" ? "Question" : "Answer") + number + kUnknownTagTail,
            Icon::Error, Buttons::Ok};
}

// Records every box and answers it from the queue of boxes the test expects, in order.
// Any other box fails the test, a plain OK box included, and so does an expected box
// that never came, an input box or a file dialog nobody scripted.
class ScriptedUserInterface : public UserInterface {
  public:
    struct ExpectedBox {
        ShownBox box;
        Button answer;
        // When set, the text must satisfy it instead of equalling box.text.
        std::function<bool(const std::string&)> textMatches;

        bool matches(const ShownBox& shown) const {
            if (!textMatches) return box == shown;
            return box.caption == shown.caption && box.icon == shown.icon &&
                   box.buttons == shown.buttons && textMatches(shown.text);
        }
    };

    std::vector<ShownBox> boxes;
    std::deque<ExpectedBox> expected;
    std::vector<ExpectedBox> standing;
    std::deque<std::optional<std::string>> inputs;
    std::deque<std::optional<std::string>> fileChoices;
    std::vector<std::string> inputPrompts;
    std::vector<FileDialogRequest> fileRequests;
    ScreenSize screen{1024, 768};
    int waitDepth = 0;
    bool waitCursorDuringBox = false;

    ScriptedUserInterface() = default;
    ScriptedUserInterface(const ScriptedUserInterface&) = delete;
    ScriptedUserInterface& operator=(const ScriptedUserInterface&) = delete;
    ~ScriptedUserInterface() override {
        for (const auto& e : expected) ADD_FAILURE() << "expected box never shown: " << e.box;
    }

    // The next box must be exactly `box`; the user answers it with `answer`.
    void expectBox(ShownBox box, Button answer = Button::Ok, int times = 1) {
        for (int i = 0; i < times; ++i) expected.push_back(ExpectedBox{box, answer, {}});
    }

    // As expectBox, for a text with a part the test cannot know (a random temporary name):
    // caption, icon and buttons must be as given and `textMatches` must accept the text.
    void expectBoxWhere(std::string caption, Icon icon, Buttons buttons,
                        std::function<bool(const std::string&)> textMatches,
                        Button answer = Button::Ok) {
        expected.push_back(ExpectedBox{
            ShownBox{std::move(caption), "(a text the test checks by hand)", icon, buttons}, answer,
            std::move(textMatches)});
    }

    // Fails for every expected box that has not come yet, then forgets them: for a table
    // of cases run on one interface.
    void checkAllShown() {
        for (const auto& e : expected) ADD_FAILURE() << "expected box never shown: " << e.box;
        expected.clear();
    }

    // `box` may come any number of times, between or instead of the expected ones: for
    // long random runs where the test cannot know how often a run ends.
    void allowBoxAnyTimes(ShownBox box, Button answer) {
        standing.push_back(ExpectedBox{std::move(box), answer, {}});
    }

    Button messageBox(std::string_view caption, std::string_view text, Icon icon,
                      Buttons buttons) override {
        boxes.push_back(ShownBox{std::string(caption), std::string(text), icon, buttons});
        if (waitDepth > 0) waitCursorDuringBox = true;
        if (expected.empty() || !expected.front().matches(boxes.back())) {
            for (const auto& s : standing) {
                if (s.matches(boxes.back())) return s.answer;
            }
        }
        if (expected.empty()) {
            ADD_FAILURE() << "unexpected box: " << boxes.back();
            // As if closed without a choice.
            if (buttons == Buttons::Ok) return Button::Ok;
            return buttons == Buttons::YesNo ? Button::No : Button::Cancel;
        }
        ExpectedBox next = expected.front();
        expected.pop_front();
        if (!next.textMatches) {
            EXPECT_EQ(next.box, boxes.back()) << "box #" << boxes.size() << " differs";
        } else if (!next.matches(boxes.back())) {
            ADD_FAILURE() << "box #" << boxes.size() << " differs from " << next.box << ": "
                          << boxes.back();
        }
        return next.answer;
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
    std::vector<int> progressShown;  // every share shown, -1 for the end
    void progress(std::string_view, int percent) override { progressShown.push_back(percent); }
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

// Deterministic uniform draws; the seed of every reseed is recorded but the sequence keeps
// going so a test with a fixed seed is repeatable.
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
    void reseed(const TimeOfDay& time) override {
        seeds.push_back({time.hours, time.minutes, time.seconds, time.milliseconds});
    }
    std::deque<double> scripted;
    std::vector<std::array<int, 4>> seeds;  // hours, minutes, seconds, milliseconds

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
    // Answers closeEditor (an editor that stored its edit, unless a test says otherwise).
    std::function<bool()> onCloseEditor;
    int menuChanges = 0;

    int count(std::string_view call) const {
        int n = 0;
        for (const auto& c : calls) n += c == call ? 1 : 0;
        return n;
    }

    void RunDKSFile() override { record("RunDKSFile"); }
    void closeDrillWindows() override { record("closeDrillWindows"); }
    bool closeEditor() override {
        record("closeEditor");
        return onCloseEditor ? onCloseEditor() : true;
    }
    void showEditorOnNewDeck(std::int32_t pair) override {
        rememberedPair = pair;
        record("showEditorOnNewDeck");
    }
    void returnToEditor() override { record("returnToEditor"); }
    void closeDeck() override { record("closeDeck"); }
    void editQAFile() override { record("editQAFile"); }
    // Counted apart from the hand-overs: it comes with many of them.
    void mainMenuChanged() override { ++menuChanges; }

  private:
    void record(std::string_view call) {
        calls.emplace_back(call);
        if (onCall) onCall(call);
    }
};

// Opens no file, as a terminal does, but keeps each channel's listener so a test can report
// a failure the way a real player does: later, and perhaps twice.
class SilentMediaPlayer final : public MediaPlayer {
  public:
    bool play(MediaChannel, const std::string&) override { return opens; }
    void resume(MediaChannel) override {}
    void pause(MediaChannel) override {}
    void stop(MediaChannel) override {}
    void close(MediaChannel) override {}
    void setListener(MediaChannel channel, Listener listener) override {
        listeners[static_cast<int>(channel)] = std::move(listener);
    }
    void fail(MediaChannel channel) {
        if (auto& failed = listeners[static_cast<int>(channel)].failed) failed(channel);
    }

    bool opens = false;
    Listener listeners[3];
};

// The services most tests do not look at, recorded for those that do.
struct RecordedServices {
    RecordingClipboard clipboard;
    RecordingEditor editor;
    RecordingHelpViewer help;
    NoImageDecoder images;
    SilentMediaPlayer media;

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
