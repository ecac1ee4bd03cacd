// pinwick-tool replay: the whole game on the headless shell, from a script or
// from the monkey, with a trace, screenshots and the mixed audio.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef _WIN32
#include <io.h>
#endif

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/command_line.h"
#include "app/game_options.h"
#include "app/headless/clock_headless.h"
#include "app/headless/shell_headless.h"
#include "app/replay_script.h"
#include "gfx/base_directory.h"
#include "gfx/gfx.h"
#include "host/output_file.h"
#include "scenes/driver.h"
#include "sound/wav_file.h"
#include "tools/png_writer.h"
#include "tools/tool_commands.h"

namespace {
const char kReplayUsage[] =
    "usage: pinwick-tool replay [--script FILE|-] [--frames N] [--trace FILE|-] [--shot N:FILE.png|-]...\n"
    "                           [--audio FILE.wav|-] [--seconds 0..59] [--monkey SEED] [--player SEED] [--realtime]\n"
    "                           [--level 0..3] [--two-players] [--mute] [--lang ja|en]\n";
constexpr int kExitInvariant = 3;
constexpr int32_t kFramesAfterLastEvent = 100;
constexpr int32_t kMonkeyDefaultFrames = 10000;
constexpr int32_t kLastFrame = INT_MAX - 1;  // the frame count must stay an int32_t
constexpr int kLastSecond = 59;

// A script comes with a bug report; a recording of hours of play stays far
// below this.
constexpr size_t kMebibyteShift = 20;
constexpr size_t kMaxScriptBytes = size_t{64} << kMebibyteShift;
constexpr size_t kReadChunkBytes = 65536;
constexpr int kStandardInput = 0;
const char kStandardInputName[] = "(standard input)";
#ifdef _WIN32
constexpr int kOpenFileFlags = O_RDONLY | O_BINARY;
constexpr int kOpenPipeFlags = kOpenFileFlags;
#else
constexpr int kOpenPipeFlags = O_RDONLY | O_NOCTTY | O_CLOEXEC;
constexpr int kOpenFileFlags = kOpenPipeFlags | O_NONBLOCK;
#endif

// The options that take a value; each may be given once, but --shot.
enum ReplayOption {
  kOptionScript, kOptionFrames, kOptionTrace, kOptionAudio, kOptionSeconds, kOptionMonkey, kOptionPlayer,
  kOptionShot, kReplayOptionCount
};
const char* const kReplayOptionNames[kReplayOptionCount] = {"--script",  "--frames", "--trace",  "--audio",
                                                            "--seconds", "--monkey", "--player", "--shot"};

int usageError(const std::string& what) {
  std::fprintf(stderr, "pinwick-tool replay: %s\n%s", what.c_str(), kReplayUsage);
  return kExitUsage;
}

// Reads the script at path ("-": standard input) into text; returns what
// went wrong, or an empty string. Only a file, a pipe or standard input is
// read, never more than a script may hold: a device or a directory is
// refused before it is opened for good, so that nothing can hang on it.
std::string readScript(const char* path, std::string& text) {
  int fd = kStandardInput;
  if (std::strcmp(path, "-") == 0) {
#ifdef _WIN32
    _setmode(kStandardInput, O_BINARY);
#endif
  } else {
    struct stat info;
    if (stat(path, &info) != 0) return std::strerror(errno);
    if (S_ISDIR(info.st_mode)) return "it is a directory";
    if (!S_ISREG(info.st_mode) && !S_ISFIFO(info.st_mode)) return "it is not a file (a device or a socket)";
    // A pipe's open waits for its writer, as it should; anything else opens
    // at once, even if it has turned into a device since.
    fd = open(path, S_ISFIFO(info.st_mode) ? kOpenPipeFlags : kOpenFileFlags);
    if (fd < 0) return std::strerror(errno);
    if (fstat(fd, &info) != 0 || (!S_ISREG(info.st_mode) && !S_ISFIFO(info.st_mode))) {
      close(fd);
      return "it is not a file (a device or a socket)";
    }
  }
  text.clear();
  std::string wrong;
  char buffer[kReadChunkBytes];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) wrong = std::strerror(errno);
    if (got <= 0) break;
    if (text.size() + static_cast<size_t>(got) > kMaxScriptBytes) {
      wrong = "it holds more than a script may (" + std::to_string(kMaxScriptBytes >> kMebibyteShift) + " MiB)";
      break;
    }
    text.append(buffer, static_cast<size_t>(got));
  }
  if (fd != kStandardInput) close(fd);
  return wrong;
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

constexpr char kProgram[] = "pinwick-tool replay";

