// The part of the output rules every platform shares: the words of a
// failure and the checks of a stream, over the C library's streams alone.
#include "host/output_file.h"

#include <cerrno>
#include <cstring>

namespace {
constexpr char kStandardOutputName[] = "standard output";

// A stream's reason, or EIO when the library kept none.
int reasonOr(int error) { return error != 0 ? error : EIO; }
}  // namespace

const char* outputFailureText(int why) {
  switch (why) {
    case kOutputIsDirectory: return "is a directory";
    case kOutputIsLink: return "is a symbolic link; Pinwick writes no file through a link";
    case kOutputWrongKind: return "not a regular file, FIFO or character device";
    default: return std::strerror(why);
  }
}

const char* outputName(const char* path) { return std::strcmp(path, "-") == 0 ? kStandardOutputName : path; }

// fputs only: the Windows program takes no printf from the C runtime.
void reportOutputFailure(const char* program, const char* path, int why) {
  std::fputs(program, stderr);
  std::fputs(std::strcmp(path, "-") == 0 ? ": " : ": cannot write ", stderr);
  std::fputs(outputName(path), stderr);
  std::fputs(": ", stderr);
  std::fputs(outputFailureText(why), stderr);
  std::fputs("\n", stderr);
}

int outputStreamError(std::FILE* file) { return std::ferror(file) ? reasonOr(errno) : 0; }

int finishOutputStream(std::FILE* file) {
  errno = 0;
  int why = 0;
  if (std::fflush(file) != 0) why = reasonOr(errno);
  else if (std::ferror(file)) why = EIO;
  if (file == stdout) return why;
  errno = 0;
  if (std::fclose(file) != 0 && why == 0) why = reasonOr(errno);
  return why;
}
