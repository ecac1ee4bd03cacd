// Linear congruential generator with the classic 214013 / 2531011 constants.
#include "game/random.h"

#include "game/random_testing.h"
#include "host/clock.h"

namespace {
constexpr uint32_t kMultiplier = 214013u;
constexpr uint32_t kIncrement = 2531011u;
constexpr int kDiscardCycle = 10;

uint32_t generatorState = 0;
}

void seedRandom(uint32_t seed) { generatorState = seed; }

int drawRandom() {
  generatorState = generatorState * kMultiplier + kIncrement;
  return static_cast<int>((generatorState >> 16) & 0x7FFFu);
}

uint32_t randomState() { return generatorState; }

int randomInRange(int low, int high) {
  int discards = localSeconds() % kDiscardCycle;
  if (discards < 0) discards = -discards;
  for (int i = 0; i < discards; ++i) drawRandom();
  int64_t v = drawRandom();
  // An empty range (high below low) would divide by zero; it gives low, after
  // the same draws, so the sequence stays where callers expect it.
  int64_t span = static_cast<int64_t>(high) - low + 1;
  if (span <= 0) return low;
  return static_cast<int>(low + v % span);
}
