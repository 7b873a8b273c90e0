#pragma once

#include <set>
#include <string>
#include <vector>

#include "core/platform/file_system.h"

namespace cardwise::testing {

// The real file system with faults on demand: one folder that behaves as a read-only disk
// (nothing written, copied to or removed in it, whoever runs the tests; a superuser
// ignores the permission bits of a real folder), a switch that makes every write fail, a
// file that cannot be read, and failures at chosen steps of a write (each temporary file
// written, old file kept and rename counts as one step, from 1).
class FaultyFileSystem : public LocalFileSystem {
  public:
    std::string readOnlyFolder;
    bool failWrites = false;
    std::string unreadableFile;
    std::set<int> failingSteps;
    int steps = 0;            // steps taken so far
    std::string stepsFolder;  // when set, only steps on files in this folder count

    std::optional<std::string> readFile(const std::string& path) const override {
        if (path == unreadableFile) return std::nullopt;
        return LocalFileSystem::readFile(path);
    }

    FileResult writeFile(const std::string& path, std::string_view bytes) override {
        if (auto refusal = refuse(path)) return *refusal;
        return LocalFileSystem::writeFile(path, bytes);
    }
    FileResult writeFiles(const std::vector<FileWrite>& writes) override {
        for (const FileWrite& write : writes) {
            if (auto refusal = refuse(write.path)) return *refusal;
        }
        return LocalFileSystem::writeFiles(writes);
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

  protected:
    FileResult writeTemporary(const std::string& target, const PieceSource& next,
                              std::string& temporary) override {
        if (failsAt(target)) return FileResult::failure("Input/output error");
        return LocalFileSystem::writeTemporary(target, next, temporary);
    }
    FileResult keepOldFile(const std::string& path, std::string& kept) override {
        if (failsAt(path)) return FileResult::failure("Input/output error");
        return LocalFileSystem::keepOldFile(path, kept);
    }
    FileResult renameFile(const std::string& from, const std::string& to) override {
        if (failsAt(to)) return FileResult::failure("Input/output error");
        return LocalFileSystem::renameFile(from, to);
    }

  private:
    bool failsAt(const std::string& path) {
        if (!stepsFolder.empty() && directoryOf(path) != stepsFolder) return false;
        return failingSteps.count(++steps) != 0;
    }
    std::optional<FileResult> refuse(const std::string& path) const {
        if (failWrites) return FileResult::failure("No space left on device");
        if (!readOnlyFolder.empty() && directoryOf(path) == readOnlyFolder) {
            return FileResult::failure("Read-only file system");
        }
        return std::nullopt;
    }
};

}  // namespace cardwise::testing
