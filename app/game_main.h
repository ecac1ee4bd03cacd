// The part of start-up and shutdown that every shell shares: once the shell
// holds the single-instance lock, has created the window and set the client
// offset, this brings up graphics, shows "Loading", brings up sound and the
// font, runs the scene driver and tears everything down in reverse order.
#pragma once

#include "gfx/gfx.h"

// Returns the process exit code of a normal run (1), or 0 after telling the
// player that the graphics device could not be started.
int runGame(GfxWindow window);
