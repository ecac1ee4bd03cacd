// The script parser: every line is checked before the game starts.
#include "tools/replay_script.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "app/window_proc.h"

namespace {
struct KeyName {
  const char* name;
  int32_t virtualKey;
};

constexpr KeyName kKeyNames[] = {
    {"left", kVkLeft}, {"right", kVkRight}, {"up", kVkUp},     {"down", kVkDown}, {"space", kVkSpace},
    {"x", kVkX},       {"z", kVkZ},         {"s", kVkS},       {"a", kVkA},       {"shift", kVkShift},
    {"f1", kVkF1},     {"f2", kVkF2},       {"esc", kVkEscape}, {"m", kVkM},
};

struct MenuName {
  const char* name;
  int32_t command;
};

constexpr MenuName kMenuNames[] = {
    {"reset", kCommandReset}, {"exit", kCommandExit}, {"volume", kCommandVolume}, {"ver", kCommandVersion}};

constexpr long kMaxFrame = INT_MAX - 1;  // press and click also use the next frame
constexpr long kMaxCoordinate = 100000;

int parseNumber(const std::string& word, long low, long high, long* value) {
  if (word.empty()) return 0;
  errno = 0;
  char* end = nullptr;
  long parsed = std::strtol(word.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return 0;
  *value = parsed;
  return 1;
}

int findKey(const std::string& name, int32_t* virtualKey) {
  for (const KeyName& k : kKeyNames) {
    if (name == k.name) {
      *virtualKey = k.virtualKey;
      return 1;
    }
  }
  return 0;
}

// One line's words into events; returns an empty string or what is wrong.
std::string parseLine(const std::vector<std::string>& w, std::vector<HeadlessEvent>& events) {
  long frame = 0;
  if (!parseNumber(w[0], 1, kMaxFrame, &frame)) return "the frame must be a number from 1 on, not '" + w[0] + "'";
  if (w.size() < 2) return "an event is missing after the frame";
  const std::string& event = w[1];
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
    int32_t vk = 0;
    if (!findKey(w[2], &vk)) return "unknown key '" + w[2] + "'";
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
    for (const MenuName& m : kMenuNames) {
      if (w[2] == m.name) {
        add(frame, kEventMenu, m.command, 0);
        return "";
      }
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
  if (event == "close" || event == "minimise" || event == "restore") {
    if (std::string bad = wantArgs(0); !bad.empty()) return bad;
    add(frame, event == "close" ? kEventClose : event == "minimise" ? kEventMinimise : kEventRestore, 0, 0);
    return "";
  }
  return "unknown event '" + event + "'";
}
}  // namespace

int parseReplayScript(const std::string& text, const char* fileName, std::vector<HeadlessEvent>& events,
                      std::string& error) {
  events.clear();
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    if (w.empty()) continue;
    std::string bad = parseLine(w, events);
    if (!bad.empty()) {
      error = std::string(fileName) + ":" + std::to_string(number) + ": " + bad;
      return 0;
    }
  }
  // Lines may come in any order; within a frame they keep their order.
  std::stable_sort(events.begin(), events.end(),
                   [](const HeadlessEvent& a, const HeadlessEvent& b) { return a.frame < b.frame; });
  return 1;
}
