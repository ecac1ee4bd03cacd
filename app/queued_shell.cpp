// The pump's primitives over the message queue, and the services every
// queued shell gives alike.
#include "app/queued_shell.h"

#include "app/version.h"
#include "host/message_queue.h"
#include "host/shell.h"
#include "host/window_proc.h"

namespace {
WindowMessage fetched = {0, 0, 0};
}  // namespace

int shellPeekMessage() {
  pullShellEvents(0);
  return queuedMessageCount() > 0;
}

int shellFetchMessage(WindowMessage* message) {
  pullShellEvents(1);
  fetched = takeQueuedMessage();
  *message = fetched;
  return fetched.message != kWmQuit;
}

// The one accelerator: 'M' without modifiers minimises.
int shellTranslateAccelerator() {
  if (fetched.message != kWmKeyDown || fetched.wParam != kVkM || fetched.lParam == kModifierHeld) return 0;
  windowProcedure(kWmCommand, kCommandMinimise, 0);
  return 1;
}

void shellDispatchMessage() {
  const int taken = windowProcedure(fetched.message, fetched.wParam, fetched.lParam);
  afterDispatch(fetched, taken);
}

void shellSendClose() { windowProcedure(kWmClose, 0, 0); }

void shellPostDestroy() { postQueuedMessage(kWmDestroy, 0, 0); }

void shellPostQuit() { postQueuedMessage(kWmQuit, 0, 0); }

int shellFileVersion(int* major, int* minor, int* build) {
  *major = kVersionMajor;
  *minor = kVersionMinor;
  *build = kVersionBuild;
  return 1;
}
