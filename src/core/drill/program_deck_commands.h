#pragma once

#include "core/drill/drill_engine.h"

namespace cardwise {

struct Program;

// The main window's deck commands as the drill windows use them. Bringing the editor back
// after its single-pair run is the editor's to add.
class ProgramDeckCommands : public DeckCommands {
  public:
    explicit ProgramDeckCommands(Program& program) : program_(program) {}
    void closeDeck() override;
    void editQAFile() override;

  private:
    Program& program_;
};

}  // namespace cardwise
