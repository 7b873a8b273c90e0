// A real cardwise-cli process killed or signalled in the middle of a drill keeps the grades
// it was given.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_harness.h"
#include "deck_folder.h"

namespace cardwise::cli {
namespace {

using testing::DeckFolder;

// cardwise-cli drill DECK in `folder`, its input and output through pipes.
class DrillProcess {
  public:
    DrillProcess(const std::string& folder, const std::string& deck) {
        int in[2];
        int out[2];
        if (::pipe(in) != 0 || ::pipe(out) != 0) {
            ADD_FAILURE() << "no pipes";
            return;
        }
        const std::string program =
            (std::filesystem::path(CARDWISE_CLI_DIR) / "cardwise-cli").string();
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(in[0], STDIN_FILENO);
            ::dup2(out[1], STDOUT_FILENO);
            ::dup2(out[1], STDERR_FILENO);
            for (int fd : {in[0], in[1], out[0], out[1]}) ::close(fd);
            // A test runner in the background may ignore SIGINT; the drill must not inherit it.
            for (int number : {SIGTERM, SIGHUP, SIGINT}) ::signal(number, SIG_DFL);
            // The program's own settings file goes to the test's folder, not the user's.
            ::setenv("HOME", folder.c_str(), 1);
            ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
            if (::chdir(folder.c_str()) != 0) ::_exit(126);
            ::execl(program.c_str(), program.c_str(), "drill", deck.c_str(),
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(in[0]);
        ::close(out[1]);
        toChild_ = in[1];
        fromChild_ = out[0];
    }
    ~DrillProcess() {
        if (pid_ > 0 && !reaped_) kill();
        if (toChild_ >= 0) ::close(toChild_);
        if (fromChild_ >= 0) ::close(fromChild_);
    }
    DrillProcess(const DrillProcess&) = delete;
    DrillProcess& operator=(const DrillProcess&) = delete;

    void type(const std::string& line) {
        const std::string text = line + "\n";
        ASSERT_EQ(::write(toChild_, text.data(), text.size()),
                  static_cast<ssize_t>(text.size()));
    }

    // Reads the output until it holds `text` past what was waited for before; false after
    // ten seconds or at the end of the output.
    bool waitFor(const std::string& text) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        for (;;) {
            const std::size_t at = output_.find(text, consumed_);
            if (at != std::string::npos) {
                consumed_ = at + text.size();
                return true;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return false;
            pollfd fd{fromChild_, POLLIN, 0};
            if (::poll(&fd, 1, static_cast<int>(left.count())) <= 0) return false;
            char buffer[4096];
            const ssize_t n = ::read(fromChild_, buffer, sizeof buffer);
            if (n <= 0) return false;
            output_.append(buffer, static_cast<std::size_t>(n));
        }
    }

    // SIGKILL: no handler, no close, no flush.
    int kill() {
        ::kill(pid_, SIGKILL);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        reaped_ = true;
        return status;
    }

    // Sends the signal and waits for the process to end: its wait status, or -1 when it
    // was still running after ten seconds (then it is killed).
    int signalAndWait(int number) {
        ::kill(pid_, number);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        int status = 0;
        while (::waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill();
                return -1;
            }
            // Keeps the pipe drained so that the process never blocks writing its output.
            pollfd fd{fromChild_, POLLIN, 0};
            if (::poll(&fd, 1, 20) == 1) {
                char buffer[4096];
                const ssize_t n = ::read(fromChild_, buffer, sizeof buffer);
                if (n > 0) output_.append(buffer, static_cast<std::size_t>(n));
            }
        }
        reaped_ = true;
        // What it wrote between the last read and its exit is still in the pipe.
        char buffer[4096];
        for (ssize_t n; (n = ::read(fromChild_, buffer, sizeof buffer)) > 0;)
            output_.append(buffer, static_cast<std::size_t>(n));
        return status;
    }

    const std::string& output() const { return output_; }

