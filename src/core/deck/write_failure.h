#pragma once

#include <string>
#include <string_view>

#include "core/platform/file_system.h"
#include "core/platform/user_interface.h"

namespace cardwise {

inline constexpr std::string_view kWriteErrorCaption = "File Write Error";

// Tells the user that a file could not be written and that the old one was kept.
// Returns result.ok so callers can write `if (!reportIfFailed(...)) return;`.
inline bool reportIfFailed(UserInterface& ui, const std::string& path, const FileResult& result) {
    if (result.ok) return true;
    ui.message(kWriteErrorCaption,
               "Cardwise Could Not Write " + path + " (" + result.error +
                   ").  The File On Disk Was Left As It Was.",
               Icon::Error);
    return false;
}

}  // namespace cardwise
