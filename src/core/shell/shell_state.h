#pragma once

namespace cardwise {

// State of the application shell: application settings, recent decks, deck menus.
struct ShellState {};

}  // namespace cardwise
