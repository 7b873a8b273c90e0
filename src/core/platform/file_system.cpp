#include "core/platform/file_system.h"

#include "core/platform/large_block.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <limits>
#include <map>
#include <random>
#include <set>
#include <vector>

namespace cardwise {
namespace {

std::string systemError() {
    return std::strerror(errno);
}

std::size_t lastSeparator(std::string_view path) {
    return path.find_last_of("/\\");
}

std::string randomTag() {
    static constexpr std::string_view kLetters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device device;
    std::string tag;
    for (int i = 0; i < 8; ++i) tag += kLetters[device() % kLetters.size()];
    return tag;
}

// Hands out the file behind fd block by block.
std::function<FileResult(std::string_view&)> readerOf(int fd, const std::string& path,
                                                      std::vector<char>& block) {
    return [fd, &path, &block](std::string_view& piece) {
        for (;;) {
            ssize_t n = ::read(fd, block.data(), block.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return FileResult::failure("Cannot read " + path + ": " + systemError());
            piece = std::string_view(block.data(), static_cast<std::size_t>(n));
            return FileResult{};
        }
    };
}

}  // namespace

std::string directoryOf(std::string_view path) {
    std::size_t sep = lastSeparator(path);
    if (sep == std::string_view::npos) return {};
    if (sep == 0) return std::string(path.substr(0, 1));
    return std::string(path.substr(0, sep));
}

std::string fileNameOf(std::string_view path) {
    std::size_t sep = lastSeparator(path);
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string joinPath(std::string_view directory, std::string_view name) {
    if (directory.empty()) return std::string(name);
    std::string result(directory);
    if (result.back() != '/' && result.back() != '\\') result += '/';
    result += name;
    return result;
}

bool isAbsolutePath(std::string_view path) {
    return !path.empty() && path.front() == '/';
}

std::string pathFrom(std::string_view folder, std::string_view path) {
    if (isAbsolutePath(path)) return std::string(path);
    return joinPath(folder, path);
}

namespace {

// A hidden name beside target that tells what it belongs to.
std::string siblingName(const std::string& target, std::string_view kind) {
    std::string dir = directoryOf(target);
    return joinPath(dir.empty() ? "." : dir,
                    "." + fileNameOf(target) + "." + std::string(kind) + "-" + randomTag());
}

void syncFolderOf(const std::string& path) {
    std::string dir = directoryOf(path);
    int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Writes bytes to a file opened for writing; false with errno set.
bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The same, then flushed to the disk.
bool writeAllAndSync(int fd, std::string_view bytes) {
    return writeAll(fd, bytes) && ::fsync(fd) == 0;
}

enum class Durable { Yes, No };

// A file created only where none is; false with errno set (EEXIST when one was there).
bool createExclusively(const std::string& path, std::string_view bytes,
                       Durable durable = Durable::Yes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    const bool written = durable == Durable::Yes ? writeAllAndSync(fd, bytes) : writeAll(fd, bytes);
    const int saved = errno;
    if (::close(fd) != 0 || !written) {
        ::unlink(path.c_str());
        errno = written ? errno : saved;
        return false;
    }
    return true;
}

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

// One file of a write of several, as its commit record names it (names within one folder).
struct CommitEntry {
    std::string file;
    std::string temporary;  // the new bytes
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    // The kept old copy; kNoOldFile when the file did not exist, kOldFileNotKept when it
    // was not kept (the last file, whose rename completes the write).
    std::string kept;
};
constexpr std::string_view kNoOldFile = "-";
constexpr std::string_view kOldFileNotKept = "*";

std::string commitRecordText(const std::vector<CommitEntry>& entries) {
    std::string text = std::string(kCommitHeader) + "\n";
    for (const CommitEntry& e : entries) {
        text += "file=" + e.file + "\nnew=" + e.temporary + "\ninode=" + std::to_string(e.inode) +
                "\nsize=" + std::to_string(e.size) + "\nold=" + e.kept + "\n";
    }
    return text + "end\n";
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

std::string commitRecordNameOf(const std::string& target) {
    std::string dir = directoryOf(target);
    return joinPath(dir.empty() ? "." : dir, "." + fileNameOf(target) + ".commit");
}

std::optional<std::string> resolveLinks(const std::string& path) {
    std::string current = path;
    // As many links as the kernel itself follows before it calls it a loop.
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::vector<char> target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n < 0 || static_cast<std::size_t>(n) >= target.size()) return current;
        std::string next(target.data(), static_cast<std::size_t>(n));
        current = isAbsolutePath(next) ? next : joinPath(directoryOf(current), next);
    }
    return std::nullopt;
}

namespace {

// Opened without waiting: opening a FIFO for reading would otherwise block until a writer
// came. Anything but a regular file is closed again at once.
int openRegularFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

// Read in large blocks: decks run to megabytes, and byte-wise stream reading costs far more
// than the disk.
class LocalFileReader final : public FileReader {
  public:
    explicit LocalFileReader(int fd) : fd_(fd) {}
    ~LocalFileReader() override { ::close(fd_); }
    LocalFileReader(const LocalFileReader&) = delete;
    LocalFileReader& operator=(const LocalFileReader&) = delete;

    std::optional<std::string_view> next() override {
        for (;;) {
            const ssize_t n = ::read(fd_, block_.data(), block_.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return std::nullopt;
            return std::string_view(block_.data(), static_cast<std::size_t>(n));
        }
    }

  private:
    int fd_;
    std::vector<char> block_ = std::vector<char>(65536);
};

class WholeFileReader final : public FileReader {
  public:
    explicit WholeFileReader(std::string bytes) : bytes_(std::move(bytes)) {}
    std::optional<std::string_view> next() override {
        if (given_) return std::string_view();
        given_ = true;
        return std::string_view(bytes_);
    }

  private:
    std::string bytes_;
    bool given_ = false;
};

}  // namespace

std::unique_ptr<FileReader> FileSystem::openFile(const std::string& path) const {
    std::optional<std::string> bytes = readFile(path);
    if (!bytes) return nullptr;
    return std::make_unique<WholeFileReader>(std::move(*bytes));
}

std::unique_ptr<FileReader> LocalFileSystem::openFile(const std::string& path) const {
    const int fd = openRegularFile(path);
    if (fd < 0) return nullptr;
    return std::make_unique<LocalFileReader>(fd);
}

std::optional<std::string> LocalFileSystem::readFile(const std::string& path) const {
    const int fd = openRegularFile(path);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    // Read straight into the string, sized by the file (one byte more to see its end), so
    // that a large deck is not copied a second time on its way in.
    std::size_t expected = 0;
    if (::fstat(fd, &st) == 0 && st.st_size > 0) expected = static_cast<std::size_t>(st.st_size);
    std::string bytes;
    // A large file gets a large page's room more, so that large pages cover all of it but
    // the head that lies before the first large-page boundary.
    bytes.reserve(expected + 1 + (expected >= (std::size_t{4} << 20) ? std::size_t{2} << 20 : 0));
    askForLargePages(bytes.data(), bytes.capacity());
    bytes.resize(expected + 1);
    std::size_t size = 0;
    for (;;) {
        if (size == bytes.size()) bytes.resize(bytes.size() * 2 + (64 << 10));
        const ssize_t n = ::read(fd, bytes.data() + size, bytes.size() - size);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        size += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(size);
    return bytes;
}

BoundedRead readFileUpTo(const FileSystem& files, const std::string& path, std::uint64_t maxBytes) {
    BoundedRead read;
    const std::optional<std::uint64_t> size = files.fileSize(path);
    if (!size) return read;
    if (*size > maxBytes) {
        read.tooLarge = true;
        return read;
    }
    std::unique_ptr<FileReader> reader = files.openFile(path);
    if (!reader) return read;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(*size));
    for (;;) {
        const std::optional<std::string_view> piece = reader->next();
        if (!piece) return read;
        if (piece->empty()) break;
        // A file that grew since it was measured is not read on beyond the limit.
        if (bytes.size() + piece->size() > maxBytes) {
            read.tooLarge = true;
            return read;
        }
        bytes.append(*piece);
    }
    read.bytes = std::move(bytes);
    return read;
}

FileResult LocalFileSystem::writeFile(const std::string& path, std::string_view bytes) {
    return writeFiles({FileWrite{path, bytes}});
}

FileResult LocalFileSystem::writeFiles(const std::vector<FileWrite>& writes) {
    std::vector<PendingWrite> pending;
    pending.reserve(writes.size());
    for (const FileWrite& write : writes) {
        pending.push_back(
            PendingWrite{write.path, [bytes = write.bytes](std::string_view& piece) mutable {
                             piece = bytes;
                             bytes = {};
                             return FileResult{};
                         }});
    }
    return commit(pending);
}

FileResult LocalFileSystem::commit(const std::vector<PendingWrite>& writes) {
    // A link stays a link: the file it names gets the new bytes.
    std::vector<std::string> targets;
    for (const PendingWrite& write : writes) {
        std::optional<std::string> target = resolveLinks(write.target);
        if (!target) return FileResult::failure(std::strerror(ELOOP));
        targets.push_back(std::move(*target));
    }

    struct Step {
        std::string temporary;
        std::string kept;
        bool existed = false;
        bool replaced = false;
    };
    std::vector<Step> steps(writes.size());
    std::string record;
    auto removeLeftovers = [&steps] {
        for (Step& step : steps) {
            if (!step.temporary.empty()) ::unlink(step.temporary.c_str());
            if (!step.kept.empty()) ::unlink(step.kept.c_str());
        }
    };

    // Every new file is complete on disk before any old one is touched.
    for (std::size_t i = 0; i < writes.size(); ++i) {
        FileResult written = writeTemporary(targets[i], writes[i].next, steps[i].temporary);
        if (!written.ok) {
            removeLeftovers();
            return written;
        }
    }
    // Nothing can fail after the last rename, so the last old file needs no keeping.
    for (std::size_t i = 0; i < writes.size(); ++i) {
        struct stat st {};
        steps[i].existed = ::lstat(targets[i].c_str(), &st) == 0;
        if (!steps[i].existed || i + 1 == writes.size()) continue;
        FileResult kept = keepOldFile(targets[i], steps[i].kept);
        if (!kept.ok) {
            removeLeftovers();
            return kept;
        }
    }
    // A process killed between two renames leaves files that do not belong together; the
    // record lets the next open finish or undo the write.
    const bool oneFolder = std::all_of(targets.begin(), targets.end(), [&](const std::string& t) {
        return directoryOf(t) == directoryOf(targets.front()) && t.find('\n') == std::string::npos;
    });
    if (writes.size() > 1 && oneFolder) {
        std::vector<CommitEntry> entries;
        for (std::size_t i = 0; i < writes.size(); ++i) {
            struct stat st {};
            if (::lstat(steps[i].temporary.c_str(), &st) != 0) {
                FileResult failed = FileResult::failure(systemError());
                removeLeftovers();
                return failed;
            }
            std::string kept = !steps[i].existed       ? std::string(kNoOldFile)
                               : steps[i].kept.empty() ? std::string(kOldFileNotKept)
                                                       : fileNameOf(steps[i].kept);
            entries.push_back(CommitEntry{fileNameOf(targets[i]), fileNameOf(steps[i].temporary),
                                          static_cast<std::uint64_t>(st.st_ino),
                                          static_cast<std::uint64_t>(st.st_size), kept});
        }
        record = commitRecordNameOf(targets.front());
        ::unlink(record.c_str());  // one left by a write nobody recovered: these files are newer
        if (!createExclusively(record, commitRecordText(entries))) {
            FileResult failed = FileResult::failure(systemError());
            removeLeftovers();
            return failed;
        }
        syncFolderOf(record);
    }
    auto removeRecord = [&record] {
        if (!record.empty()) ::unlink(record.c_str());
    };
    for (std::size_t i = 0; i < writes.size(); ++i) {
        FileResult renamed = renameFile(steps[i].temporary, targets[i]);
        if (renamed.ok) {
            steps[i].temporary.clear();
            steps[i].replaced = true;
            continue;
        }
        // Put back what was replaced; an old file that cannot go back stays where it was kept.
        for (std::size_t j = 0; j < i; ++j) {
            Step& step = steps[j];
            const std::string& target = targets[j];
            if (!step.existed) {
                if (::unlink(target.c_str()) != 0) {
                    renamed.unchanged = false;
                    renamed.error += "; the new " + target + " could not be removed";
                }
            } else if (FileResult back = renameFile(step.kept, target); back.ok) {
                step.kept.clear();
            } else {
                renamed.unchanged = false;
                renamed.error += "; the old " + target + " could not be put back (" + back.error +
                                 ") and is kept as " + step.kept;
                step.kept.clear();  // it holds the only copy of the old file now
            }
        }
        // Files that do not match keep their record: the next open tries again.
        if (renamed.unchanged) removeRecord();
        removeLeftovers();
        return renamed;
    }
    removeRecord();
    removeLeftovers();
    return {};
}

FileResult LocalFileSystem::writeTemporary(const std::string& target, const PieceSource& next,
                                           std::string& temporary) {
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = siblingName(target, "new");
        // The kernel applies the user's umask to a new file; nothing process-wide changes.
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        temporary.clear();
        return FileResult::failure(systemError());
    }

    auto fail = [&](std::string reason) {
        ::close(fd);
        ::unlink(temporary.c_str());
        temporary.clear();
        return FileResult::failure(std::move(reason));
    };

    // Keep the owner, the group and the permissions of the file being replaced, as far as
    // the user may give them away: the group alone when the owner cannot be kept.
    struct stat mine {};
    if (replacing && ::fstat(fd, &mine) == 0 &&
        (mine.st_uid != old.st_uid || mine.st_gid != old.st_gid)) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            if (errno != EPERM) return fail(systemError());
            if (::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0 && errno != EPERM) {
                return fail(systemError());
            }
        }
    }
    // After the owner: a change of owner may clear the set-id bits.
    if (replacing && ::fchmod(fd, old.st_mode & 07777) != 0) return fail(systemError());

    const std::size_t limit = failAfter_.value_or(std::numeric_limits<std::size_t>::max());
    std::size_t written = 0;
    for (;;) {
        std::string_view piece;
        if (FileResult got = next(piece); !got.ok) return fail(got.error);
        if (piece.empty()) break;
        while (!piece.empty()) {
            if (written >= limit) return fail("No space left on device");
            std::size_t chunk = std::min(piece.size(), limit - written);
            ssize_t n = ::write(fd, piece.data(), chunk);
            if (n < 0) {
                if (errno == EINTR) continue;
                return fail(systemError());
            }
            written += static_cast<std::size_t>(n);
            piece.remove_prefix(static_cast<std::size_t>(n));
        }
    }
    if (::fsync(fd) != 0) return fail(systemError());
    if (::close(fd) != 0) {
        std::string reason = systemError();
        ::unlink(temporary.c_str());
        temporary.clear();
        return FileResult::failure(reason);
    }
    return {};
}

FileResult LocalFileSystem::keepOldFile(const std::string& path, std::string& kept) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        kept = siblingName(path, "old");
        if (::link(path.c_str(), kept.c_str()) == 0) return {};
        if (errno == EEXIST) continue;
        if (errno != EPERM && errno != ENOTSUP && errno != EMLINK && errno != ENOSYS) break;
        // A file system without hard links: the old bytes are copied instead.
        int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (in < 0) break;
        std::vector<char> block(65536);
        FileResult copied = writeTemporary(path, readerOf(in, path, block), kept);
        ::close(in);
        return copied;
    }
    FileResult failed = FileResult::failure(systemError());
    kept.clear();
    return failed;
}

