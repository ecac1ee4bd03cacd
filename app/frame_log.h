// An optional log of presented frames, for measuring the pacing of a real
// run without changing it: PINWICK_FRAME_LOG=FILE at start-up.
#pragma once
#include <cstdint>

constexpr char kFrameLogVariable[] = "PINWICK_FRAME_LOG";

// Opens the file named by PINWICK_FRAME_LOG, when set. 0 when it is set but
// the file cannot be written (the game then runs without a log), else 1.
int openFrameLogFromEnvironment();

// One line "FRAME TICK" per presented frame, frames counted from 1. Does
// nothing while no log is open.
void logPresentedFrame(uint32_t tick);

// Flushes and closes the log; safe to call when none is open.
void closeFrameLog();

// 1 while a log is open; the frame pacing reads the tick only then.
int frameLogOpen();
