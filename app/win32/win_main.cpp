// The Windows entry point: one instance, the fixed-size game window, then the
// shared start-up and shutdown of runGame.
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>

#include "app/game_main.h"
#include "app/win32/shell_win32.h"
#include "gfx/base_directory.h"
#include "gfx/gfx.h"
#include "host/frame_log.h"
#include "host/texts.h"

namespace {
constexpr DWORD kWindowStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;  // 0x10CA0000
constexpr DWORD kWindowExStyle = 0;
constexpr int kExitNotStarted = 0;
constexpr char kMenuName[] = "MENU_MAIN";
constexpr char kIconName[] = "ICON_MAIN";
constexpr char kCursorName[] = "CURSOR_S";
constexpr char kAcceleratorName[] = "ACCEL";
// The scheduler's tick for the run: Sleep(1) then sleeps about 1 ms, not a
// whole 10-16 ms tick, so the 20 ms frame grid holds on a real system.
constexpr UINT kTimerResolutionMs = 1;

HANDLE instanceMutex = nullptr;
// Where files loaded by name are looked for; the game loads none.
char baseDirectory[MAX_PATH] = "";

void findBaseDirectory() {
  GetModuleFileNameA(nullptr, baseDirectory, sizeof baseDirectory);
  for (char* p = baseDirectory + lstrlenA(baseDirectory); p > baseDirectory; --p) {
    if (*p == '\\') {
      *p = '\0';
      break;
    }
  }
}

// Outer window sizes that leave a 160 x 60 client area under the caption and
// a one-line menu bar.
int windowWidth() { return kScreenWidth + 2 * GetSystemMetrics(SM_CXDLGFRAME); }
int windowHeight() {
  return kScreenHeight + 2 * GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION) +
         GetSystemMetrics(SM_CYMENU);
}

int runProgram(HINSTANCE instance) {
  HANDLE running = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kTextInstanceName);
  if (running != nullptr) {
    CloseHandle(running);
    return kExitNotStarted;
  }
  instanceMutex = CreateMutexA(nullptr, FALSE, kTextInstanceName);
  findBaseDirectory();
  setBaseDirectory(baseDirectory);

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = gameWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kTextWindowTitle;
  windowClass.lpszMenuName = kMenuName;
  windowClass.hIcon = LoadIconA(instance, kIconName);
  windowClass.hCursor = LoadCursorA(instance, kCursorName);
  if (RegisterClassA(&windowClass) == 0) return kExitNotStarted;

  const int width = windowWidth();
  const int height = windowHeight();
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  // Must be known before initGraphics: present places the frame with it.
  setClientOffset(GetSystemMetrics(SM_CXDLGFRAME),
                  GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU));

  HWND window = CreateWindowExA(kWindowExStyle, kTextWindowTitle, kTextWindowTitle, kWindowStyle, x, y, width,
                                height, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return kExitNotStarted;
  setShellWindow(window, LoadAcceleratorsA(instance, kAcceleratorName));

  const int exitCode = runGame(window);
  ReleaseMutex(instanceMutex);
  return exitCode;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The manifest asks for version 6 of the common controls, whose buttons
  // the close question and the message boxes use; Windows XP makes them
  // only once the program has loaded the library itself.
  InitCommonControls();
  timeBeginPeriod(kTimerResolutionMs);
  openFrameLogFromEnvironment();  // a log that cannot be written is simply not kept
  const int exitCode = runProgram(instance);
  closeFrameLog();
  timeEndPeriod(kTimerResolutionMs);
  return exitCode;
}
