#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cardwise {

struct FileResult {
    bool ok = true;
    std::string error;  // the system's reason when !ok
    // False only after a failed write of several files that could not put every old file
    // back; error then says where the old ones are kept.
    bool unchanged = true;

    static FileResult failure(std::string reason) {
        return FileResult{false, std::move(reason), true};
    }
};

// One file of a write that changes several files together.
struct FileWrite {
    std::string path;
    std::string_view bytes;
};

// What identifies one version of a file on disk: a file replaced, rewritten or touched
// since gets another stamp.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t mtimeNs = 0;  // nanoseconds since the epoch
    bool operator==(const FileStamp&) const = default;
};

// How createNewFile ended.
enum class NewFile {
    Created,
    Exists,  // a file of that name was there already and was left as it was
    Failed,  // the file system could not create it (or cannot create files exclusively)
};

// A file read from start to end, piece by piece.
class FileReader {
  public:
    virtual ~FileReader() = default;
    // The next piece of the file, valid until the next call; empty at the end, nothing when
    // reading failed.
    virtual std::optional<std::string_view> next() = 0;
};

// The file operations the core uses. Every write is atomic: the bytes go to a temporary
// file in the target's folder, are flushed to disk and renamed over the target, so a
// failed write leaves the old file exactly as it was.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // The whole of a regular file; nothing for a folder, a FIFO or a device, which would
    // never end or block the program.
    virtual std::optional<std::string> readFile(const std::string& path) const = 0;
    // The same files, read piece by piece so that a large one never sits in memory whole;
    // nothing when it cannot be opened. A file system that keeps its files in memory hands
    // out readFile's bytes in one piece.
    virtual std::unique_ptr<FileReader> openFile(const std::string& path) const;
    virtual FileResult writeFile(const std::string& path, std::string_view bytes) = 0;
    // All or nothing for a set of files that belong together: either every file holds its
    // new bytes or every file is as it was (a file that did not exist does not exist).
    virtual FileResult writeFiles(const std::vector<FileWrite>& writes) = 0;
    // The size in bytes, or nothing when the file cannot be examined.
    virtual std::optional<std::uint64_t> fileSize(const std::string& path) const = 0;
    virtual FileResult copyFile(const std::string& from, const std::string& to) = 0;
    // The same writes, except that the new file's name is only sure to outlast a crash once
    // a later write into the same folder has waited for the disk (or the file system is
    // closed): a crash before leaves the old file or the new one, each whole, and spares a
    // wait for the disk. For copies that matter only once a file beside them is saved over
    // (the backups), and for bookkeeping such as the recent decks.
    virtual FileResult writeFilesLazily(const std::vector<FileWrite>& writes) {
        return writeFiles(writes);
    }
    virtual FileResult copyFileLazily(const std::string& from, const std::string& to) {
        return copyFile(from, to);
    }
    virtual bool removeFile(const std::string& path) = 0;
    virtual bool fileExists(const std::string& path) const = 0;
    virtual bool directoryExists(const std::string& path) const = 0;
    // The names in a folder (no "." or ".."); empty when it cannot be read. A file system
    // that cannot list folders finds files by their exact names only.
    virtual std::vector<std::string> directoryEntries(const std::string& /*directory*/) const {
        return {};
    }
    // The read-only attribute: no write bit at all in the file's mode. Judged from the
    // mode so that it holds for a superuser too.
    virtual bool isReadOnlyFile(const std::string& path) const = 0;
    // Creates and deletes a probe file in the folder; false when the folder cannot be written.
    virtual bool canWriteInDirectory(const std::string& directory) = 0;

    // The stamp of the file a path names (through links); nothing when it cannot be
    // examined or the file system keeps no stamps.
    virtual std::optional<FileStamp> stamp(const std::string& /*path*/) const {
        return std::nullopt;
    }
    // Creates path holding bytes unless a file of that name exists; of two processes that
    // try at once, exactly one gets Created. The file never exists without its bytes where
    // the file system has hard links; it is not flushed to the disk (a crash may lose it).
    virtual NewFile createNewFile(const std::string& /*path*/, std::string_view /*bytes*/) {
        return NewFile::Failed;
    }
    // Finishes, or else undoes, a write of several of these files that was cut short (the
    // process killed between its renames), so that the files match again; then removes
    // the temporary files earlier writes of these files left behind. Nothing but these
    // files and their own temporaries is touched. Only while no other process writes them.
    virtual FileResult recoverInterruptedWrites(const std::vector<std::string>& /*paths*/) {
        return {};
    }
};

