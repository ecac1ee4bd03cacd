// What the headless shell's files share about the run in progress.
#pragma once
#include <cstdint>

#include "app/headless/shell_headless.h"

// Outside a run (in unit tests) these are a run with no script.
extern const HeadlessRunOptions* headlessRun;
extern HeadlessRunResult* headlessResult;
extern int32_t headlessFrame;  // the frame whose frame wait comes next
extern int headlessMinimised;

// Ends the run with this end and message, unless it is ending already.
void failHeadlessRun(int32_t end, const char* format, ...);

// The window is back from the task bar: WM_SIZE follows.
void restoreHeadlessWindow();
