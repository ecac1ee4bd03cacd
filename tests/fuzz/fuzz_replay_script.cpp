// libFuzzer target for the replay-script parser (make fuzz): scripts come
// with bug reports, so any bytes must give events in frame order, or one
// short, printable error that names a line of the input.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/replay_script.h"

namespace {
constexpr size_t kLongestError = 256;
constexpr int32_t kCoordinateLimit = 100000;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  size_t lines = 1;
  for (char c : text) lines += c == '\n' ? 1 : 0;
  std::vector<HeadlessEvent> events;
  std::string error;
  if (parseReplayScript(text, "fuzz.txt", events, error)) {
    for (size_t i = 0; i < events.size(); ++i) {
      const HeadlessEvent& e = events[i];
      if (e.frame < 0 || (i > 0 && e.frame < events[i - 1].frame)) std::abort();
      if (e.kind == kEventMouse && (e.a < -kCoordinateLimit || e.a > kCoordinateLimit ||
                                    e.b < -kCoordinateLimit || e.b > kCoordinateLimit))
        std::abort();
    }
    return 0;
  }
  // "fuzz.txt:LINE: reason", the line one of the input's.
  if (error.compare(0, 9, "fuzz.txt:") != 0 || error.size() > kLongestError) std::abort();
  char* end = nullptr;
  const unsigned long line = std::strtoul(error.c_str() + 9, &end, 10);
  if (end == error.c_str() + 9 || line < 1 || line > lines || std::strncmp(end, ": ", 2) != 0 || end[2] == '\0')
    std::abort();
  for (char c : error)
    if (static_cast<unsigned char>(c) < ' ' || c == '\x7f') std::abort();
  return 0;
}
