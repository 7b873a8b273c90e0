#pragma once

#include <cstdint>

namespace cardwise {

// Where the core hands work over to the windows: the main window's deck commands, the drill
// windows and the editor. The front end implements it and attaches it to the Program once
// its windows exist.
class FrontEnd {
  public:
    virtual ~FrontEnd() = default;

    // The deck runner, after a successful load: DrillActive is set and the selector's
    // shuffle table is marked for refilling.
    virtual void RunDKSFile() = 0;
    // The deck is being closed: the question and answer windows go.
    virtual void closeDrillWindows() = 0;
    // The deck is being closed after the editor was used: the editor window goes, after its
    // unsaved edit was stored. False when that edit could not be stored: the editor stays
    // open with the reason shown, and the close stops.
    virtual bool closeEditor() = 0;
    // A new deck was created: shows the editor on it. CurrentPair is already 1 and
    // EditorUsed is set; rememberedPair is the pair the drill was on before.
    virtual void showEditorOnNewDeck(std::int32_t rememberedPair) = 0;
    // The editor's single-pair run through the drill windows is over.
    virtual void returnToEditor() = 0;
    // The drill windows ask the main window to close the open deck, saving it.
    virtual void closeDeck() = 0;
    // The drill windows ask the main window to open the Q&A file in the text editor.
    virtual void editQAFile() = 0;
    // What the main menu shows changed: a deck opened or closed (by any command, the drill's
    // continuation question or a failed save included) or the recent decks moved. The
    // main window renders its menu again.
    virtual void mainMenuChanged() = 0;
};

// For a front end that lacks these windows (or has none yet): every hand-over is ignored.
// Derive from it to take over only the parts a front end has.
class NoFrontEnd : public FrontEnd {
  public:
    void RunDKSFile() override {}
    void closeDrillWindows() override {}
    bool closeEditor() override { return true; }
    void showEditorOnNewDeck(std::int32_t) override {}
    void returnToEditor() override {}
    void closeDeck() override {}
    void editQAFile() override {}
    void mainMenuChanged() override {}
};

}  // namespace cardwise
