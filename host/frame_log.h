// An optional log of presented frames, for measuring the pacing of a real
// run without changing it: PINWICK_FRAME_LOG=FILE at start-up.
#pragma once
#include <cstdint>

constexpr char kFrameLogVariable[] = "PINWICK_FRAME_LOG";

// Opens the file named by PINWICK_FRAME_LOG, when set (`-` is standard
// output). 0 when it is set but cannot be written: the game then runs without
// a log, and standard error says why. Else 1.
int openFrameLogFromEnvironment();

// One line "FRAME TICK" per presented frame, frames counted from 1. Does
// nothing while no log is open. A write that fails (a full disk) is reported
// once and the log closed.
void logPresentedFrame(uint32_t tick);

// Flushes and closes the log, reporting a failure; safe to call when none is open.
void closeFrameLog();

// 1 while a log is open; the frame pacing reads the tick only then.
int frameLogOpen();
