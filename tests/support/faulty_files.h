#pragma once

#include <string>

#include "core/platform/file_system.h"

namespace cardwise::testing {

// The real file system with faults on demand: one folder that behaves as a read-only disk
// (nothing written, copied to or removed in it, whoever runs the tests; a superuser
// ignores the permission bits of a real folder), a switch that makes every write fail, and
// a file that cannot be read.
class FaultyFileSystem : public LocalFileSystem {
  public:
    std::string readOnlyFolder;
    bool failWrites = false;
    std::string unreadableFile;

    std::optional<std::string> readFile(const std::string& path) const override {
        if (path == unreadableFile) return std::nullopt;
        return LocalFileSystem::readFile(path);
    }

    FileResult writeFile(const std::string& path, std::string_view bytes) override {
        if (auto refusal = refuse(path)) return *refusal;
        return LocalFileSystem::writeFile(path, bytes);
    }
    FileResult copyFile(const std::string& from, const std::string& to) override {
        if (auto refusal = refuse(to)) return *refusal;
        return LocalFileSystem::copyFile(from, to);
    }
    bool removeFile(const std::string& path) override {
        return !refuse(path) && LocalFileSystem::removeFile(path);
    }
    bool canWriteInDirectory(const std::string& directory) override {
        return directory != readOnlyFolder && LocalFileSystem::canWriteInDirectory(directory);
    }

  private:
    std::optional<FileResult> refuse(const std::string& path) const {
        if (failWrites) return FileResult::failure("No space left on device");
        if (!readOnlyFolder.empty() && directoryOf(path) == readOnlyFolder) {
            return FileResult::failure("Read-only file system");
        }
        return std::nullopt;
    }
};

}  // namespace cardwise::testing
