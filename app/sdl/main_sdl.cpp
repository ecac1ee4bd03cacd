// The SDL build's entry point: a video driver that shows the window, the
// single-instance lock, the window with its icon and cursor, then the game;
// afterwards everything in reverse order.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/command_line.h"
#include "app/game_main.h"
#include "app/game_options.h"
#include "app/recorder.h"
#include "app/sdl/canvas.h"
#include "app/sdl/icon_file.h"
#include "app/sdl/instance_lock.h"
#include "app/sdl/screen.h"
#include "app/sdl/video_driver.h"
#include "app/version.h"
#include "gfx/base_directory.h"
#include "gfx/resources.h"
#include "host/frame_log.h"
#include "host/input.h"
#include "host/output_file.h"
#include "host/texts.h"
#include "host/window_proc.h"

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

constexpr int kExitInformation = 0;
constexpr int kKeepGoing = -1;

// What the command line asks for besides playing.
enum Request { kRequestPlay, kRequestHelp, kRequestVersion, kRequestBad };

void printUsage(FILE* stream) {
  std::fprintf(stream,
               "usage: pinwick [--scale N] [--level N] [--two-players] [--mute] [--lang ja|en] [--record FILE|-]\n"
               "               [--trace FILE|-]\n"
               "       pinwick --help | --version\n"
               "Plays Reversi against the computer in a window.\n"
               "  --scale N       the window's magnification, %d..%d (by default the largest up to %d\n"
               "                  that keeps the window within two thirds of the screen)\n"
               "  --record FILE   write the run as a replay script, for a bug report (- for standard output)\n"
               "                  (pinwick-tool replay --script FILE plays it back)\n"
               "  --trace FILE    write one line per frame of the game's state (- for standard output)\n"
               "%s"
               "  --help          print this text and exit\n"
               "  --version       print the version and exit\n",
               kMinScale, kMaxScale, kMaxDefaultScale, kGameOptionsUsage);
}

struct LaunchOptions {
  int scale;           // 0: the default for the display
  const char* record;  // nullptr: none
  const char* trace;
  GameOptions game;
};

// Each option at most once, each with its value; what is wrong goes to
// *problem.
Request parseArguments(int argc, char** argv, LaunchOptions* options, std::string* problem) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) return kRequestHelp;
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) return kRequestVersion;
  for (int i = 1; i < argc; ++i) {
    switch (parseGameOption(argc, argv, &i, &options->game, problem)) {
      case kGameOptionTaken: --i; continue;  // the loop steps past it
      case kGameOptionBad: return kRequestBad;
      default: break;
    }
    const char* option = argv[i];
    const bool scale = std::strcmp(option, "--scale") == 0;
    const bool record = std::strcmp(option, "--record") == 0;
    if (!scale && !record && std::strcmp(option, "--trace") != 0) {
      if (std::strcmp(option, "--help") == 0 || std::strcmp(option, "--version") == 0)
        *problem = std::string(option) + " goes alone";
      else
        *problem = unknownOption(option);
      return kRequestBad;
    }
    if (i + 1 >= argc) {
      *problem = std::string(option) + (scale ? " needs a number" : " needs a file name");
      return kRequestBad;
    }
    const char* value = argv[++i];
    if (scale) {
      if (options->scale != 0) {
        *problem = "--scale is given twice";
        return kRequestBad;
      }
      if (!parseOptionNumber(value, kMinScale, kMaxScale, &options->scale)) {
        *problem = optionAndValue(option, value) + ": the magnification is " + std::to_string(kMinScale) + " to " +
                   std::to_string(kMaxScale);
        return kRequestBad;
      }
      continue;
    }
    const char*& file = record ? options->record : options->trace;
    if (file != nullptr) {
      *problem = std::string(option) + " is given twice";
      return kRequestBad;
    }
    if (const char* wrong = fileNameProblem(value)) {
      *problem = optionAndValue(option, value) + ": " + wrong;
      return kRequestBad;
    }
    file = value;
  }
  return kRequestPlay;
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
// Says why the game runs without the guard against a second copy, or ends
// this one when another runs: 0 then.
int takeInstanceLock() {
  const int lock = acquireInstanceLock(kTextInstanceName);
  if (lock == kInstanceLockBusy) {
    std::fprintf(stderr, "pinwick: another copy is already running (lock %s); this one ends\n", instanceLockFile());
    return 0;
  }
  if (lock == kInstanceLockUnavailable)
    std::fprintf(stderr, "pinwick: no lock file can be made in $XDG_RUNTIME_DIR or /tmp (%s: %s); this copy runs "
                         "without the guard against a second one\n", instanceLockFile(),
                 std::strerror(instanceLockError()));
  if (lock == kInstanceLockForeign)
    std::fprintf(stderr, "pinwick: the lock file %s is not a regular file of this user's; this copy runs without "
                         "the guard against a second one\n", instanceLockFile());
  return 1;
}

