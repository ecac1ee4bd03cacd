// pinwick-tool: the game's code run from the command line, for tests and for
// people who debug the game.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/command_line.h"
#include "app/version.h"
#include "host/output_file.h"
#include "tools/tool_commands.h"

namespace {
const char kUsage[] =
    "usage: pinwick-tool selfplay [--level 0..3] [--games N] [--seconds 0..59] [--show]\n"
    "       pinwick-tool sounds DIR\n"
    "       pinwick-tool sheet OUT.png|-\n"
    "       pinwick-tool replay [--script FILE|-] [--frames N] [--trace FILE|-] [--shot N:FILE.png|-]...\n"
    "                           [--audio FILE.wav|-] [--seconds 0..59] [--monkey SEED] [--player SEED] [--realtime]\n"
    "       pinwick-tool COMMAND --help\n"
    "       pinwick-tool --help | --version\n";
}

int main(int argc, char** argv) {
  guardStandardStreams();
  if (argc < 2) {
    std::fprintf(stderr, "pinwick-tool: no command given\n%s", kUsage);
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
  std::string what = "unknown command " + quotedWord(argv[1]);
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "--version") == 0)
    what = std::string(argv[1]) + " goes alone";
  else if (argv[1][0] == '-')
    what = unknownOption(argv[1]);
  std::fprintf(stderr, "pinwick-tool: %s\n%s", what.c_str(), kUsage);
  return kExitUsage;
}
