#include "core/shell/recent_decks.h"

#include <algorithm>

#include "core/deck/write_failure.h"
#include "core/program.h"
#include "core/shell/app_settings.h"

namespace cardwise {
namespace {

std::string slotKey(int slot) {
    return "UsedFilePath" + std::to_string(slot);
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

}  // namespace

void loadRecentDecks(Program& program) {
    const Profile& profile = program.appSettings.read();
    for (int slot = 1; slot <= kRecentSlots; ++slot) {
        program.shell.recentFiles[static_cast<std::size_t>(slot - 1)] =
            profile.readString(kProfileSection, slotKey(slot), "");
    }
}

void addRecentDeck(Program& program, const std::string& path) {
    if (path.empty()) return;
    loadRecentDecks(program);
    auto& slots = program.shell.recentFiles;
    auto found = std::find(slots.begin(), slots.end(), path);
    // Everything above the name's old slot (or the whole list) moves down one place.
    auto last = found == slots.end() ? slots.end() - 1 : found;
    std::move_backward(slots.begin(), last, last + 1);
    slots.front() = path;

    Profile& profile = program.appSettings.edit();
    for (int slot = 1; slot <= kRecentSlots; ++slot) {
        const std::string& entry = slots[static_cast<std::size_t>(slot - 1)];
        if (!entry.empty()) profile.writeString(kProfileSection, slotKey(slot), entry);
    }
    if (program.document.deferringSettings()) {
        program.document.settingsOwed = true;
    } else {
        reportIfFailed(program.ui(), program.appSettings.path(),
                       program.appSettings.flushLazily());
    }
    rebuildRecentMenu(program);
}

void rebuildRecentMenu(Program& program) {
    for (int slot = 1; slot <= kRecentSlots; ++slot) {
        auto index = static_cast<std::size_t>(slot - 1);
        const std::string& entry = program.shell.recentFiles[index];
        if (entry.empty()) continue;
        RecentMenuItem& item = program.shell.recentMenu[index];
        item.caption = recentMenuCaption(slot, entry);
        item.visible = true;
    }
    program.frontEnd().mainMenuChanged();
}

std::string recentMenuCaption(int slot, std::string_view path) {
    std::string shown;
    // A '&' in a path is shown as itself, not taken as the item's access key.
    for (char c : shortenedPath(path)) {
        shown += c;
        if (c == '&') shown += '&';
    }
    return "&" + std::to_string(slot) + "  " + shown;
}

std::string shortenedPath(std::string_view path) {
    std::size_t separators =
        static_cast<std::size_t>(std::count_if(path.begin(), path.end(), isSeparator));
    if (separators <= 2) return std::string(path);
    std::size_t second = 0;
    for (std::size_t i = 0, seen = 0; i < path.size(); ++i) {
        if (isSeparator(path[i]) && ++seen == 2) {
            second = i;
            break;
        }
    }
    std::size_t lastSep = path.find_last_of("\\/");
    return std::string(path.substr(0, second + 1)) + "..." + std::string(path.substr(lastSep));
}

}  // namespace cardwise
