#include "core/shell/app_settings.h"

#include <cstdint>

#include "core/deck/write_failure.h"
#include "core/program.h"

namespace cardwise {
namespace {

struct IntKey {
    std::string_view name;
    std::int32_t defaultValue;
    std::int32_t* value;
};

void flushReported(Program& program) {
    if (program.document.deferringSettings()) {
        program.document.settingsOwed = true;
        return;
    }
    reportIfFailed(program.ui(), program.appSettings.path(), program.appSettings.flush());
}

}  // namespace

bool settingsBesideProgram(Program& program) {
    const std::string& folder = program.programDirectory;
    return !folder.empty() &&
           program.files().fileExists(joinPath(folder, kPortableMarkerFileName)) &&
           program.files().canWriteInDirectory(folder);
}

bool locateAppSettings(Program& program, const std::optional<std::string>& userFolder) {
    FileSystem& files = program.files();
    const std::string& programFolder = program.programDirectory;
    std::string path;
    if (settingsBesideProgram(program)) {
        path = joinPath(programFolder, kAppSettingsFileName);
        if (userFolder && !files.fileExists(path)) {
            std::string userFile = joinPath(*userFolder, kAppSettingsFileName);
            if (files.fileExists(userFile)) {
                reportIfFailed(program.ui(), path, files.copyFile(userFile, path));
            }
        }
    } else {
        if (!userFolder) {
            program.ui().message("Error", "Could Not Find Windows Directory", Icon::Warning);
            return false;
        }
        path = joinPath(*userFolder, kAppSettingsFileName);
    }
    program.appSettings = ProfileFile(files, path);
    return true;
}

void readAppSettings(Program& program) {
    AppSettingsValues& app = program.shell.app;
    DeckSettings& settings = program.settings;
    const IntKey keys[] = {
        {"MainLeft", 10, &app.MainLeft},
        {"MainTop", 10, &app.MainTop},
        {"MainWidth", 535, &app.MainWidth},
        {"MainHeight", 240, &app.MainHeight},
        {"UseLastOpenDIR", 1, &settings.UseLastOpenDIR},
        {"UseStartDIR", 0, &settings.UseStartDIR},
        {"AutoSavePair", 0, &app.AutoSavePair},
        {"AutoResetPage", 1, &app.AutoResetPage},
        {"FileSaveI", 0, &app.FileSaveI},
    };
    ProfileFile& file = program.appSettings;
    for (const IntKey& key : keys) {
        std::int32_t value = file.read().readInt(kProfileSection, key.name, kMissingKeyMarker);
        if (value == kMissingKeyMarker) {
            value = key.defaultValue;
            file.edit().writeString(kProfileSection, key.name, std::to_string(value));
        }
        *key.value = value;
    }
    settings.StartDIR = file.read().readString(kProfileSection, "StartDIR", "");
    if (settings.StartDIR.empty()) file.edit().writeString(kProfileSection, "StartDIR", "");
    flushReported(program);
}

void writeAppSetting(Program& program, std::string_view key, std::int32_t value) {
    program.appSettings.edit().writeString(kProfileSection, key, std::to_string(value));
    flushReported(program);
}

void storeMainWindowPlace(Program& program, int left, int top, int width, int height) {
    AppSettingsValues& app = program.shell.app;
    app.MainLeft = left;
    app.MainTop = top;
    app.MainWidth = width;
    app.MainHeight = height;
    Profile& profile = program.appSettings.edit();
    profile.writeString(kProfileSection, "MainLeft", std::to_string(left));
    profile.writeString(kProfileSection, "MainTop", std::to_string(top));
    profile.writeString(kProfileSection, "MainHeight", std::to_string(height));
    profile.writeString(kProfileSection, "MainWidth", std::to_string(width));
    flushReported(program);
}

std::string fileDialogDirectory(const Program& program) {
    if (program.settings.UseLastOpenDIR == 1) return directoryOf(program.shell.recentFiles[0]);
    if (program.settings.UseStartDIR == 1) return program.settings.StartDIR;
    return {};
}

}  // namespace cardwise
