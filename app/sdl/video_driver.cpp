// The drivers that show nothing, and the variable that may ask for them.
#include "app/sdl/video_driver.h"

#include <strings.h>

#include <cstring>

namespace {
const char* const kUnseenDrivers[] = {"offscreen", "dummy", "evdev"};

bool listNames(const char* list, const char* name) {
  const size_t length = std::strlen(name);
  for (const char* item = list;;) {
    const char* comma = std::strchr(item, ',');
    const size_t itemLength = comma != nullptr ? static_cast<size_t>(comma - item) : std::strlen(item);
    if (itemLength == length && strncasecmp(item, name, length) == 0) return true;
    if (comma == nullptr) return false;
    item = comma + 1;
  }
}
}  // namespace

bool videoDriverUnseen(const char* driver, const char* requested) {
  if (driver == nullptr) return false;
  for (const char* unseen : kUnseenDrivers)
    if (strcasecmp(driver, unseen) == 0) return requested == nullptr || !listNames(requested, driver);
  return false;
}