class LocalFileSystem : public FileSystem {
  public:
    LocalFileSystem() = default;
    // For tests: every write fails after this many bytes reached the temporary file.
    explicit LocalFileSystem(std::size_t failWritesAfterBytes) : failAfter_(failWritesAfterBytes) {}
    ~LocalFileSystem() override { flushLazyWrites(); }
    LocalFileSystem(const LocalFileSystem&) = delete;
    LocalFileSystem& operator=(const LocalFileSystem&) = delete;

    std::optional<std::string> readFile(const std::string& path) const override;
    std::unique_ptr<FileReader> openFile(const std::string& path) const override;
    FileResult writeFile(const std::string& path, std::string_view bytes) override;
    // Every new file is written to a temporary file and flushed first; the old files are
    // kept under temporary names (hard links, copies where links are not supported) until
    // the last new one is in place, and are put back when any step fails.
    FileResult writeFiles(const std::vector<FileWrite>& writes) override;
    std::optional<std::uint64_t> fileSize(const std::string& path) const override;
    FileResult copyFile(const std::string& from, const std::string& to) override;
    FileResult writeFilesLazily(const std::vector<FileWrite>& writes) override;
    FileResult copyFileLazily(const std::string& from, const std::string& to) override;
    // Flushes the folders of lazy writes that no later write flushed.
    void flushLazyWrites();
    bool removeFile(const std::string& path) override;
    bool fileExists(const std::string& path) const override;
    bool directoryExists(const std::string& path) const override;
    std::vector<std::string> directoryEntries(const std::string& directory) const override;
    bool isReadOnlyFile(const std::string& path) const override;
    bool canWriteInDirectory(const std::string& directory) override;
    std::optional<FileStamp> stamp(const std::string& path) const override;
    NewFile createNewFile(const std::string& path, std::string_view bytes) override;
    // A write of several files in one folder first leaves a commit record beside the first
    // of them (commitRecordNameOf): each file with its new temporary and its kept old copy.
    // It is flushed before the first rename and removed after the last step.
    FileResult recoverInterruptedWrites(const std::vector<std::string>& paths) override;

  protected:
    // Hands out the next piece of the file's bytes; an empty piece ends the file.
    using PieceSource = std::function<FileResult(std::string_view& piece)>;

    // The steps a write is made of, each a place where a test double can fail.
    // Writes a new temporary file beside target, with target's mode (a new file gets the
    // usual mode for the user's umask), flushed to disk; names it in temporary.
    virtual FileResult writeTemporary(const std::string& target, const PieceSource& next,
                                      std::string& temporary);
    // Keeps the file at path under a new temporary name beside it, named in kept.
    virtual FileResult keepOldFile(const std::string& path, std::string& kept);
    // Renames from over to, then flushes the folder so that the rename lasts (in a lazy
    // write, leaves that to the folder's next flush).
    virtual FileResult renameFile(const std::string& from, const std::string& to);
    // Makes the renames in a folder last.
    virtual void syncFolder(const std::string& folder);

  private:
    struct PendingWrite {
        std::string target;
        PieceSource next;
    };
    FileResult commit(const std::vector<PendingWrite>& writes);
    struct LazyWrites {
        explicit LazyWrites(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
        ~LazyWrites() { flag_ = was_; }
        LazyWrites(const LazyWrites&) = delete;
        LazyWrites& operator=(const LazyWrites&) = delete;
        bool& flag_;
        const bool was_;
    };

    std::optional<std::size_t> failAfter_;
    bool lazy_ = false;
    // The file copyFile copies, for writeTemporary to copy in the kernel; -1 for none.
    int copySource_ = -1;
    // Folders holding renames of lazy writes that no flush has covered yet.
    std::vector<std::string> unflushedFolders_;
};

// The commit record of a write of several files whose first file is target.
std::string commitRecordNameOf(const std::string& target);

// The file a path finally names: symbolic links followed (a chain too, a relative target
// taken from the link's folder). The path itself when it is no link or does not exist;
// nothing for a loop of links.
std::optional<std::string> resolveLinks(const std::string& path);

// A file of at most maxBytes, read whole, or why not: a larger file is not read at all.
struct BoundedRead {
    std::optional<std::string> bytes;
    bool tooLarge = false;
};
BoundedRead readFileUpTo(const FileSystem& files, const std::string& path, std::uint64_t maxBytes);

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
