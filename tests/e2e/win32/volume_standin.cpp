// pinwick-volume-standin: stands in for the system's volume control in the
// Wine tests. Copied into the prefix's system folder as Sndvol32.exe or
// SndVol.exe, it leaves an empty file beside itself, its own name with
// ".started" added, and ends at once.
#include <windows.h>

namespace {
constexpr char kMarkSuffix[] = ".started";
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH + sizeof kMarkSuffix];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  lstrcatA(path, kMarkSuffix);
  HANDLE mark = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (mark == INVALID_HANDLE_VALUE) return 1;
  CloseHandle(mark);
  return 0;
}
