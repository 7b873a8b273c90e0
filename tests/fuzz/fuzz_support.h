#pragma once

// Fakes for fuzz targets and benchmarks: they must build without a test framework, never
// stop on an unexpected box, and keep every file in memory so one run costs microseconds.

#include <cstdint>
#include <cstdio>
#include <deque>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <string_view>

#include "core/platform/clock.h"
#include "core/platform/file_system.h"
#include "core/platform/random_source.h"
#include "core/platform/user_interface.h"
#include "core/program.h"

namespace cardwise::fuzzing {

// A broken property: names the line of the target before stopping, so a finding says which.
inline void require(bool condition, int line = __builtin_LINE()) {
    if (condition) return;
    std::fprintf(stderr, "property broken at line %d\n", line);
    __builtin_trap();
}

// Answers every box from a queue, then with `fallback` (Cancel-like answers are the safe
// default: they make the program stop rather than loop). Counts boxes instead of keeping
// them, so a long run does not grow.
class QuietUserInterface : public UserInterface {
  public:
    std::deque<Button> answers;
    Button fallback = Button::No;
    std::size_t boxCount = 0;
    std::string lastCaption;
    int waitDepth = 0;
    bool waitCursorDuringBox = false;

    Button messageBox(std::string_view caption, std::string_view, Icon, Buttons buttons) override {
        ++boxCount;
        lastCaption = caption;
        if (waitDepth > 0) waitCursorDuringBox = true;
        if (buttons == Buttons::Ok) return Button::Ok;
        if (!answers.empty()) {
            Button b = answers.front();
            answers.pop_front();
            return b;
        }
        return fallback;
    }
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
    void showPromotionMessage(std::string_view, bool) override {}
    void setWaitCursor(bool on) override { waitDepth += on ? 1 : -1; }
    ScreenSize screenSize() const override { return ScreenSize{1024, 768}; }
};

class SetClock : public Clock {
  public:
    explicit SetClock(std::int32_t date = 20261207) : date(date) {}
    std::int32_t today() const override { return date; }
    TimeOfDay timeOfDay() const override { return TimeOfDay{10, 0, 0, 0}; }
    std::int32_t date;
};

// Repeatable draws, so a finding replays the same way.
class RepeatableRandom : public RandomSource {
  public:
    explicit RepeatableRandom(unsigned seed = 12345) : engine_(seed) {}
    double uniform() override { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }
    void reseed(const TimeOfDay&) override {}

  private:
    std::mt19937 engine_;
};

// Files and folders in memory. Writes replace a file whole (as the atomic writes do);
// `failWrites` makes every write and copy fail, leaving the old file as it was.
class MemoryFileSystem : public FileSystem {
  public:
    std::map<std::string, std::string, std::less<>> files;
    std::set<std::string, std::less<>> directories{"/", "/deck", "/app"};
    std::set<std::string, std::less<>> readOnlyFiles;
    bool failWrites = false;
    bool writableFolders = true;
    std::size_t writes = 0;

    std::optional<std::string> readFile(const std::string& path) const override {
        auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        return it->second;
    }
    FileResult writeFile(const std::string& path, std::string_view bytes) override {
        if (failWrites) return FileResult::failure("No space left on device");
        ++writes;
        files[path] = std::string(bytes);
        return {};
    }
    FileResult writeFiles(const std::vector<FileWrite>& writes) override {
        if (failWrites) return FileResult::failure("No space left on device");
        for (const FileWrite& write : writes) writeFile(write.path, write.bytes);
        return {};
    }
    std::optional<std::uint64_t> fileSize(const std::string& path) const override {
        auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        return it->second.size();
    }
    FileResult copyFile(const std::string& from, const std::string& to) override {
        auto bytes = readFile(from);
        if (!bytes) return FileResult::failure("No such file or directory");
        return writeFile(to, *bytes);
    }
    bool removeFile(const std::string& path) override { return files.erase(path) > 0; }
    bool fileExists(const std::string& path) const override { return files.count(path) > 0; }
    bool directoryExists(const std::string& path) const override {
        return directories.count(path) > 0;
    }
    bool isReadOnlyFile(const std::string& path) const override {
        return readOnlyFiles.count(path) > 0;
    }
    bool canWriteInDirectory(const std::string&) override { return writableFolders; }
};

// A Program over the fakes above, with the deck's files at fixed paths.
struct Harness {
    static constexpr std::string_view kQAPath = "/deck/deck.DKS";
    static constexpr std::string_view kSetupPath = "/deck/deck.DKD";
    static constexpr std::string_view kAppSettingsPath = "/app/CARDWISE.INI";

    explicit Harness(std::int32_t today = 20261207) : clock(today) {
        program.currentDirectory = "/deck";
        program.programDirectory = "/app";
        program.appSettings = ProfileFile(files, std::string(kAppSettingsPath));
    }

    // Puts the deck's files in place and names the deck, as a load begins.
    void placeDeck(std::string_view qaBytes, std::optional<std::string_view> setupBytes) {
        files.files[std::string(kQAPath)] = std::string(qaBytes);
        if (setupBytes) files.files[std::string(kSetupPath)] = std::string(*setupBytes);
        program.deck.QAFileName = std::string(kQAPath);
        program.deck.deriveCompanionNames();
    }

    QuietUserInterface ui;
    SetClock clock;
    RepeatableRandom random;
    MemoryFileSystem files;
    AbsentServices absent;
    Program program{absent.platform(ui, clock, random, files)};
};

}  // namespace cardwise::fuzzing
