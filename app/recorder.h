// pinwick --record FILE and --trace FILE, and the page's ?record: the run as
// a replay script, and the same per-frame trace the headless replay writes,
// both written as the game goes and flushed about once a second, so that a
// crash or a kill leaves them usable up to that point. Portable: it reads
// the clock and the sound device through their seams.
#pragma once
#include <cstdint>

#include "app/game_options.h"

// 1 when the file is open (or path is null; `-` is standard output); 0 when
// it cannot be written: standard error says why, and the game runs without it.
int openRecording(const char* path);
int openLiveTrace(const char* path);

// The player's options, so that the replay plays the same match.
void recordGameOptions(const GameOptions& options);

// The shell's hooks, each a no-op while nothing is recorded or traced.
// A message fetched from the queue, once the game has handled it (so that
// a close confirmation's answer comes first); consumed: the accelerator
// took it.
void recordMessage(uint32_t message, uint64_t wParam, int64_t lParam, int consumed);
// The close confirmation's answer, written before its message.
void recordAnswer(int yes);
// The cursor position a frame read.
void recordCursorRead(int32_t x, int32_t y);
// The local seconds the clock read; returns the seconds the game is to see.
// While recording, every read within one frame sees the first one's value,
// so that a replay, which can only set them between frames, sees the same.
int recordSecondsRead(int seconds);
// A frame is complete, in this scene.
void recordFrameDone(int sceneCode);
// The program ends with this exit code; closes both files.
void finishRecording(int exitCode);
// Writes out what is buffered (the page offers the files while it runs).
void flushRecording();
