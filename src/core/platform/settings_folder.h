#pragma once

#include <optional>
#include <string>

namespace cardwise {

// The per-user folder for the application settings file ($XDG_CONFIG_HOME/cardwise, else
// ~/.config/cardwise), created when missing. Empty when neither variable names a folder
// or the folder cannot be made.
std::optional<std::string> userSettingsFolder();

// The per-user data folder ($XDG_DATA_HOME/cardwise, else ~/.local/share/cardwise), not
// made here. Empty when neither variable names a folder.
std::optional<std::string> userDataFolder();

// A folder only this user can enter: a real folder (no link), owned by the user, with no
// permission for anyone else. A missing one is made with mode 0700 when `create` is set;
// one of ours that others may enter is refused, never loosened or reused. Nothing when the
// folder is not private.
std::optional<std::string> privateFolder(const std::string& path, bool create);

// Where the single-instance socket lives: $XDG_RUNTIME_DIR when it is private, else
// $XDG_CACHE_HOME/cardwise (~/.cache/cardwise), made private. Never a shared folder such
// as /tmp: nothing when neither is private.
std::optional<std::string> instanceSocketFolder(const char* runtimeDir, const char* cacheHome,
                                                const char* home);

}  // namespace cardwise
