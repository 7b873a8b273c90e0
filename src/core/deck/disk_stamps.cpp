#include "core/deck/disk_stamps.h"

#include "core/program.h"

namespace cardwise {

bool changedOnDisk(const Program& program, DeckFile file) {
    const DeckState& deck = program.deck;
    const bool qa = file == DeckFile::QA;
    const std::optional<FileStamp>& recorded = qa ? program.stamps.qa : program.stamps.setup;
    return program.platform.files.stamp(qa ? deck.QAFileName : deck.SetupFileName) != recorded;
}

void recordStamps(Program& program) {
    program.stamps.qa = program.files().stamp(program.deck.QAFileName);
    program.stamps.setup = program.files().stamp(program.deck.SetupFileName);
}

}  // namespace cardwise
