// What the host tells the recording of a run (pinwick --record, the page's
// ?record): it listens where every message, answer, cursor reading and frame
// passes once, so no shell has to. app/recorder.cpp keeps a recording; the
// programs that never record (Windows, the headless tool) link the empty
// recording_none.cpp.
#pragma once
#include <cstdint>

#include "host/window_messages.h"

// The pump, for each message it took, once the game has handled it (so that
// a close confirmation's answer comes first); consumed: the accelerator took
// it instead of the window procedure.
void recordMessage(const WindowMessage& message, int consumed);
// The window procedure: the close confirmation's answer.
void recordAnswer(int yes);
// readFrameInput: where the frame read the cursor.
void recordCursorRead(int32_t x, int32_t y);
// frameDone: a frame is complete, in this scene.
void recordFrameDone(int sceneCode);

// The local seconds the game's random choices read (host/clock.h's
// localSeconds) pass through here: while recording, every reading within a
// frame gives the first one's value, because a replay can set the seconds
// only between frames. Otherwise the shell's seconds as they are.
int secondsSeenByTheGame(int seconds);
