#include "core/deck/deck_close.h"

#include "core/deck/qa_file.h"
#include "core/deck/setup_file.h"
#include "core/deck/status_lines.h"
#include "core/deck/write_failure.h"
#include "core/program.h"

namespace cardwise {
namespace {

bool saveDeck(Program& program) {
    DeckState& deck = program.deck;
    if (deck.ReadOnlyDeck) return true;
    // Checked before anything is written: the two files go together or not at all.
    if (deck.EditorUsed) {
        if (std::int32_t tooLong = firstPairTooLongToLoad(deck)) {
            program.ui().message(kRewriteTooLongCaption, rewriteTooLongText(tooLong), Icon::Error);
            return false;
        }
    }
    // The file is written whole, once: settings block, LastDayUsed, status lines.
    program.setupFile.edit().clear();
    WriteSetUp(program, false);  // a failure of the application settings file is reported there
    WriteStatusLines(program);
    // The status lines belong to the pairs as the Q&A file numbers them: both files are
    // replaced together or neither is.
    std::vector<std::string> paths{deck.SetupFileName};
    std::vector<FileWrite> alongside;
    std::string qaBytes;
    if (deck.EditorUsed) {
        qaBytes = writeQAFile(deck);
        paths.push_back(deck.QAFileName);
        alongside.push_back(FileWrite{deck.QAFileName, qaBytes});
    }
    return reportIfFailed(program.ui(), paths, program.setupFile.flushWith(std::move(alongside)));
}

}  // namespace

std::string rewriteTooLongText(std::int32_t pair) {
    return "Pair " + std::to_string(pair) +
           " Would Reach The Limit Of 2100 Characters Once The .DKS File Is Renumbered, And "
           "Cardwise Could Not Open The File Again.  Nothing Was Written: The Files On Disk "
           "Were Left As They Were.  Please Shorten Pair " +
           std::to_string(pair) + " In The Editor.";
}

bool FileExitQAClick(Program& program) {
    FrontEnd& windows = program.frontEnd();
    if (program.deck.EditorUsed || program.editor.shown) windows.closeEditor();
    program.drill.DrillActive = false;
    windows.closeDrillWindows();
    if (!program.shell.deckOpen) return true;
    if (!saveDeck(program)) return false;
    program.saving.forgetDeck();
    FreeDeck(program);
    program.setDeckOpen(false);
    return true;
}

bool closeOpenDeck(Program& program) {
    return !program.shell.deckOpen || FileExitQAClick(program);
}

void FreeDeck(Program& program) {
    program.deck.release();
}

}  // namespace cardwise
