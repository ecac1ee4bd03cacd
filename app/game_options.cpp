// --level N, --two-players, --mute.
#include "app/game_options.h"

#include <cstring>

#include "app/command_line.h"
#include "scenes/match.h"
#include "sound/bank.h"

namespace {
int refuse(std::string* problem, const std::string& what) {
  if (problem != nullptr) *problem = what;
  return kGameOptionBad;
}

// Once only, and only the option's own flag.
int takeFlag(GameOptions* options, int flag, const char* option, std::string* problem) {
  if (options->given & flag) return refuse(problem, std::string(option) + " is given twice");
  options->given |= flag;
  return kGameOptionTaken;
}
}  // namespace

const char kGameOptionsUsage[] =
    "  --level N       the computer's strength, 0 (weakest) to 3 (the default)\n"
    "  --two-players   two players share the mouse; there is no computer side\n"
    "  --mute          no sound\n";

int parseGameOption(int argc, char** argv, int* i, GameOptions* options, std::string* problem) {
  const char* option = argv[*i];
  if (std::strcmp(option, "--two-players") == 0) {
    options->twoPlayers = 1;
    ++*i;
    return takeFlag(options, kGivenTwoPlayers, option, problem);
  }
  if (std::strcmp(option, "--mute") == 0) {
    options->mute = 1;
    ++*i;
    return takeFlag(options, kGivenMute, option, problem);
  }
  if (std::strcmp(option, "--level") != 0) return kNotGameOption;
  if (*i + 1 >= argc) return refuse(problem, "--level needs a value, 0 to 3");
  const char* value = argv[*i + 1];
  int level = 0;
  if (!parseOptionNumber(value, 0, kMatchLevel, &level))
    return refuse(problem, optionAndValue(option, value) + ": the level is 0, 1, 2 or 3");
  options->level = level;
  *i += 2;
  return takeFlag(options, kGivenLevel, option, problem);
}

void applyGameOptions(const GameOptions& options) {
  setMatchOptions(options.level, options.twoPlayers);
  setSoundMuted(options.mute);
}
