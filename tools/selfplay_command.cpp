// pinwick-tool selfplay: whole computer-against-computer games, one line each.
#include <climits>
#include <cstdio>
#include <cstring>

#include "app/headless/headless_clock.h"
#include "app/output_file.h"
#include "tools/selfplay.h"
#include "tools/tool_commands.h"

namespace {
const char kSelfplayUsage[] =
    "usage: pinwick-tool selfplay [--level 0..3] [--games N] [--seconds 0..59] [--show]\n";
constexpr int kDefaultLevel = 3;
constexpr int kMaxSecondsValue = 59;

int usageError(const char* what) {
  std::fprintf(stderr, "pinwick-tool selfplay: %s; %s", what, kSelfplayUsage);
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
  int level = kDefaultLevel, games = 1, seconds = -1, show = 0;
  for (int i = 0; i < argc; ++i) {
    const char* option = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (std::strcmp(option, "--show") == 0) {
      show = 1;
    } else if (std::strcmp(option, "--level") == 0) {
      if (!parseIntArgument(value, 0, 3, &level)) return usageError("--level takes 0, 1, 2 or 3");
      ++i;
    } else if (std::strcmp(option, "--games") == 0) {
      if (!parseIntArgument(value, 1, INT_MAX, &games)) return usageError("--games takes a positive number");
      ++i;
    } else if (std::strcmp(option, "--seconds") == 0) {
      if (!parseIntArgument(value, 0, kMaxSecondsValue, &seconds))
        return usageError("--seconds takes 0..59");
      ++i;
    } else {
      char what[160];
      std::snprintf(what, sizeof what, "unknown option '%.100s'", option);
      return usageError(what);
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
