#pragma once

#include <string>
#include <string_view>
#include <vector>

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

// The same for files written together: all of them were kept as they were, or, when an
// old file could not be put back, the reason says where it is.
inline bool reportIfFailed(UserInterface& ui, const std::vector<std::string>& paths,
                           const FileResult& result) {
    if (result.ok) return true;
    if (paths.size() == 1 && result.unchanged) return reportIfFailed(ui, paths.front(), result);
    std::string names;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (i > 0) names += i + 1 == paths.size() ? " And " : ", ";
        names += paths[i];
    }
    ui.message(kWriteErrorCaption,
               "Cardwise Could Not Write " + names + " (" + result.error + ").  " +
                   (result.unchanged ? "The Files On Disk Were All Left As They Were."
                                     : "Not Every Old File Could Be Put Back In Place; The "
                                       "Reason Above Names Where It Is Kept."),
               Icon::Error);
    return false;
}

}  // namespace cardwise