// The hidden window at its magnification, with its icon, cursor and canvas;
// nullptr (said on standard error) when none can be made.
SDL_Window* openGameWindow(int scale) {
  SDL_Window* window = SDL_CreateWindow(kTextWindowTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                        windowWidthFor(scale), windowHeightFor(scale), SDL_WINDOW_HIDDEN);
  if (window == nullptr) {
    std::fprintf(stderr, "pinwick: cannot open a window: %s\n", SDL_GetError());
    return nullptr;
  }
  SDL_StopTextInput();  // keys only; no input method
  setWindowIcon(window);
  setGameCursor();
  openScreen(window, scale);
  setClientOffset(0, kMenuBarHeight * scale);
  return window;
}

// The command line, as main ends on it: -1 to play, else the exit status.
int readCommandLine(int argc, char** argv, LaunchOptions* options) {
  std::string problem;
  switch (parseArguments(argc, argv, options, &problem)) {
    case kRequestHelp:
      printUsage(stdout);
      return kExitInformation;
    case kRequestVersion:
      std::printf("pinwick %d.%d.%d\n", kVersionMajor, kVersionMinor, kVersionBuild);
      return kExitInformation;
    case kRequestBad:
      std::fprintf(stderr, "pinwick: %s\n", problem.c_str());
      printUsage(stderr);
      return kExitUsage;
    default: break;
  }
  const NamedOutput outputs[] = {
      {"--record", options->record}, {"--trace", options->trace}, {kFrameLogVariable, std::getenv(kFrameLogVariable)}};
  return outputsAreDistinct("pinwick", outputs, sizeof outputs / sizeof outputs[0]) ? kKeepGoing : kExitUsage;
}
}  // namespace

int main(int argc, char** argv) {
  guardStandardStreams();
  LaunchOptions options = {0, nullptr, nullptr, kDefaultGameOptions};
  const int ended = readCommandLine(argc, argv, &options);
  if (ended != kKeepGoing) return ended;
  // Without --lang the desktop's locale decides, as for any program.
  if (!(options.game.given & kGivenLanguage))
    options.game.language =
        languageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
  // The window surface is written directly: no renderer, so no GL stack.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // Signals end the game as they would any program, not through the close box.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // The mouse is never captured: a button released outside stays held.
  SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "pinwick: cannot open a window: %s\n", SDL_GetError());
    return kExitNoWindow;
  }
  // Decided before the lock is taken, so that a game nobody sees never holds
  // it against the next start from the desktop.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (videoDriverUnseen(driver, std::getenv("SDL_VIDEODRIVER"))) {
    std::fprintf(stderr, "pinwick: no display to open a window on (SDL has only its %s video driver, which shows "
                         "nothing); the game does not start\n", driver);
    SDL_Quit();
    return kExitNoWindow;
  }
  if (!takeInstanceLock()) {
    SDL_Quit();
    return kExitAnotherInstance;
  }
  // A file that cannot be written is reported; the game runs without it.
  openRecording(options.record);
  openLiveTrace(options.trace);
  applyGameOptions(options.game);
  recordGameOptions(options.game);
  setKeyboardPlay(1);
  // Sounds and pictures loaded by name come from the program's folder, as on
  // Windows.
  if (char* folder = SDL_GetBasePath()) {
    setBaseDirectory(folder);
    SDL_free(folder);
  }
  openFrameLogFromEnvironment();  // says itself why it keeps no log

  SDL_Window* window = openGameWindow(options.scale != 0 ? options.scale : defaultScale());
  if (window == nullptr) {
    SDL_Quit();
    releaseInstanceLock();
    return kExitNoWindow;
  }
  windowProcedure(kWmCreate, 0, 0);
  SDL_ShowWindow(window);
  showCanvas();

  const int exitCode = runGame(window);
  finishRecording(exitCode);

  closeScreen();
  if (cursor != nullptr) SDL_FreeCursor(cursor);
  SDL_DestroyWindow(window);
  SDL_Quit();
  closeFrameLog();
  releaseInstanceLock();
  return exitCode;
}
