#!/usr/bin/env bash
# The Windows release exe: its size against the 200 KB target, and that it is
# what we ship: stripped, and needing no DLL that Windows does not bring.
#   win32_size.sh PINWICK.EXE
set -euo pipefail

exe=$1
target_bytes=$((200 * 1024))
# The system DLLs the game may use; anything else (libstdc++-6.dll,
# libgcc_s_*.dll, libwinpthread-1.dll) would have to be shipped beside it.
windows_dlls="comctl32.dll ddraw.dll dsound.dll gdi32.dll kernel32.dll msvcrt.dll shell32.dll user32.dll version.dll winmm.dll"

size=$(stat -c %s "$exe")
echo "pinwick.exe: $size bytes ($((size / 1024)) KB; target at most $((target_bytes / 1024)) KB)"
status=0
if [ "$size" -gt "$target_bytes" ]; then
  echo "FAIL: pinwick.exe is over the target"
  status=1
fi
if ! i686-w64-mingw32-objdump -t "$exe" | grep -q '^no symbols'; then
  echo "FAIL: pinwick.exe is not stripped"
  status=1
fi
for dll in $(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z'); do
  if ! grep -qw "$dll" <<<"$windows_dlls"; then
    echo "FAIL: pinwick.exe needs $dll, which Windows does not have"
    status=1
  fi
done
exit $status
