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

int postScriptMessages(const ScriptEvent& e) {
  switch (e.kind) {
    case kEventMouse: postQueuedMessage(kWmMouseMove, 0, packPoint(e.a, e.b)); return 1;
    case kEventButton:
      if (e.a == 0) postQueuedMessage(e.b ? kWmLButtonDown : kWmLButtonUp, 0, 0);
      else postQueuedMessage(e.b ? kWmRButtonDown : kWmRButtonUp, 0, 0);
      return 1;
    case kEventKey: postQueuedMessage(e.b ? kWmKeyDown : kWmKeyUp, static_cast<uint64_t>(e.a), 0); return 1;
    case kEventMenu: postQueuedMessage(kWmCommand, static_cast<uint64_t>(e.a), 0); return 1;
    case kEventClose: postQueuedMessage(kWmClose, 0, 0); return 1;
    case kEventSize: postQueuedMessage(kWmSize, e.a ? kSizeMinimized : kSizeRestored, 0); return 1;
    case kEventOther: postQueuedMessage(kWmNull, 0, 0); return 1;
    default: return 0;
  }
}
