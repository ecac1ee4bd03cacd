// Which SurfaceSlot holds which picture, for every module that draws.
#pragma once

constexpr int kSlotLoading = 0;
constexpr int kSlotCopy = 1;
constexpr int kSlotGameOver = 2;
constexpr int kSlotNumWhite = 4;
constexpr int kSlotNumRed = 5;
constexpr int kSlotStones = 6;
constexpr int kSlotEndCard = 7;
constexpr int kSlotWhiteCard = 8;
constexpr int kSlotRedCard = 9;
constexpr int kSlotEffects = 10;
constexpr int kSlotPass = 11;
constexpr int kSlotFace = 12;
constexpr int kSlotBackground = 13;
constexpr int kSlotTitle = 14;
constexpr int kSlotSnapshot = 15;
