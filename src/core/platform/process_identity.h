#pragma once

#include <cstdint>
#include <string>

namespace cardwise {

// Who this process is and whether another one still runs: what a lock file records and
// how a lock left by a process that has ended is told apart from one in use.
class ProcessIdentity {
  public:
    virtual ~ProcessIdentity() = default;

    virtual std::string hostName() const = 0;
    virtual std::int64_t processId() const = 0;
    virtual std::string userName() const = 0;
    // False only when no process of that id runs on this host.
    virtual bool isAlive(std::int64_t processId) const = 0;
};

// The running process on this machine.
class SystemProcessIdentity final : public ProcessIdentity {
  public:
    std::string hostName() const override;
    std::int64_t processId() const override;
    std::string userName() const override;
    bool isAlive(std::int64_t processId) const override;
};

}  // namespace cardwise
