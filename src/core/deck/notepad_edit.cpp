#include "core/deck/notepad_edit.h"

#include "core/deck/deck_session.h"
#include "core/deck/load_steps.h"
#include "core/deck/setup_file.h"
#include "core/platform/external_editor.h"

namespace cardwise {
namespace {

// Runs the editor on the file with NotePadOpen set; false (after telling the user) when
// no editor could be started.
bool runEditor(DeckSession& program, const std::string& path) {
    // The backups keep the deck as it was opened, before the user's edits.
    finishLoadWrites(program);
    program.NotePadOpen = true;
    FileResult result = program.platform.editor.editAndWait(path);
    program.NotePadOpen = false;
    if (result.ok) return true;
    program.ui().message("Text Editor Error",
                         "Cardwise Could Not Start A Text Editor On " + path + " (" + result.error +
                             ").  Set VISUAL Or EDITOR To The Editor You Want To Use.",
                         Icon::Error);
    return false;
}

}  // namespace

void OpenSetupInNotePad(DeckSession& program) {
    if (program.NotePadOpen) {
        program.ui().message("Already Open", "The Current .DKD File Is Already Open In NotePad",
                             Icon::Warning);
        return;
    }
    if (!runEditor(program, program.deck.SetupFileName)) return;
    program.NotePadOpen = true;
    program.setupFile.reload();
    ReadSetUp(program);
    program.NotePadOpen = false;
}

void EditFileClick(DeckSession& program) {
    if (program.NotePadOpen) {
        program.ui().message("Already Open", "The Current .DKS File Is Already Open In NotePad",
                             Icon::Warning);
        return;
    }
    program.ui().message(
        "Editor Warning",
        "Changes Made With NotePad Will Not Take Effect Until The .DKS File Is Closed And "
        "Reopened. Any Changes Made With NotePad Will Be Overwritten If The Cardwise Editor Has "
        "Been Used AT ANY TIME While The Current .DKS File Has Been Open.  We Recommend Using "
        "The Cardwise Editor For More Robust And Error-Checked Performance, Reserving NotePad "
        "For Inspection Rather Than Editing. ",
        Icon::Warning);
    if (program.deck.LoadOutcome == 1) WriteSetUp(program);
    runEditor(program, program.deck.QAFileName);
}

}  // namespace cardwise
