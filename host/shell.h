// What each shell (Win32, SDL, page, headless) provides to the window
// procedure and the message pump, chosen at link time like the clock. Every
// call is made on the main thread. The SDL, page and headless shells share
// one implementation of the pump's primitives (app/queued_shell).
#pragma once
#include <cstdint>

#include "host/window_messages.h"

// --- The message pump's primitives (host/frame drives them) ---

// 1 when a message is waiting, without taking it.
int shellPeekMessage();
// Takes the next message, blocking until one arrives, and tells the pump
// what it was. 0 when it was the quit message: the program must end.
int shellFetchMessage(WindowMessage* fetched);
// 1 when the accelerator table turned the fetched message into a command
// (which has then been handled); it is not dispatched any further.
int shellTranslateAccelerator();
// Translates and dispatches the fetched message to the window procedure.
void shellDispatchMessage();

// --- Services the window procedure's commands use ---

// The modal close confirmation: 1 for Yes (or when the dialog could not be
// shown), 0 for No.
int shellConfirmClose(const char* question);
// A modal box with one OK button.
void shellMessageBox(const char* text, const char* title);
// One launch attempt of the system's volume control (attempt 0 or 1, each
// shell knows its two candidates). 1 when it started.
int shellLaunchVolumeControl(int attempt);
// Minimises the game window (a WM_SIZE follows).
void shellMinimiseWindow();
// The window gets WM_CLOSE at once, as if sent (Game > Exit).
void shellSendClose();
// Queues WM_DESTROY for the window (the close confirmation's Yes).
void shellPostDestroy();
// Queues the quit message that ends the pump.
void shellPostQuit();
// The executable's file version; 0 when it cannot be read.
int shellFileVersion(int* major, int* minor, int* build);
// The cursor position relative to the client area's top-left corner, in
// client pixels, not clamped.
void shellCursorPosition(int32_t* x, int32_t* y);

// --- Observation ---

// Each completed frame (host/frame's frameDone), with the scene's code. The
// headless shell writes its trace line here, the page counts the frame.
void shellFrameDone(int sceneCode);
