// The SDL shell's events and services: SDL events become the Win32 messages
// the window procedure takes (the queued shell pumps them); the menu bar and
// the dialogs are drawn in the window and run their own modal loops.
#include <SDL.h>

#include "app/queued_shell.h"
#include "app/sdl/canvas.h"
#include "app/sdl/dialogs.h"
#include "app/sdl/launch.h"
#include "app/sdl/menu_bar.h"
#include "app/sdl/screen.h"
#include "app/sdl/shell_sdl.h"
#include "host/message_queue.h"
#include "host/shell.h"
#include "host/window_proc.h"
#include "sound/device_sdl.h"

namespace {

struct KeyMapping {
  int32_t keycode;
  uint32_t virtualKey;
};

constexpr KeyMapping kKeys[] = {
    {SDLK_BACKSPACE, 0x08}, {SDLK_TAB, 0x09},       {SDLK_RETURN, 0x0D},   {SDLK_KP_ENTER, 0x0D},
    {SDLK_LSHIFT, kVkShift}, {SDLK_RSHIFT, kVkShift}, {SDLK_LCTRL, 0x11},  {SDLK_RCTRL, 0x11},
    {SDLK_LALT, 0x12},      {SDLK_RALT, 0x12},      {SDLK_PAUSE, 0x13},    {SDLK_ESCAPE, kVkEscape},
    {SDLK_SPACE, kVkSpace}, {SDLK_PAGEUP, 0x21},    {SDLK_PAGEDOWN, 0x22}, {SDLK_END, 0x23},
    {SDLK_HOME, 0x24},      {SDLK_LEFT, kVkLeft},   {SDLK_UP, kVkUp},      {SDLK_RIGHT, kVkRight},
    {SDLK_DOWN, kVkDown},   {SDLK_INSERT, 0x2D},    {SDLK_DELETE, 0x2E},
};
constexpr uint32_t kVkDigitZero = 0x30;
constexpr uint32_t kVkLetterA = 0x41;
constexpr uint32_t kVkFirstFunctionKey = kVkF1;
constexpr int kFunctionKeys = 12;

// The two mixer programs the Volume command tries, in order.
const char* const kVolumeProgramA[] = {"pavucontrol", nullptr};
const char* const kVolumeProgramB[] = {"gnome-control-center", "sound", nullptr};
const char* const* const kVolumePrograms[] = {kVolumeProgramA, kVolumeProgramB};
constexpr int kVolumeProgramCount = 2;

int minimised = 0;

bool insideWindow(int32_t x, int32_t y) {
  const int s = screenScale();
  return x >= 0 && y >= 0 && x < windowWidthFor(s) && y < windowHeightFor(s);
}

bool overMenuBar(int32_t y) { return y < kMenuBarHeight * screenScale(); }

// Every key-up reaches the game, Alt or not, so no key is left held.
void translateKey(const SDL_KeyboardEvent& key) {
  const bool systemKey = (key.keysym.mod & KMOD_ALT) && !(key.keysym.mod & KMOD_CTRL);
  const uint32_t message = key.type != SDL_KEYDOWN ? kWmKeyUp : systemKey ? kWmSysKeyDown : kWmKeyDown;
  const int64_t modifiers = (key.keysym.mod & (KMOD_SHIFT | KMOD_CTRL | KMOD_ALT)) ? kModifierHeld : 0;
  postQueuedMessage(message, virtualKeyFor(key.keysym.sym), modifiers);
}

// The mouse is never captured: what happens outside the window does not
// reach the game, so a button released out there stays held.
void translateMouseButton(const SDL_MouseButtonEvent& b) {
  const bool down = b.type == SDL_MOUSEBUTTONDOWN;
  if (!insideWindow(b.x, b.y)) return;
  const int s = screenScale();
  if (overMenuBar(b.y)) {
    if (b.button == SDL_BUTTON_LEFT)
      postQueuedMessage(down ? kWmNcLButtonDown : kWmNcLButtonUp, 0,
                        packPoint(canvasPixel(b.x, s), canvasPixel(b.y, s)));
    return;
  }
  const int64_t point = packPoint(clientPixelX(b.x, s), clientPixelY(b.y, s));
  if (b.button == SDL_BUTTON_LEFT) postQueuedMessage(down ? kWmLButtonDown : kWmLButtonUp, 0, point);
  else if (b.button == SDL_BUTTON_RIGHT) postQueuedMessage(down ? kWmRButtonDown : kWmRButtonUp, 0, point);
}

void translateMouseMotion(const SDL_MouseMotionEvent& m) {
  if (!insideWindow(m.x, m.y)) return;
  const int s = screenScale();
  if (overMenuBar(m.y)) postQueuedMessage(kWmNcMouseMove, 0, packPoint(canvasPixel(m.x, s), canvasPixel(m.y, s)));
  else postQueuedMessage(kWmMouseMove, 0, packPoint(clientPixelX(m.x, s), clientPixelY(m.y, s)));
}

void translateEvent(const SDL_Event& e) {
  switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: translateKey(e.key); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: translateMouseButton(e.button); break;
    case SDL_MOUSEMOTION: translateMouseMotion(e.motion); break;
    default: handleBackgroundEvent(e, kBackgroundInMenu); break;
  }
}
}  // namespace

