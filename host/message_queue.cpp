#include "host/message_queue.h"

namespace {
WindowMessage queue[kMessageQueueCapacity];
int queueHead = 0;
int queueCount = 0;
}  // namespace

void postQueuedMessage(uint32_t message, uint64_t wParam, int64_t lParam) {
  if (queueCount == kMessageQueueCapacity) return;
  queue[(queueHead + queueCount) % kMessageQueueCapacity] = {message, wParam, lParam};
  ++queueCount;
}

int queuedMessageCount() { return queueCount; }

WindowMessage takeQueuedMessage() {
  const WindowMessage taken = queue[queueHead];
  queueHead = (queueHead + 1) % kMessageQueueCapacity;
  --queueCount;
  return taken;
}

void clearMessageQueue() { queueHead = queueCount = 0; }

int64_t packPoint(int32_t x, int32_t y) {
  return static_cast<int64_t>(static_cast<uint32_t>(x)) | (static_cast<int64_t>(static_cast<uint32_t>(y)) << 32);
}

int32_t pointX(int64_t lParam) { return static_cast<int32_t>(static_cast<uint32_t>(lParam & 0xFFFFFFFF)); }

int32_t pointY(int64_t lParam) { return static_cast<int32_t>(static_cast<uint32_t>((lParam >> 32) & 0xFFFFFFFF)); }