  private:
    pid_t pid_ = -1;
    bool reaped_ = false;
    int toChild_ = -1;
    int fromChild_ = -1;
    std::string output_;
    std::size_t consumed_ = 0;
};

TEST(KilledDrill, KeepsEveryGradeGivenBeforeTheKill) {
    DeckFolder deck;
    deck.copy("five.DKS");
    deck.write("five.DKD",
               "[CARDWISE]\r\nNoPriority=  1\r\nNumerical=  1\r\nUseNamedRange=  3\r\n"
               "LastDayUsed=20000101\r\n");
    DrillProcess drill(deck.path(), "five.DKS");
    ASSERT_TRUE(drill.waitFor("One plus one?")) << drill.output();
    ASSERT_TRUE(drill.waitFor("> ")) << drill.output();
    drill.type("");   // pair 1: display the answer
    drill.type("c");  // correct
    ASSERT_TRUE(drill.waitFor("Which colour is the sky")) << drill.output();
    drill.type("1");  // a wrong choice
    drill.type("");   // show the next question
    ASSERT_TRUE(drill.waitFor("Capital of France?")) << drill.output();
    drill.type("Paris");
    drill.type("");
    // The fourth question on show: three grades given, the process still running.
    ASSERT_TRUE(drill.waitFor("Which animal says woof?")) << drill.output();
    ASSERT_TRUE(drill.waitFor("> ")) << drill.output();

    const int status = drill.kill();
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGKILL);

    const std::string setup = deck.read("five.DKD");
    auto fieldsOf = [&](int pair) {
        const std::string prefix = "\r\nQ&A" + std::to_string(pair) + "=";
        const std::size_t at = setup.find(prefix);
        return at == std::string::npos ? std::string() : setup.substr(at + prefix.size(), 22);
    };
    // Right today, right in all, wrong today, wrong in all; the date is the day of the run.
    EXPECT_EQ(fieldsOf(1).substr(8), " 1    1 0 0004") << setup;
    EXPECT_EQ(fieldsOf(2).substr(8), " 0    0 1 1004") << setup;
    EXPECT_EQ(fieldsOf(3).substr(8), " 1    1 0 0004") << setup;
    EXPECT_EQ(fieldsOf(4).substr(8), " 0    0 0 0004") << setup;
    EXPECT_EQ(fieldsOf(5).substr(8), " 0    0 0 0000") << setup;
    // Nothing half written is left behind beside the deck.
    for (const auto& entry : std::filesystem::directory_iterator(deck.path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name.rfind("five.", 0) == 0 || name == "CARDWISE.INI" || entry.is_directory())
            << name;
    }
}

TEST(SignalledDrill, SavesTheGradesAndExitsCleanlyOnEachSignalThatEndsASession) {
    const struct {
        const char* name;
        int number;
    } rows[] = {{"SIGTERM", SIGTERM}, {"SIGHUP", SIGHUP}, {"SIGINT", SIGINT}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        DeckFolder deck;
        deck.copy("five.DKS");
        deck.write("five.DKD",
                   "[CARDWISE]\r\nNoPriority=  1\r\nNumerical=  1\r\nUseNamedRange=  3\r\n"
                   "LastDayUsed=20000101\r\n");
        DrillProcess drill(deck.path(), "five.DKS");
        ASSERT_TRUE(drill.waitFor("One plus one?")) << drill.output();
        drill.type("");   // display the answer
        drill.type("c");  // correct
        // Waiting for input on the second question.
        ASSERT_TRUE(drill.waitFor("Which colour is the sky")) << drill.output();
        ASSERT_TRUE(drill.waitFor("> ")) << drill.output();

        const int status = drill.signalAndWait(row.number);
        ASSERT_NE(status, -1) << "still running; output: " << drill.output();
        ASSERT_TRUE(WIFEXITED(status)) << drill.output();
        EXPECT_EQ(WEXITSTATUS(status), 0) << drill.output();
        // The prompt's line is ended: the shell's prompt starts on a line of its own.
        EXPECT_EQ(drill.output().substr(drill.output().size() - 3), "> \n") << drill.output();

        const std::string setup = deck.read("five.DKD");
        // The close wrote the whole file: today's date in place of the old one.
        EXPECT_EQ(setup.find("LastDayUsed=20000101"), std::string::npos) << setup;
        const std::size_t at = setup.find("\r\nQ&A1=");
        ASSERT_NE(at, std::string::npos) << setup;
        EXPECT_EQ(setup.substr(at + 7 + 8, 14), " 1    1 0 0004") << setup;
    }
}

}  // namespace
}  // namespace cardwise::cli