// Takes SDL events until a message is queued; waits for one when told to.
void pullShellEvents(int wait) {
  while (queuedMessageCount() == 0) {
    SDL_Event e;
    if (wait) {
      if (!SDL_WaitEvent(&e)) {
        postQueuedMessage(kWmQuit, 0, 0);  // the event system is gone: end rather than spin
        return;
      }
    } else if (!SDL_PollEvent(&e)) {
      return;
    }
    translateEvent(e);
  }
}

// A press on the menu bar, which the game leaves alone, runs the menu.
void afterDispatch(const WindowMessage& m, int taken) {
  if (taken || m.message != kWmNcLButtonDown) return;
  const int title = menuTitleAt(pointX(m.lParam), pointY(m.lParam));
  if (title < 0) return;
  const uint32_t command = runMenuLoop(title);
  if (command != 0) postQueuedMessage(kWmCommand, command, 0);
}

int handleBackgroundEvent(const SDL_Event& e, int place) {
  if (e.type == SDL_AUDIODEVICEREMOVED && !e.adevice.iscapture) {
    noteSdlSoundDeviceRemoved(e.adevice.which);
    return kBackgroundHandled;
  }
  if (e.type != SDL_WINDOWEVENT) return kBackgroundIgnored;
  switch (e.window.event) {
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      repaintScreen();
      postQueuedMessage(kWmPaint, 0, 0);
      return kBackgroundHandled;
    case SDL_WINDOWEVENT_MINIMIZED:
      minimised = 1;
      postQueuedMessage(kWmSize, kSizeMinimized, 0);
      return kBackgroundLeavesModal;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SHOWN:
      if (!minimised) return kBackgroundIgnored;
      minimised = 0;
      postQueuedMessage(kWmSize, kSizeRestored, 0);
      return kBackgroundHandled;
    case SDL_WINDOWEVENT_CLOSE:
      if (place == kBackgroundInDialog) return kBackgroundIgnored;
      postQueuedMessage(kWmClose, 0, 0);
      return kBackgroundLeavesModal;
    case SDL_WINDOWEVENT_FOCUS_GAINED: postQueuedMessage(kWmActivate, kActivated, 0); return kBackgroundHandled;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      postQueuedMessage(kWmActivate, kDeactivated, 0);
      return place == kBackgroundInMenu ? kBackgroundLeavesModal : kBackgroundHandled;
    case SDL_WINDOWEVENT_MOVED: postQueuedMessage(kWmMove, 0, 0); return kBackgroundHandled;
    default: return kBackgroundIgnored;
  }
}

uint32_t virtualKeyFor(int32_t keycode) {
  if (keycode >= SDLK_a && keycode <= SDLK_z) return kVkLetterA + static_cast<uint32_t>(keycode - SDLK_a);
  if (keycode >= SDLK_0 && keycode <= SDLK_9) return kVkDigitZero + static_cast<uint32_t>(keycode - SDLK_0);
  if (keycode >= SDLK_F1 && keycode < SDLK_F1 + kFunctionKeys)
    return kVkFirstFunctionKey + static_cast<uint32_t>(keycode - SDLK_F1);
  for (const KeyMapping& k : kKeys)
    if (k.keycode == keycode) return k.virtualKey;
  return 0;
}

// --- Services ---

int shellConfirmClose(const char* question) { return runConfirmDialog(question); }

void shellMessageBox(const char* text, const char* title) { runMessageBox(text, title); }

int shellLaunchVolumeControl(int attempt) {
  if (attempt < 0 || attempt >= kVolumeProgramCount) return 0;
  return launchDetached(kVolumePrograms[attempt]);
}

void shellMinimiseWindow() {
  // The window manager answers with the minimised event, which becomes WM_SIZE.
  if (screenWindow() != nullptr) SDL_MinimizeWindow(screenWindow());
}

void shellCursorPosition(int32_t* x, int32_t* y) {
  // The pointer's place on the whole screen, so that it is known outside
  // the window too.
  int globalX = 0, globalY = 0, windowX = 0, windowY = 0;
  SDL_GetGlobalMouseState(&globalX, &globalY);
  if (screenWindow() != nullptr) SDL_GetWindowPosition(screenWindow(), &windowX, &windowY);
  *x = clientPixelX(globalX - windowX, screenScale());
  *y = clientPixelY(globalY - windowY, screenScale());
}

void shellFrameDone(int) {}
