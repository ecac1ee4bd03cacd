// The message queue of the shells that have no system one (SDL, page, headless):
// a fixed ring of Win32-style messages that their pump primitives take from.
// The Win32 shell uses the thread's own queue instead.
#pragma once
#include <cstdint>

#include "host/window_messages.h"

constexpr int kMessageQueueCapacity = 1024;

// Appends a message; a full queue drops the newest, as a full Windows queue
// would.
void postQueuedMessage(uint32_t message, uint64_t wParam, int64_t lParam);
int queuedMessageCount();
// Takes the oldest message. The queue must not be empty.
WindowMessage takeQueuedMessage();
void clearMessageQueue();

// A point in lParam: x in the low 32 bits, y in the high, each signed.
int64_t packPoint(int32_t x, int32_t y);
int32_t pointX(int64_t lParam);
int32_t pointY(int64_t lParam);
