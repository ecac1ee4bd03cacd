// The 64-slot actor table: bursts, emblems, banners and the ending's cast.
// Each kind's step function is its whole behaviour.
#pragma once
#include <cstdint>

#include "gfx/gfx.h"

constexpr int kActorSlots = 64;
constexpr int32_t kFixedOne = 512;  // Fixed9 units per pixel

enum ActorKind : int32_t {
  kTitleEmblem = 0,
  kGameOverBanner = 1,
  kRingBurst = 2,
  kSmallRingBurst = 3,
  kFlyingStone = 4,
  kEndingFigure = 5,
  kFigureCaption = 6,
  kEndBanner = 7,
  kCreditCaption = 8,
};

struct Actor {
  int32_t inUse;
  int32_t kind;
  int32_t param;
  int32_t x, y;  // centre of the picture, Fixed9
  int32_t vx, vy;
  int32_t anchorX, anchorY;
  int32_t state;
  int32_t age;
  int32_t frame;
  int32_t frameTimer;
  int32_t homeY;          // a flying stone: the height it swings about, Fixed9
  int32_t captionsShown;  // the ending's figure: the captions it has said
  int32_t surfaceSlot;
  Rect src;
};

extern Actor actorTable[kActorSlots];

void clearActors();
// Takes the lowest free slot and runs the actor's first update; 0 when full.
int spawnActor(int kind, int param, int x, int y);
void updateActors();
void drawActors(int offsetX, int offsetY);
void setActorsState(int kind, int state);
void removeActors(int kind);
int liveActorCount();