FileResult LocalFileSystem::renameFile(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) return FileResult::failure(systemError());
    // The rename has happened whatever the folder's flush answers; a file system that
    // cannot flush a folder has nothing more to offer.
    syncFolderOf(to);
    return {};
}

std::optional<std::uint64_t> LocalFileSystem::fileSize(const std::string& path) const {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
}

// Copied block by block: a backup of a large deck would otherwise hold a second copy of
// the deck in memory while the deck itself is loaded.
FileResult LocalFileSystem::copyFile(const std::string& from, const std::string& to) {
    int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return FileResult::failure("Cannot read " + from + ": " + systemError());
    std::vector<char> block(65536);
    FileResult result = commit({PendingWrite{to, readerOf(in, from, block)}});
    ::close(in);
    return result;
}

bool LocalFileSystem::removeFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool LocalFileSystem::fileExists(const std::string& path) const {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool LocalFileSystem::directoryExists(const std::string& path) const {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> LocalFileSystem::directoryEntries(const std::string& directory) const {
    std::vector<std::string> names;
    DIR* folder = ::opendir(directory.empty() ? "." : directory.c_str());
    if (folder == nullptr) return names;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") names.emplace_back(name);
    }
    ::closedir(folder);
    return names;
}

bool LocalFileSystem::isReadOnlyFile(const std::string& path) const {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::optional<FileStamp> LocalFileSystem::stamp(const std::string& path) const {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return FileStamp{
        static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
        static_cast<std::uint64_t>(st.st_size),
        static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

// The bytes go to a temporary file that is then linked to the name: the name never shows
// an empty or half-written file to another process reading it.
// Not flushed to the disk: the one user, the deck lock, only has to be whole when other
// programs see it, and a lock that a crash left empty or lost is taken for stale anyway.
// Opening a deck thus waits for the disk once less.
NewFile LocalFileSystem::createNewFile(const std::string& path, std::string_view bytes) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temporary = siblingName(path, "new");
        if (!createExclusively(temporary, bytes, Durable::No)) {
            if (errno == EEXIST) continue;
            return NewFile::Failed;
        }
        const int linked = ::link(temporary.c_str(), path.c_str());
        const int error = errno;
        ::unlink(temporary.c_str());
        if (linked == 0) return NewFile::Created;
        if (error == EEXIST) return NewFile::Exists;
        if (error == ENOENT) continue;  // the temporary was swept away meanwhile
        if (error != EPERM && error != ENOTSUP && error != EMLINK && error != ENOSYS) {
            return NewFile::Failed;
        }
        // A file system without hard links: created in place.
        if (createExclusively(path, bytes, Durable::No)) return NewFile::Created;
        return errno == EEXIST ? NewFile::Exists : NewFile::Failed;
    }
    return NewFile::Failed;
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

bool LocalFileSystem::canWriteInDirectory(const std::string& directory) {
    std::string probe = joinPath(directory.empty() ? "." : directory, kProbeFileName);
    int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) {
        // A probe left behind by an earlier crash still proves the folder writable only
        // if it can be removed.
        if (errno == EEXIST) return ::unlink(probe.c_str()) == 0;
        return false;
    }
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

}  // namespace cardwise
