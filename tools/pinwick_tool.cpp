// pinwick-tool: the game's code run from the command line, for tests and for
// people who debug the game.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/output_file.h"
#include "app/version.h"
#include "tools/tool_commands.h"

namespace {
const char kUsage[] =
    "usage: pinwick-tool selfplay [--level 0..3] [--games N] [--seconds 0..59] [--show]\n"
    "       pinwick-tool sounds DIR\n"
    "       pinwick-tool sheet OUT.png\n"
    "       pinwick-tool replay [--script FILE] [--frames N] [--trace FILE|-] [--shot N:FILE.png]...\n"
    "                           [--audio FILE.wav] [--seconds 0..59] [--monkey SEED] [--player SEED] [--realtime]\n"
    "       pinwick-tool --help | --version\n";
}

int parseIntArgument(const char* text, int low, int high, int* value) {
  if (text == nullptr || *text == '\0') return 0;
  errno = 0;
  char* end = nullptr;
  long parsed = std::strtol(text, &end, 10);
  if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return 0;
  *value = static_cast<int>(parsed);
  return 1;
}

int main(int argc, char** argv) {
  guardStandardStreams();
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return kExitUsage;
  }
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kUsage, stdout);
    return kExitOk;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("pinwick-tool %d.%d.%d\n", kVersionMajor, kVersionMinor, kVersionBuild);
    return kExitOk;
  }
  if (std::strcmp(argv[1], "selfplay") == 0) return runSelfplayCommand(argc - 2, argv + 2);
  if (std::strcmp(argv[1], "replay") == 0) return runReplayCommand(argc - 2, argv + 2);
  if (std::strcmp(argv[1], "sounds") == 0) return runSoundsCommand(argc - 2, argv + 2);
  if (std::strcmp(argv[1], "sheet") == 0) return runSheetCommand(argc - 2, argv + 2);
  std::fprintf(stderr, "pinwick-tool: unknown command '%s'; %s", argv[1], kUsage);
  return kExitUsage;
}
