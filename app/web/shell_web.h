// The page shell's own pieces shared by its files: the canvas geometry and
// the page's state that the event callbacks and the pump both read.
#pragma once
#include <cstdint>

// Start-up: the menu bar from the game's texts, the page's callbacks, the
// canvas laid out for the viewport.
void openPage();

// The largest whole factor, in device pixels per game pixel, at which the
// 160 x 60 picture fits a viewport of width x height device pixels; at least 1.
int chooseWebScale(int32_t width, int32_t height);

// Lays the canvas out again for the viewport (start-up and every resize).
void layOutCanvas();

// Lays the screen out again when the scene becomes or stops being the
// match: held upright, the match may be shown in pieces.
void layOutForScene(int sceneIsMatch);

// A point relative to the screen's top-left corner, in CSS pixels, in game
// pixels: divided by the magnification rounding toward minus infinity.
void screenToGamePoint(double cssX, double cssY, int32_t* x, int32_t* y);
// The same for a point in the viewport (the page does not scroll).
void viewportToGamePoint(double clientX, double clientY, int32_t* x, int32_t* y);

// 1 while a menu or a dialog of the page is open: the game gets no input.
int pageModalOpen();

// After each frame: what the page says of the game in words, handed over
// when it changed (game_view_web.cpp).
void showGameToPage(int sceneCode);
