// The shared run's playback: the recording's events kept in frame order and
// handed to the page shell as the headless shell hands a script's, so the
// page takes the course the run took, frame for frame.
#include "app/web/replay_web.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "app/queued_shell.h"
#include "app/replay_script.h"
#include "app/version.h"
#include "host/message_queue.h"
#include "host/window_proc.h"

namespace {
const char kSharedName[] = "the shared game";
// The recorder's flush marks: "# complete up to frame N" (", exit E").
const char kCompleteMark[] = "# complete up to frame ";
const char kVersionWord[] = "0 version ";
constexpr size_t kLongestVersion = 23;  // four 32-bit numbers and their dots
constexpr long kLongestRun = 100000000;  // frames: over three weeks of play
constexpr int kMaxAnswers = 64;

std::vector<ScriptEvent> events;
size_t nextEvent = 0;
int32_t deliveredFrame = 0;
int32_t lastFrame = 0;
int replaying = 0;
std::vector<ScriptEvent> positions;
size_t nextPosition = 0;
int32_t cursorX = 0, cursorY = 0;
int seconds = -1;  // none named: the page's own
int answers[kMaxAnswers];
int answerHead = 0, answerCount = 0;

std::string thisVersion() {
  return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." + std::to_string(kVersionBuild) +
         "." + std::to_string(kVersionRevision);
}

// The version a recording's start-up names, when it is a plausible one.
std::string namedVersion(const std::string& text) {
  for (size_t at = 0; at < text.size();) {
    const size_t end = std::min(text.find('\n', at), text.size());
    if (text.compare(at, sizeof kVersionWord - 1, kVersionWord) == 0) {
      std::string version = text.substr(at + sizeof kVersionWord - 1, end - at - (sizeof kVersionWord - 1));
      while (!version.empty() && (version.back() == '\r' || version.back() == ' ')) version.pop_back();
      if (version.empty() || version.size() > kLongestVersion ||
          version.find_first_not_of("0123456789.") != std::string::npos)
        return "";
      return version;
    }
    at = end + 1;
  }
  return "";
}

// The last frame the recording says it holds, or 0; *ended when the run
// ended there (its events then reach into the frame after).
int32_t completeUpTo(const std::string& text, int* ended) {
  int32_t frame = 0;
  *ended = 0;
  for (size_t at = text.find(kCompleteMark); at != std::string::npos; at = text.find(kCompleteMark, at + 1)) {
    const char* digits = text.c_str() + at + sizeof kCompleteMark - 1;
    char* end = nullptr;
    const long n = std::strtol(digits, &end, 10);
    if (end != digits && *digits >= '0' && *digits <= '9' && n > 0 && n <= kLongestRun &&
        (*end == '\n' || *end == '\r' || *end == ',' || *end == '\0')) {
      frame = static_cast<int32_t>(n);
      *ended = *end == ',';
    }
  }
  return frame;
}

void deliver(const ScriptEvent& e) {
  if (postScriptMessages(e)) return;
  switch (e.kind) {
    case kEventAnswer:
      if (answerCount < kMaxAnswers) answers[(answerHead + answerCount++) % kMaxAnswers] = e.a;
      break;
    // A page is minimised only by its messages: a script's minimise and
    // restore are the WM_SIZE they bring.
    case kEventMinimise: postQueuedMessage(kWmSize, kSizeMinimized, 0); break;
    case kEventRestore: postQueuedMessage(kWmSize, kSizeRestored, 0); break;
    case kEventSeconds: seconds = e.a; break;
    default: break;  // positions are read as the frames read the cursor
  }
}
}  // namespace

int loadPageReplay(const std::string& text, GameOptions* options, int* sound, std::string* version,
                   std::string* reason) {
  std::vector<ScriptEvent> parsed;
  if (!parseReplayScript(text, kSharedName, parsed, *reason)) {
    *version = namedVersion(text);
    return !version->empty() && *version != thisVersion() ? kReplayOtherVersion : kReplayMalformed;
  }
  GameOptions game = kDefaultGameOptions;
  int named = 0;
  *sound = 1;
  seconds = -1;
  for (const ScriptEvent& e : parsed) {
    if (e.frame != 0) break;
    switch (e.kind) {
      case kEventVersion: named = 1; break;
      case kEventSound: *sound = e.a; break;
      case kEventLevel: game.level = e.a; break;
      case kEventTwoPlayers: game.twoPlayers = 1; break;
      case kEventMute: game.mute = 1; break;
      case kEventLanguage: game.language = e.a; break;
      case kEventSeconds: seconds = e.a; break;
      default: break;
    }
  }
  if (!named) {
    *reason = std::string(kSharedName) + ": names no version: not a recording";
    return kReplayNotARecording;
  }
  int ended = 0;
  int32_t last = completeUpTo(text, &ended);
  // A run that ended plays to its end; one shared while it ran stops where
  // it was shared.
  if ((last == 0 || ended) && !parsed.empty()) last = std::max(last, parsed.back().frame);
  if (last == 0) {
    *reason = std::string(kSharedName) + ": holds no frame";
    return kReplayNotARecording;
  }
  *options = game;
  events = std::move(parsed);
  positions.clear();
  for (const ScriptEvent& e : events)
    if (e.kind == kEventPosition) positions.push_back(e);
  nextEvent = 0;
  while (nextEvent < events.size() && events[nextEvent].frame == 0) ++nextEvent;
  nextPosition = 0;
  deliveredFrame = 0;
  lastFrame = last;
  replaying = 1;
  return kReplayLoaded;
}

int pageReplaying() { return replaying; }

int32_t pageReplayLastFrame() { return lastFrame; }

void deliverReplayFrame(int32_t frame) {
  if (!replaying || frame <= deliveredFrame || frame > lastFrame) return;
  deliveredFrame = frame;
  while (nextEvent < events.size() && events[nextEvent].frame <= frame) deliver(events[nextEvent++]);
}

int deliverReplayWhileWaiting() {
  if (!replaying || nextEvent >= events.size() || events[nextEvent].frame > lastFrame) return 0;
  const int32_t frame = events[nextEvent].frame;
  while (nextEvent < events.size() && events[nextEvent].frame == frame) deliver(events[nextEvent++]);
  return 1;
}

void noteReplayMouse(int32_t x, int32_t y) {
  cursorX = x;
  cursorY = y;
}

int takeReplayAnswer() {
  if (answerCount == 0) return 0;  // as headless: an answer the run lacks is No
  const int yes = answers[answerHead];
  answerHead = (answerHead + 1) % kMaxAnswers;
  --answerCount;
  return yes;
}

void replayCursor(int32_t frame, int32_t* x, int32_t* y) {
  while (nextPosition < positions.size() && positions[nextPosition].frame <= frame) {
    cursorX = positions[nextPosition].a;
    cursorY = positions[nextPosition].b;
    ++nextPosition;
  }
  *x = cursorX;
  *y = cursorY;
}

int replaySeconds() { return seconds; }

void endPageReplay() {
  replaying = 0;
  events.clear();
  positions.clear();
  nextEvent = nextPosition = 0;
  answerCount = 0;
}
