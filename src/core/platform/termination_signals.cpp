#include "core/platform/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>

namespace cardwise {
namespace {

constexpr std::array kSignals{SIGTERM, SIGHUP, SIGINT};

// A signal handler reaches nothing but globals: the pipe's write end, set while an
// instance is installed, -1 otherwise.
volatile std::sig_atomic_t gWriteEnd = -1;
std::array<struct sigaction, kSignals.size()> gPrevious{};

extern "C" void writeSignalByte(int number) {
    const int saved = errno;
    const int fd = gWriteEnd;
    if (fd >= 0) {
        const auto byte = static_cast<unsigned char>(number);
        // A full pipe already holds a signal to handle; one more byte adds nothing.
        ssize_t ignored = ::write(fd, &byte, 1);
        (void)ignored;
    }
    errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals() {
    if (gWriteEnd >= 0) return;
    int ends[2];
    // Close-on-exec: a text editor started later must not hold the pipe open.
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
    gWriteEnd = writeEnd_;
    struct sigaction action {};
    action.sa_handler = writeSignalByte;
    sigemptyset(&action.sa_mask);
    // Reads and writes elsewhere go on; the loop learns of the signal from the pipe.
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        ::sigaction(kSignals[i], nullptr, &gPrevious[i]);
        if (gPrevious[i].sa_handler == SIG_IGN) continue;
        ::sigaction(kSignals[i], &action, nullptr);
    }
    installed_ = true;
}

TerminationSignals::~TerminationSignals() {
    if (!installed_) return;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        ::sigaction(kSignals[i], &gPrevious[i], nullptr);
    }
    gWriteEnd = -1;
    ::close(readEnd_);
    ::close(writeEnd_);
}

int TerminationSignals::take() {
    if (!installed_) return 0;
    unsigned char byte = 0;
    ssize_t got;
    do {
        got = ::read(readEnd_, &byte, 1);
    } while (got < 0 && errno == EINTR);
    return got == 1 ? byte : 0;
}

}  // namespace cardwise
