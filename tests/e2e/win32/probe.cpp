// pinwick-probe: looks at the running game from outside, as a second Windows
// program under the same Wine, for the end-to-end script. It prints what it
// finds as "key=value" lines in UTF-8 and exits 0, or exits 1 after waiting
// for its window in vain.
//   pinwick-probe window   the game window: class, title, client size and origin,
//                          and a point on its close box
//   pinwick-probe dialog   the open dialog or message box: title, the texts of
//                          its controls, the centres of its two buttons
//   pinwick-probe gone     waits until no dialog or message box is open
//   pinwick-probe iconic   waits until the game window is minimised
//   pinwick-probe restore  restores the minimised game window
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {
constexpr DWORD kWaitMs = 30000;
constexpr DWORD kPollMs = 100;
constexpr char kGameClass[] = "Pinwick";
constexpr char kDialogClass[] = "#32770";
constexpr int kQuestionControl = 1000;
constexpr int kMessageTextControl = 0xFFFF;  // the message box's text
constexpr int kTextSize = 256;

void printText(const char* key, HWND window) {
  wchar_t wide[kTextSize] = L"";
  GetWindowTextW(window, wide, kTextSize);
  char utf8[kTextSize * 3] = "";
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr);
  std::printf("%s=%s\n", key, utf8);
}

HWND waitForGameWindow() {
  for (DWORD waited = 0; waited < kWaitMs; waited += kPollMs) {
    HWND window = FindWindowA(kGameClass, nullptr);
    if (window != nullptr && IsWindowVisible(window)) return window;
    Sleep(kPollMs);
  }
  return nullptr;
}

void printCentre(const char* key, HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  std::printf("%s=%ld,%ld\n", key, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// The close confirmation and the message boxes are dialogs owned by the game window.
HWND findDialog(HWND game) {
  HWND candidate = nullptr;
  while ((candidate = FindWindowExA(nullptr, candidate, kDialogClass, nullptr)) != nullptr) {
    if (GetWindow(candidate, GW_OWNER) == game && IsWindowVisible(candidate)) return candidate;
  }
  return nullptr;
}

int probeWindow(HWND game) {
  char className[kTextSize] = "";
  GetClassNameA(game, className, sizeof className);
  std::printf("class=%s\n", className);
  printText("title", game);
  RECT client;
  GetClientRect(game, &client);
  std::printf("client=%ldx%ld\n", client.right - client.left, client.bottom - client.top);
  POINT origin = {0, 0};
  ClientToScreen(game, &origin);
  std::printf("origin=%ld,%ld\n", origin.x, origin.y);
  RECT outer;
  GetWindowRect(game, &outer);
  std::printf("outer=%ld,%ld,%ld,%ld\n", outer.left, outer.top, outer.right, outer.bottom);
  // The close box: the first point above the client area that hit-tests as it.
  for (LONG y = outer.top; y < origin.y; ++y) {
    for (LONG x = outer.right - 1; x >= outer.left; --x) {
      LRESULT hit = SendMessageA(game, WM_NCHITTEST, 0, MAKELPARAM(x, y));
      if (hit == HTCLOSE) {
        std::printf("closebox=%ld,%ld\n", x - 2, y + 2);
        return 0;
      }
    }
  }
  std::printf("closebox=none\n");
  return 0;
}

int probeDialog(HWND game) {
  for (DWORD waited = 0; waited < kWaitMs; waited += kPollMs) {
    HWND dialog = findDialog(game);
    if (dialog != nullptr) {
      printText("dialog", dialog);
      if (HWND question = GetDlgItem(dialog, kQuestionControl)) printText("question", question);
      if (HWND message = GetDlgItem(dialog, kMessageTextControl)) printText("message", message);
      if (HWND yes = GetDlgItem(dialog, IDOK)) {
        printText("yes", yes);
        printCentre("yesbutton", yes);
      }
      if (HWND no = GetDlgItem(dialog, IDCANCEL)) {
        printText("no", no);
        printCentre("nobutton", no);
      }
      return 0;
    }
    Sleep(kPollMs);
  }
  std::printf("no dialog appeared\n");
  return 1;
}

int probeGone(HWND game) {
  for (DWORD waited = 0; waited < kWaitMs; waited += kPollMs) {
    if (findDialog(game) == nullptr) return 0;
    Sleep(kPollMs);
  }
  std::printf("the dialog stayed open\n");
  return 1;
}
int probeIconic(HWND game) {
  for (DWORD waited = 0; waited < kWaitMs; waited += kPollMs) {
    if (IsIconic(game)) return 0;
    Sleep(kPollMs);
  }
  std::printf("the game window was not minimised\n");
  return 1;
}

int probeRestore(HWND game) {
  ShowWindow(game, SW_RESTORE);
  for (DWORD waited = 0; waited < kWaitMs; waited += kPollMs) {
    if (!IsIconic(game)) return 0;
    Sleep(kPollMs);
  }
  std::printf("the game window stayed minimised\n");
  return 1;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: pinwick-probe window|dialog|gone|iconic|restore\n");
    return 2;
  }
  HWND game = waitForGameWindow();
  if (game == nullptr) {
    std::printf("no game window appeared\n");
    return 1;
  }
  if (std::strcmp(argv[1], "window") == 0) return probeWindow(game);
  if (std::strcmp(argv[1], "dialog") == 0) return probeDialog(game);
  if (std::strcmp(argv[1], "gone") == 0) return probeGone(game);
  if (std::strcmp(argv[1], "iconic") == 0) return probeIconic(game);
  if (std::strcmp(argv[1], "restore") == 0) return probeRestore(game);
  std::fprintf(stderr, "pinwick-probe: unknown command %s\n", argv[1]);
  return 2;
}
