// Every file Pinwick writes goes through here, so that all outputs keep the
// same rules: `-` is standard output; a missing file is created and a regular
// file replaced (whole files) or truncated (streams); a FIFO or character
// device, also one reached through a link (/dev/stdout, /dev/null), is written
// straight through and never replaced; anything else is refused, and so is a
// link to anything else, since in a shared folder anyone may have planted it.
// One implementation per platform: output_file.cpp (POSIX: Linux and the
// page) and win32/output_file_win32.cpp.
#pragma once
#include <cstddef>
#include <cstdio>

// Why an output failed: an errno value, or one of these refusals.
constexpr int kOutputIsDirectory = -1;
constexpr int kOutputIsLink = -2;
constexpr int kOutputWrongKind = -3;  // a block device, a socket

// The words for a failure: a refusal's own, or strerror's.
const char* outputFailureText(int why);

// How messages name an output: "standard output" for `-`, else the path.
const char* outputName(const char* path);

// "PROGRAM: cannot write FILE: REASON" on standard error, or for `-`
// "PROGRAM: standard output: REASON".
void reportOutputFailure(const char* program, const char* path, int why);

// Writes size bytes as the file path, whole or not at all: a regular file's
// bytes go to a temporary beside it (an unpredictable name, created
// exclusively) that is renamed over it once written and closed, with the
// permissions a plain create would give; on every failure the temporary is
// removed. Returns 0 when written, else why.
int writeWholeFile(const char* path, const void* bytes, size_t size);

// Opens path for writing as the run goes (a regular file is truncated).
// Returns 0 with *file set (stdout for `-`), else why with *file null.
int openOutputStream(const char* path, std::FILE** file);

// 0 while the stream has written everything given to it; else why. Call it
// straight after each write: the C library drops what it could not write,
// and the reason is the errno of the write that failed.
int outputStreamError(std::FILE* file);

// Flushes and closes the stream (standard output is flushed only). Returns 0
// when everything reached the file, else why (EIO for a failure the stream
// met earlier and kept no reason of).
int finishOutputStream(std::FILE* file);

// At the start of main: a standard stream the program was started without
// is held by a descriptor that refuses writes, so that no file opened later
// takes its number (and its output), and writing to it still fails.
void guardStandardStreams();

// One output of a command line (or an input it reads first): the option and
// the path, null or empty when the option was not given.
struct NamedOutput {
  const char* option;
  const char* path;
};

// 1 when no two of them name one file: the same name, the same existing file
// (by device and inode, so `f`, `./f` and a hard link are one) or the same
// new name in the same folder. Character devices (a terminal, /dev/null) may
// take any number of outputs, but `-` may be named once only. Otherwise says
// which two on standard error, as "PROGRAM: --a F and --b G name one file",
// and returns 0.
int outputsAreDistinct(const char* program, const NamedOutput* outputs, int count);
