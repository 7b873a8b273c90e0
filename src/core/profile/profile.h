#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/file_system.h"

namespace cardwise {

// An INI text held in memory with the semantics of the Windows profile functions:
// section and key names match without regard to case, blanks around names and values are
// ignored, an integer is read from its leading digits, and a write replaces the key's line
// in place or adds the key at the end of its section. Lines that are not touched keep
// their bytes, line ends included.
class Profile {
  public:
    Profile() = default;
    static Profile fromBytes(std::string_view bytes);
    // Replaces the text; the new-key placement rule stays.
    void assign(std::string_view bytes);
    std::string bytes() const;

    bool hasSection(std::string_view section) const { return findSection(section).has_value(); }
    bool hasKey(std::string_view section, std::string_view key) const;
    std::int32_t readInt(std::string_view section, std::string_view key,
                         std::int32_t defaultValue) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Nothing from the first line break on is written: each key stays on one line.
    void writeString(std::string_view section, std::string_view key, std::string_view value);

    // A key new to a section goes before the section's first line that this accepts
    // (otherwise after its last non-blank line), so that trailing data lines stay last.
    void setNewKeysBefore(std::function<bool(std::string_view line)> accept) {
        newKeysBefore_ = std::move(accept);
    }

    // Adds a raw line at the end of the text.
    void appendLine(std::string_view text);
    void clear() {
        forgetIndex();
        lines_.clear();
    }

    struct Line {
        std::string text;
        std::string end;  // "\r\n", "\n" or "" for a last line without an end
    };
    const std::vector<Line>& lines() const { return lines_; }

  private:
    struct Span {
        std::size_t header;  // index of the section line
        std::size_t end;     // one past the section's last line
    };
    std::optional<Span> findSection(std::string_view section) const;
    std::optional<std::size_t> lookUp(std::string_view section, std::string_view key) const;
    void terminateLastLine();
    // The line of every key of every section (the first section of a name, the first line
    // of a key), so that reading a setting does not walk thousands of status lines. A new
    // key keeps it up to date; made again on the first read after a new text or an
    // appended line.
    void buildIndex() const;
    void forgetIndex() { indexed_ = false; }
    // Adds the key's line unless the section has the key already (the first line counts).
    void indexKey(std::string_view section, std::string_view key, std::size_t line,
                  std::size_t header) const;
    void growIndex() const;
    // The slot holding the key's line, or else the free slot where it would go.
    std::size_t slotOf(std::uint64_t hash, std::string_view section, std::string_view key) const;

    // A key's line in an open-addressing table: a file of thousands of status lines costs no
    // allocation per key. Line 0 marks a free slot (no key line can be the first line: its
    // section's header comes before it).
    struct IndexSlot {
        std::uint64_t hash;
        std::size_t line;
        std::size_t header;  // the section's line
    };

    std::vector<Line> lines_;
    std::function<bool(std::string_view)> newKeysBefore_;
    mutable std::vector<IndexSlot> index_;
    mutable std::size_t indexedKeys_ = 0;
    mutable bool indexed_ = false;
};

// Reads an integer the way the profile functions do: blanks, an optional sign, then the
// leading decimal digits; no digits gives 0; values beyond 32 bits are clamped.
std::int32_t parseProfileInt(std::string_view text);

// The number right-aligned in width characters, padded with leading blanks; a wider number
// is never cut. Settings values, status lines and message texts all use this layout.
std::string rightAligned(std::int64_t value, std::size_t width);

bool equalsIgnoreCase(std::string_view a, std::string_view b);

// The text up to its first line break (CR or LF).
std::string_view oneLine(std::string_view text);

// A profile bound to its file: read once, written back atomically by flush().
class ProfileFile {
  public:
    ProfileFile() = default;
    ProfileFile(FileSystem& files, std::string path) : files_(&files), path_(std::move(path)) {}

    const std::string& path() const { return path_; }
    bool bound() const { return files_ != nullptr && !path_.empty(); }

    // Re-reads the file (a missing file reads as empty; one that exists but cannot be read
    // also reads as empty, and flush() then refuses to replace it).
    void reload();
    const Profile& read() const;
    // The profile for changing; flush() then writes it.
    Profile& edit();
    // Where new keys go, for the profile as read now and after every reload.
    void setNewKeysBefore(std::function<bool(std::string_view line)> accept) {
        profile_.setNewKeysBefore(std::move(accept));
    }
    // The file is there but could not be read.
    bool unreadable() const {
        ensureLoaded();
        return unreadable_;
    }
    // Writes the profile to its file when it changed since the last read or flush.
    FileResult flush() { return flushWith({}); }
    // The same, together with other files in one all-or-nothing write.
    FileResult flushWith(std::vector<FileWrite> alongside) {
        return write(std::move(alongside), false);
    }
    // A flush that does not wait for the disk to keep the new name (FileSystem::
    // writeFilesLazily), for changes a crash may undo: the recent decks, a folder last used.
    FileResult flushLazily() { return write({}, true); }
    // Another program rewrote, replaced, created or removed the file since this profile
    // last read or wrote it. Never true on a file system that keeps no stamps.
    bool changedOnDisk() const;

  private:
    void ensureLoaded() const;
    FileResult write(std::vector<FileWrite> alongside, bool lazily);

    FileSystem* files_ = nullptr;
    std::string path_;
    mutable Profile profile_;
    mutable bool loaded_ = false;
    // The file is there but could not be read: writing it would destroy what it holds.
    mutable bool unreadable_ = false;
    bool dirty_ = false;
    // The file's bytes as last read or written; a flush that would write them again is
    // skipped (a start that changes no setting must not cost a disk flush).
    mutable std::optional<std::string> onDisk_;
    // The file as last read or written by this profile.
    mutable std::optional<FileStamp> stamp_;
};

}  // namespace cardwise
