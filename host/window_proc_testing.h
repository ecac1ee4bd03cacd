// What the tests may do to the window procedure's state.
// Only tests include this header; the game never calls these.
#pragma once

#include "host/window_proc.h"

// windowActive, pendingMessages and resetRequested back to program start.
void resetWindowState();
