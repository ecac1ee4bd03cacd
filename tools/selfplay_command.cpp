// pinwick-tool selfplay: whole computer-against-computer games, one line each.
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/command_line.h"
#include "app/headless/clock_headless.h"
#include "host/output_file.h"
#include "tools/selfplay.h"
#include "tools/tool_commands.h"

namespace {
const char kSelfplayUsage[] =
    "usage: pinwick-tool selfplay [--level 0..3] [--games N] [--seconds 0..59] [--show]\n";
constexpr int kDefaultLevel = 3;
constexpr int kMaxLevel = 3;
constexpr int kMaxSecondsValue = 59;

enum SelfplayOption { kOptionLevel, kOptionGames, kOptionSeconds, kOptionShow, kSelfplayOptionCount };
const char* const kSelfplayOptionNames[kSelfplayOptionCount] = {"--level", "--games", "--seconds", "--show"};

int usageError(const std::string& what) {
  std::fprintf(stderr, "pinwick-tool selfplay: %s\n%s", what.c_str(), kSelfplayUsage);
  return kExitUsage;
}

char stoneGlyph(int32_t cell) {
  switch (cell) {
    case kWhite: return 'O';
    case kBlack: return 'X';
    default: return '.';
  }
}

void printBoard(const Board& board) {
  std::printf("   a b c d e f g h\n");
  for (int r = 0; r < kBoardSize; ++r) {
    std::printf("%d ", r + 1);
    for (int c = 0; c < kBoardSize; ++c) std::printf(" %c", stoneGlyph(board.cells[r * kBoardSize + c]));
    std::printf("\n");
  }
}

// The people's view: every turn with the board after it.
void showGame(const SelfplayGame& game) {
  std::printf("White (O) moves first; black's stones (X) are the red ones in the game.\n\n");
  printBoard(game.turns[0].before);
  for (int i = 0; i < game.turnCount; ++i) {
    const SelfplayTurn& turn = game.turns[i];
    const char* who = turn.side == kWhite ? "White" : "Black";
    if (turn.passed) {
      std::printf("\n%s has no move and passes.\n", who);
      continue;
    }
    std::printf("\n%s plays %c%c\n", who, 'a' + turn.column, '1' + turn.row);
    printBoard(i + 1 < game.turnCount ? game.turns[i + 1].before : matchBoard);
  }
  const char* outcome = game.final.white == game.final.black ? "A draw"
                        : game.final.white > game.final.black ? "White wins"
                                                              : "Black wins";
  std::printf("\n%s, %d to %d.\n\n", outcome, game.final.white, game.final.black);
}
}  // namespace

int runSelfplayCommand(int argc, char** argv) {
  if (argc == 1 && std::strcmp(argv[0], "--help") == 0) {
    std::fputs(kSelfplayUsage, stdout);
    return kExitOk;
  }
  int level = kDefaultLevel, games = 1, seconds = -1, show = 0;
  int given = 0;  // the bits of the options seen, to refuse one twice
  for (int i = 0; i < argc; ++i) {
    const char* option = argv[i];
    int which = 0;
    while (which < kSelfplayOptionCount && std::strcmp(option, kSelfplayOptionNames[which]) != 0) ++which;
    if (which == kSelfplayOptionCount) return usageError(unknownOption(option));
    if (given & (1 << which)) return usageError(std::string(option) + " is given twice");
    given |= 1 << which;
    if (which == kOptionShow) {
      show = 1;
      continue;
    }
    if (i + 1 >= argc) return usageError(std::string(option) + " needs a number");
    const char* value = argv[++i];
    const std::string quoted = optionAndValue(option, value);
    switch (which) {
      case kOptionLevel:
        if (!parseOptionNumber(value, 0, kMaxLevel, &level)) return usageError(quoted + ": the level is 0, 1, 2 or 3");
        break;
      case kOptionGames:
        if (!parseOptionNumber(value, 1, INT_MAX, &games))
          return usageError(quoted + ": the number of games is 1 or more");
        break;
      case kOptionSeconds:
        if (!parseOptionNumber(value, 0, kMaxSecondsValue, &seconds))
          return usageError(quoted + ": the local seconds are 0 to 59");
        break;
      default: break;
    }
  }

  setHeadlessSeconds(seconds);
  startGeneratorAsAfterStartup();
  static SelfplayGame game;
  char line[1024];
  int why = 0;
  for (int g = 0; g < games && why == 0; ++g) {
    playSelfplayGame(level, game);
    if (show) showGame(game);
    formatSelfplayGame(game, line, sizeof line);
    std::printf("%s\n", line);
    why = outputStreamError(stdout);  // a full disk or a closed output: stop here
  }
  const int finished = finishOutputStream(stdout);
  if (why == 0) why = finished;
  if (why != 0) {
    reportOutputFailure("pinwick-tool selfplay", "-", why);
    return kExitFailed;
  }
  return kExitOk;
}
