#pragma once

#include <string>

#include "cli/cli_environment.h"
#include "cli/line_input.h"
#include "cli/memory_writes_file_system.h"
#include "cli/terminal_ui.h"
#include "core/program.h"

namespace cardwise::cli {

// A deck argument as every command-line tool takes it: relative to the current directory.
std::string deckPathFrom(const CliEnvironment& env, const std::string& argument);

enum class OpenResult {
    Opened,           // loaded, settings valid
    SettingsInvalid,  // loaded, but the program would refuse its settings
    NotOpened,        // missing, wrong extension, no questions, a pair too long, unreadable
};

// A deck opened as the program opens it, with every box printed and nothing written:
// the file system keeps writes in memory, no question is asked, no editor is started and
// no drill begins.
class ReadOnlyDeck {
  public:
    explicit ReadOnlyDeck(CliEnvironment& env);

    OpenResult open(const std::string& path);

    Program& program() { return program_; }
    TerminalUserInterface& ui() { return ui_; }

  private:
    StreamLineInput input_;
    TerminalUserInterface ui_;
    MemoryWritesFileSystem files_;
    Program program_;
};

}  // namespace cardwise::cli
