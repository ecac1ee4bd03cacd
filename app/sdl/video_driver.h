// Which of SDL's video drivers the game will play on.
#pragma once

// Whether the driver SDL picked (SDL_GetCurrentVideoDriver) shows no window
// on any screen, offscreen, dummy or evdev, without SDL_VIDEODRIVER naming
// it. requested is that variable (nullptr when unset), one name or a
// comma-separated list; names match in any case. SDL falls back on such a
// driver when no display is reachable, and a game nobody can see would play
// on forever, holding the lock.
bool videoDriverUnseen(const char* driver, const char* requested);
