// --level N, --two-players, --mute.
#include "app/game_options.h"

#include <cstring>

#include "scenes/match.h"
#include "sound/bank.h"

namespace {
constexpr int kGivenLevel = 1;
constexpr int kGivenTwoPlayers = 2;
constexpr int kGivenMute = 4;

// Once only, and only the option's own flag.
int takeFlag(GameOptions* options, int flag) {
  if (options->given & flag) return kGameOptionBad;
  options->given |= flag;
  return kGameOptionTaken;
}
}  // namespace

const char kGameOptionsUsage[] =
    "  --level N       the computer's strength, 0 (weakest) to 3 (the default)\n"
    "  --two-players   two players share the mouse; there is no computer side\n"
    "  --mute          no sound\n";

int parseGameOption(int argc, char** argv, int* i, GameOptions* options) {
  const char* option = argv[*i];
  if (std::strcmp(option, "--two-players") == 0) {
    options->twoPlayers = 1;
    ++*i;
    return takeFlag(options, kGivenTwoPlayers);
  }
  if (std::strcmp(option, "--mute") == 0) {
    options->mute = 1;
    ++*i;
    return takeFlag(options, kGivenMute);
  }
  if (std::strcmp(option, "--level") != 0) return kNotGameOption;
  if (*i + 1 >= argc) return kGameOptionBad;
  const char* value = argv[*i + 1];
  if (value[0] < '0' || value[0] > '0' + kMatchLevel || value[1] != '\0') return kGameOptionBad;
  options->level = value[0] - '0';
  *i += 2;
  return takeFlag(options, kGivenLevel);
}

void applyGameOptions(const GameOptions& options) {
  setMatchOptions(options.level, options.twoPlayers);
  setSoundMuted(options.mute);
}
