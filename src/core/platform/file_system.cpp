#include "core/platform/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <vector>

namespace cardwise {
namespace {

std::string systemError() { return std::strerror(errno); }

std::size_t lastSeparator(std::string_view path) {
    return path.find_last_of("/\\");
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

// Read in large blocks: decks run to megabytes, and byte-wise stream reading costs far more
// than the disk.
std::optional<std::string> LocalFileSystem::readFile(const std::string& path) const {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string bytes;
    if (st.st_size > 0) bytes.reserve(static_cast<std::size_t>(st.st_size));
    char block[65536];
    for (;;) {
        ssize_t n = ::read(fd, block, sizeof block);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        bytes.append(block, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

FileResult LocalFileSystem::writeFile(const std::string& path, std::string_view bytes) {
    return writeFrom(path, [&bytes](std::string_view& piece) {
        piece = bytes;
        bytes = {};
        return FileResult{};
    });
}

FileResult LocalFileSystem::writeFrom(const std::string& path, const PieceSource& next) {
    std::string dir = directoryOf(path);
    std::string pattern = joinPath(dir.empty() ? "." : dir, "." + fileNameOf(path) + ".XXXXXX");
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) return FileResult::failure(systemError());
    std::string tempPath(name.data());

    auto fail = [&](std::string reason) {
        ::close(fd);
        ::unlink(tempPath.c_str());
        return FileResult::failure(std::move(reason));
    };

    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat old {};
    mode_t mode = 0666;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    if (::fchmod(fd, mode) != 0) return fail(systemError());

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
        ::unlink(tempPath.c_str());
        return FileResult::failure(systemError());
    }
    if (::rename(tempPath.c_str(), path.c_str()) != 0) {
        std::string reason = systemError();
        ::unlink(tempPath.c_str());
        return FileResult::failure(reason);
    }
    return {};
}

// Copied block by block: a backup of a large deck would otherwise hold a second copy of
// the deck in memory while the deck itself is loaded.
FileResult LocalFileSystem::copyFile(const std::string& from, const std::string& to) {
    int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return FileResult::failure("Cannot read " + from + ": " + systemError());
    std::vector<char> block(65536);
    FileResult result = writeFrom(to, [&](std::string_view& piece) {
        for (;;) {
            ssize_t n = ::read(in, block.data(), block.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return FileResult::failure("Cannot read " + from + ": " + systemError());
            piece = std::string_view(block.data(), static_cast<std::size_t>(n));
            return FileResult{};
        }
    });
    ::close(in);
    return result;
}

bool LocalFileSystem::removeFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool LocalFileSystem::fileExists(const std::string& path) const {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool LocalFileSystem::directoryExists(const std::string& path) const {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
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
