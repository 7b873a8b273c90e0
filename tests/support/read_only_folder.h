#pragma once

#include <string>

#include "core/platform/file_system.h"

namespace cardwise::testing {

// The real file system with one folder behaving as a read-only disk: nothing can be
// written, copied to or removed in it, whoever runs the tests (a superuser ignores the
// permission bits of a real folder).
class ReadOnlyFolderFileSystem : public LocalFileSystem {
public:
    explicit ReadOnlyFolderFileSystem(std::string folder) : folder_(std::move(folder)) {}

    FileResult writeFile(const std::string& path, std::string_view bytes) override {
        if (inside(path)) return FileResult::failure("Read-only file system");
        return LocalFileSystem::writeFile(path, bytes);
    }
    FileResult copyFile(const std::string& from, const std::string& to) override {
        if (inside(to)) return FileResult::failure("Read-only file system");
        return LocalFileSystem::copyFile(from, to);
    }
    bool removeFile(const std::string& path) override {
        return !inside(path) && LocalFileSystem::removeFile(path);
    }
    bool canWriteInDirectory(const std::string& directory) override {
        return directory != folder_ && LocalFileSystem::canWriteInDirectory(directory);
    }

private:
    bool inside(const std::string& path) const { return directoryOf(path) == folder_; }
    std::string folder_;
};

}  // namespace cardwise::testing
