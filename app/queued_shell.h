// The shells that keep their own message queue (SDL, page, headless) share
// the pump's primitives and the services that need nothing of the platform;
// each supplies only the two functions below.
#pragma once

#include "app/replay_script.h"
#include "host/window_messages.h"

// Key messages carry this in lParam while Shift, Ctrl or Alt is held: the
// 'M' accelerator, like a Windows one without modifier flags, then does not
// fire.
constexpr int64_t kModifierHeld = 1;

// --- What each queued shell supplies ---

// Turns the shell's pending events into queued messages. With wait 0 it
// takes only what has arrived; with wait 1 it returns with at least one
// message queued (the quit message when nothing else can come).
void pullShellEvents(int wait);

// After the window procedure has had the message: taken 1 when it was the
// game's. The shell does what Windows' default handling would with the
// messages left alone (a press on the menu bar runs the menu), and notes
// what it watches itself.
void afterDispatch(const WindowMessage& message, int taken);

// --- Shared by the shells that play scripts (headless, the page's shared runs) ---

// Posts the messages a script event stands for (the mouse, the buttons, the
// keys, a menu command, the close box, a WM_SIZE, a message left alone):
// 1. 0 for the events that are no message (answers, seconds, minimise and
// restore, cursor positions, start-up lines), which each shell handles its
// own way.
int postScriptMessages(const ScriptEvent& e);
