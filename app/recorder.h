// pinwick --record FILE and --trace FILE, and the page's ?record: the run as
// a replay script, and the same per-frame trace the headless replay writes,
// both written as the game goes and flushed about once a second, so that a
// crash or a kill leaves them usable up to that point. Portable: it reads
// the clock and the sound device through their seams, and hears of the run
// through the host's (host/recording.h).
#pragma once
#include <cstdint>

#include "app/game_options.h"

// 1 when the file is open (or path is null; `-` is standard output); 0 when
// it cannot be written: standard error says why, and the game runs without it.
int openRecording(const char* path);
int openLiveTrace(const char* path);

// The player's options, so that the replay plays the same match.
void recordGameOptions(const GameOptions& options);

// What the host tells it (host/recording.h) is written as it comes; each
// hook does nothing while nothing is recorded or traced.
// The program ends with this exit code; closes both files.
void finishRecording(int exitCode);
// Writes out what is buffered (the page offers the files while it runs).
void flushRecording();
