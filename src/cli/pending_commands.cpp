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

std::unique_ptr<Command> makeDrillCommand() {
    return std::make_unique<PendingCommand>("drill", "DECK", "Drills the deck.");
}

}  // namespace cardwise::cli
