// The scene driver: loads every picture and sound, then runs the title, the
// match, the ending and the game-over scene in turn.
#pragma once
#include <cstdint>

#include "gfx/gfx.h"

enum SceneCode : int32_t {
  kSceneEnd = 0,
  kSceneTitle = 2,
  kSceneMatch = 3,
  kSceneEnding = 4,
  kSceneGameOver = 5,
};

extern int32_t chosenColor;  // the colour picked on the title: 1 white, 2 black

// Returns 1 when a scene has ended the program.
int runSceneDriver(GfxWindow window);

void loadGameAssets();
int runTitleScene(GfxWindow window);
int runMatchScene(GfxWindow window);
int runEndingScene(GfxWindow window);
int runGameOverScene(GfxWindow window);
