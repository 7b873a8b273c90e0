#include "core/platform/file_system.h"

#include "core/platform/file_system_steps.h"
#include "core/platform/large_block.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace cardwise {
namespace {

std::size_t lastSeparator(std::string_view path) {
    return path.find_last_of("/\\");
}

}  // namespace

std::string file_steps::systemError() {
    return std::strerror(errno);
}

std::function<FileResult(std::string_view&)> file_steps::readerOf(int fd, const std::string& path,
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

using file_steps::readerOf;
using file_steps::systemError;

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
    // The one temporary file this write makes copies straight from the file.
    copySource_ = in;
    FileResult result = commit({PendingWrite{to, readerOf(in, from, block)}});
    copySource_ = -1;
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
