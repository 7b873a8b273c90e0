#include <unistd.h>

#include <memory>
#include <ostream>

#include "cli/command.h"
#include "cli/line_input.h"
#include "cli/read_only_deck.h"
#include "cli/terminal_drill.h"
#include "cli/terminal_ui.h"
#include "core/drill/core_drill_engine.h"
#include "core/platform/settings_folder.h"
#include "core/platform/termination_signals.h"
#include "core/program.h"
#include "core/shell/app_settings.h"
#include "core/shell/deck_loader.h"

namespace cardwise::cli {
namespace {

// The program's start: the application settings file beside a portable copy of the
// program, else in the user's folder.
bool readApplicationSettings(Program& program) {
    if (program.programDirectory.empty()) return true;
    std::optional<std::string> userFolder;
    if (!settingsBesideProgram(program)) userFolder = userSettingsFolder();
    if (!locateAppSettings(program, userFolder)) return false;
    readAppSettings(program);
    return true;
}

// Opens the deck as the program does (settings and learning state saved, backups made)
// and drills it on the terminal.
class DrillCommand : public Command {
  public:
    std::string_view name() const override { return "drill"; }
    std::string_view arguments() const override { return "DECK"; }
    std::string_view summary() const override {
        return "Drills the deck, saving the learning state after every grade; :q, the end "
               "of input, SIGTERM, SIGHUP or SIGINT closes it.";
    }

    int run(const std::vector<std::string>& args, CliEnvironment& env) override {
        if (args.size() != 1) throw UsageError{"drill takes one DECK"};
        std::unique_ptr<LineInput> input;
        // Installed before the deck opens and kept until it is closed: a signal in between
        // ends the session at the next wait for input, saving.
        std::unique_ptr<TerminationSignals> signals;
        if (env.inputFd >= 0) {
            signals = std::make_unique<TerminationSignals>();
            input = std::make_unique<DescriptorLineInput>(env.inputFd, signals->fd());
        } else if (env.inputIsTerminal) {
            input = std::make_unique<DescriptorLineInput>(STDIN_FILENO);
        } else {
            input = std::make_unique<StreamLineInput>(env.in);
        }
        TerminalUserInterface ui(*input, env.out, TerminalUserInterface::Mode::Ask);
        ui.setEcho(!env.inputIsTerminal);
        Program program(env.platform(ui, env.files));
        program.programDirectory = env.programDirectory;
        program.currentDirectory = env.currentDirectory;
        if (!readApplicationSettings(program)) return kExitFailure;

        // No timer runs between typed lines: every grade goes to disk at once.
        program.document.intervalMs = 0;
        CoreDrillEngine engine;
        TerminalDrill drill(program, engine, ui, *input, env.out, env.inputIsTerminal);
        program.attachFrontEnd(drill);

        program.deck.QAFileName = deckPathFrom(env, args[0]);
        InitDKSFile(program);
        if (!program.shell.deckOpen) return kExitFailure;
        return drill.run();
    }
};

}  // namespace

std::unique_ptr<Command> makeDrillCommand() {
    return std::make_unique<DrillCommand>();
}

}  // namespace cardwise::cli
