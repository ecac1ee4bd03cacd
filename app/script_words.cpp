// Key and menu words of the replay scripts.
#include "app/script_words.h"

#include <cstring>

#include "host/window_proc.h"

namespace {
struct Word {
  const char* word;
  uint32_t value;
};

constexpr Word kKeyWords[] = {
    {"left", kVkLeft}, {"right", kVkRight}, {"up", kVkUp},     {"down", kVkDown}, {"space", kVkSpace},
    {"x", kVkX},       {"z", kVkZ},         {"s", kVkS},       {"a", kVkA},       {"shift", kVkShift},
    {"f1", kVkF1},     {"f2", kVkF2},       {"esc", kVkEscape}, {"m", kVkM},
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
}  // namespace

const char* keyWord(uint32_t virtualKey) { return wordFor(kKeyWords, virtualKey); }

int keyOfWord(const char* word, uint32_t* virtualKey) { return valueOf(kKeyWords, word, virtualKey); }

const char* menuWord(uint32_t command) { return wordFor(kMenuWords, command); }

int menuOfWord(const char* word, uint32_t* command) { return valueOf(kMenuWords, word, command); }
