// The playSound requests the headless device has logged since the last call.
#pragma once
#include <utility>
#include <vector>

#include "sound/device_headless.h"

inline std::vector<std::pair<int, int>> takeSoundRequests() {
  std::vector<std::pair<int, int>> requests;
  for (int i = 0; i < headlessSoundCallCount(); ++i) {
    HeadlessSoundCall call = headlessSoundCall(i);
    if (call.kind == kSoundCallRequest) requests.push_back({call.id, call.value});
  }
  clearHeadlessSoundCalls();
  return requests;
}
