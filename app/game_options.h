// The player's opt-in choices, the same on the SDL build, the tool and the
// page: the computer's level, two players at one mouse, and no sound. With
// none given the game is the faithful one.
#pragma once
#include <string>

#include "host/texts.h"

struct GameOptions {
  int level;       // 0..3
  int twoPlayers;  // 1: both colours move by the mouse
  int mute;        // 1: every sound is silent; the synthesis still runs
  int given;       // bits of the options already given, to refuse one twice
  int language;    // kLanguageJapanese or kLanguageEnglish (host/texts.h)
};

constexpr GameOptions kDefaultGameOptions = {3, 0, 0, 0, 0};

// The bits of GameOptions::given.
constexpr int kGivenLevel = 1;
constexpr int kGivenTwoPlayers = 2;
constexpr int kGivenMute = 4;
constexpr int kGivenLanguage = 8;

enum GameOptionResult { kNotGameOption, kGameOptionTaken, kGameOptionBad };

// Looks at argv[*i] (and its value, for --level): takes it and moves *i past
// it, says it is none of these, or that it is bad (a level outside 0..3, not
// a number, or an option given twice); then *problem, when given, says which
// option and value and what is wrong.
int parseGameOption(int argc, char** argv, int* i, GameOptions* options, std::string* problem);

// The language a locale asks for, from the variables in the order that
// decides (LC_ALL, LC_MESSAGES, LANG; nullptr for one not set): the first
// set and not empty wins. Japanese for a Japanese locale, for C and POSIX and
// for none; English for any other language.
int languageOfLocale(const char* lcAll, const char* lcMessages, const char* lang);

// The usage lines of the four options.
extern const char kGameOptionsUsage[];

// For every match from now on.
void applyGameOptions(const GameOptions& options);
