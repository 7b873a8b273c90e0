#pragma once

// The steps of the local file system that more than one of its files takes: reading and
// paths (file_system), atomic writes (atomic_write) and their commit records
// (commit_record).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/file_system.h"

namespace cardwise::file_steps {

std::string systemError();

// Hands out the file behind fd block by block.
std::function<FileResult(std::string_view&)> readerOf(int fd, const std::string& path,
                                                      std::vector<char>& block);

void syncFolderOf(const std::string& path);
void flushFolder(const std::string& folder);  // "" is the current folder

// One file of a write of several, as its commit record names it (names within one folder).
struct CommitEntry {
    std::string file;
    std::string temporary;  // the new bytes
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    // The kept old copy; kNoOldFile when the file did not exist, kOldFileNotKept when it
    // was not kept (the last file, whose rename completes the write).
    std::string kept;
};
inline constexpr std::string_view kNoOldFile = "-";
inline constexpr std::string_view kOldFileNotKept = "*";

std::string commitRecordText(const std::vector<CommitEntry>& entries);

}  // namespace cardwise::file_steps
