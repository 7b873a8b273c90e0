#include "core/platform/external_editor.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace cardwise {
namespace {

struct DesktopEditor {
    std::string_view program;
    std::string_view stayOption;  // keeps the command running until the file is closed
    std::string_view shortOption;
};

// Each on its own would hand the file to a running copy and end at once.
constexpr DesktopEditor kDesktopEditors[] = {
    {"gnome-text-editor", "--standalone", "-s"},
    {"gedit", "--wait", "-w"},
    {"kate", "--block", "-b"},
    {"code", "--wait", "-w"},
    {"xed", "--wait", "-w"},
    {"mousepad", "--disable-server", ""},
};

constexpr std::string_view kTerminalEditors[] = {"nano", "vim", "vi"};

// Terminal windows that stay until the command in them ends, with the words that start it.
const std::vector<std::vector<std::string>>& terminalWindows() {
    static const std::vector<std::vector<std::string>> windows = {
        {"xterm", "-e"},
        {"gnome-terminal", "--wait", "--"},
        {"konsole", "--nofork", "-e"},
        {"xfce4-terminal", "--disable-server", "-x"},
    };
    return windows;
}

const DesktopEditor* desktopEditorNamed(std::string_view command) {
    std::string_view name = command.substr(command.find_last_of('/') + 1);
    for (const DesktopEditor& editor : kDesktopEditors) {
        if (editor.program == name) return &editor;
    }
    return nullptr;
}

// The desktop editor's command with its stay option, added when the words lack it.
std::vector<std::string> staying(std::vector<std::string> words, const DesktopEditor& editor) {
    for (std::size_t i = 1; i < words.size(); ++i) {
        if (words[i] == editor.stayOption ||
            (!editor.shortOption.empty() && words[i] == editor.shortOption)) {
            return words;
        }
    }
    words.insert(words.begin() + 1, std::string(editor.stayOption));
    return words;
}

bool found(const EditorSurroundings& around, std::string_view program) {
    return around.onPath && around.onPath(program);
}

std::vector<std::string> userSetting(const EditorSurroundings& around) {
    for (const auto& setting : {around.visual, around.editor}) {
        if (!setting) continue;
        auto words = splitCommandWords(*setting);
        if (!words.empty()) return words;
    }
    return {};
}

std::vector<std::string> desktopEditorOnPath(const EditorSurroundings& around) {
    for (const DesktopEditor& editor : kDesktopEditors) {
        if (found(around, editor.program)) {
            return {std::string(editor.program), std::string(editor.stayOption)};
        }
    }
    return {};
}

std::vector<std::string> terminalEditorOnPath(const EditorSurroundings& around) {
    for (std::string_view editor : kTerminalEditors) {
        if (found(around, editor)) return {std::string(editor)};
    }
    return {};
}

std::vector<std::string> inTerminalWindow(const EditorSurroundings& around,
                                          const std::vector<std::string>& editor) {
    if (editor.empty()) return {};
    for (const auto& window : terminalWindows()) {
        if (!found(around, window.front())) continue;
        std::vector<std::string> command = window;
        command.insert(command.end(), editor.begin(), editor.end());
        return command;
    }
    return {};
}

}  // namespace

bool isExecutableOnPath(std::string_view program, std::string_view searchPath) {
    if (program.empty()) return false;
    if (program.find('/') != std::string_view::npos) {
        return ::access(std::string(program).c_str(), X_OK) == 0;
    }
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        std::size_t colon = searchPath.find(':', start);
        if (colon == std::string_view::npos) colon = searchPath.size();
        std::string dir(searchPath.substr(start, colon - start));
        if (dir.empty()) dir = ".";
        std::string candidate = dir + "/" + std::string(program);
        if (::access(candidate.c_str(), X_OK) == 0) return true;
        start = colon + 1;
    }
    return false;
}

namespace {

std::optional<std::string_view> environment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) return std::nullopt;
    return std::string_view(value);
}

}  // namespace

std::vector<std::string> splitCommandWords(std::string_view setting) {
    std::vector<std::string> words;
    std::string word;
    for (char c : setting) {
        if (c == ' ' || c == '\t') {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

std::vector<std::string> chooseEditorCommand(const EditorSurroundings& around) {
    std::vector<std::string> chosen = userSetting(around);
    if (around.terminal) {
        if (!chosen.empty()) return chosen;
        if (around.display) chosen = desktopEditorOnPath(around);
        return chosen.empty() ? terminalEditorOnPath(around) : chosen;
    }
    if (!around.display) return {};
    if (!chosen.empty()) {
        if (const DesktopEditor* desktop = desktopEditorNamed(chosen.front())) {
            return staying(std::move(chosen), *desktop);
        }
        if (auto windowed = inTerminalWindow(around, chosen); !windowed.empty()) return windowed;
    }
    if (auto desktop = desktopEditorOnPath(around); !desktop.empty()) return desktop;
    return inTerminalWindow(around, terminalEditorOnPath(around));
}

FileResult noEditorFound() {
    return FileResult::failure(
        "no text editor was found that can be waited on: with no terminal to run in, "
        "Cardwise needs a desktop editor (gnome-text-editor, gedit, kate, code, xed, "
        "mousepad) or a terminal window (xterm, gnome-terminal, konsole, xfce4-terminal) "
        "on the PATH");
}

std::vector<std::string> editorArguments(std::vector<std::string> command,
                                         const std::string& path) {
    command.push_back(!path.empty() && path.front() == '-' ? "./" + path : path);
    return command;
}

FileResult runAndWait(const std::vector<std::string>& argv) {
    if (argv.empty()) return noEditorFound();
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    // The child reports a failed exec through this pipe; a successful exec closes it.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return FileResult::failure(std::strerror(errno));
    pid_t child = ::fork();
    if (child < 0) {
        int error = errno;
        ::close(report[0]);
        ::close(report[1]);
        return FileResult::failure(std::strerror(error));
    }
    if (child == 0) {
        ::close(report[0]);
        ::execvp(args[0], args.data());
        int error = errno;
        ssize_t ignored = ::write(report[1], &error, sizeof error);
        (void)ignored;
        ::_exit(127);
    }
    ::close(report[1]);
    int execError = 0;
    ssize_t got;
    do {
        got = ::read(report[0], &execError, sizeof execError);
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);

    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) break;
    }
    if (got == static_cast<ssize_t>(sizeof execError)) {
        return FileResult::failure(argv.front() + ": " + std::strerror(execError));
    }
    return {};
}

EditorSurroundings EditorSurroundings::ofThisProcess() {
    EditorSurroundings around;
    if (auto visual = environment("VISUAL")) around.visual = std::string(*visual);
    if (auto editor = environment("EDITOR")) around.editor = std::string(*editor);
    around.terminal = ::isatty(STDIN_FILENO) == 1;
    around.display = !environment("DISPLAY").value_or("").empty() ||
                     !environment("WAYLAND_DISPLAY").value_or("").empty();
    std::string path(environment("PATH").value_or("/usr/local/bin:/usr/bin:/bin"));
    around.onPath = [path](std::string_view program) { return isExecutableOnPath(program, path); };
    return around;
}

StandardExternalEditor::StandardExternalEditor()
    : command_(chooseEditorCommand(EditorSurroundings::ofThisProcess())) {}

StandardExternalEditor::StandardExternalEditor(std::vector<std::string> command)
    : command_(std::move(command)) {}

FileResult StandardExternalEditor::editAndWait(const std::string& path) {
    if (command_.empty()) return noEditorFound();
    return runAndWait(editorArguments(command_, path));
}

}  // namespace cardwise
