#include <charconv>
#include <ostream>

#include "cli/command.h"
#include "cli/read_only_deck.h"
#include "cli/terminal_text.h"
#include "core/shell/clipboard_text.h"

namespace cardwise::cli {
namespace {

enum class Part { Question, Answer, Both };

Part partFrom(const std::string& word) {
    if (word == "question") return Part::Question;
    if (word == "answer") return Part::Answer;
    if (word == "both") return Part::Both;
    throw UsageError{"copy takes question, answer or both, not '" + word + "'"};
}

std::int32_t pairNumberFrom(const std::string& word) {
    std::int32_t n = 0;
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), n);
    if (error != std::errc() || end != word.data() + word.size()) {
        throw UsageError{"PAIR must be a pair number, not '" + word + "'"};
    }
    return n;
}

// Prints a pair as the copy commands put it on the clipboard.
class CopyCommand : public Command {
  public:
    std::string_view name() const override { return "copy"; }
    std::string_view arguments() const override { return "DECK PAIR [question|answer|both]"; }
    std::string_view summary() const override {
        return "Prints pair PAIR's question, answer or both (the default) as copied.";
    }

    int run(const std::vector<std::string>& args, CliEnvironment& env) override {
        if (args.size() < 2 || args.size() > 3) throw UsageError{"copy takes DECK and PAIR"};
        std::int32_t pair = pairNumberFrom(args[1]);
        Part part = args.size() == 3 ? partFrom(args[2]) : Part::Both;

        ReadOnlyDeck deck(env);
        if (deck.open(deckPathFrom(env, args[0])) != OpenResult::Opened) return kExitFailure;
        Program& program = deck.program();
        if (!program.deck.validPair(pair)) {
            env.err << "cardwise-cli: the deck has no pair " << pair << " (it has pairs 1 to "
                    << program.deck.PairCount << ")\n";
            return kExitFailure;
        }
        program.deck.CurrentPair = pair;
        program.drill.JumpingToPair = false;
        std::string text;
        switch (part) {
            case Part::Question:
                text = questionCopyText(program);
                break;
            case Part::Answer:
                text = answerCopyText(program);
                break;
            case Part::Both:
                text = bothCopyText(program);
                break;
        }
        env.out << toTerminal(text) << "\n";
        return kExitOk;
    }
};

}  // namespace

std::unique_ptr<Command> makeCopyCommand() {
    return std::make_unique<CopyCommand>();
}

}  // namespace cardwise::cli
