#include "core/editor/editor_controller.h"

#include "core/program.h"

namespace cardwise {

EditorController::EditorController(Program& program, DrillController& drill)
    : program_(program), drill_(drill) {}

bool EditorController::shown() const { return program_.editor.shown; }
void EditorController::EditCurrentPairClick() {}
void EditorController::InsertNewPairClick() {}
void EditorController::DeleteCurrentPairClick() {}
void EditorController::OpenInEditorClick() {}
bool EditorController::moveMenuItemsEnabled() const { return program_.editor.shown; }
void EditorController::showOnNewDeck(std::int32_t) {}
void EditorController::returnFromRun() {}
void EditorController::deckClosing() {}
void EditorController::formEdited(const EditorForm&) {}
void EditorController::BBSaveClick() {}
void EditorController::BBAddPairClick() {}
void EditorController::BBDeletePairClick() {}
void EditorController::BBDownClick() {}
void EditorController::BBUpClick() {}
bool EditorController::BBGoToPairClick(std::string_view) { return true; }
void EditorController::BBRunPairClick() {}
bool EditorController::BBCloseClick() { return true; }
void EditorController::BBFindClick() {}
void EditorController::findClick(const FindState&, FindButton) {}
void EditorController::CBAutoSavePairClick(bool) {}
void EditorController::CBAutoResetPageClick(bool) {}
void EditorController::CBFileSaveIClick(bool) {}
void EditorController::NotebookPageChanged(EditorPage) {}
void EditorController::browse(FileBox) {}
void EditorController::play(EditorSide) {}
void EditorController::display(EditorSide) {}

}  // namespace cardwise
