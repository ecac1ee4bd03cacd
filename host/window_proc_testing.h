// What the tests may do to the window procedure's state.
// Only tests include this header; the game never calls these.
#pragma once

#include "host/window_proc.h"

// The window shown, no Volume wait and no Reset chosen, as at program start.
void resetWindowState();
// The window minimised (1) or shown (0), as a WM_SIZE would leave it.
void setWindowMinimised(int minimised);
// The Volume command's wait, with this many messages to go.
void setVolumeWaitMessages(int32_t messages);
