#include "core/platform/settings_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace cardwise {

std::optional<std::string> userSettingsFolder() {
    std::filesystem::path base;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (config != nullptr && config[0] == '/') {
        base = config;
    } else if (home != nullptr && home[0] == '/') {
        base = std::filesystem::path(home) / ".config";
    } else {
        return std::nullopt;
    }
    std::filesystem::path folder = base / "cardwise";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder, error)) return std::nullopt;
    return folder.string();
}

std::optional<std::string> userDataFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (data != nullptr && data[0] == '/') return (std::filesystem::path(data) / "cardwise").string();
    if (home != nullptr && home[0] == '/') {
        return (std::filesystem::path(home) / ".local/share/cardwise").string();
    }
    return std::nullopt;
}

std::optional<std::string> privateFolder(const std::string& path, bool create) {
    if (path.empty() || path.front() != '/') return std::nullopt;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        if (!create || errno != ENOENT) return std::nullopt;
        std::error_code error;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
        // mkdir does not follow a link put in our way, and a folder someone else made
        // meanwhile fails the checks below.
        if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
        if (::lstat(path.c_str(), &info) != 0) return std::nullopt;
    }
    const bool ours = S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
    if (!ours || (info.st_mode & (S_IRWXG | S_IRWXO)) != 0) return std::nullopt;
    return path;
}

std::optional<std::string> instanceSocketFolder(const char* runtimeDir, const char* cacheHome,
                                                const char* home) {
    if (runtimeDir != nullptr && runtimeDir[0] != '\0') {
        if (auto folder = privateFolder(runtimeDir, false)) return folder;
    }
    std::filesystem::path cache;
    if (cacheHome != nullptr && cacheHome[0] == '/') {
        cache = cacheHome;
    } else if (home != nullptr && home[0] == '/') {
        cache = std::filesystem::path(home) / ".cache";
    } else {
        return std::nullopt;
    }
    return privateFolder((cache / "cardwise").string(), true);
}

}  // namespace cardwise
