#include "core/platform/external_editor.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace cardwise {
namespace {

// Desktop editors that stay in the foreground until their window is closed.
const std::vector<std::vector<std::string>>& desktopEditors() {
    static const std::vector<std::vector<std::string>> editors = {
        {"gnome-text-editor", "--standalone"}, {"gedit", "--wait"}, {"kate", "--block"},
        {"mousepad", "--disable-server"},      {"xed", "--wait"},
    };
    return editors;
}

bool isExecutableOnPath(std::string_view program, std::string_view searchPath) {
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

std::vector<std::string> chooseEditorCommand(std::optional<std::string_view> visual,
                                             std::optional<std::string_view> editor,
                                             std::string_view searchPath) {
    for (const auto& setting : {visual, editor}) {
        if (!setting) continue;
        auto words = splitCommandWords(*setting);
        if (!words.empty()) return words;
    }
    for (const auto& candidate : desktopEditors()) {
        if (isExecutableOnPath(candidate.front(), searchPath)) return candidate;
    }
    return {};
}

FileResult runAndWait(const std::vector<std::string>& argv) {
    if (argv.empty()) {
        return FileResult::failure("No text editor was found; set VISUAL or EDITOR");
    }
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

StandardExternalEditor::StandardExternalEditor()
    : command_(chooseEditorCommand(environment("VISUAL"), environment("EDITOR"),
                                   environment("PATH").value_or("/usr/local/bin:/usr/bin:/bin"))) {}

StandardExternalEditor::StandardExternalEditor(std::vector<std::string> command)
    : command_(std::move(command)) {}

FileResult StandardExternalEditor::editAndWait(const std::string& path) {
    if (command_.empty()) return runAndWait({});
    std::vector<std::string> argv = command_;
    // A path that looks like an option must not be taken for one.
    argv.push_back(!path.empty() && path.front() == '-' ? "./" + path : path);
    return runAndWait(argv);
}

}  // namespace cardwise
