// The signals that end a session reach the program's loop as bytes on a pipe.
#include "core/platform/termination_signals.h"

#include <fcntl.h>
#include <poll.h>

#include <gtest/gtest.h>

#include <csignal>

namespace cardwise {
namespace {

// A handler of the test's own, in place before and expected back after.
volatile std::sig_atomic_t gOwnHandlerRan = 0;
extern "C" void ownHandler(int) {
    gOwnHandlerRan = 1;
}

// Puts the test's own handler on a signal and the old one back at the end.
class OwnHandler {
  public:
    explicit OwnHandler(int number) : number_(number) {
        struct sigaction action {};
        action.sa_handler = ownHandler;
        sigemptyset(&action.sa_mask);
        ::sigaction(number_, &action, &previous_);
        gOwnHandlerRan = 0;
    }
    ~OwnHandler() { ::sigaction(number_, &previous_, nullptr); }
    OwnHandler(const OwnHandler&) = delete;
    OwnHandler& operator=(const OwnHandler&) = delete;

  private:
    int number_;
    struct sigaction previous_ {};
};

bool readable(int fd) {
    pollfd request{fd, POLLIN, 0};
    return ::poll(&request, 1, 0) == 1;
}

TEST(TerminationSignals, EachSignalBecomesItsNumberOnThePipeAndTheOldHandlerComesBack) {
    const struct {
        const char* name;
        int number;
    } rows[] = {{"SIGTERM", SIGTERM}, {"SIGHUP", SIGHUP}, {"SIGINT", SIGINT}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        OwnHandler own(row.number);
        {
            TerminationSignals signals;
            ASSERT_TRUE(signals.installed());
            EXPECT_FALSE(readable(signals.fd()));
            EXPECT_EQ(signals.take(), 0);
            ASSERT_EQ(std::raise(row.number), 0);
            EXPECT_TRUE(readable(signals.fd()));
            EXPECT_EQ(signals.take(), row.number);
            EXPECT_EQ(signals.take(), 0);
            EXPECT_EQ(gOwnHandlerRan, 0);
        }
        ASSERT_EQ(std::raise(row.number), 0);
        EXPECT_EQ(gOwnHandlerRan, 1);
    }
}

TEST(TerminationSignals, ASignalIgnoredAtTheStartStaysIgnored) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    struct sigaction previous {};
    ::sigaction(SIGHUP, &ignore, &previous);
    {
        TerminationSignals signals;
        ASSERT_TRUE(signals.installed());
        ASSERT_EQ(std::raise(SIGHUP), 0);
        EXPECT_EQ(signals.take(), 0);
    }
    struct sigaction after {};
    ::sigaction(SIGHUP, &previous, &after);
    EXPECT_EQ(after.sa_handler, SIG_IGN);
}

TEST(TerminationSignals, OnlyOneInstanceHoldsTheSignalsAndTheTextEditorInheritsNoPipe) {
    OwnHandler own(SIGTERM);
    TerminationSignals first;
    ASSERT_TRUE(first.installed());
    {
        TerminationSignals second;
        EXPECT_FALSE(second.installed());
        EXPECT_EQ(second.fd(), -1);
    }
    // The second one going left the first one's handlers in place.
    ASSERT_EQ(std::raise(SIGTERM), 0);
    EXPECT_EQ(first.take(), SIGTERM);
    EXPECT_NE(::fcntl(first.fd(), F_GETFD) & FD_CLOEXEC, 0);
}

}  // namespace
}  // namespace cardwise
