// Starting another program (the desktop's mixer) without waiting for it.
#pragma once

// Runs argv[0] (looked up on PATH) with the arguments in argv, which ends
// with nullptr, as a detached process the game never has to reap. 1 when the
// program started, 0 when it could not be found or run.
int launchDetached(const char* const* argv);
