// What the tests may see of the face and the wipe, and the face's running
// counter they may set. Only tests include this header; the game never calls these.
#pragma once
#include <cstdint>

#include "scenes/actors.h"
#include "scenes/face.h"

const Actor& faceForTest();
const Actor& wipeForTest();
void setFaceFrameCounter(uint32_t frames);
