// The replay scripts' vocabulary, both ways: one event per line,
// "FRAME EVENT ARGS", '#' comments. The parser reads what people and the
// recorder write; the writer is what the recorder writes with, so that a
// recording always reads back as the events it was made of.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/game_options.h"

enum ScriptEventKind : int32_t {
  kEventMouse,     // a = x, b = y (client pixels, may lie outside)
  kEventButton,    // a = 0 left / 1 right, b = 1 down / 0 up
  kEventKey,       // a = virtual key, b = 1 down / 0 up
  kEventMenu,      // a = command number
  kEventClose,     // the window's close box
  kEventAnswer,    // a = 1 yes / 0 no: what the next close confirmation answers
  kEventMinimise,
  kEventRestore,
  kEventSeconds,   // a = the local seconds from now on
  kEventPosition,  // a = x, b = y: where the frames read the cursor from this frame on; no message
  kEventSize,      // a = 1 minimised / 0 restored: the WM_SIZE message as the desktop sends it
  kEventOther,     // a message the game leaves to the default handling (it counts, nothing more)
  kEventSound,     // a = 0: the run has no sound device (start-up only)
  kEventLevel,     // a = the computer's level (start-up only)
  kEventTwoPlayers,  // start-up only
  kEventMute,        // start-up only
  kEventVersion,     // the script is a recording of this version: its start-up names every option the run had
  kEventLanguage,    // a = kLanguageJapanese or kLanguageEnglish (start-up only)
};

// Events of frame N are handled by the pump inside frame N's frame wait;
// those of frame 0 (the start-up) before the game starts.
struct ScriptEvent {
  int32_t frame;
  int32_t kind;
  int32_t a;
  int32_t b;
};

// The longest line the writer makes, its end included.
constexpr int kScriptLineSize = 64;

// --- The words ---

// The script's name of a virtual key ("left", "z", "esc", ...), or nullptr.
const char* keyWord(uint32_t virtualKey);
// 1 and the virtual key when word names one.
int keyOfWord(const char* word, uint32_t* virtualKey);

// The script's name of a menu command ("reset", "exit", "volume", "ver"), or nullptr.
const char* menuWord(uint32_t command);
// 1 and the command when word names one.
int menuOfWord(const char* word, uint32_t* command);

// --- The writer ---

// The line of one event, without its line break ("12 key z down"), into
// text; 1 when written, 0 for an event no line can say (a key without a word).
int formatScriptEvent(const ScriptEvent& event, char* text, int size);

// --- The parser ---

// Parses the whole script. On the first malformed line returns 0 and sets
// error to "FILE:LINE: what is wrong"; events is then unspecified.
int parseReplayScript(const std::string& text, const char* fileName, std::vector<ScriptEvent>& events,
                      std::string& error);

// What the script's start-up says of the player's choices against what the
// command line asks for (commandLine.given), or an empty string when they
// agree: a script may leave a choice to the command line, a recording may
// not, since it names every choice its run made.
std::string scriptOptionsConflict(const std::vector<ScriptEvent>& events, const char* fileName,
                                  const GameOptions& commandLine);