// The script is read whole before anything is written, but an output named
// like it would still overwrite it: no two of these may be one file.
int outputsAreApart(const char* script, const char* trace, const char* audio, const std::vector<ShotRequest>& shots) {
  const bool scriptIsFile = script != nullptr && std::strcmp(script, "-") != 0;
  std::vector<NamedOutput> files = {
      {"--script", scriptIsFile ? script : nullptr}, {"--trace", trace}, {"--audio", audio}};
  for (const ShotRequest& shot : shots) files.push_back({"--shot", shot.path.c_str()});
  return outputsAreDistinct(kProgram, files.data(), static_cast<int>(files.size()));
}

// 0 when written; else says why and returns it.
int writeOutput(const std::string& path, const std::vector<uint8_t>& bytes) {
  const int why = writeWholeFile(path.c_str(), bytes.data(), bytes.size());
  if (why != 0) reportOutputFailure(kProgram, path.c_str(), why);
  return why;
}

// What the command line asks for.
struct ReplayRequest {
  HeadlessRunOptions options;
  const char* scriptPath = nullptr;
  const char* tracePath = nullptr;
  const char* audioPath = nullptr;
  std::vector<ShotRequest> shots;
  int frames = 0, seconds = -1, monkeySeed = -1, playerSeed = -1;
};

// Takes the value of one option; what is wrong with it, or nullptr.
const char* takeValue(int which, const char* value, ReplayRequest* r) {
  switch (which) {
    case kOptionScript: r->scriptPath = value; return fileNameProblem(value);
    case kOptionTrace: r->tracePath = value; return fileNameProblem(value);
    case kOptionAudio: r->audioPath = value; return fileNameProblem(value);
    case kOptionFrames:
      return parseOptionNumber(value, 1, kLastFrame, &r->frames) ? nullptr
                                                                  : "the last frame is a number from 1 to 2147483646";
    case kOptionSeconds:
      return parseOptionNumber(value, 0, kLastSecond, &r->seconds) ? nullptr : "the local seconds are 0 to 59";
    case kOptionMonkey:
    case kOptionPlayer:
      return parseOptionNumber(value, 0, INT_MAX, which == kOptionMonkey ? &r->monkeySeed : &r->playerSeed)
                 ? nullptr
                 : "the seed is a number from 0 to 2147483647";
    case kOptionShot: {
      const char* colon = std::strchr(value, ':');
      int frame = 0;
      if (colon == nullptr) return "not FRAME:FILE.png";
      if (!parseOptionNumber(std::string(value, colon).c_str(), 1, kLastFrame, &frame))
        return "the frame is a number from 1 to 2147483646";
      r->shots.push_back({frame, colon + 1});
      return fileNameProblem(colon + 1);
    }
    default: return nullptr;
  }
}

// The command line into *r: kExitOk, or the usage error's status.
int parseReplayArguments(int argc, char** argv, ReplayRequest* r) {
  int given = 0;  // the bits of the ReplayOptions seen, to refuse one twice
  for (int i = 0; i < argc; ++i) {
    const char* option = argv[i];
    int next = i;
    std::string problem;
    switch (parseGameOption(argc, argv, &next, &r->options.game, &problem)) {
      case kGameOptionTaken: i = next - 1; continue;
      case kGameOptionBad: return usageError(problem);
      default: break;
    }
    if (std::strcmp(option, "--realtime") == 0) {
      if (r->options.realtime) return usageError("--realtime is given twice");
      r->options.realtime = 1;
      continue;
    }
    int which = 0;
    while (which < kReplayOptionCount && std::strcmp(option, kReplayOptionNames[which]) != 0) ++which;
    if (which == kReplayOptionCount) return usageError(unknownOption(option));
    if (which != kOptionShot && (given & (1 << which))) return usageError(std::string(option) + " is given twice");
    given |= 1 << which;
    if (i + 1 >= argc) return usageError(std::string(option) + " needs a value");
    const char* value = argv[++i];
    if (const char* wrong = takeValue(which, value, r)) return usageError(optionAndValue(option, value) + ": " + wrong);
  }
  if (!outputsAreApart(r->scriptPath, r->tracePath, r->audioPath, r->shots)) return kExitUsage;
  if (r->monkeySeed >= 0 && r->playerSeed >= 0) return usageError("--monkey and --player do not go together");
  if (r->playerSeed >= 0) r->monkeySeed = r->playerSeed;
  return kExitOk;
}

