// The replay scripts' words, the writer of one event's line and the parser
// of whole scripts: every line is checked before the game starts.
#include "app/replay_script.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/printable_text.h"
#include "app/version.h"
#include "host/texts.h"
#include "host/window_proc.h"

namespace {
struct Word {
  const char* word;
  uint32_t value;
};

constexpr Word kKeyWords[] = {
    {"left", kVkLeft}, {"right", kVkRight}, {"up", kVkUp},      {"down", kVkDown}, {"space", kVkSpace},
    {"x", kVkX},       {"z", kVkZ},         {"s", kVkS},        {"a", kVkA},       {"shift", kVkShift},
    {"f1", kVkF1},     {"f2", kVkF2},       {"esc", kVkEscape}, {"m", kVkM},       {"enter", kVkReturn},
};

constexpr Word kMenuWords[] = {
    {"reset", kCommandReset}, {"exit", kCommandExit}, {"volume", kCommandVolume}, {"ver", kCommandVersion}};

template <size_t N>
const char* wordFor(const Word (&words)[N], uint32_t value) {
  for (const Word& w : words)
    if (w.value == value) return w.word;
  return nullptr;
}

template <size_t N>
int valueOf(const Word (&words)[N], const char* word, uint32_t* value) {
  for (const Word& w : words) {
    if (std::strcmp(w.word, word) == 0) {
      *value = w.value;
      return 1;
    }
  }
  return 0;
}

constexpr long kMaxFrame = INT_MAX - 1;  // press and click also use the next frame
constexpr long kMaxCoordinate = 100000;
constexpr long kMaxLevel = 3;
constexpr long kMaxSeconds = 59;
// Scripts come with bug reports: anything longer is not a script line, and
// an error repeats at most this much of what it found.
constexpr size_t kMaxLineBytes = 4096;
constexpr size_t kMaxReasonBytes = 160;
// An editor may begin a script with the byte-order mark; it is no word.
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr size_t kByteOrderMarkBytes = sizeof kByteOrderMark - 1;

int parseNumber(const std::string& word, long low, long high, long* value) {
  if (word.empty()) return 0;
  errno = 0;
  char* end = nullptr;
  long parsed = std::strtol(word.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return 0;
  *value = parsed;
  return 1;
}

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

// One line's words (the frame and the event first) and where its events go.
struct Line {
  const std::vector<std::string>& words;
  long frame;
  std::vector<ScriptEvent>& events;

  const std::string& event() const { return words[1]; }
  const std::string& arg(size_t i) const { return words[2 + i]; }
  void add(long f, int32_t kind, int32_t a, int32_t b) const {
    events.push_back({static_cast<int32_t>(f), kind, a, b});
  }
  std::string wantArgs(size_t n) const {
    const size_t args = words.size() - 2;
    if (args == n) return "";
    return "'" + event() + "' takes " + std::to_string(n) + " argument" + (n == 1 ? "" : "s") + ", not " +
           std::to_string(args);
  }
  // Argument i is first or second: *isFirst says which.
  std::string oneOf(size_t i, const char* first, const char* second, int32_t* isFirst) const {
    if (arg(i) != first && arg(i) != second)
      return "'" + event() + "' takes " + first + " or " + second + ", not '" + arg(i) + "'";
    *isFirst = arg(i) == first ? 1 : 0;
    return "";
  }
  std::string number(long low, long high, long* value) const {
    if (parseNumber(arg(0), low, high, value)) return "";
    return "'" + event() + "' takes " + std::to_string(low) + ".." + std::to_string(high) + ", not '" + arg(0) + "'";
  }
  std::string point(long* x, long* y) const {
    if (!parseNumber(arg(0), -kMaxCoordinate, kMaxCoordinate, x) ||
        !parseNumber(arg(1), -kMaxCoordinate, kMaxCoordinate, y))
      return "'" + event() + "' takes two whole-number coordinates";
    return "";
  }
};

// As --lang and the recordings spell it.
const char* languageWord(int language) { return language == kLanguageEnglish ? "en" : "ja"; }

std::string versionText() {
  return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." + std::to_string(kVersionBuild) +
         "." + std::to_string(kVersionRevision);
}

// version, sound, level, two-players, mute and lang: the start-up's own.
std::string parseStartUp(const Line& l) {
  const std::string& e = l.event();
  if (std::string bad = l.wantArgs(e == "two-players" || e == "mute" ? 0 : 1); !bad.empty()) return bad;
  int32_t on = 0;
  long level = 0;
  std::string bad;
  if (e == "version") {
    if (l.arg(0) != versionText())
      return "recorded by Pinwick " + l.arg(0) + ", but this is Pinwick " + versionText() +
             ": replay it with that version";
    l.add(l.frame, kEventVersion, 0, 0);
  } else if (e == "sound") {
    if ((bad = l.oneOf(0, "on", "off", &on)).empty()) l.add(l.frame, kEventSound, on, 0);
  } else if (e == "level") {
    if ((bad = l.number(0, kMaxLevel, &level)).empty()) l.add(l.frame, kEventLevel, static_cast<int32_t>(level), 0);
  } else if (e == "lang") {
    if ((bad = l.oneOf(0, "en", "ja", &on)).empty())
      l.add(l.frame, kEventLanguage, on ? kLanguageEnglish : kLanguageJapanese, 0);
  } else {
    l.add(l.frame, e == "mute" ? kEventMute : kEventTwoPlayers, 0, 0);
  }
  return bad;
}

// pos, mouse and click (a mouse move, then the left button down and, on
// the next frame, up).
std::string parsePoint(const Line& l) {
  std::string bad = l.wantArgs(2);
  long x = 0, y = 0;
  if (bad.empty()) bad = l.point(&x, &y);
  if (!bad.empty()) return bad;
  const int32_t px = static_cast<int32_t>(x), py = static_cast<int32_t>(y);
  l.add(l.frame, l.event() == "pos" ? kEventPosition : kEventMouse, px, py);
  if (l.event() == "click") {
    l.add(l.frame, kEventButton, 0, 1);
    l.add(l.frame + 1, kEventButton, 0, 0);
  }
  return "";
}

// down, up, key and press (the key down, and up on the next frame).
std::string parseInput(const Line& l) {
  const std::string& e = l.event();
  int32_t choice = 0;
  if (e == "down" || e == "up") {
    std::string bad = l.wantArgs(1);
    if (bad.empty()) bad = l.oneOf(0, "left", "right", &choice);
    if (bad.empty()) l.add(l.frame, kEventButton, choice ? 0 : 1, e == "down" ? 1 : 0);
    return bad;
  }
  if (std::string bad = l.wantArgs(e == "key" ? 2 : 1); !bad.empty()) return bad;
  uint32_t key = 0;
  if (!keyOfWord(l.arg(0).c_str(), &key)) return "unknown key '" + l.arg(0) + "'";
  const int32_t vk = static_cast<int32_t>(key);
  if (e == "press") {
    l.add(l.frame, kEventKey, vk, 1);
    l.add(l.frame + 1, kEventKey, vk, 0);
    return "";
  }
  std::string bad = l.oneOf(1, "down", "up", &choice);
  if (bad.empty()) l.add(l.frame, kEventKey, vk, choice);
  return bad;
}

// menu, answer, seconds and size, each with one word.
std::string parseWithWord(const Line& l) {
  const std::string& e = l.event();
  if (std::string bad = l.wantArgs(1); !bad.empty()) return bad;
  int32_t choice = 0;
  long seconds = 0;
  std::string bad;
  if (e == "menu") {
    uint32_t command = 0;
    if (!menuOfWord(l.arg(0).c_str(), &command))
      return "unknown menu command '" + l.arg(0) + "' (reset, exit, volume or ver)";
    l.add(l.frame, kEventMenu, static_cast<int32_t>(command), 0);
  } else if (e == "answer") {
    if ((bad = l.oneOf(0, "yes", "no", &choice)).empty()) l.add(l.frame, kEventAnswer, choice, 0);
  } else if (e == "seconds") {
    if ((bad = l.number(0, kMaxSeconds, &seconds)).empty())
      l.add(l.frame, kEventSeconds, static_cast<int32_t>(seconds), 0);
  } else if ((bad = l.oneOf(0, "minimised", "restored", &choice)).empty()) {
    l.add(l.frame, kEventSize, choice, 0);
  }
  return bad;
}

struct Bare {
  const char* word;
  int32_t kind;
};
constexpr Bare kBareEvents[] = {
    {"close", kEventClose}, {"minimise", kEventMinimise}, {"restore", kEventRestore}, {"other", kEventOther}};

// One line's words into events; returns an empty string or what is wrong.
std::string parseLine(const std::vector<std::string>& w, std::vector<ScriptEvent>& events) {
  long frame = 0;
  if (!parseNumber(w[0], 0, kMaxFrame, &frame)) return "the frame must be a number from 0 on, not '" + w[0] + "'";
  if (w.size() < 2) return "an event is missing after the frame";
  const std::string& e = w[1];
  const bool onlyAtStart =
      e == "version" || e == "sound" || e == "level" || e == "two-players" || e == "mute" || e == "lang";
  if (frame == 0 && !onlyAtStart && e != "seconds" && e != "pos")
    return "only version, sound, level, two-players, mute, lang, seconds and pos may stand at frame 0, the start-up";
  if (frame != 0 && onlyAtStart) return "'" + e + "' belongs to frame 0";
  const Line line{w, frame, events};
  if (onlyAtStart) return parseStartUp(line);
  if (e == "pos" || e == "mouse" || e == "click") return parsePoint(line);
  if (e == "down" || e == "up" || e == "key" || e == "press") return parseInput(line);
  if (e == "menu" || e == "answer" || e == "seconds" || e == "size") return parseWithWord(line);
  for (const Bare& bare : kBareEvents) {
    if (e != bare.word) continue;
    std::string bad = line.wantArgs(0);
    if (bad.empty()) line.add(frame, bare.kind, 0, 0);
    return bad;
  }
  return "unknown event '" + e + "'";
}
}  // namespace

const char* keyWord(uint32_t virtualKey) { return wordFor(kKeyWords, virtualKey); }

int keyOfWord(const char* word, uint32_t* virtualKey) { return valueOf(kKeyWords, word, virtualKey); }

const char* menuWord(uint32_t command) { return wordFor(kMenuWords, command); }

int menuOfWord(const char* word, uint32_t* command) { return valueOf(kMenuWords, word, command); }

int formatScriptEvent(const ScriptEvent& e, char* text, int size) {
  const int32_t f = e.frame;
  const char* word = nullptr;
  int n = -1;
  switch (e.kind) {
    case kEventMouse: n = std::snprintf(text, size, "%d mouse %d %d", f, e.a, e.b); break;
    case kEventPosition: n = std::snprintf(text, size, "%d pos %d %d", f, e.a, e.b); break;
    case kEventButton:
      n = std::snprintf(text, size, "%d %s %s", f, e.b ? "down" : "up", e.a ? "right" : "left");
      break;
    case kEventKey:
      if ((word = keyWord(static_cast<uint32_t>(e.a))) != nullptr)
        n = std::snprintf(text, size, "%d key %s %s", f, word, e.b ? "down" : "up");
      break;
    case kEventMenu:
      if ((word = menuWord(static_cast<uint32_t>(e.a))) != nullptr) n = std::snprintf(text, size, "%d menu %s", f, word);
      break;
    case kEventAnswer: n = std::snprintf(text, size, "%d answer %s", f, e.a ? "yes" : "no"); break;
    case kEventSeconds: n = std::snprintf(text, size, "%d seconds %d", f, e.a); break;
    case kEventSize: n = std::snprintf(text, size, "%d size %s", f, e.a ? "minimised" : "restored"); break;
    case kEventSound: n = std::snprintf(text, size, "%d sound %s", f, e.a ? "on" : "off"); break;
    case kEventLevel: n = std::snprintf(text, size, "%d level %d", f, e.a); break;
    case kEventTwoPlayers: n = std::snprintf(text, size, "%d two-players", f); break;
    case kEventMute: n = std::snprintf(text, size, "%d mute", f); break;
    case kEventLanguage: n = std::snprintf(text, size, "%d lang %s", f, languageWord(e.a)); break;
    case kEventVersion:
      n = std::snprintf(text, size, "%d version %d.%d.%d.%d", f, kVersionMajor, kVersionMinor, kVersionBuild,
                        kVersionRevision);
      break;
    default:
      for (const Bare& bare : kBareEvents)
        if (bare.kind == e.kind) n = std::snprintf(text, size, "%d %s", f, bare.word);
      break;
  }
  return n >= 0 && n < size ? 1 : 0;
}

namespace {
// Words are split at the C locale's white space; no stream is used, so the
// page carries no stream library for its shared runs.
bool isScriptSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void splitScriptWords(const std::string& line, std::vector<std::string>& words) {
  words.clear();
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && isScriptSpace(line[i])) ++i;
    const size_t start = i;
    while (i < line.size() && !isScriptSpace(line[i])) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
}
}  // namespace

