// The commit record of a write of several files, and the recovery of a write a crash
// interrupted: finished when every new file is whole, else undone.
#include "core/platform/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <map>
#include <set>

#include "core/platform/file_system_steps.h"

namespace cardwise {
namespace {

using namespace file_steps;

constexpr std::string_view kCommitHeader = "Cardwise commit record";
constexpr std::size_t kTagLength = 8;

// ".NAME.new-XXXXXXXX" or ".NAME.old-XXXXXXXX": a temporary of a write of NAME.
bool isTemporaryOf(std::string_view entry, std::string_view name, std::string_view kind) {
    const std::string prefix = "." + std::string(name) + "." + std::string(kind) + "-";
    if (entry.size() != prefix.size() + kTagLength || entry.substr(0, prefix.size()) != prefix) {
        return false;
    }
    for (char c : entry.substr(prefix.size())) {
        const bool alnum =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum) return false;
    }
    return true;
}

std::optional<std::uint64_t> parseNumber(std::string_view text) {
    std::uint64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// The entries of a commit record whose every name is one of the given files or one of
// their temporaries, first the file it is named after; nothing for any other text.
std::optional<std::vector<CommitEntry>> parseCommitRecord(std::string_view text,
                                                          const std::string& recordedFirst,
                                                          const std::set<std::string>& allowed) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        if (end == std::string_view::npos) return std::nullopt;  // cut short
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    if (lines.size() < 2 || lines.front() != kCommitHeader || lines.back() != "end" ||
        (lines.size() - 2) % 5 != 0 || lines.size() == 2) {
        return std::nullopt;
    }
    auto value = [&](std::size_t i, std::string_view key) -> std::optional<std::string> {
        const std::string& line = lines[i];
        if (line.size() < key.size() + 1 || line.compare(0, key.size(), key) != 0 ||
            line[key.size()] != '=') {
            return std::nullopt;
        }
        return line.substr(key.size() + 1);
    };
    std::vector<CommitEntry> entries;
    std::set<std::string> seen;
    for (std::size_t i = 1; i + 1 < lines.size(); i += 5) {
        auto file = value(i, "file");
        auto temporary = value(i + 1, "new");
        auto inode = value(i + 2, "inode");
        auto size = value(i + 3, "size");
        auto kept = value(i + 4, "old");
        if (!file || !temporary || !inode || !size || !kept) return std::nullopt;
        if (!allowed.count(*file) || !seen.insert(*file).second) return std::nullopt;
        if (!isTemporaryOf(*temporary, *file, "new")) return std::nullopt;
        const bool keptNamed = isTemporaryOf(*kept, *file, "old") ||
                               (isTemporaryOf(*kept, *file, "new") && *kept != *temporary);
        if (!keptNamed && *kept != kNoOldFile && *kept != kOldFileNotKept) return std::nullopt;
        auto inodeNumber = parseNumber(*inode);
        auto sizeNumber = parseNumber(*size);
        if (!inodeNumber || !sizeNumber) return std::nullopt;
        entries.push_back(CommitEntry{*file, *temporary, *inodeNumber, *sizeNumber, *kept});
    }
    if (entries.front().file != recordedFirst) return std::nullopt;
    return entries;
}

bool keptNamed(const CommitEntry& e) {
    return e.kept != kNoOldFile && e.kept != kOldFileNotKept;
}

}  // namespace

std::string file_steps::commitRecordText(const std::vector<CommitEntry>& entries) {
    std::string text = std::string(kCommitHeader) + "\n";
    for (const CommitEntry& e : entries) {
        text += "file=" + e.file + "\nnew=" + e.temporary + "\ninode=" + std::to_string(e.inode) +
                "\nsize=" + std::to_string(e.size) + "\nold=" + e.kept + "\n";
    }
    return text + "end\n";
}

std::string commitRecordNameOf(const std::string& target) {
    std::string dir = directoryOf(target);
    return joinPath(dir.empty() ? "." : dir, "." + fileNameOf(target) + ".commit");
}

