#include "core/editor/editor_controller.h"

#include "core/program.h"

namespace cardwise {

EditorController::EditorController(Program& program, DrillController& drill)
    : program_(program), files_(program), navigation_(program, drill, files_) {}

bool EditorController::shown() const {
    return program_.editor.shown;
}

GoToPairRoute EditorController::goToPairRoute() const {
    return shown() ? GoToPairRoute::Editor : GoToPairRoute::Drill;
}

bool EditorController::BBGoToPairClick(std::string_view entry) {
    navigation_.goToPair(entry);
    return true;
}

void EditorController::BBFindClick() {
    if (EditorWindow* window = navigation_.window()) window->showFindDialog();
}

void EditorController::NotebookPageChanged(EditorPage page) {
    navigation_.view().focus =
        page == EditorPage::AnswerText && navigation_.form().AMemo == kNewAnswerPrompt
            ? EditorFocus::AnswerMemoSelectAll
            : EditorFocus::None;
}

void EditorController::browse(FileBox box) {
    if (std::optional<EditorForm> form = files_.browse(box, navigation_.form())) {
        navigation_.formEdited(*form);
    }
}

void EditorController::play(EditorSide side) {
    files_.play(side, navigation_.form(), navigation_.loaded());
}

void EditorController::display(EditorSide side) {
    EditorWindow* window = navigation_.window();
    std::optional<std::string> file =
        files_.display(side, navigation_.form(), navigation_.loaded());
    if (!file || window == nullptr) return;
    window->hidePictureViewer();
    window->showPicture(*file);
}

}  // namespace cardwise
