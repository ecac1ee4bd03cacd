// pinwick-tool replay: the whole game on the headless shell, from a script or
// from the monkey, with a trace, screenshots and the mixed audio.
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "app/game_options.h"
#include "app/headless/headless_clock.h"
#include "app/headless/headless_shell.h"
#include "gfx/base_directory.h"
#include "gfx/gfx.h"
#include "scenes/driver.h"
#include "sound/wav_file.h"
#include "tools/png_writer.h"
#include "tools/replay_script.h"
#include "tools/tool_commands.h"

namespace {
const char kReplayUsage[] =
    "usage: pinwick-tool replay [--script FILE] [--frames N] [--trace FILE|-] [--shot N:FILE.png]...\n"
    "                           [--audio FILE.wav] [--seconds 0..59] [--monkey SEED] [--player SEED] [--realtime]\n"
    "                           [--level 0..3] [--two-players] [--mute]\n";
constexpr int kExitInvariant = 3;
constexpr int32_t kFramesAfterLastEvent = 100;
constexpr int32_t kMonkeyDefaultFrames = 10000;

int usageError(const std::string& what) {
  std::fprintf(stderr, "pinwick-tool replay: %s\n%s", what.c_str(), kReplayUsage);
  return kExitUsage;
}

int readWholeFile(const char* path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return 0;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  text = buffer.str();
  return in.good() || in.eof();
}

struct SceneName {
  int code;
  const char* name;
};
constexpr SceneName kSceneNames[] = {
    {kSceneTitle, "title"}, {kSceneMatch, "match"}, {kSceneEnding, "ending"}, {kSceneGameOver, "game-over"}};
constexpr double kPercent = 100.0;

// One line after a monkey's run: frames, the scenes it saw with their
// frames and shares, the checks made, the time it took.
void printMonkeySummary(const char* who, int seed, const HeadlessRunResult& result, double seconds) {
  std::fprintf(stderr, "pinwick-tool replay: %s %d: %d frames;", who, seed, result.framesCompleted);
  const double frames = result.framesCompleted > 0 ? result.framesCompleted : 1;
  for (const SceneName& s : kSceneNames) {
    const int32_t n = result.sceneFrames[s.code];
    if (n > 0) std::fprintf(stderr, " %s %d (%.2f%%)", s.name, n, n * kPercent / frames);
  }
  std::fprintf(stderr, "; %lld invariant checks; %.1f s\n", static_cast<long long>(result.invariantChecks), seconds);
}

struct ShotRequest {
  int32_t frame;
  std::string path;
};
}  // namespace

