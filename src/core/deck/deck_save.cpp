#include "core/deck/deck_save.h"

#include "core/deck/deck_close.h"
#include "core/deck/qa_file.h"
#include "core/deck/setup_file.h"
#include "core/deck/status_lines.h"
#include "core/deck/write_failure.h"
#include "core/program.h"

namespace cardwise {
namespace {

constexpr std::int64_t kDayMs = 24LL * 60 * 60 * 1000;

std::int64_t nowMs(const Program& program) {
    const TimeOfDay t = program.platform.clock.timeOfDay();
    return ((std::int64_t{t.hours} * 60 + t.minutes) * 60 + t.seconds) * 1000 + t.milliseconds;
}

bool intervalPassed(const Program& program) {
    const DeckDocument& doc = program.document;
    if (!doc.lastWriteMs || doc.intervalMs <= 0) return true;
    std::int64_t elapsed = nowMs(program) - *doc.lastWriteMs;
    if (elapsed < 0) elapsed += kDayMs;  // past midnight
    return elapsed >= doc.intervalMs;
}

bool quietPoint(const Program& program) {
    return program.document.holds == 0 && !program.NotePadOpen;
}

// Writes both files, or the setup data file alone, from memory. `closing` also writes the
// directory settings and reports every failure; otherwise only the first of a run is.
bool writeDeck(Program& program, bool closing) {
    DeckDocument& doc = program.document;
    DeckState& deck = doc.state;
    const bool texts = doc.textsChanged();
    const std::uint64_t revision = doc.revision();
    const bool report = closing || !doc.failureReported;
    doc.lastWriteMs = nowMs(program);
    auto fail = [&] {
        doc.failed = true;
        doc.failureReported = true;
        return false;
    };
    // Checked before anything is written: the two files go together or not at all.
    if (texts) {
        if (std::int32_t tooLong = firstPairTooLongToLoad(deck)) {
            if (report) {
                program.ui().message(kRewriteTooLongCaption, rewriteTooLongText(tooLong),
                                     Icon::Error);
            }
            return fail();
        }
    }
    // The file is written whole, once: settings block, LastDayUsed, status lines.
    program.setupFile.edit().clear();
    if (closing) {
        WriteSetUp(program, false);  // a failure of the application settings file is reported there
        WriteStatusLines(program);
    } else {
        PutSetUp(program);
        PutStatusLines(program);
    }
    // The status lines belong to the pairs as the Q&A file numbers them: both files are
    // replaced together or neither is.
    std::vector<std::string> paths{deck.SetupFileName};
    std::vector<FileWrite> alongside;
    std::string qaBytes;
    if (texts) {
        qaBytes = writeQAFile(deck);
        paths.push_back(deck.QAFileName);
        alongside.push_back(FileWrite{deck.QAFileName, qaBytes});
    }
    const FileResult result = program.setupFile.flushWith(std::move(alongside));
    if (!result.ok) {
        if (report) reportIfFailed(program.ui(), paths, result);
        return fail();
    }
    if (texts) {
        // The store is on disk now; the pairs hold it and the next save writes the setup
        // data file alone until the texts change again.
        deck.mergeEditedTexts();
        deck.EditorUsed = false;
    }
    doc.markSaved(revision);
    doc.failed = false;
    doc.failureReported = false;
    return true;
}

bool nothingToWrite(const Program& program) {
    return !program.shell.deckOpen || program.deck.ReadOnlyDeck || !program.setupFile.bound();
}

}  // namespace

SaveOutcome saveIfChanged(Program& program) {
    DeckDocument& doc = program.document;
    if (nothingToWrite(program)) {
        doc.markSaved(doc.revision());
        return SaveOutcome::NothingToSave;
    }
    if (!doc.changed()) return SaveOutcome::NothingToSave;
    if (!quietPoint(program)) return SaveOutcome::Held;
    return writeDeck(program, false) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

void saveSoon(Program& program) {
    program.document.markChanged();
    if (program.document.failed || intervalPassed(program)) saveIfChanged(program);
}

void flushPendingSave(Program& program) {
    if (!savePending(program)) return;
    if (intervalPassed(program)) saveIfChanged(program);
}

bool savePending(const Program& program) {
    const DeckDocument& doc = program.document;
    return doc.changed() && !doc.failed && !nothingToWrite(program);
}

bool saveForClose(Program& program) {
    if (program.deck.ReadOnlyDeck) return true;
    return writeDeck(program, true);
}

}  // namespace cardwise
