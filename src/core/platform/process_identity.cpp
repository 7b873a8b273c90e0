#include "core/platform/process_identity.h"

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

namespace cardwise {

std::string SystemProcessIdentity::hostName() const {
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return "localhost";
    return name;
}

std::int64_t SystemProcessIdentity::processId() const {
    return static_cast<std::int64_t>(::getpid());
}

std::string SystemProcessIdentity::userName() const {
    const uid_t uid = ::geteuid();
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_name != nullptr) {
        return found->pw_name;
    }
    return std::to_string(uid);
}

bool SystemProcessIdentity::isAlive(std::int64_t processId) const {
    // Zero and negative ids name process groups, not a process.
    if (processId <= 0 || processId > INT_MAX) return false;
    return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno != ESRCH;
}

}  // namespace cardwise
