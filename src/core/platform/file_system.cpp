#include "core/platform/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <random>
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

}  // namespace

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
    std::string bytes;
    if (::fstat(fd, &st) == 0 && st.st_size > 0) bytes.reserve(static_cast<std::size_t>(st.st_size));
    LocalFileReader reader(fd);
    for (;;) {
        const std::optional<std::string_view> piece = reader.next();
        if (!piece) return std::nullopt;
        if (piece->empty()) return bytes;
        bytes.append(*piece);
    }
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
    struct Step {
        std::string temporary;
        std::string kept;
        bool existed = false;
        bool replaced = false;
    };
    std::vector<Step> steps(writes.size());
    auto removeLeftovers = [&steps] {
        for (Step& step : steps) {
            if (!step.temporary.empty()) ::unlink(step.temporary.c_str());
            if (!step.kept.empty()) ::unlink(step.kept.c_str());
        }
    };

    // Every new file is complete on disk before any old one is touched.
    for (std::size_t i = 0; i < writes.size(); ++i) {
        FileResult written = writeTemporary(writes[i].target, writes[i].next, steps[i].temporary);
        if (!written.ok) {
            removeLeftovers();
            return written;
        }
    }
    // Nothing can fail after the last rename, so the last old file needs no keeping.
    for (std::size_t i = 0; i + 1 < writes.size(); ++i) {
        struct stat st {};
        steps[i].existed = ::lstat(writes[i].target.c_str(), &st) == 0;
        if (!steps[i].existed) continue;
        FileResult kept = keepOldFile(writes[i].target, steps[i].kept);
        if (!kept.ok) {
            removeLeftovers();
            return kept;
        }
    }
    for (std::size_t i = 0; i < writes.size(); ++i) {
        FileResult renamed = renameFile(steps[i].temporary, writes[i].target);
        if (renamed.ok) {
            steps[i].temporary.clear();
            steps[i].replaced = true;
            continue;
        }
        // Put back what was replaced; an old file that cannot go back stays where it was kept.
        for (std::size_t j = 0; j < i; ++j) {
            Step& step = steps[j];
            const std::string& target = writes[j].target;
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
        removeLeftovers();
        return renamed;
    }
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

    // Keep the permissions of the file being replaced.
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
