// chooseMove at level 3 over every position of twenty self-played games.
#include <benchmark/benchmark.h>

#include <vector>

#include "app/headless/clock_headless.h"
#include "game/computer.h"
#include "tools/selfplay.h"

namespace {
struct Position {
  Board board;
  int side;
};

std::vector<Position> collectPositions() {
  setHeadlessSeconds(7);
  startGeneratorAsAfterStartup();
  std::vector<Position> positions;
  static SelfplayGame game;
  for (int g = 0; g < 20; ++g) {
    playSelfplayGame(3, game);
    for (int t = 0; t < game.turnCount; ++t) positions.push_back({game.turns[t].before, game.turns[t].side});
  }
  return positions;
}

void BM_ChooseMoveLevel3(benchmark::State& state) {
  static const std::vector<Position> positions = collectPositions();
  size_t next = 0;
  for (auto _ : state) {
    const Position& p = positions[next];
    next = next + 1 == positions.size() ? 0 : next + 1;
    int column = 0, row = 0;
    benchmark::DoNotOptimize(chooseMove(p.board, p.side, 3, &column, &row));
    benchmark::DoNotOptimize(column);
  }
  state.counters["positions"] = static_cast<double>(positions.size());
}
BENCHMARK(BM_ChooseMoveLevel3);
}  // namespace
