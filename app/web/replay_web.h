// A shared run played back on the page (the address's #replay=): the
// recording's events fed to the game frame by frame, as the headless
// replay feeds them, while the player's own input is held back. When its
// last frame is done the page stands still until the viewer plays on.
#pragma once
#include <cstdint>
#include <string>

#include "app/game_options.h"

// What loading a shared run found.
enum PageReplayLoad : int {
  kReplayLoaded,
  kReplayOtherVersion,   // a recording of another version of the game
  kReplayNotARecording,  // a script that names no version, or no script at all
  kReplayMalformed,      // refused by the replay scripts' parser
};

// Parses text as a recording (the replay scripts' own checks) and, when it
// is one of this version, makes it the run to play: *options and *sound
// (whether the run had a sound device) become its start-up's. *version is
// what another version calls itself (digits and dots only), *reason the
// parser's words for the console.
int loadPageReplay(const std::string& text, GameOptions* options, int* sound, std::string* version,
                   std::string* reason);

// 1 from a successful load until the replay is over.
int pageReplaying();
// The frame the replay ends after.
int32_t pageReplayLastFrame();

// The shell's hooks while replaying: the events of the frame whose wait
// runs now (framesDone + 1), once per frame; the next frame's events when
// the game waits with nothing queued (minimised, after Volume), 0 when
// none are left.
void deliverReplayFrame(int32_t frame);
int deliverReplayWhileWaiting();
// A mouse message the game handled: the cursor the frames read follows it.
void noteReplayMouse(int32_t x, int32_t y);
int takeReplayAnswer();
void replayCursor(int32_t frame, int32_t* x, int32_t* y);
// The local seconds the run's random choices saw, or -1 while it names none.
int replaySeconds();
// The replay is over: the events left are dropped and the player's input
// reaches the game again.
void endPageReplay();
