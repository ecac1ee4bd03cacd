// Where the board lies on the 160 x 60 screen: the drawing, the clicks and
// the bursts of the turn controller all place squares with these.
#pragma once
#include <cstdint>

#include "game/board.h"

constexpr int32_t kBoardLeft = 56;
constexpr int32_t kBoardTop = 6;
constexpr int32_t kSquarePixels = 6;
constexpr int32_t kBoardPixels = kSquarePixels * kBoardSize;

// Top-left pixel of a square.
constexpr int32_t squareLeft(int column) { return kBoardLeft + kSquarePixels * column; }
constexpr int32_t squareTop(int row) { return kBoardTop + kSquarePixels * row; }

// Centre pixel of a square, where its bursts start.
constexpr int32_t kSquareCentre = kSquarePixels / 2;
constexpr int32_t squareCentreX(int column) { return squareLeft(column) + kSquareCentre; }
constexpr int32_t squareCentreY(int row) { return squareTop(row) + kSquareCentre; }
