// Three screen effects beside the face and the wipe that the game itself
// never starts: a blink of the whole screen, a plain frame countdown and a
// cross of white bands through a point. The scene loops update and draw
// them every frame; idle, they do nothing.
#pragma once
#include <cstdint>

// The whole screen filled with native on every other frame, for frames frames.
void startBlink(uint32_t native, int32_t frames);
// Stops the blink (the title and match set-ups do so; it is never running).
void clearBlink();

// Counts frames down to 0; countdownFrames tells how many are left.
void startCountdown(int32_t frames);
int32_t countdownFrames();

// A vertical and a horizontal white band through pixel (x, y) whose
// half-width grows by 16 pixels a frame until it passes 1500; then the
// vertical band is gone and the horizontal one narrows to nothing, keeping
// five sixths of its half-width each frame.
void startCrossFlash(int32_t x, int32_t y);
// The cross's half-width in pixels, 0 when it is not showing.
int32_t crossFlashHalfWidth();

void updateScreenEffects();
// Over everything else, after the wipe.
void drawScreenEffects();
