// The headless shell: the whole game without a window, driven by scripted or
// random input on the virtual clock, observed frame by frame.
#pragma once
#include <cstdint>
#include <cstdio>
#include <vector>

#include "app/game_options.h"
#include "app/replay_script.h"

struct HeadlessRunOptions {
  std::vector<ScriptEvent> events;  // in frame order; those of frame 0 before the game starts
  int32_t frameLimit = 0;             // stop after this frame; 0 = no limit
  std::FILE* trace = nullptr;         // one line per completed frame, or none
  int realtime = 0;                   // real clock and a t= field in the trace
  int monkey = 0;                     // random input and invariant checks
  int player = 0;                     // with monkey: input that plays like a person
  uint32_t monkeySeed = 0;
  std::vector<int32_t> shotFrames;    // frames whose presented picture is kept
  int captureAudio = 0;               // keep the mixed output of the whole run
  GameOptions game = kDefaultGameOptions;  // the player's choices; frame-0 events may add to them
};

enum HeadlessRunEnd : int32_t {
  kRunProgramEnded,    // the game ended by itself (Esc, Exit, close)
  kRunFrameLimit,      // stopped after the last frame asked for
  kRunStarved,         // the game waited for a message the script did not have
  kRunInvariantBroken, // the monkey caught the game in an impossible state
  kRunStalled,         // the virtual clock stopped moving: a frame wait that could never end
};

// Frames per scene code (scenes/driver.h: 2 title .. 5 game over) in a monkey's run.
constexpr int kHeadlessSceneCodes = 6;

struct HeadlessRunResult {
  int32_t end = kRunProgramEnded;
  int32_t framesCompleted = 0;
  int32_t exitCode = 0;
  char message[256] = "";
  std::vector<std::vector<uint32_t>> shots;  // one per shotFrames entry, empty if never reached
  std::vector<int32_t> shotScenes;           // the scene code each shot was taken in
  std::vector<uint8_t> audio;                // 22050 Hz unsigned 8-bit mono
  int32_t sceneFrames[kHeadlessSceneCodes] = {};  // the monkey's frames in each scene
  int64_t invariantChecks = 0;
};

// Runs the whole program (start-up, loading, every scene, shutdown) once.
HeadlessRunResult runHeadlessGame(const HeadlessRunOptions& options);


// What the window procedure's dialogs showed during the run (for stderr).
int headlessDialogCount();
const char* headlessDialogText(int index);

// For unit tests of the window procedure and the pump, outside a run.
void postHeadlessMessage(uint32_t message, uint64_t wParam, int64_t lParam);
void setHeadlessVolumeControl(int available);  // 0: both launch attempts fail
void setHeadlessAnswer(int yes);               // the next close confirmation's answer
int headlessQueuedMessages();
void resetHeadlessShell();
