// The SDL build's entry point: the single-instance lock, the window with its
// icon and cursor, then the game; afterwards everything in reverse order.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/frame_log.h"
#include "app/game_main.h"
#include "app/sdl/canvas.h"
#include "app/sdl/icon_file.h"
#include "app/sdl/instance_lock.h"
#include "app/sdl/screen.h"
#include "app/texts.h"
#include "app/window_proc.h"
#include "gfx/resources.h"

namespace {
constexpr int kExitAnotherInstance = 0;
constexpr int kExitNoWindow = 0;
constexpr int kExitUsage = 2;
constexpr int kCursorPlaneBytes = kIconMaxSide * kIconMaxSide / 8;

IconImage iconImage;
IconImage cursorImage;
uint8_t cursorData[kCursorPlaneBytes];
uint8_t cursorMask[kCursorPlaneBytes];
SDL_Cursor* cursor = nullptr;

void printUsage() { std::fprintf(stderr, "usage: pinwick [--scale N]   (N = 1..%d, the window's magnification)\n", kMaxScale); }

// 1 when the arguments are good; *scale stays 0 unless --scale gives one.
int parseArguments(int argc, char** argv, int* scale) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--scale") != 0 || i + 1 >= argc) return 0;
    char* end = nullptr;
    const long value = std::strtol(argv[++i], &end, 10);
    if (end == argv[i] || *end != '\0' || value < kMinScale || value > kMaxScale) return 0;
    *scale = static_cast<int>(value);
  }
  return 1;
}

int defaultScale() {
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return kMinScale;
  return chooseScale(usable.w, usable.h);
}

void setWindowIcon(SDL_Window* window) {
  size_t size = 0;
  const uint8_t* bytes = findResource("ICON_MAIN", &size);
  if (bytes == nullptr || !decodeIconFile(bytes, size, &iconImage)) return;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(iconImage.pixels, iconImage.width, iconImage.height, 32,
                                                            iconImage.width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (surface == nullptr) return;
  SDL_SetWindowIcon(window, surface);
  SDL_FreeSurface(surface);
}

void setGameCursor() {
  size_t size = 0;
  const uint8_t* bytes = findResource("CURSOR_S", &size);
  if (bytes == nullptr || !decodeIconFile(bytes, size, &cursorImage)) return;
  if (!cursorPlanes(cursorImage, cursorData, cursorMask, sizeof cursorData)) return;
  cursor = SDL_CreateCursor(cursorData, cursorMask, cursorImage.width, cursorImage.height, cursorImage.hotX,
                            cursorImage.hotY);
  if (cursor != nullptr) SDL_SetCursor(cursor);
}
}  // namespace

int main(int argc, char** argv) {
  int scale = 0;
  if (!parseArguments(argc, argv, &scale)) {
    printUsage();
    return kExitUsage;
  }
  if (acquireInstanceLock(kTextInstanceName) == kInstanceLockBusy) return kExitAnotherInstance;
  if (!openFrameLogFromEnvironment())
    std::fprintf(stderr, "pinwick: cannot write the frame log %s; the game runs without it\n",
                 std::getenv(kFrameLogVariable));

  // The window surface is written directly: no renderer, so no GL stack.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // Signals end the game as they would any program, not through the close box.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // The mouse is never captured: a button released outside stays held.
  SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "pinwick: cannot open a window: %s\n", SDL_GetError());
    releaseInstanceLock();
    return kExitNoWindow;
  }
  if (scale == 0) scale = defaultScale();
  SDL_Window* window = SDL_CreateWindow(kTextWindowTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                        windowWidthFor(scale), windowHeightFor(scale), SDL_WINDOW_HIDDEN);
  if (window == nullptr) {
    std::fprintf(stderr, "pinwick: cannot open a window: %s\n", SDL_GetError());
    SDL_Quit();
    releaseInstanceLock();
    return kExitNoWindow;
  }
  SDL_StopTextInput();  // keys only; no input method
  setWindowIcon(window);
  setGameCursor();
  openScreen(window, scale);
  setClientOffset(0, kMenuBarHeight * scale);
  windowProcedure(kWmCreate, 0, 0);
  SDL_ShowWindow(window);
  showCanvas();

  const int exitCode = runGame(window);

  closeScreen();
  if (cursor != nullptr) SDL_FreeCursor(cursor);
  SDL_DestroyWindow(window);
  SDL_Quit();
  closeFrameLog();
  releaseInstanceLock();
  return exitCode;
}
