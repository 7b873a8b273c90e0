#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace cardwise {

struct FileResult {
    bool ok = true;
    std::string error;  // the system's reason when !ok

    static FileResult failure(std::string reason) { return FileResult{false, std::move(reason)}; }
};

// The file operations the core uses. Every write is atomic: the bytes go to a temporary
// file in the target's folder, are flushed to disk and renamed over the target, so a
// failed write leaves the old file exactly as it was.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual std::optional<std::string> readFile(const std::string& path) const = 0;
    virtual FileResult writeFile(const std::string& path, std::string_view bytes) = 0;
    virtual FileResult copyFile(const std::string& from, const std::string& to) = 0;
    virtual bool removeFile(const std::string& path) = 0;
    virtual bool fileExists(const std::string& path) const = 0;
    virtual bool directoryExists(const std::string& path) const = 0;
    // The read-only attribute: no write bit at all in the file's mode. Judged from the
    // mode so that it holds for a superuser too.
    virtual bool isReadOnlyFile(const std::string& path) const = 0;
    // Creates and deletes a probe file in the folder; false when the folder cannot be written.
    virtual bool canWriteInDirectory(const std::string& directory) = 0;
};

class LocalFileSystem : public FileSystem {
public:
    LocalFileSystem() = default;
    // For tests: every write fails after this many bytes reached the temporary file.
    explicit LocalFileSystem(std::size_t failWritesAfterBytes)
        : failAfter_(failWritesAfterBytes) {}

    std::optional<std::string> readFile(const std::string& path) const override;
    FileResult writeFile(const std::string& path, std::string_view bytes) override;
    FileResult copyFile(const std::string& from, const std::string& to) override;
    bool removeFile(const std::string& path) override;
    bool fileExists(const std::string& path) const override;
    bool directoryExists(const std::string& path) const override;
    bool isReadOnlyFile(const std::string& path) const override;
    bool canWriteInDirectory(const std::string& directory) override;

private:
    // Hands out the next piece of the file's bytes; an empty piece ends the file.
    using PieceSource = std::function<FileResult(std::string_view& piece)>;
    // The atomic write: a temporary file beside path, flushed to disk, renamed over path.
    FileResult writeFrom(const std::string& path, const PieceSource& next);

    std::optional<std::size_t> failAfter_;
};

// The probe file created to learn whether a folder can be written.
inline constexpr std::string_view kProbeFileName = "X2Y3Z1A4.ZZZ";

// Folder part of a path (without a trailing separator), "" when there is none.
std::string directoryOf(std::string_view path);
// Name part of a path, after the last '/' or '\'.
std::string fileNameOf(std::string_view path);
std::string joinPath(std::string_view directory, std::string_view name);
// A path that starts at the root; every other path is taken from some folder.
bool isAbsolutePath(std::string_view path);
// The path as seen from folder: an absolute path as it is, a relative one joined onto the
// folder (unless there is none).
std::string pathFrom(std::string_view folder, std::string_view path);

}  // namespace cardwise