int parseReplayScript(const std::string& text, const char* fileName, std::vector<ScriptEvent>& events,
                      std::string& error) {
  events.clear();
  const size_t begin = text.compare(0, kByteOrderMarkBytes, kByteOrderMark) == 0 ? kByteOrderMarkBytes : 0;
  std::string line;
  std::vector<std::string> w;
  int number = 0;
  for (size_t at = begin; at < text.size();) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    line.assign(text, at, end - at);
    at = end + 1;
    ++number;
    std::string bad = checkLineBytes(line);
    if (!bad.empty()) {
      error = std::string(fileName) + ":" + std::to_string(number) + ": " + bad;
      return 0;
    }
    size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    splitScriptWords(line, w);
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
                   [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
  return 1;
}

std::string scriptOptionsConflict(const std::vector<ScriptEvent>& events, const char* fileName,
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
      case kEventLanguage:
        script.language = events[i].a;
        script.given |= kGivenLanguage;
        break;
      default: break;
    }
  }
  const std::string file = std::string(fileName) + ": ";
  const int levelNamed = script.given & kGivenLevel;
  const int languageNamed = script.given & kGivenLanguage;
  if (recording) script.given = kGivenLevel | kGivenTwoPlayers | kGivenMute | kGivenLanguage;
  const int both = script.given & commandLine.given;
  if ((both & kGivenLevel) && script.level != commandLine.level)
    return file + (levelNamed ? "the script plays at level " : "the recording plays at level ") +
           std::to_string(script.level) + (levelNamed ? "" : " (it names none: the default)") +
           ", but the command line asks for --level " + std::to_string(commandLine.level);
  if ((both & kGivenTwoPlayers) && !script.twoPlayers)
    return file + "the recording is of a game against the computer, but the command line asks for --two-players";
  if ((both & kGivenMute) && !script.mute)
    return file + "the recording is of a game with sound, but the command line asks for --mute";
  if ((both & kGivenLanguage) && script.language != commandLine.language)
    return file + (recording ? "the recording is in " : "the script is in ") + languageWord(script.language) +
           (languageNamed ? "" : " (it names none: the default)") + ", but the command line asks for --lang " +
           languageWord(commandLine.language);
  return "";
}
