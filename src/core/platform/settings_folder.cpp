#include "core/platform/settings_folder.h"

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

}  // namespace cardwise
