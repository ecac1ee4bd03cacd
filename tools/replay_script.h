// Replay scripts: one event per line, "FRAME EVENT ARGS", '#' comments.
#pragma once
#include <string>
#include <vector>

#include "app/headless/headless_shell.h"

// Parses the whole script. On the first malformed line returns 0 and sets
// error to "FILE:LINE: what is wrong"; events is then unspecified.
int parseReplayScript(const std::string& text, const char* fileName, std::vector<HeadlessEvent>& events,
                      std::string& error);
