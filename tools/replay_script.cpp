// The script parser: every line is checked before the game starts.
#include "tools/replay_script.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "app/printable_text.h"
#include "app/script_words.h"
#include "app/version.h"
#include "host/window_proc.h"

namespace {
constexpr long kMaxFrame = INT_MAX - 1;  // press and click also use the next frame
constexpr long kMaxCoordinate = 100000;
// Scripts come with bug reports: anything longer is not a script line, and
// an error repeats at most this much of what it found.
constexpr size_t kMaxLineBytes = 4096;
constexpr size_t kMaxReasonBytes = 160;

int parseNumber(const std::string& word, long low, long high, long* value) {
  if (word.empty()) return 0;
  errno = 0;
  char* end = nullptr;
  long parsed = std::strtol(word.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return 0;
  *value = parsed;
  return 1;
}

// An editor may begin a script with the byte-order mark; it is no word.
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr size_t kByteOrderMarkBytes = sizeof kByteOrderMark - 1;

// What is wrong with a line before its words are read, or an empty string.
std::string checkLineBytes(const std::string& line) {
  if (line.size() > kMaxLineBytes)
    return "the line is " + std::to_string(line.size()) + " bytes long, more than a script line may be (" +
           std::to_string(kMaxLineBytes) + ")";
  if (line.find('\0') != std::string::npos) return "the line holds a NUL byte: this is not a text file";
  return "";
}

// A frame number too large for any run.
std::string checkFrameReach(const std::string& word) {
  long frame = 0;
  if (parseNumber(word, 0, kMaxFrame, &frame)) return "";
  const size_t digits = word[0] == '+' ? 1 : 0;
  if (word.size() > digits && word.find_first_not_of("0123456789", digits) == std::string::npos)
    return "frame " + word + " lies past the last frame a run can reach (" + std::to_string(kMaxFrame) + ")";
  return "";  // not a frame number at all: the line's parser says so
}

// One line's words into events; returns an empty string or what is wrong.
std::string parseLine(const std::vector<std::string>& w, std::vector<HeadlessEvent>& events) {
  long frame = 0;
  if (!parseNumber(w[0], 0, kMaxFrame, &frame)) return "the frame must be a number from 0 on, not '" + w[0] + "'";
  if (w.size() < 2) return "an event is missing after the frame";
  const std::string& event = w[1];
  const bool onlyAtStart =
      event == "version" || event == "sound" || event == "level" || event == "two-players" || event == "mute";
  const bool startUp = onlyAtStart || event == "seconds" || event == "pos";
  if (frame == 0 && !startUp)
    return "only version, sound, level, two-players, mute, seconds and pos may stand at frame 0, the start-up";
  if (frame != 0 && onlyAtStart) return "'" + event + "' belongs to frame 0";
  const size_t args = w.size() - 2;
  auto add = [&](long f, int32_t kind, int32_t a, int32_t b) {
    events.push_back({static_cast<int32_t>(f), kind, a, b});
  };
  auto wantArgs = [&](size_t n) -> std::string {
    if (args == n) return "";
    return "'" + event + "' takes " + std::to_string(n) + " argument" + (n == 1 ? "" : "s") + ", not " +
           std::to_string(args);
  };
  auto point = [&](long* x, long* y) -> std::string {
    if (!parseNumber(w[2], -kMaxCoordinate, kMaxCoordinate, x) ||
        !parseNumber(w[3], -kMaxCoordinate, kMaxCoordinate, y))
      return "'" + event + "' takes two whole-number coordinates";
    return "";
  };

  if (event == "version") {
    if (std::string bad = wantArgs(1); !bad.empty()) return bad;
    const std::string ours = std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
                             std::to_string(kVersionBuild) + "." + std::to_string(kVersionRevision);
    if (w[2] != ours) return "recorded by Pinwick " + w[2] + ", but this is Pinwick " + ours + ": replay it with that version";
    add(frame, kEventVersion, 0, 0);
    return "";
  }
  if (event == "sound") {
    if (std::string bad = wantArgs(1); !bad.empty()) return bad;
    if (w[2] != "on" && w[2] != "off") return "'sound' takes on or off, not '" + w[2] + "'";
    add(frame, kEventSound, w[2] == "on" ? 1 : 0, 0);
    return "";
  }
  if (event == "level") {
    if (std::string bad = wantArgs(1); !bad.empty()) return bad;
    long level = 0;
    if (!parseNumber(w[2], 0, 3, &level)) return "'level' takes 0..3, not '" + w[2] + "'";
    add(frame, kEventLevel, static_cast<int32_t>(level), 0);
    return "";
  }
  if (event == "two-players" || event == "mute") {
    if (std::string bad = wantArgs(0); !bad.empty()) return bad;
    add(frame, event == "mute" ? kEventMute : kEventTwoPlayers, 0, 0);
    return "";
  }
  if (event == "pos") {
    std::string bad = wantArgs(2);
    long x = 0, y = 0;
    if (bad.empty()) bad = point(&x, &y);
    if (bad.empty()) add(frame, kEventPosition, static_cast<int32_t>(x), static_cast<int32_t>(y));
    return bad;
  }
  if (event == "size") {
    if (std::string bad = wantArgs(1); !bad.empty()) return bad;
    if (w[2] != "minimised" && w[2] != "restored") return "'size' takes minimised or restored, not '" + w[2] + "'";
    add(frame, kEventSize, w[2] == "minimised" ? 1 : 0, 0);
    return "";
  }
  if (event == "mouse" || event == "click") {
    std::string bad = wantArgs(2);
    if (bad.empty()) {
      long x = 0, y = 0;
      bad = point(&x, &y);
      if (bad.empty()) {
        add(frame, kEventMouse, static_cast<int32_t>(x), static_cast<int32_t>(y));
        if (event == "click") {
          add(frame, kEventButton, 0, 1);
          add(frame + 1, kEventButton, 0, 0);
        }
      }
    }
    return bad;
  }
  if (event == "down" || event == "up") {
    if (std::string bad = wantArgs(1); !bad.empty()) return bad;
    if (w[2] != "left" && w[2] != "right") return "'" + event + "' takes left or right, not '" + w[2] + "'";
    add(frame, kEventButton, w[2] == "left" ? 0 : 1, event == "down" ? 1 : 0);
    return "";
  }
  if (event == "key" || event == "press") {
    if (std::string bad = wantArgs(event == "key" ? 2 : 1); !bad.empty()) return bad;
    uint32_t key = 0;
    if (!keyOfWord(w[2].c_str(), &key)) return "unknown key '" + w[2] + "'";
    const int32_t vk = static_cast<int32_t>(key);
    if (event == "press") {
      add(frame, kEventKey, vk, 1);
      add(frame + 1, kEventKey, vk, 0);
      return "";
    }
    if (w[3] != "down" && w[3] != "up") return "'key' takes down or up, not '" + w[3] + "'";
    add(frame, kEventKey, vk, w[3] == "down" ? 1 : 0);
    return "";
  }
  if (event == "menu") {
    if (std::string bad = wantArgs(1); !bad.empty()) return bad;
    uint32_t command = 0;
    if (menuOfWord(w[2].c_str(), &command)) {
      add(frame, kEventMenu, static_cast<int32_t>(command), 0);
      return "";
    }
    return "unknown menu command '" + w[2] + "' (reset, exit, volume or ver)";
  }
  if (event == "answer") {
    if (std::string bad = wantArgs(1); !bad.empty()) return bad;
    if (w[2] != "yes" && w[2] != "no") return "'answer' takes yes or no, not '" + w[2] + "'";
    add(frame, kEventAnswer, w[2] == "yes" ? 1 : 0, 0);
    return "";
  }
  if (event == "seconds") {
    if (std::string bad = wantArgs(1); !bad.empty()) return bad;
    long s = 0;
    if (!parseNumber(w[2], 0, 59, &s)) return "'seconds' takes 0..59, not '" + w[2] + "'";
    add(frame, kEventSeconds, static_cast<int32_t>(s), 0);
    return "";
  }
  if (event == "close" || event == "minimise" || event == "restore" || event == "other") {
    if (std::string bad = wantArgs(0); !bad.empty()) return bad;
    const int32_t kind = event == "close"      ? kEventClose
                         : event == "minimise" ? kEventMinimise
                         : event == "restore"  ? kEventRestore
                                               : kEventOther;
    add(frame, kind, 0, 0);
    return "";
  }
  return "unknown event '" + event + "'";
}
}  // namespace

int parseReplayScript(const std::string& text, const char* fileName, std::vector<HeadlessEvent>& events,
                      std::string& error) {
  events.clear();
  std::istringstream lines(text.compare(0, kByteOrderMarkBytes, kByteOrderMark) == 0 ? text.substr(kByteOrderMarkBytes)
                                                                                    : text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    std::string bad = checkLineBytes(line);
    if (!bad.empty()) {
      error = std::string(fileName) + ":" + std::to_string(number) + ": " + bad;
      return 0;
    }
    size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    if (w.empty()) continue;
    bad = checkFrameReach(w[0]);
    if (bad.empty()) bad = parseLine(w, events);
    if (!bad.empty()) {
      error = std::string(fileName) + ":" + std::to_string(number) + ": " + printableText(bad, kMaxReasonBytes);
      return 0;
    }
  }
  // Lines may come in any order; within a frame they keep their order.
  std::stable_sort(events.begin(), events.end(),
                   [](const HeadlessEvent& a, const HeadlessEvent& b) { return a.frame < b.frame; });
  return 1;
}

std::string scriptOptionsConflict(const std::vector<HeadlessEvent>& events, const char* fileName,
                                  const GameOptions& commandLine) {
  GameOptions script = kDefaultGameOptions;  // given: what the script names
  int recording = 0;
  for (size_t i = 0; i < events.size() && events[i].frame == 0; ++i) {
    switch (events[i].kind) {
      case kEventVersion: recording = 1; break;
      case kEventLevel:
        script.level = events[i].a;
        script.given |= kGivenLevel;
        break;
      case kEventTwoPlayers: script.twoPlayers = 1; break;
      case kEventMute: script.mute = 1; break;
      default: break;
    }
  }
  const std::string file = std::string(fileName) + ": ";
  const int levelNamed = script.given & kGivenLevel;
  if (recording) script.given = kGivenLevel | kGivenTwoPlayers | kGivenMute;
  const int both = script.given & commandLine.given;
  if ((both & kGivenLevel) && script.level != commandLine.level)
    return file + (levelNamed ? "the script plays at level " : "the recording plays at level ") +
           std::to_string(script.level) + (levelNamed ? "" : " (it names none: the default)") +
           ", but the command line asks for --level " + std::to_string(commandLine.level);
  if ((both & kGivenTwoPlayers) && !script.twoPlayers)
    return file + "the recording is of a game against the computer, but the command line asks for --two-players";
  if ((both & kGivenMute) && !script.mute)
    return file + "the recording is of a game with sound, but the command line asks for --mute";
  return "";
}
