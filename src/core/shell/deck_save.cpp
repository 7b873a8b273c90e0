#include "core/shell/deck_save.h"

#include <cstdio>

#include "core/deck/deck_lock.h"
#include "core/deck/disk_stamps.h"
#include "core/deck/qa_file.h"
#include "core/deck/setup_file.h"
#include "core/deck/status_lines.h"
#include "core/deck/write_failure.h"
#include "core/program.h"
#include "core/shell/app_settings.h"
#include "core/shell/deck_close.h"
#include "core/shell/deck_loader.h"
#include "core/shell/deck_new.h"
#include "core/shell/recent_decks.h"

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

bool changedByAnotherProgram(const Program& program) {
    return changedOnDisk(program, DeckFile::QA) || changedOnDisk(program, DeckFile::Setup);
}

// Writes the whole deck as it is in memory under a new name and goes on with that copy; the
// files another program changed stay as it left them.
bool keepCopy(Program& program, const std::string& name) {
    DeckState& deck = program.deck;
    DeckState names;
    names.QAFileName = name;
    names.deriveCompanionNames();
    program.setupFile.edit().clear();
    PutSetUp(program);
    PutStatusLines(program);
    const std::string setupBytes = program.setupFile.read().bytes();
    const std::string qaBytes = writeQAFile(deck);
    const FileResult result = program.files().writeFiles(
        {FileWrite{names.SetupFileName, setupBytes}, FileWrite{names.QAFileName, qaBytes}});
    if (!reportIfFailed(program.ui(), {names.SetupFileName, names.QAFileName}, result)) {
        return false;
    }
    program.lock.release();
    deck.QAFileName = names.QAFileName;
    deck.deriveCompanionNames();
    program.currentDirectory = directoryOf(deck.QAFileName);
    lockDeckForWriting(program);
    program.bindSetupFile();
    deck.mergeEditedTexts();
    deck.EditorUsed = false;
    recordQAStamp(program);
    addRecentDeck(program, deck.QAFileName);
    return true;
}

// Beside the deck, named for the moment it was kept: "NAME-kept-20261208-153012.DKS".
std::string keptCopyName(const Program& program) {
    const std::string& qa = program.deck.QAFileName;
    const std::size_t dot = qa.rfind('.');
    const std::size_t slash = qa.find_last_of("/\\");
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = hasExtension ? qa.substr(0, dot) : qa;
    const std::string extension = hasExtension ? qa.substr(dot) : ".DKS";
    const TimeOfDay t = program.platform.clock.timeOfDay();
    char time[16];
    std::snprintf(time, sizeof time, "%02d%02d%02d", t.hours, t.minutes, t.seconds);
    return stem + "-kept-" + std::to_string(program.deck.Today) + "-" + time + extension;
}

enum class Conflict { None, KeptElsewhere, Reload, Stop };

// Another program changed a file since it was read: it is never overwritten blindly.
Conflict resolveConflict(Program& program) {
    if (!changedByAnotherProgram(program)) return Conflict::None;
    DeckDocument& doc = program.document;
    UserInterface& ui = program.ui();
    if (doc.unattended) {
        return keepCopy(program, keptCopyName(program)) ? Conflict::KeptElsewhere : Conflict::Stop;
    }
    const Button answer = ui.messageBox(kChangedOnDiskCaption, changedOnDiskText(program.deck.QAFileName),
                                        Icon::Warning, Buttons::YesNoCancel);
    if (answer == Button::No) return Conflict::Reload;
    if (answer != Button::Yes) return Conflict::Stop;
    for (;;) {
        std::optional<std::string> chosen = ui.chooseSaveFile(FileDialogRequest{
            "Keep Your Copy Of The Deck Under A New Name", fileDialogDirectory(program),
            "DKS Files|*.dks"});
        if (!chosen || chosen->empty()) return Conflict::Stop;
        const std::string name = withDefaultExtension(*chosen);
        if (!acceptDeckName(program, name)) continue;
        return keepCopy(program, name) ? Conflict::KeptElsewhere : Conflict::Stop;
    }
}

// Writes both files, or the setup data file alone, from memory. `closing` also writes the
// directory settings and reports every failure; otherwise only the first of a run is.
bool writeDeck(Program& program, bool closing) {
    finishLoadWrites(program);
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
    switch (resolveConflict(program)) {
        case Conflict::None:
            break;
        case Conflict::KeptElsewhere:
            doc.markSaved(revision);
            doc.failed = false;
            doc.failureReported = false;
            return true;
        case Conflict::Reload:
            // What this copy changed since its last save gives way to the files on disk.
            doc.markSaved(revision);
            doc.reloadWanted = true;
            return true;
        case Conflict::Stop:
            doc.failureReported = true;
            doc.failed = true;
            return false;
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
    if (texts) recordQAStamp(program);
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
    if (program.deck.ReadOnlyDeck || program.document.reloadWanted) return true;
    return writeDeck(program, true);
}

std::string changedOnDiskText(const std::string& deckPath) {
    return deckPath +
           " Or Its .DKD File Was Changed By Another Program Since Cardwise Read It, And Saving "
           "Now Would Overwrite Those Changes.  Yes Keeps Your Copy Under A New Name; No Reloads "
           "The Deck From Disk, Dropping What Was Changed Here Since The Last Save; Cancel Saves "
           "Nothing For Now.";
}

void reloadIfWanted(Program& program) {
    DeckDocument& doc = program.document;
    if (!doc.reloadWanted || !program.shell.deckOpen) {
        doc.reloadWanted = false;
        return;
    }
    // The close writes nothing while reloadWanted is set.
    if (!FileExitQAClick(program)) {
        doc.reloadWanted = false;
        return;
    }
    doc.reloadWanted = false;
    program.drill.ReturnToPair = false;
    InitDKSFile(program);
}

}  // namespace cardwise
