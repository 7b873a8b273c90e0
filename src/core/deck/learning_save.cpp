#include "core/deck/learning_save.h"

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
    const LearningSaveState& save = program.saving;
    if (!save.lastWriteMs || save.intervalMs <= 0) return true;
    std::int64_t elapsed = nowMs(program) - *save.lastWriteMs;
    if (elapsed < 0) elapsed += kDayMs;  // past midnight
    return elapsed >= save.intervalMs;
}

}  // namespace

bool saveLearningNow(Program& program) {
    LearningSaveState& save = program.saving;
    const DeckState& deck = program.deck;
    if (!program.shell.deckOpen || deck.ReadOnlyDeck) {
        save.pending = false;
        return true;
    }
    if (deck.EditorUsed || !program.setupFile.bound()) return true;
    Profile& file = program.setupFile.edit();
    file.clear();
    PutSetUp(program);
    PutStatusLines(program);
    save.lastWriteMs = nowMs(program);
    const FileResult result = program.setupFile.flush();
    if (result.ok) {
        save.pending = false;
        save.failed = false;
        save.failureReported = false;
        return true;
    }
    save.pending = true;
    save.failed = true;
    if (!save.failureReported) {
        save.failureReported = true;
        reportIfFailed(program.ui(), program.setupFile.path(), result);
    }
    return false;
}

void saveLearningSoon(Program& program) {
    LearningSaveState& save = program.saving;
    save.pending = true;
    if (save.failed || intervalPassed(program)) saveLearningNow(program);
}

void flushPendingSave(Program& program) {
    const LearningSaveState& save = program.saving;
    if (!save.pending || save.failed || save.holds > 0) return;
    if (intervalPassed(program)) saveLearningNow(program);
}

SaveHold::SaveHold(Program& program) : program_(program) {
    ++program_.saving.holds;
}

SaveHold::~SaveHold() {
    --program_.saving.holds;
}

}  // namespace cardwise
