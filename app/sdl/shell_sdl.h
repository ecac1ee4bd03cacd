// The SDL shell's own pieces that its menu and dialog loops share with the
// message pump: the events no modal loop consumes.
#pragma once
#include <cstdint>

union SDL_Event;

// Where a modal loop runs: a menu is left when the window is closed or
// minimised; a dialog, like a disabled owner window, ignores the close box.
enum ModalPlace { kBackgroundInMenu, kBackgroundInDialog };

enum BackgroundResult {
  kBackgroundIgnored,
  kBackgroundHandled,
  kBackgroundLeavesModal,  // a menu should close
};

// The window events a modal loop does not handle itself: repaints the window
// when it was exposed and queues WM_SIZE and WM_CLOSE for after the loop.
int handleBackgroundEvent(const SDL_Event& e, int place);

// The Windows virtual-key code of an SDL key code, 0 for keys without one.
uint32_t virtualKeyFor(int32_t keycode);
