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

// The base directory joined with name into path (room for capacity bytes).
// 0, with nothing opened, when no base directory is set, the result does not
// fit, or the name could leave the directory: empty, absolute (a slash or
// backslash first), with a colon (a drive letter, or a Windows stream) or a
// ".." component between separators of either kind.
int baseFilePath(const char* name, char* path, size_t capacity);

// The named file opened for reading in binary; nullptr when baseFilePath
// refuses the name or the file cannot be opened.
std::FILE* openBaseFile(const char* name);
