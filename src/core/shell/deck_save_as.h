#pragma once

namespace cardwise {

struct Program;

// "Save As...": saves and closes the open deck, copies both its files to the chosen name
// and opens the copy. Saving to the deck's own name saves and reopens it.
void FileSaveAsClick(Program& program);

}  // namespace cardwise
