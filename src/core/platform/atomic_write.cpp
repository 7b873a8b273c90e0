// Writes that never leave a file half-written: new bytes go to a temporary beside the
// file, the old file is kept until the new one is in place, several files under one
// commit record.
#include "core/platform/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <random>
#include <utility>

#include "core/platform/file_system_steps.h"

namespace cardwise {
namespace {

using namespace file_steps;

std::string randomTag() {
    static constexpr std::string_view kLetters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device device;
    std::string tag;
    for (int i = 0; i < 8; ++i) tag += kLetters[device() % kLetters.size()];
    return tag;
}

// A hidden name beside target that tells what it belongs to.
std::string siblingName(const std::string& target, std::string_view kind) {
    std::string dir = directoryOf(target);
    return joinPath(dir.empty() ? "." : dir,
                    "." + fileNameOf(target) + "." + std::string(kind) + "-" + randomTag());
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

}  // namespace

void file_steps::syncFolderOf(const std::string& path) {
    flushFolder(directoryOf(path));
}

void file_steps::flushFolder(const std::string& dir) {
    int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

using namespace file_steps;

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

// Through the overridable writes, so that a test double's faults hold for lazy writes too.
FileResult LocalFileSystem::writeFilesLazily(const std::vector<FileWrite>& writes) {
    LazyWrites lazy(lazy_);
    return writeFiles(writes);
}

FileResult LocalFileSystem::copyFileLazily(const std::string& from, const std::string& to) {
    LazyWrites lazy(lazy_);
    return copyFile(from, to);
}

void LocalFileSystem::flushLazyWrites() {
    for (const std::string& folder : unflushedFolders_) syncFolder(folder);
    unflushedFolders_.clear();
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
        syncFolder(directoryOf(record));
    }
    auto removeRecord = [&record] {
        if (!record.empty()) ::unlink(record.c_str());
    };
    // With the record on disk, a crash between the renames is mended at the next open: one
    // flush after the last rename (or the putting back) makes them all last.
    const bool lazyWrite = lazy_;
    std::optional<LazyWrites> renamesTogether;
    if (!record.empty()) renamesTogether.emplace(lazy_);
    auto flushTogether = [&] {
        if (!renamesTogether) return;
        renamesTogether.reset();
        if (lazyWrite) return;
        const std::string folder = directoryOf(record);
        std::erase(unflushedFolders_, folder);
        syncFolder(folder);
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
        flushTogether();
        // Files that do not match keep their record: the next open tries again.
        if (renamed.unchanged) removeRecord();
        removeLeftovers();
        return renamed;
    }
    flushTogether();
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
    bool copied = false;
    // A copy goes from file to file in the kernel, not through this process (a file system
    // that shares blocks between files copies nothing at all); where the kernel cannot, the
    // pieces below read it. Writes that fail on purpose (tests) take the pieces.
    const int source = std::exchange(copySource_, -1);
    while (source >= 0 && !failAfter_) {
        ssize_t n = ::copy_file_range(source, nullptr, fd, nullptr, std::size_t{1} << 30, 0);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        // Nothing at all: some file systems report their files empty to this call; the
        // pieces tell a file that is empty.
        if (n == 0) {
            copied = written > 0;
            break;
        }
        if (errno == EINTR) continue;
        const bool unsupported = errno == EXDEV || errno == ENOSYS || errno == EINVAL ||
                                 errno == EOPNOTSUPP || errno == EBADF;
        if (written == 0 && unsupported) break;
        return fail(systemError());
    }
    while (!copied) {
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
    const std::string folder = directoryOf(to);
    auto unflushed = std::find(unflushedFolders_.begin(), unflushedFolders_.end(), folder);
    if (lazy_) {
        if (unflushed == unflushedFolders_.end()) unflushedFolders_.push_back(folder);
        return {};
    }
    // One flush makes the earlier lazy renames in the folder last too, and not after this
    // one: a journal keeps a folder's changes in their order.
    if (unflushed != unflushedFolders_.end()) unflushedFolders_.erase(unflushed);
    syncFolder(folder);
    return {};
}

void LocalFileSystem::syncFolder(const std::string& folder) {
    flushFolder(folder);
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

}  // namespace cardwise
