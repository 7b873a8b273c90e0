#include <ostream>

#include "cli/command.h"
#include "cli/read_only_deck.h"
#include "core/content/pair_side.h"
#include "core/drill/pair_format.h"
#include "core/media/file_validation.h"

namespace cardwise::cli {
namespace {

// Reports every fault of a deck at once: the load's boxes, then per pair the markup faults
// of both sides and every picture and sound that would not be found or not be shown.
class CheckCommand : public Command {
  public:
    std::string_view name() const override { return "check"; }
    std::string_view arguments() const override { return "DECK"; }
    std::string_view summary() const override {
        return "Reports every markup, picture, sound and settings fault, one a line; "
               "writes nothing.";
    }

    int run(const std::vector<std::string>& args, CliEnvironment& env) override {
        if (args.size() != 1) throw UsageError{"check takes one DECK"};
        ReadOnlyDeck deck(env);
        OpenResult result = deck.open(deckPathFrom(env, args[0]));
        if (result == OpenResult::NotOpened) return kExitFailure;
        checkPairs(deck, env);
        return deck.ui().boxesShown() == 0 ? kExitOk : kExitFound;
    }

  private:
    static void checkPairs(ReadOnlyDeck& deck, CliEnvironment& env) {
        Program& program = deck.program();
        // Every reference is checked, also those the deck's settings keep from showing now.
        program.settings.EnableGraphics = 1;
        program.settings.EnableAudioVideo = 1;
        program.drill.JumpingToPair = false;
        const FileLookupPlaces places{program.currentDirectory, env.programDirectory,
                                      program.settings.GraphicsDIR, program.settings.SoundDIR};
        for (std::int32_t n = 1; n <= program.deck.PairCount; ++n) {
            deck.ui().setPrefix("Pair " + std::to_string(n) + ": ");
            program.deck.CurrentPair = n;
            PairView question;
            for (std::string_view side : {"Q", "A"}) {
                const PairView view = FormatPairSide(program, side, n, question).view;
                if (side == "Q") question = view;
                if (!view.PicturePath.empty()) {
                    validateReference(deck.ui(), program.files(), places, MediaKind::Picture,
                                      view.PicturePath);
                }
                if (!view.MediaPath.empty()) {
                    validateReference(deck.ui(), program.files(), places, MediaKind::AudioVideo,
                                      view.MediaPath);
                }
            }
        }
        deck.ui().setPrefix("");
    }
};

}  // namespace

std::unique_ptr<Command> makeCheckCommand() {
    return std::make_unique<CheckCommand>();
}

}  // namespace cardwise::cli
