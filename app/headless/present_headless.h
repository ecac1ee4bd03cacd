// What the headless shell keeps of the presented frames, for the tool's
// screenshots and the tests.
#pragma once
#include <cstdint>

// The last frame present handed over: kScreenWidth x kScreenHeight pixels,
// 0x00RRGGBB, top row first; all black before the first frame.
const uint32_t* lastPresentedFrame();

// How many frames have been presented since the program started.
uint32_t presentedFrameCount();
