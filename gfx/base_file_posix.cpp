// Files by name on Linux, macOS and the page (which never has a base
// directory): the name is walked one folder at a time from the base
// directory, so that no link below it is followed, and only a regular file is
// read.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "gfx/base_directory.h"

namespace {
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
// Non-blocking, so that a FIFO or a device cannot hold the loader before the
// check below refuses it; reading a regular file never blocks anyway.
constexpr int kFileFlags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

int openIn(int folder, const char* component, int flags) {
  int fd;
  do fd = openat(folder, component, flags);
  while (fd < 0 && errno == EINTR);
  return fd;
}

void closeFolder(int folder) {
  if (folder >= 0) close(folder);
}

// The file the name reaches from folder, or -1; folder is closed either way.
// Empty components ("a//b") stay where they are, as the system would.
int openBelow(int folder, char* name) {
  char* component = name;
  for (char* slash; (slash = std::strchr(component, '/')) != nullptr; component = slash + 1) {
    if (slash == component) continue;
    *slash = '\0';
    const int next = openIn(folder, component, kFolderFlags);
    closeFolder(folder);
    if (next < 0) return -1;
    folder = next;
  }
  const int fd = component[0] != '\0' ? openIn(folder, component, kFileFlags) : -1;
  closeFolder(folder);
  return fd;
}
}  // namespace

std::FILE* openBaseFile(const char* name) {
  char path[kBaseFilePathSize];
  if (!baseFilePath(name, path, sizeof path)) return nullptr;
  // The name fits: baseFilePath joined it into a buffer of this size.
  char components[kBaseFilePathSize];
  std::strcpy(components, name);
  const char* base = currentBaseDirectory();
  int folder = AT_FDCWD;  // "" is the current directory
  if (base[0] != '\0' && (folder = openIn(AT_FDCWD, base, O_RDONLY | O_DIRECTORY | O_CLOEXEC)) < 0) return nullptr;
  const int fd = openBelow(folder, components);
  if (fd < 0) return nullptr;
  struct stat status;
  std::FILE* file = fstat(fd, &status) == 0 && S_ISREG(status.st_mode) ? fdopen(fd, "rb") : nullptr;
  if (file == nullptr) close(fd);
  return file;
}
