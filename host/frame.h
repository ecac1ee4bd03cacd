// The message pump and the one 20 ms frame grid: the frame wait, the
// catch-up rule and the moment each picture is presented are decided here
// and nowhere else. Shells only sleep until a tick (host/clock.h).
#pragma once
#include <cstdint>

#include "gfx/gfx.h"

constexpr uint32_t kFrameMs = 20;
// Less late than this, a frame keeps the grid; later, the lost ticks are dropped.
constexpr uint32_t kFrameCatchUpMs = 100;

// Drains the message queue: 1 when the frame may go on, 0 when the quit
// message has arrived. While minimised, and while messages are pending after
// the Volume command, it waits for messages even with an empty queue.
int runMessagePump();

// Scene loops, after drawing: sleeps until the next tick of the grid, pumps
// the messages that came meanwhile, then presents the back buffer on that
// tick at once. A frame already late still sleeps a millisecond first. 1
// after presenting, 0 when the program must end.
int waitFrame();

// Every scene loop, at the end of each completed frame (after its reactions,
// also when the scene then ends), with the scene's code: the recording and
// the shell hear of it.
void frameDone(int sceneCode);

// Start-up, for the "Loading" picture: presents at once unless a frame was
// presented within the current tick, in which case it waits for the next
// tick first (without taking it), so no two pictures go out in one tick.
void presentOutsideFrame();

// The frames presented during the last whole second of the tick counter
// (50 when the game keeps its pace); 0 before the first second is complete.
// Nothing in the game reads it.
int framesPerSecond();
