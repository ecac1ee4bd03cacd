// The Win32 shell: the pump primitives over the thread's message queue, the
// window and dialog procedures, and the services the commands use.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "app/win32/shell_win32.h"
#include "host/shell.h"
#include "host/texts.h"
#include "host/window_proc.h"

namespace {
constexpr int kQuestionControl = 1000;
constexpr char kDialogTemplate[] = "DLG_YESNO";
constexpr char kVolumeControlName[] = "\\Sndvol32.exe";
constexpr char kCurrentVolumeControlName[] = "\\SndVol.exe";
constexpr int kVolumeFirstAttempt = 0;
// ShellExecuteA reports success with a value above 32.
constexpr INT_PTR kShellExecuteOk = 32;

HWND mainWindow = nullptr;
HACCEL acceleratorTable = nullptr;
MSG fetched;
// Whether this Volume command's first attempt started Sndvol32.exe.
int designedVolumeControlStarted = 0;

// Starts directory + name (name begins with a backslash); 1 when it started.
int launchProgram(const char* directory, const char* name) {
  char path[MAX_PATH + sizeof kVolumeControlName];  // the longer name
  lstrcpyA(path, directory);
  lstrcatA(path, name);
  HINSTANCE result = ShellExecuteA(mainWindow, "open", path, nullptr, nullptr, SW_SHOW);
  return reinterpret_cast<INT_PTR>(result) > kShellExecuteOk ? 1 : 0;
}

// Centres the dialog on its owner, kept on the screen.
void centreOnParent(HWND dialog) {
  RECT parent;
  RECT self;
  GetWindowRect(GetParent(dialog), &parent);
  GetWindowRect(dialog, &self);
  const int width = self.right - self.left;
  const int height = self.bottom - self.top;
  int x = parent.left + (parent.right - parent.left) / 2 - width / 2;
  int y = parent.top + (parent.bottom - parent.top) / 2 - height / 2;
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (x + width > screenWidth) x = screenWidth - width;
  if (y + height > screenHeight) y = screenHeight - height;
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE);
}

INT_PTR CALLBACK confirmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowTextA(dialog, kTextWindowTitle);
      SetDlgItemTextA(dialog, kQuestionControl, reinterpret_cast<const char*>(lParam));
      centreOnParent(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: EndDialog(dialog, 1); break;
        case IDCANCEL: EndDialog(dialog, 0); break;
        default: break;
      }
      return FALSE;
    default: return FALSE;
  }
}
}  // namespace

void setShellWindow(HWND window, HACCEL accelerators) {
  mainWindow = window;
  acceleratorTable = accelerators;
}

LRESULT CALLBACK gameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ShowCursor(TRUE);
  if (windowProcedure(message, wParam, lParam)) return 1;
  return DefWindowProcA(window, message, wParam, lParam);
}

// --- The pump's primitives ---

int shellPeekMessage() {
  MSG waiting;
  return PeekMessageA(&waiting, nullptr, 0, 0, PM_NOREMOVE) ? 1 : 0;
}

int shellFetchMessage(WindowMessage* message) {
  const int going = GetMessageA(&fetched, nullptr, 0, 0) != 0 ? 1 : 0;
  *message = WindowMessage{fetched.message, fetched.wParam, fetched.lParam};
  return going;
}

int shellTranslateAccelerator() { return TranslateAcceleratorA(mainWindow, acceleratorTable, &fetched) ? 1 : 0; }

void shellDispatchMessage() {
  TranslateMessage(&fetched);
  DispatchMessageA(&fetched);
}

// --- Services ---

int shellConfirmClose(const char* question) {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
  // -1 (no dialog could be made) counts as Yes.
  INT_PTR answer = DialogBoxParamA(instance, kDialogTemplate, mainWindow, confirmDialogProc,
                                   reinterpret_cast<LPARAM>(question));
  return answer != 0 ? 1 : 0;
}

void shellMessageBox(const char* text, const char* title) { MessageBoxA(mainWindow, text, title, MB_OK); }

int shellLaunchVolumeControl(int attempt) {
  char systemDirectory[MAX_PATH] = "";
  const UINT length = GetSystemDirectoryA(systemDirectory, sizeof systemDirectory);
  if (length == 0 || length >= sizeof systemDirectory) return 0;
  if (attempt == kVolumeFirstAttempt) {
    designedVolumeControlStarted = launchProgram(systemDirectory, kVolumeControlName);
    return designedVolumeControlStarted;
  }
  // The system directory's parent: the Windows directory itself.
  char windowsDirectory[MAX_PATH];
  lstrcpyA(windowsDirectory, systemDirectory);
  char* cut = std::strrchr(windowsDirectory, '\\');
  if (cut != nullptr) *cut = '\0';
  int started = launchProgram(windowsDirectory, kVolumeControlName);
  // Neither place has Sndvol32.exe from Windows Vista on: its successor.
  if (!started && !designedVolumeControlStarted) started = launchProgram(systemDirectory, kCurrentVolumeControlName);
  return started;
}

void shellMinimiseWindow() { ShowWindow(mainWindow, SW_MINIMIZE); }

void shellSendClose() { SendMessageA(mainWindow, WM_CLOSE, 0, 0); }

void shellPostDestroy() { PostMessageA(mainWindow, WM_DESTROY, 0, 0); }

void shellPostQuit() { PostQuitMessage(0); }

int shellFileVersion(int* major, int* minor, int* build) {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  if (size == 0) return 0;
  void* block = HeapAlloc(GetProcessHeap(), 0, size);
  if (block == nullptr) return 0;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  const int found = GetFileVersionInfoA(path, 0, size, block) &&
                    VerQueryValueA(block, "\\", reinterpret_cast<void**>(&info), &length) && info != nullptr;
  if (found) {
    *major = HIWORD(info->dwFileVersionMS);
    *minor = LOWORD(info->dwFileVersionMS);
    *build = HIWORD(info->dwFileVersionLS);
  }
  HeapFree(GetProcessHeap(), 0, block);
  return found ? 1 : 0;
}

void shellCursorPosition(int32_t* x, int32_t* y) {
  POINT point = {0, 0};
  GetCursorPos(&point);
  ScreenToClient(mainWindow, &point);
  *x = point.x;
  *y = point.y;
}

void shellFrameDone(int) {}
