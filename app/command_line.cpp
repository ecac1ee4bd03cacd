#include "app/command_line.h"

#include "app/printable_text.h"

namespace {
constexpr int kDecimalBase = 10;
constexpr size_t kMaxWordBytes = 100;  // of a word repeated in a message
}  // namespace

int parseOptionNumber(const char* text, int low, int high, int* value) {
  if (text == nullptr || *text == '\0') return 0;
  long long parsed = 0;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p < '0' || *p > '9') return 0;
    parsed = parsed * kDecimalBase + (*p - '0');
    if (parsed > high) return 0;  // also keeps a long run of digits from overflowing
  }
  if (parsed < low) return 0;
  *value = static_cast<int>(parsed);
  return 1;
}

const char* fileNameProblem(const char* name) {
  if (name[0] == '\0') return "the file name is empty";
  if (name[0] != '-' || name[1] == '\0') return nullptr;
  return "a file name beginning with '-' looks like an option (write ./NAME for a file of that name)";
}

std::string quotedWord(const char* word) { return "'" + printableText(word, kMaxWordBytes) + "'"; }

std::string optionAndValue(const char* option, const char* value) { return option + (" " + quotedWord(value)); }

std::string unknownOption(const char* word) { return "unknown option " + quotedWord(word); }
