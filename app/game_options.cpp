// --level N, --two-players, --mute, --lang ja|en; the language a locale asks for.
#include "app/game_options.h"

#include <cstring>
#include <initializer_list>

#include "app/command_line.h"
#include "host/texts.h"
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
    "  --mute          no sound\n"
    "  --lang ja|en    the language of the texts and pictures\n";

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
  if (std::strcmp(option, "--lang") == 0) {
    if (*i + 1 >= argc) return refuse(problem, "--lang needs a value, ja or en");
    const char* value = argv[*i + 1];
    if (std::strcmp(value, "ja") != 0 && std::strcmp(value, "en") != 0)
      return refuse(problem, optionAndValue(option, value) + ": the language is ja or en");
    options->language = std::strcmp(value, "en") == 0 ? kLanguageEnglish : kLanguageJapanese;
    *i += 2;
    return takeFlag(options, kGivenLanguage, option, problem);
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

int languageOfLocale(const char* lcAll, const char* lcMessages, const char* lang) {
  const char* locale = nullptr;
  for (const char* variable : {lcAll, lcMessages, lang})
    if (variable != nullptr && variable[0] != '\0') {
      locale = variable;
      break;
    }
  if (locale == nullptr) return kLanguageJapanese;
  // The language is what comes before the territory, code set or modifier.
  const size_t length = std::strcspn(locale, "_.@");
  const std::string name(locale, length);
  if (name == "ja" || name == "C" || name == "POSIX") return kLanguageJapanese;
  // A language is two or three small letters; anything else is no locale
  // this game knows, and gets the default, as none would.
  if (name.size() < 2 || name.size() > 3) return kLanguageJapanese;
  for (char c : name)
    if (c < 'a' || c > 'z') return kLanguageJapanese;
  return kLanguageEnglish;
}

void applyGameOptions(const GameOptions& options) {
  setTextLanguage(options.language);
  setMatchOptions(options.level, options.twoPlayers);
  setSoundMuted(options.mute);
}
