// pinwick-test-script FILE: the script's events written back, one line each,
// as the recorder writes them. A recording, less its comments, must come
// back exactly as it was (the SDL and page end-to-end tests compare).
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/replay_script.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::ifstream in(argv[1], std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::vector<ScriptEvent> events;
  std::string error;
  if (!in || !parseReplayScript(text.str(), argv[1], events, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  char line[kScriptLineSize];
  for (const ScriptEvent& e : events) {
    if (!formatScriptEvent(e, line, sizeof line)) return 1;
    std::printf("%s\n", line);
  }
  return 0;
}
