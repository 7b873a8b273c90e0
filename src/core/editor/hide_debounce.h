#pragma once

#include <utility>

namespace cardwise {

// A hide of the editor window held until the event loop turns: a move between pairs hides
// and shows the editor within one command, and the window should neither flicker nor lose
// the keyboard focus.
class HideDebounce {
  public:
    // The window is shown: a held hide is dropped.
    void shown() { held_ = false; }
    // A hide reached the window, on screen or not: true when the window must settle once
    // the event loop turns (it is on screen and no hide is held yet).
    bool hideRequested(bool onScreen) {
        if (!onScreen || held_) return false;
        held_ = true;
        return true;
    }
    // The event loop turned, or a command ended: true when the window must hide now.
    bool settle() { return std::exchange(held_, false); }

  private:
    bool held_ = false;
};

}  // namespace cardwise
