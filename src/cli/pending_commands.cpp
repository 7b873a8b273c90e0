#include <ostream>

#include "cli/command.h"

namespace cardwise::cli {
namespace {

class PendingCommand : public Command {
public:
    PendingCommand(std::string_view name, std::string_view arguments, std::string_view summary)
        : name_(name), arguments_(arguments), summary_(summary) {}
    std::string_view name() const override { return name_; }
    std::string_view arguments() const override { return arguments_; }
    std::string_view summary() const override { return summary_; }
    int run(const std::vector<std::string>&, CliEnvironment& env) override {
        env.err << "cardwise-cli: " << name_ << " is not available in this build\n";
        return kExitFailure;
    }

private:
    std::string_view name_, arguments_, summary_;
};

}  // namespace

std::unique_ptr<Command> makeCheckCommand() {
    return std::make_unique<PendingCommand>("check", "DECK", "Reports every fault of a deck.");
}
std::unique_ptr<Command> makeStatsCommand() {
    return std::make_unique<PendingCommand>("stats", "DECK", "Prints the deck's statistics.");
}
std::unique_ptr<Command> makeCopyCommand() {
    return std::make_unique<PendingCommand>("copy", "DECK PAIR [question|answer|both]",
                                            "Prints a pair as the copy commands put it.");
}
std::unique_ptr<Command> makeDrillCommand() {
    return std::make_unique<PendingCommand>("drill", "DECK", "Drills the deck.");
}

}  // namespace cardwise::cli
