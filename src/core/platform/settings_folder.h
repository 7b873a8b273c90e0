#pragma once

#include <optional>
#include <string>

namespace cardwise {

// The per-user folder for the application settings file ($XDG_CONFIG_HOME/cardwise, else
// ~/.config/cardwise), created when missing. Empty when neither variable names a folder
// or the folder cannot be made.
std::optional<std::string> userSettingsFolder();

}  // namespace cardwise