namespace {

// Finishes the write the record at `record` describes, or undoes it when a new file is
// missing. `allowed` are the names of the files in the record's folder it may name.
FileResult recoverCommit(const std::string& record, const std::string& folder,
                         const std::set<std::string>& allowed, std::set<std::string>& keep) {
    int fd = ::open(record.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return FileResult::failure("Cannot read " + record + ": " + systemError());
    std::string text;
    char block[4096];
    for (;;) {
        ssize_t n = ::read(fd, block, sizeof block);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0 || text.size() > 65536) break;
        text.append(block, static_cast<std::size_t>(n));
    }
    ::close(fd);
    std::string recordedFirst = fileNameOf(record).substr(1);
    recordedFirst.resize(recordedFirst.size() - std::string_view(".commit").size());
    std::optional<std::vector<CommitEntry>> entries =
        parseCommitRecord(text, recordedFirst, allowed);
    // A record is complete on disk before the first rename; one cut short or naming any
    // other file was never acted on, and nothing it says is believed.
    if (!entries) {
        ::unlink(record.c_str());
        return {};
    }

    enum class State { New, Pending, Lost };
    std::vector<State> states;
    bool lost = false;
    for (const CommitEntry& e : *entries) {
        struct stat st {};
        const std::string target = joinPath(folder, e.file);
        const std::string temporary = joinPath(folder, e.temporary);
        if (::lstat(target.c_str(), &st) == 0 && static_cast<std::uint64_t>(st.st_ino) == e.inode) {
            states.push_back(State::New);
        } else if (::lstat(temporary.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
                   static_cast<std::uint64_t>(st.st_ino) == e.inode &&
                   static_cast<std::uint64_t>(st.st_size) == e.size) {
            states.push_back(State::Pending);
        } else {
            states.push_back(State::Lost);
            lost = true;
        }
    }
    auto failure = [&](const std::string& why) {
        for (const CommitEntry& e : *entries) {
            keep.insert(e.temporary);
            if (keptNamed(e)) keep.insert(e.kept);
        }
        return FileResult::failure(why);
    };
    if (!lost) {
        // Every new file is whole: the write is finished.
        for (std::size_t i = 0; i < entries->size(); ++i) {
            if (states[i] != State::Pending) continue;
            const CommitEntry& e = (*entries)[i];
            if (::rename(joinPath(folder, e.temporary).c_str(), joinPath(folder, e.file).c_str()) !=
                0) {
                return failure("Cannot rename " + e.temporary + " to " + e.file + ": " +
                               systemError());
            }
            syncFolderOf(record);
        }
    } else {
        // A new file is gone: every file goes back to its old bytes, if every old one is
        // still there.
        for (std::size_t i = 0; i < entries->size(); ++i) {
            const CommitEntry& e = (*entries)[i];
            if (states[i] != State::New || e.kept == kNoOldFile) continue;
            struct stat st {};
            if (!keptNamed(e) || ::lstat(joinPath(folder, e.kept).c_str(), &st) != 0) {
                return failure("the old " + joinPath(folder, e.file) + " is gone");
            }
        }
        for (std::size_t i = 0; i < entries->size(); ++i) {
            const CommitEntry& e = (*entries)[i];
            if (states[i] != State::New) continue;
            const std::string target = joinPath(folder, e.file);
            const bool back = e.kept == kNoOldFile
                                  ? ::unlink(target.c_str()) == 0
                                  : ::rename(joinPath(folder, e.kept).c_str(), target.c_str()) == 0;
            if (!back) return failure("Cannot put back the old " + target + ": " + systemError());
            syncFolderOf(record);
        }
    }
    for (const CommitEntry& e : *entries) {
        ::unlink(joinPath(folder, e.temporary).c_str());
        if (keptNamed(e)) ::unlink(joinPath(folder, e.kept).c_str());
    }
    ::unlink(record.c_str());
    syncFolderOf(record);
    return {};
}

}  // namespace

FileResult LocalFileSystem::recoverInterruptedWrites(const std::vector<std::string>& paths) {
    // The files by folder, links followed as a write follows them.
    std::map<std::string, std::set<std::string>> folders;
    for (const std::string& path : paths) {
        std::optional<std::string> file = resolveLinks(path);
        if (!file) continue;
        const std::string folder = directoryOf(*file);
        folders[folder.empty() ? "." : folder].insert(fileNameOf(*file));
    }
    FileResult result;
    for (const auto& [folder, names] : folders) {
        std::set<std::string> keep;  // temporaries a write that could not be recovered needs
        for (const std::string& name : names) {
            const std::string record = joinPath(folder, "." + name + ".commit");
            struct stat st {};
            if (::lstat(record.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
            FileResult recovered = recoverCommit(record, folder, names, keep);
            if (!recovered.ok) {
                result.ok = false;
                result.error += (result.error.empty() ? "" : "; ") + recovered.error;
            }
        }
        for (const std::string& entry : directoryEntries(folder)) {
            if (keep.count(entry)) continue;
            for (const std::string& name : names) {
                if (isTemporaryOf(entry, name, "new") || isTemporaryOf(entry, name, "old")) {
                    ::unlink(joinPath(folder, entry).c_str());
                    break;
                }
            }
        }
    }
    return result;
}

}  // namespace cardwise
