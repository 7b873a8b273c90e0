#pragma once

namespace cardwise {

struct Program;
class EditorController;

// The editor's three check boxes, kept in the application settings file.
enum class EditorCheckBox { CBAutoSavePair, CBAutoResetPage, CBFileSaveI };

// A check box was clicked: the setting takes its state and is written to the settings file
// at once, and the editor's view shows it.
void editorCheckBoxClick(Program& program, EditorController& editor, EditorCheckBox box,
                         bool checked);

}  // namespace cardwise
