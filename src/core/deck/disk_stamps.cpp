#include "core/deck/disk_stamps.h"

#include "core/deck/deck_session.h"

namespace cardwise {

bool changedOnDisk(const DeckSession& program, DeckFile file) {
    // The setup data file is written through its profile in many places; it keeps its own.
    if (file == DeckFile::Setup) return program.setupFile.changedOnDisk();
    return program.platform.files.stamp(program.deck.QAFileName) != program.stamps.qa;
}

void recordQAStamp(DeckSession& program) {
    program.stamps.qa = program.files().stamp(program.deck.QAFileName);
}

}  // namespace cardwise
