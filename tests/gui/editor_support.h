#pragma once

#include "core/editor/editor_controller.h"
#include "drill_support.h"
#include "gui/editor/editor_window.h"

namespace cardwise::testing {

// The program's drill with the pair editor and its window over it, handing the deck's
// close, the new deck and the end of a single-pair run over as the program does.
struct GuiEditor : GuiDrill {
    EditorController editor{program, controller};
    // No character map is looked for.
    gui::QtEditorWindow window{program, editor, windows, gui::CharacterMap({}, {})};

    bool closeEditor() override { return editor.deckClosing(); }
    void showEditorOnNewDeck(std::int32_t rememberedPair) override {
        editor.showOnNewDeck(rememberedPair);
    }
    void returnToEditor() override { editor.returnFromRun(); }

    template <class W>
    W* control(const char* name) {
        W* found = window.findChild<W*>(QString::fromLatin1(name));
        if (found == nullptr) ADD_FAILURE() << "no control " << name;
        return found;
    }
};

}  // namespace cardwise::testing
