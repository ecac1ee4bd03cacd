// The output rules on Windows, as far as they go there: `-` is standard
// output, whole files go through a temporary beside the target that replaces
// it once written, streams are opened as they are, and outputs are told
// apart by name only (case aside). The checks of links, FIFOs and devices
// are the POSIX build's alone.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "host/output_file.h"

namespace {
constexpr char kTemporaryName[] = ".pinwick-XXXXXX";
constexpr size_t kPathSize = MAX_PATH;

bool isStandardOutput(const char* path) { return std::strcmp(path, "-") == 0; }

int writeAll(int fd, const uint8_t* bytes, size_t size) {
  while (size > 0) {
    const unsigned chunk = size > 0x40000000u ? 0x40000000u : static_cast<unsigned>(size);
    const int written = _write(fd, bytes, chunk);
    if (written <= 0) return written < 0 ? errno : EIO;
    bytes += written;
    size -= static_cast<size_t>(written);
  }
  return 0;
}

int temporaryPattern(const char* path, char* pattern) {
  const char* slash = std::strrchr(path, '/');
  const char* backslash = std::strrchr(path, '\\');
  if (backslash != nullptr && (slash == nullptr || backslash > slash)) slash = backslash;
  const size_t folder = slash == nullptr ? 0 : static_cast<size_t>(slash - path) + 1;
  if (folder + sizeof kTemporaryName > kPathSize) return ENAMETOOLONG;
  std::memcpy(pattern, path, folder);
  std::memcpy(pattern + folder, kTemporaryName, sizeof kTemporaryName);
  return 0;
}

bool given(const NamedOutput& output) { return output.path != nullptr && output.path[0] != '\0'; }

int moveFailure() {
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return ENOENT;
    case ERROR_DISK_FULL: return ENOSPC;
    default: return EACCES;
  }
}
}  // namespace

int writeWholeFile(const char* path, const void* data, size_t size) {
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  if (isStandardOutput(path)) {
    _setmode(_fileno(stdout), _O_BINARY);
    errno = 0;
    if (std::fwrite(bytes, 1, size, stdout) != size || std::fflush(stdout) != 0) return errno != 0 ? errno : EIO;
    return 0;
  }
  char temporary[kPathSize];
  if (int why = temporaryPattern(path, temporary)) return why;
  const int fd = mkstemp(temporary);
  if (fd < 0) return errno;
  _setmode(fd, _O_BINARY);
  int why = writeAll(fd, bytes, size);
  if (_close(fd) != 0 && why == 0) why = errno;
  if (why == 0 && !MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING)) why = moveFailure();
  if (why != 0) _unlink(temporary);
  return why;
}

int openOutputStream(const char* path, std::FILE** file) {
  *file = isStandardOutput(path) ? stdout : std::fopen(path, "wb");
  return *file != nullptr ? 0 : errno;
}

void guardStandardStreams() {}

int outputsAreDistinct(const char* program, const NamedOutput* outputs, int count) {
  for (int i = 0; i < count; ++i) {
    for (int j = i + 1; j < count; ++j) {
      if (!given(outputs[i]) || !given(outputs[j]) || _stricmp(outputs[i].path, outputs[j].path) != 0) continue;
      std::fputs(program, stderr);
      std::fputs(": ", stderr);
      std::fputs(outputs[i].option, stderr);
      std::fputs(" and ", stderr);
      std::fputs(outputs[j].option, stderr);
      std::fputs(" name one file, ", stderr);
      std::fputs(outputs[i].path, stderr);
      std::fputs("; give each its own\n", stderr);
      return 0;
    }
  }
  return 1;
}
