#include <ostream>

#include "cli/command.h"
#include "cli/read_only_deck.h"
#include "cli/terminal_text.h"
#include "core/study/statistics.h"

namespace cardwise::cli {
namespace {

class StatsCommand : public Command {
  public:
    std::string_view name() const override { return "stats"; }
    std::string_view arguments() const override { return "DECK"; }
    std::string_view summary() const override {
        return "Prints the deck's statistics, one figure a line; writes nothing.";
    }

    int run(const std::vector<std::string>& args, CliEnvironment& env) override {
        if (args.size() != 1) throw UsageError{"stats takes one DECK"};
        ReadOnlyDeck deck(env);
        if (deck.open(deckPathFrom(env, args[0])) != OpenResult::Opened) return kExitFailure;
        const DeckState& state = deck.program().deck;
        CategoryList categories;
        DeckStatistics stats = computeStatistics(state, categories);
        env.out << toTerminal(statisticsTitle(state)) << "\n";
        for (const StatisticsFigure& figure : statisticsFigures(stats)) {
            env.out << figure.label << ": " << figure.value << "\n";
        }
        return kExitOk;
    }
};

}  // namespace

std::unique_ptr<Command> makeStatsCommand() {
    return std::make_unique<StatsCommand>();
}

}  // namespace cardwise::cli
