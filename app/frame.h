// The message pump and the 20 ms frame clock.
#pragma once
#include <cstdint>

#include "gfx/gfx.h"

constexpr uint32_t kFrameMs = 20;
constexpr uint32_t kFrameCatchUpMs = 100;

extern uint32_t frameClock;  // time of the last frame tick; 0 at program start

// Drains the message queue: 1 when the frame may go on, 0 when the quit
// message has arrived. While minimised, and while messages are pending after
// the Volume command, it waits for messages even with an empty queue.
int runMessagePump();

// Pumps messages, sleeps in 1 ms steps until the next tick of the 20 ms grid
// and presents the back buffer. 1 after presenting, 0 when the program must end.
int waitFrame(GfxWindow window);

// The frames presented during the last whole second of the tick counter
// (50 when the game keeps its pace); 0 before the first second is complete.
// Nothing in the game reads it.
int framesPerSecond();
