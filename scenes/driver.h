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

// Returns 1 when a scene has ended the program.
int runSceneDriver();

void loadGameAssets();
// The pictures with words loaded again in the language now in use (a page's
// player may change it while the game runs); nothing before loadGameAssets.
void reloadLanguagePictures();
int runTitleScene();
int runMatchScene();
int runEndingScene();
int runGameOverScene();
