#include "core/shell/editor_check_boxes.h"

#include "core/editor/editor_controller.h"
#include "core/program.h"
#include "core/shell/app_settings.h"

namespace cardwise {

void editorCheckBoxClick(Program& program, EditorController& editor, EditorCheckBox box,
                         bool checked) {
    AppSettingsValues& app = program.shell.app;
    const std::int32_t value = checked ? 1 : 0;
    switch (box) {
        case EditorCheckBox::CBAutoSavePair:
            writeAppSetting(program, "AutoSavePair", app.AutoSavePair = value);
            break;
        case EditorCheckBox::CBAutoResetPage:
            writeAppSetting(program, "AutoResetPage", app.AutoResetPage = value);
            break;
        case EditorCheckBox::CBFileSaveI:
            writeAppSetting(program, "FileSaveI", app.FileSaveI = value);
            break;
    }
    editor.refresh();
}

}  // namespace cardwise
