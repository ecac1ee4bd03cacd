// The page's sound device (device_web.cpp), as the page shell sees it.
#pragma once

// Once per frame: while the browser holds the audio back (until the
// player's first gesture), the mix moves on by a frame unheard, so that no
// sound starts late.
void keepWebSoundTime();

// The game opens no sound device from now on: a shared run recorded
// without one synthesises nothing, and its random sequence differs.
void refuseWebSound();

// The page was hidden (1) or shown again (0).
void parkWebSoundWhileHidden(int hidden);
