#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cardwise {

struct Program;

inline constexpr std::string_view kProfileSection = "CARDWISE";
inline constexpr std::string_view kAppSettingsFileName = "CARDWISE.INI";
// Read as the default of an integer key, it tells that the key is missing.
inline constexpr int kMissingKeyMarker = 30000;

// A file of this name beside the program makes it a portable copy that keeps its settings
// file in its own folder. Without it the folder is never written: an installed program's
// folder belongs to the system, even when the user (root) could write there.
inline constexpr std::string_view kPortableMarkerFileName = "CARDWISE.PORTABLE";

// Whether the program keeps its settings file in its own folder: the folder holds the
// portable marker and can be written.
bool settingsBesideProgram(Program& program);

// Finds the application settings file and binds program.appSettings to it: the program's
// folder when settingsBesideProgram(), otherwise userFolder. A file found only in
// userFolder is first copied into the program's folder. When the user folder is needed and
// there is none, the warning is shown and false returned: the program must end with exit
// code 1.
bool locateAppSettings(Program& program, const std::optional<std::string>& userFolder);

// Reads every key into program.shell.app and the three directory settings of
// program.settings. A missing key takes its default, which is written back at once.
void readAppSettings(Program& program);

// Writes one integer key of the application settings file at once (the editor's check
// boxes); a failure is reported.
void writeAppSetting(Program& program, std::string_view key, std::int32_t value);

// Stores the main window's position and size (when the main window closes).
void storeMainWindowPlace(Program& program, int left, int top, int width, int height);

// The folder the deck file dialogs start in: the most recent deck's when UseLastOpenDIR
// is 1, else StartDIR when UseStartDIR is 1, else none.
std::string fileDialogDirectory(const Program& program);

}  // namespace cardwise
