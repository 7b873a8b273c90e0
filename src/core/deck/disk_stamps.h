#pragma once

#include <optional>

#include "core/platform/file_system.h"

namespace cardwise {

struct DeckSession;

// The deck's two files as they were when last read or written, so that a file changed on
// disk since (by a text editor, another program) is never overwritten blindly. Nothing
// for a file that did not exist or a file system without stamps.
struct DiskStamps {
    std::optional<FileStamp> qa;  // the setup data file's profile keeps its own
};

enum class DeckFile { QA, Setup };

// True when the file is no longer the one recorded: rewritten, replaced, created or
// removed since. Never true on a file system that keeps no stamps.
bool changedOnDisk(const DeckSession& program, DeckFile file);
// Records the Q&A file as it is now: after the load has read it, after a save wrote it.
void recordQAStamp(DeckSession& program);

}  // namespace cardwise
