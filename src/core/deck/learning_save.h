#pragma once

#include <cstdint>
#include <optional>

namespace cardwise {

struct Program;

// Grades that come faster than this reach the disk together, the last one at most this
// long after it was given.
inline constexpr std::int64_t kLearningSaveIntervalMs = 3000;

// The learning state written while a deck is drilled, so that a program that is killed
// loses at most the last grade.
struct LearningSaveState {
    // 0: every grade is written at once (the terminal drill has no timer).
    std::int64_t intervalMs = kLearningSaveIntervalMs;
    bool pending = false;  // a grade is not on disk yet
    // The last write failed: the next grade and the close try again, the timer does not.
    bool failed = false;
    bool failureReported = false;
    std::optional<std::int64_t> lastWriteMs;  // time of day of the last write tried
    int holds = 0;                            // a grade is under way

    // The deck was closed or another one opened: nothing is owed to the old one.
    void forgetDeck() {
        pending = false;
        failed = false;
        failureReported = false;
        lastWriteMs.reset();
    }
};

// After a grade or its undo: writes the setup data file now, unless the last write was
// less than the interval ago; then the write is left to flushPendingSave or the close.
void saveLearningSoon(Program& program);

// The front end's timer: writes a pending grade once the interval since the last write has
// passed. Waits while a grade is under way and after a failed write.
void flushPendingSave(Program& program);

// The whole setup data file (settings, LastDayUsed, status lines) as a close writes it,
// through the same atomic write. A read-only deck is never written, nor one whose pairs
// the editor changed (their numbering on disk may differ; the close writes both files).
// The first failure is reported, later ones are not until a write succeeds again.
bool saveLearningNow(Program& program);

// Keeps the timer from writing while a grade and its selection are half done.
class SaveHold {
  public:
    explicit SaveHold(Program& program);
    ~SaveHold();
    SaveHold(const SaveHold&) = delete;
    SaveHold& operator=(const SaveHold&) = delete;

  private:
    Program& program_;
};

}  // namespace cardwise
