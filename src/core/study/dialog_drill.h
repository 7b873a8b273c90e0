#pragma once

namespace cardwise {

struct Program;
class DrillController;

// While a dialog of the program is open nothing of the drill advances: its timers stop.
// A null controller (no drill windows) is allowed.
void pauseDrillForDialog(DrillController* drill);

// The dialog closed: the timers run again, and during a drill the window in use shows its
// pair again with the current settings.
void resumeDrillAfterDialog(Program& program, DrillController* drill);

}  // namespace cardwise
