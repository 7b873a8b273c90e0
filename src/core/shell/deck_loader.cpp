#include "core/shell/deck_loader.h"

#include <algorithm>
#include <vector>

#include "core/deck/deck_lock.h"
#include "core/deck/disk_stamps.h"
#include "core/deck/load_steps.h"
#include "core/deck/notepad_edit.h"
#include "core/deck/qa_file.h"
#include "core/deck/setup_file.h"
#include "core/deck/setup_keys.h"
#include "core/deck/status_lines.h"
#include "core/deck/write_failure.h"
#include "core/profile/profile.h"
#include "core/program.h"
#include "core/shell/recent_decks.h"

namespace cardwise {
namespace {

// A deck without a setup data file whose Q&A file still holds the settings lines of the
// older single-file layout: those lines start the new file, behind the keys that layout
// did not have.
void moveOlderSettingsLines(Program& program, std::string_view qaBytes) {
    std::vector<std::string> older = olderSettingsLines(qaBytes);
    if (older.empty()) return;
    DeckSettings& s = program.settings;
    Profile& setup = program.setupFile.edit();
    setup.appendLine(kQAFileHeader);
    for (const SetupKey& key : kSetupKeys) {
        if (!key.olderLayoutLacks) continue;
        const bool text = key.kind == SetupKeyKind::Text || key.kind == SetupKeyKind::FontStyle;
        setup.appendLine(
            std::string(key.name) + "=" +
            (text ? std::string(key.olderLayoutText) : rightAligned(s.*key.number, key.width)));
    }
    s.LowRange = 1;
    s.HighRange = 3;
    s.RangeName.clear();
    s.UseNamedRange = 3;
    for (const std::string& line : older) setup.appendLine(line);
}

void reportUnreadable(Program& program, const std::string& path) {
    program.ui().message("File Read Error",
                         "Cardwise Could Not Read " + path + ".  The File Was Not Opened.",
                         Icon::Error);
}

// Checked before reading: a file too large to be a deck is never read into memory.
bool withinSizeLimit(Program& program, const std::string& path, std::uint64_t limit) {
    std::optional<std::uint64_t> size = program.files().fileSize(path);
    if (!size || *size <= limit) return true;  // one that cannot be examined fails its read
    program.ui().message("File Too Large",
                         path + " Is " + std::to_string(*size) +
                             " Bytes Long, Larger Than Any Cardwise Deck File Can Be (At Most " +
                             std::to_string(limit) + " Bytes).  The File Was Not Opened.",
                         Icon::Error);
    return false;
}

// Run state of a fresh start: nothing pending from the deck before.
void resetRunState(Program& program) {
    program.drill.JumpingToPair = false;
    program.drill.EditorTestRun = false;
    program.drill.TryAgainPending = false;
    program.deck.SessionCorrect = 0;
    program.deck.SessionIncorrect = 0;
    program.restart.clear();
    program.document.forget();
}

void actOnOutcome(Program& program) {
    DeckState& deck = program.deck;
    if (deck.LoadOutcome == 1) {
        // What the load put right is written with the first change or at the close.
        program.document.forget();
        program.setDeckOpen(true);
        program.selector.ShuffleFilled = false;  // a fresh shuffle for the new deck
        program.drill.DrillActive = true;
        program.frontEnd().RunDKSFile();
        return;
    }
    reportLoadOutcome(program);
    if (deck.LoadOutcome == 0) OpenSetupInNotePad(program);
    if (deck.LoadOutcome == 4) EditFileClick(program);
    // Nothing of a deck that did not open stays behind for the next command to use.
    deck.release();
    program.lock.release();
}

}  // namespace

bool LoadDeck(Program& program) {
    DeckState& deck = program.deck;
    FileSystem& files = program.files();
    deck.CategoryListStale = true;
    deck.PairCount = 0;
    deck.EditSlotsUsed = 0;
    deck.EditorUsed = false;
    deck.TruncatedAtLoad = false;

    const bool setupMissing = !files.fileExists(deck.SetupFileName);
    if (!withinSizeLimit(program, deck.QAFileName, kMaxQAFileBytes) ||
        (!setupMissing && !withinSizeLimit(program, deck.SetupFileName, kMaxSetupFileBytes))) {
        deck.LoadOutcome = kLoadFileError;
        return false;
    }
    // Stamped before reading: a change made while the file is read then shows as a change.
    const std::optional<FileStamp> qaStamp = files.stamp(deck.QAFileName);
    std::optional<std::string> qaBytes = files.readFile(deck.QAFileName);
    if (!qaBytes) {
        reportUnreadable(program, deck.QAFileName);
        deck.LoadOutcome = kLoadFileError;
        return false;
    }
    program.bindSetupFile();
    if (!setupMissing && program.setupFile.unreadable()) {
        reportUnreadable(program, deck.SetupFileName);
        deck.LoadOutcome = kLoadFileError;
        return false;
    }

    deck.PairCount = countPairs(program, *qaBytes);
    if (setupMissing) {
        moveOlderSettingsLines(program, *qaBytes);
        // A read-only deck cannot get its file; its settings then live in memory only.
        if (!deck.ReadOnlyDeck) {
            program.setupFile.edit();
            if (!reportIfFailed(program.ui(), deck.SetupFileName, program.setupFile.flush())) {
                deck.LoadOutcome = kLoadFileError;
                return false;
            }
        }
    }

    deck.allocate(deck.PairCount);
    if (!readPairs(program, *qaBytes, program.setupFile.read().bytes())) return false;
    qaBytes.reset();  // the pairs hold the text now; a large deck need not stay twice in memory
    DecodeStatus(program);
    ReadSetUp(program);
    // The setup data file's profile stamps it itself, after the load's own writes to it too.
    program.stamps = DiskStamps{qaStamp};
    if (deck.LoadOutcome != 1) return false;
    // The editor's reloads keep the copies of the deck as it was when the user opened it.
    if (program.editor.reloading) return true;
    if (!program.document.deferLoadWrites) return makeBackups(program);
    program.document.backupsOwed = true;
    return true;
}

void InitDKSFile(Program& program) {
    DeckState& deck = program.deck;
    resetRunState(program);
    // The deck before was closed, its backups made; a new load owes its own.
    program.document.backupsOwed = false;
    struct Loading {
        DeckDocument& doc;
        explicit Loading(DeckDocument& d) : doc(d) { doc.loading = true; }
        ~Loading() { doc.loading = false; }
    } loading(program.document);
    if (!acceptDeckName(program, deck.QAFileName)) return;

    if (directoryOf(deck.QAFileName).empty()) {
        deck.QAFileName = joinPath(program.programDirectory, deck.QAFileName);
    }
    const std::string extension = extensionOf(deck.QAFileName);
    if (!program.files().fileExists(deck.QAFileName)) {
        program.ui().message("No .DKS File",
                             deck.QAFileName +
                                 " No Longer Exists.  It Was Probably Chosen From The \"Previous "
                                 "Files\" List But Has Been Deleted Since Its Entry Onto The List.",
                             Icon::Error);
        return;
    }
    program.currentDirectory = directoryOf(deck.QAFileName);
    deck.deriveCompanionNames();

    if (equalsIgnoreCase(extension, ".DKS")) {
        {
            WaitCursor wait(program.ui());
            deck.LoadOutcome = 1;
            deck.ReadOnlyDeck = false;
            detectReadOnlyDeck(program);
            if (!deck.ReadOnlyDeck) lockDeckForWriting(program);
            addRecentDeck(program, deck.QAFileName);
            LoadDeck(program);
        }
        actOnOutcome(program);
        return;
    }
    if (equalsIgnoreCase(extension, ".DKT") || equalsIgnoreCase(extension, ".DKZ")) {
        program.ui().message("File Type Not Supported In This Release",
                             ".DKT And .DKZ Files Are Not Supported In This Release Of Cardwise.  "
                             "Please Download The Most Recent Version Of Cardwise From The "
                             "Cardwise Web Site.",
                             Icon::Error);
        return;
    }
    program.ui().message("Q&A File Extension Error",
                         deck.QAFileName +
                             " Does Not Have A .DKS, .DKT or .DKZ Extension.  All Q&A Files Must "
                             "Use One Of These Extensions.",
                         Icon::Error);
}

}  // namespace cardwise
