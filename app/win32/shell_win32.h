// What WinMain hands to the Win32 shell: the main window, the accelerator
// table, and the window procedure it registers.
#pragma once
#include <windows.h>

// The pump translates accelerators for this window with this table.
void setShellWindow(HWND window, HACCEL accelerators);

// The game window's procedure: shows the cursor, then the portable window
// procedure, then the default handling for what that leaves.
LRESULT CALLBACK gameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
