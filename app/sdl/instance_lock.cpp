// The lock file and its flock.
#include "app/sdl/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {
constexpr int kPathBytes = 4096;
constexpr mode_t kLockFileMode = 0600;
int lockFd = -1;
}  // namespace

int instanceLockPath(const char* name, char* path, int size) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  int n;
  if (runtime != nullptr && runtime[0] == '/') {
    n = std::snprintf(path, static_cast<size_t>(size), "%s/%s.lock", runtime, name);
  } else {
    // /tmp is shared by every user: the uid keeps each user's lock apart.
    n = std::snprintf(path, static_cast<size_t>(size), "/tmp/%s-%u.lock", name, static_cast<unsigned>(getuid()));
  }
  return n > 0 && n < size ? 1 : 0;
}

int acquireInstanceLock(const char* name) {
  if (lockFd >= 0) return kInstanceLockHeld;
  char path[kPathBytes];
  if (!instanceLockPath(name, path, sizeof path)) return kInstanceLockUnavailable;
  // Close-on-exec: a program the game starts must not keep the lock alive.
  const int fd = open(path, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, kLockFileMode);
  if (fd < 0) return kInstanceLockUnavailable;
  int result;
  while ((result = flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
  }
  if (result != 0) {
    const bool busy = errno == EWOULDBLOCK;
    close(fd);
    return busy ? kInstanceLockBusy : kInstanceLockUnavailable;
  }
  lockFd = fd;
  return kInstanceLockHeld;
}

void releaseInstanceLock() {
  if (lockFd < 0) return;
  flock(lockFd, LOCK_UN);
  close(lockFd);
  lockFd = -1;
}
