// The folder that pictures and sounds loaded by file name come from, and the
// rules that keep a name inside it. Pictures and sounds share them, so a
// name means the same file for both and on every build.
#pragma once
#include <cstddef>
#include <cstdio>

// A base directory with a name joined to it must fit in this, terminating
// zero included; a longer one is refused, never cut short.
#ifdef _WIN32
constexpr size_t kBaseFilePathSize = 260;  // MAX_PATH: the narrow calls take no longer one
#else
constexpr size_t kBaseFilePathSize = 4096;  // PATH_MAX
#endif

// Start-up: the program's own folder (Windows, SDL), the headless tool's
// current directory ("."). Never called, or given nullptr (the page, which
// has no files): every file is refused. "" is the current directory. 1 when
// set; 0, leaving no folder, for nullptr or a folder too long to join a name
// to.
int setBaseDirectory(const char* directory);

// The folder setBaseDirectory took; nullptr when there is none.
const char* currentBaseDirectory();

// The base directory joined with name into path (room for capacity bytes).
// 0, with nothing opened, when no base directory is set, the result does not
// fit, or the name could leave the directory: empty, absolute (a slash or
// backslash first), with a colon (a drive letter, or a Windows stream), a
// ".." component between separators of either kind, or a component that
// Windows opens as a device (namesWindowsDevice).
int baseFilePath(const char* name, char* path, size_t capacity);

// Whether Windows opens this path component (length bytes, no separator) as
// a device rather than a file: CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1-9
// and LPT1-9 in any case, with any extension and with trailing dots or
// spaces.
bool namesWindowsDevice(const char* component, size_t length);

// The named file opened for reading in binary; nullptr when baseFilePath
// refuses the name, or the name reaches anything but a regular file by a
// path of real folders: a symbolic link (or, on Windows, a reparse point) at
// or below the base directory, a FIFO, a device or a folder is refused
// without waiting on it. The base directory itself may be reached through
// links. One implementation per platform (base_file_posix.cpp,
// base_file_win32.cpp).
std::FILE* openBaseFile(const char* name);
