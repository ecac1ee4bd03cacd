// Replay scripts: one event per line, "FRAME EVENT ARGS", '#' comments.
#pragma once
#include <string>
#include <vector>

#include "app/game_options.h"
#include "app/headless/shell_headless.h"

// Parses the whole script. On the first malformed line returns 0 and sets
// error to "FILE:LINE: what is wrong"; events is then unspecified.
int parseReplayScript(const std::string& text, const char* fileName, std::vector<HeadlessEvent>& events,
                      std::string& error);

// What the script's start-up says of the player's choices against what the
// command line asks for (commandLine.given), or an empty string when they
// agree: a script may leave a choice to the command line, a recording may
// not, since it names every choice its run made.
std::string scriptOptionsConflict(const std::vector<HeadlessEvent>& events, const char* fileName,
                                  const GameOptions& commandLine);