int runReplayCommand(int argc, char** argv) {
  HeadlessRunOptions options;
  const char* scriptPath = nullptr;
  const char* tracePath = nullptr;
  const char* audioPath = nullptr;
  std::vector<ShotRequest> shots;
  int frames = 0, seconds = -1, monkeySeed = -1, playerSeed = -1;

  for (int i = 0; i < argc; ++i) {
    std::string option = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    auto needValue = [&]() { return value != nullptr; };
    int next = i;
    switch (parseGameOption(argc, argv, &next, &options.game)) {
      case kGameOptionTaken: i = next - 1; continue;
      case kGameOptionBad: return usageError(option + ": --level takes 0..3, and no option may come twice");
      default: break;
    }
    if (option == "--realtime") {
      options.realtime = 1;
      continue;
    }
    if (!needValue()) return usageError(option + " needs a value");
    ++i;
    if (option == "--script") {
      scriptPath = value;
    } else if (option == "--frames") {
      if (!parseIntArgument(value, 1, INT_MAX - 1, &frames)) return usageError("--frames takes a positive number");
    } else if (option == "--trace") {
      tracePath = value;
    } else if (option == "--audio") {
      audioPath = value;
    } else if (option == "--seconds") {
      if (!parseIntArgument(value, 0, 59, &seconds)) return usageError("--seconds takes 0..59");
    } else if (option == "--monkey") {
      if (!parseIntArgument(value, 0, INT_MAX, &monkeySeed)) return usageError("--monkey takes a seed, 0 or more");
    } else if (option == "--player") {
      if (!parseIntArgument(value, 0, INT_MAX, &playerSeed)) return usageError("--player takes a seed, 0 or more");
    } else if (option == "--shot") {
      const char* colon = std::strchr(value, ':');
      int frame = 0;
      if (colon == nullptr || colon[1] == '\0' ||
          !parseIntArgument(std::string(value, colon).c_str(), 1, INT_MAX - 1, &frame))
        return usageError("--shot takes FRAME:FILE.png");
      shots.push_back({frame, colon + 1});
    } else {
      return usageError("unknown option '" + option + "'");
    }
  }

  if (monkeySeed >= 0 && playerSeed >= 0) return usageError("--monkey and --player do not go together");
  if (playerSeed >= 0) monkeySeed = playerSeed;

  if (scriptPath != nullptr) {
    std::string text, error;
    if (!readWholeFile(scriptPath, text)) {
      std::fprintf(stderr, "pinwick-tool replay: cannot read the script %s\n", scriptPath);
      return kExitUsage;
    }
    if (!parseReplayScript(text, scriptPath, options.events, error)) {
      std::fprintf(stderr, "pinwick-tool replay: %s\n", error.c_str());
      return kExitUsage;
    }
  }

  // Without --frames the run ends a little after the last thing asked for.
  if (frames == 0) {
    int32_t last = options.events.empty() ? 0 : options.events.back().frame;
    for (const ShotRequest& s : shots) last = s.frame > last ? s.frame : last;
    frames = monkeySeed >= 0 && last == 0 ? kMonkeyDefaultFrames : last + kFramesAfterLastEvent;
  }
  options.frameLimit = frames;
  options.monkey = monkeySeed >= 0;
  options.player = playerSeed >= 0;
  options.monkeySeed = static_cast<uint32_t>(monkeySeed < 0 ? 0 : monkeySeed);
  options.captureAudio = audioPath != nullptr;
  for (const ShotRequest& s : shots) options.shotFrames.push_back(s.frame);

  std::FILE* trace = nullptr;
  if (tracePath != nullptr) {
    trace = std::strcmp(tracePath, "-") == 0 ? stdout : std::fopen(tracePath, "w");
    if (trace == nullptr) {
      std::fprintf(stderr, "pinwick-tool replay: cannot write the trace %s\n", tracePath);
      return kExitFailed;
    }
  }
  options.trace = trace;
  setHeadlessSeconds(seconds);
  // The tool has no folder of its own: files are named from where it runs.
  setBaseDirectory(".");

  const auto started = std::chrono::steady_clock::now();
  HeadlessRunResult result = runHeadlessGame(options);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;

  int status = kExitOk;
  if (trace != nullptr && result.end == kRunProgramEnded) std::fprintf(trace, "exit=%d\n", result.exitCode);
  for (int i = 0; i < headlessDialogCount(); ++i) std::fprintf(stderr, "pinwick-tool replay: %s\n", headlessDialogText(i));
  if (trace != nullptr && trace != stdout && std::fclose(trace) != 0) {
    std::fprintf(stderr, "pinwick-tool replay: could not finish writing the trace %s\n", tracePath);
    status = kExitFailed;
  } else if (trace == stdout && std::fflush(stdout) != 0) {
    status = kExitFailed;
  }

  if (options.monkey) printMonkeySummary(options.player ? "player" : "monkey", monkeySeed, result, took.count());
  switch (result.end) {
    case kRunStarved:
    case kRunStalled:
      std::fprintf(stderr, "pinwick-tool replay: %s\n", result.message);
      status = kExitFailed;
      break;
    case kRunInvariantBroken:
      std::fprintf(stderr, "pinwick-tool replay: invariant broken at %s\n", result.message);
      status = kExitInvariant;
      break;
    default:
      break;
  }

  for (size_t i = 0; i < shots.size(); ++i) {
    if (result.shots[i].empty()) {
      std::fprintf(stderr, "pinwick-tool replay: the run ended before frame %d; %s not written\n", shots[i].frame,
                   shots[i].path.c_str());
      status = status == kExitOk ? kExitFailed : status;
      continue;
    }
    if (!writePng(shots[i].path.c_str(), result.shots[i].data(), kScreenWidth, kScreenHeight)) {
      std::fprintf(stderr, "pinwick-tool replay: cannot write %s\n", shots[i].path.c_str());
      status = status == kExitOk ? kExitFailed : status;
    }
  }
  if (audioPath != nullptr &&
      !writeWavFile(audioPath, result.audio.data(), static_cast<int>(result.audio.size()))) {
    std::fprintf(stderr, "pinwick-tool replay: cannot write %s\n", audioPath);
    status = status == kExitOk ? kExitFailed : status;
  }
  return status;
}
