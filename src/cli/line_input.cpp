#include "cli/line_input.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <istream>

namespace cardwise::cli {

std::optional<std::string> StreamLineInput::readLine() {
    std::string line;
    if (!std::getline(in_, line)) return std::nullopt;
    return line;
}

bool DescriptorLineInput::lineReady() const {
    return ended_ || stopped_ || buffer_.find('\n') != std::string::npos;
}

bool DescriptorLineInput::fill(int timeoutMs) {
    pollfd requests[2] = {{fd_, POLLIN, 0}, {stopFd_, POLLIN, 0}};
    int ready = ::poll(requests, stopFd_ >= 0 ? 2 : 1, timeoutMs);
    if (ready < 0) return errno == EINTR;
    if (ready == 0) return true;
    // The signal's byte stays in the pipe: whoever installed the handlers may read it.
    if (stopFd_ >= 0 && requests[1].revents != 0) {
        stopped_ = true;
        return false;
    }
    char chunk[4096];
    ssize_t n = ::read(fd_, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) return true;
    if (n <= 0) {
        ended_ = true;
        return false;
    }
    buffer_.append(chunk, static_cast<std::size_t>(n));
    return true;
}

bool DescriptorLineInput::waitForLine(int timeoutMs) {
    if (!lineReady()) fill(timeoutMs);
    return lineReady();
}

std::optional<std::string> DescriptorLineInput::readLine() {
    while (!lineReady()) fill(-1);
    // A line typed just before the signal is not acted on: the session ends first.
    if (stopped_) return std::nullopt;
    std::size_t end = buffer_.find('\n');
    if (end == std::string::npos) {
        if (buffer_.empty()) return std::nullopt;
        std::string last = std::move(buffer_);
        buffer_.clear();
        return last;
    }
    std::string line = buffer_.substr(0, end);
    buffer_.erase(0, end + 1);
    return line;
}

}  // namespace cardwise::cli
