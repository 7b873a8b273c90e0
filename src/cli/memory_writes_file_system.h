#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/file_system.h"

namespace cardwise::cli {

// Lets the core open a deck exactly as the program does while nothing reaches the disk:
// writes, copies and removals land in memory and later reads see them, so the load runs
// its usual course (setup data file created, default status lines, backups) without
// changing a byte. Whether a folder could be written is judged without a probe file.
class MemoryWritesFileSystem : public FileSystem {
  public:
    explicit MemoryWritesFileSystem(FileSystem& disk) : disk_(disk) {}

    std::optional<std::string> readFile(const std::string& path) const override;
    FileResult writeFile(const std::string& path, std::string_view bytes) override;
    FileResult writeFiles(const std::vector<FileWrite>& writes) override;
    std::optional<std::uint64_t> fileSize(const std::string& path) const override;
    FileResult copyFile(const std::string& from, const std::string& to) override;
    bool removeFile(const std::string& path) override;
    bool fileExists(const std::string& path) const override;
    bool directoryExists(const std::string& path) const override;
    bool isReadOnlyFile(const std::string& path) const override;
    bool canWriteInDirectory(const std::string& directory) override;

    // The paths the core changed, in path order.
    std::vector<std::string> changedPaths() const;

  private:
    bool folderOfExists(const std::string& path) const;
    FileSystem& disk_;
    // nullopt marks a removed file.
    std::map<std::string, std::optional<std::string>> changed_;
};

}  // namespace cardwise::cli
