// Rendering and mixing the game's eight sounds, as start-up does.
#include <benchmark/benchmark.h>

#include <vector>

#include "sound/bank.h"
#include "sound/voices.h"

namespace {

void BM_SoundRenderAllEight(benchmark::State& state) {
  int longest = 0;
  for (const SoundRun& run : kShippedSounds) {
    const int length = soundLength(kShippedVoices + run.firstVoice, run.voiceCount);
    if (length > longest) longest = length;
  }
  std::vector<uint8_t> out(static_cast<size_t>(longest)), scratch(static_cast<size_t>(longest));
  int64_t samples = 0;
  for (auto _ : state) {
    for (const SoundRun& run : kShippedSounds) {
      mixSound(kShippedVoices + run.firstVoice, run.voiceCount, out.data(), scratch.data());
      benchmark::DoNotOptimize(out.data());
    }
    for (const VoiceDef& voice : kShippedVoices) samples += voice.length;
  }
  state.counters["samples/s"] = benchmark::Counter(static_cast<double>(samples), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SoundRenderAllEight)->Unit(benchmark::kMillisecond);

}  // namespace
