#include <ostream>

#include "cli/command.h"
#include "cli/line_input.h"
#include "cli/read_only_deck.h"
#include "cli/terminal_ui.h"
#include "core/exchange/pair_export.h"
#include "core/exchange/pair_import.h"

namespace cardwise::cli {
namespace {

std::string pairsWord(std::int32_t n) {
    return std::to_string(n) + (n == 1 ? " pair" : " pairs");
}

class ImportCommand : public Command {
  public:
    std::string_view name() const override { return "import"; }
    std::string_view arguments() const override { return "FILE DECK"; }
    std::string_view summary() const override {
        return "Adds the pairs of a UTF-8 tab- or comma-separated FILE (question, answer,\n"
               "    category) to DECK, or creates DECK with them; all or nothing.";
    }

    int run(const std::vector<std::string>& args, CliEnvironment& env) override {
        if (args.size() != 2) throw UsageError{"import takes FILE and DECK"};
        StreamLineInput input(env.in);
        TerminalUserInterface ui(input, env.out, TerminalUserInterface::Mode::NeverAsk);
        Program program(env.platform(ui, env.files));
        program.currentDirectory = env.currentDirectory;
        const std::string source = deckPathFrom(env, args[0]);
        ImportResult result = importPairs(program, source, deckPathFrom(env, args[1]));
        if (!result.ok()) {
            env.err << "cardwise-cli: " << importProblemText(source, *result.problem) << "\n";
            return kExitFound;
        }
        if (result.newDeck) {
            env.out << "Created " << result.deckPath << " with " << pairsWord(result.pairsAdded)
                    << ".\n";
        } else {
            env.out << "Added " << pairsWord(result.pairsAdded) << " to " << result.deckPath
                    << ".\n";
        }
        return kExitOk;
    }
};

class ExportCommand : public Command {
  public:
    std::string_view name() const override { return "export"; }
    std::string_view arguments() const override { return "DECK FILE"; }
    std::string_view summary() const override {
        return "Writes the deck's pairs to FILE as UTF-8 tab-separated text with a header\n"
               "    line, the texts as typed in the editor, or the sides in markup when the\n"
               "    deck has hints, choices, pictures or sounds; import reads it back.";
    }

    int run(const std::vector<std::string>& args, CliEnvironment& env) override {
        if (args.size() != 2) throw UsageError{"export takes DECK and FILE"};
        const std::string target = deckPathFrom(env, args[1]);
        if (std::optional<std::string> problem = exportTargetProblem(target)) {
            throw UsageError{*problem};
        }
        ReadOnlyDeck deck(env);
        // A deck whose settings the program would refuse still has its pairs.
        if (deck.open(deckPathFrom(env, args[0])) == OpenResult::NotOpened) return kExitFailure;
        ExportText text = exportText(deck.program().deck);
        FileResult written = env.files.writeFile(target, text.text);
        if (!written.ok) {
            env.err << "cardwise-cli: could not write " << target << " (" << written.error
                    << "); nothing was changed\n";
            return kExitFound;
        }
        env.out << "Exported " << pairsWord(text.pairs) << " to " << target << ".\n";
        if (text.markup) {
            env.out << "The file holds the sides in markup, hints, comments, choices, pictures "
                       "and sounds included.\n";
        }
        return kExitOk;
    }
};

}  // namespace

std::unique_ptr<Command> makeImportCommand() {
    return std::make_unique<ImportCommand>();
}

std::unique_ptr<Command> makeExportCommand() {
    return std::make_unique<ExportCommand>();
}

}  // namespace cardwise::cli
