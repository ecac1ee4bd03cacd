// The monkey: reproducible random input, and the invariants it checks after
// every frame.
#pragma once
#include <cstdint>

// A fresh sequence from the seed, and no frame seen yet.
void startMonkey(uint32_t seed);

// One frame's worth of random input.
void monkeyFrame();

// The messages a blocked pump gets while the monkey plays.
void monkeyWakeUp();

// Ends the run when the game is in a state no play can reach.
void checkInvariants(int sceneCode);

// The player (player_headless.cpp): a monkey that plays like a person, in
// mouse strokes, with a strong line of its own. The functions above hand
// over to it when the run asks for it.
void startPlayer(uint32_t seed);
void playerFrame();
void playerWakeUp();
// What its own clicks must have done by this frame; ends the run if not.
void checkPlayerClicks(int sceneCode);
