#include "cli/memory_writes_file_system.h"

#include <unistd.h>

namespace cardwise::cli {

std::optional<std::string> MemoryWritesFileSystem::readFile(const std::string& path) const {
    auto found = changed_.find(path);
    if (found != changed_.end()) return found->second;
    return disk_.readFile(path);
}

bool MemoryWritesFileSystem::folderOfExists(const std::string& path) const {
    return directoryExists(directoryOf(path).empty() ? "." : directoryOf(path));
}

FileResult MemoryWritesFileSystem::writeFile(const std::string& path, std::string_view bytes) {
    if (!folderOfExists(path)) return FileResult::failure("No such file or directory");
    changed_[path] = std::string(bytes);
    return {};
}

// Memory writes cannot fail half-way: every folder is checked before anything changes.
FileResult MemoryWritesFileSystem::writeFiles(const std::vector<FileWrite>& writes) {
    for (const FileWrite& write : writes) {
        if (!folderOfExists(write.path)) return FileResult::failure("No such file or directory");
    }
    for (const FileWrite& write : writes) changed_[write.path] = std::string(write.bytes);
    return {};
}

std::optional<std::uint64_t> MemoryWritesFileSystem::fileSize(const std::string& path) const {
    auto found = changed_.find(path);
    if (found == changed_.end()) return disk_.fileSize(path);
    if (!found->second) return std::nullopt;
    return found->second->size();
}

FileResult MemoryWritesFileSystem::copyFile(const std::string& from, const std::string& to) {
    auto bytes = readFile(from);
    if (!bytes) return FileResult::failure("Cannot read " + from);
    if (!folderOfExists(to)) return FileResult::failure("No such file or directory");
    // Moved, not copied: a backup of the largest deck would otherwise be held twice.
    changed_[to] = std::move(*bytes);
    return {};
}

bool MemoryWritesFileSystem::removeFile(const std::string& path) {
    if (!fileExists(path)) return false;
    changed_[path] = std::nullopt;
    return true;
}

bool MemoryWritesFileSystem::fileExists(const std::string& path) const {
    auto found = changed_.find(path);
    if (found != changed_.end()) return found->second.has_value();
    return disk_.fileExists(path);
}

bool MemoryWritesFileSystem::directoryExists(const std::string& path) const {
    return disk_.directoryExists(path);
}

bool MemoryWritesFileSystem::isReadOnlyFile(const std::string& path) const {
    if (changed_.count(path) != 0) return false;
    return disk_.isReadOnlyFile(path);
}

bool MemoryWritesFileSystem::canWriteInDirectory(const std::string& directory) {
    return ::access(directory.empty() ? "." : directory.c_str(), W_OK) == 0;
}

std::vector<std::string> MemoryWritesFileSystem::changedPaths() const {
    std::vector<std::string> paths;
    for (const auto& entry : changed_) paths.push_back(entry.first);
    return paths;
}

}  // namespace cardwise::cli