// The script's events, checked against the command line: kExitOk, or the
// usage error's status.
int loadScript(ReplayRequest* r) {
  if (r->scriptPath == nullptr) return kExitOk;
  const bool standardInput = std::strcmp(r->scriptPath, "-") == 0;
  const char* name = standardInput ? kStandardInputName : r->scriptPath;
  std::string text, error = readScript(r->scriptPath, text);
  if (!error.empty()) {
    std::fprintf(stderr, "pinwick-tool replay: cannot read the script %s: %s\n", name, error.c_str());
    return kExitUsage;
  }
  if (!parseReplayScript(text, name, r->options.events, error) ||
      !(error = scriptOptionsConflict(r->options.events, name, r->options.game)).empty()) {
    std::fprintf(stderr, "pinwick-tool replay: %s\n", error.c_str());
    return kExitUsage;
  }
  return kExitOk;
}

// The run's options from the request. Without --frames the run ends a
// little after the last thing asked for.
void settleRunOptions(ReplayRequest* r) {
  HeadlessRunOptions& options = r->options;
  if (r->frames == 0) {
    int64_t last = options.events.empty() ? 0 : options.events.back().frame;
    for (const ShotRequest& s : r->shots) last = std::max<int64_t>(last, s.frame);
    const int64_t end = std::min<int64_t>(last + kFramesAfterLastEvent, kLastFrame);
    r->frames = r->monkeySeed >= 0 && last == 0 ? kMonkeyDefaultFrames : static_cast<int>(end);
  }
  options.frameLimit = r->frames;
  options.monkey = r->monkeySeed >= 0;
  options.player = r->playerSeed >= 0;
  options.monkeySeed = static_cast<uint32_t>(r->monkeySeed < 0 ? 0 : r->monkeySeed);
  options.captureAudio = r->audioPath != nullptr;
  for (const ShotRequest& s : r->shots) options.shotFrames.push_back(s.frame);
}

// Why the run stopped, when that is a failure: its status.
int runEndStatus(const HeadlessRunResult& result) {
  switch (result.end) {
    case kRunStarved:
    case kRunStalled: std::fprintf(stderr, "pinwick-tool replay: %s\n", result.message); return kExitFailed;
    case kRunInvariantBroken:
      std::fprintf(stderr, "pinwick-tool replay: invariant broken at %s\n", result.message);
      return kExitInvariant;
    default: return kExitOk;
  }
}

// The shots and the audio: kExitOk, or kExitFailed when one could not be written.
int writeShotsAndAudio(const ReplayRequest& r, const HeadlessRunResult& result) {
  int status = kExitOk;
  for (size_t i = 0; i < r.shots.size(); ++i) {
    if (result.shots[i].empty()) {
      std::fprintf(stderr, "pinwick-tool replay: the run ended before frame %d; %s not written\n", r.shots[i].frame,
                   r.shots[i].path.c_str());
      status = kExitFailed;
    } else if (writeOutput(r.shots[i].path, encodePng(result.shots[i].data(), kScreenWidth, kScreenHeight)) != 0) {
      status = kExitFailed;
    }
  }
  if (r.audioPath != nullptr && writeOutput(r.audioPath, buildWavFile(result.audio.data(), result.audio.size())) != 0)
    status = kExitFailed;
  return status;
}
}  // namespace

int runReplayCommand(int argc, char** argv) {
  if (argc == 1 && std::strcmp(argv[0], "--help") == 0) {
    std::fputs(kReplayUsage, stdout);
    return kExitOk;
  }
  ReplayRequest request;
  if (int status = parseReplayArguments(argc, argv, &request)) return status;
  if (int status = loadScript(&request)) return status;
  settleRunOptions(&request);

  std::FILE* trace = nullptr;
  if (request.tracePath != nullptr) {
    if (int why = openOutputStream(request.tracePath, &trace)) {
      reportOutputFailure(kProgram, request.tracePath, why);
      return kExitFailed;
    }
  }
  request.options.trace = trace;
  setHeadlessSeconds(request.seconds);
  // The tool has no folder of its own: files are named from where it runs.
  setBaseDirectory(".");

  const auto started = std::chrono::steady_clock::now();
  const HeadlessRunResult result = runHeadlessGame(request.options);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;

  int status = kExitOk;
  if (trace != nullptr && result.end == kRunProgramEnded) std::fprintf(trace, "exit=%d\n", result.exitCode);
  for (int i = 0; i < headlessDialogCount(); ++i) std::fprintf(stderr, "pinwick-tool replay: %s\n", headlessDialogText(i));
  if (trace != nullptr) {
    if (int why = finishOutputStream(trace)) {
      reportOutputFailure(kProgram, request.tracePath, why);
      status = kExitFailed;
    }
  }
  if (request.options.monkey)
    printMonkeySummary(request.options.player ? "player" : "monkey", request.monkeySeed, result, took.count());
  if (int end = runEndStatus(result)) status = end;
  const int written = writeShotsAndAudio(request, result);
  return status == kExitOk ? written : status;
}
