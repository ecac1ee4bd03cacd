// The lock file and its flock.
#include "app/sdl/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {
constexpr int kPathBytes = 4096;
constexpr mode_t kLockFileMode = 0600;
int lockFd = -1;
char lockPath[kPathBytes] = "";
int lockError = 0;

// Close-on-exec: a program the game starts must not keep the lock alive.
// Non-blocking: a FIFO or a device planted there must not hold the start.
int openLockFile(const char* path) {
  const int fd = open(path, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, kLockFileMode);
  lockError = fd < 0 ? errno : 0;
  return fd;
}

bool ownRegularFile(int fd) {
  struct stat status;
  return fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == geteuid();
}
}  // namespace

int instanceLockFallbackPath(const char* name, char* path, int size) {
  // /tmp is shared by every user: the uid keeps each user's lock apart.
  const int n =
      std::snprintf(path, static_cast<size_t>(size), "/tmp/%s-%u.lock", name, static_cast<unsigned>(getuid()));
  return n > 0 && n < size ? 1 : 0;
}

int instanceLockPath(const char* name, char* path, int size) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime == nullptr || runtime[0] != '/') return instanceLockFallbackPath(name, path, size);
  const int n = std::snprintf(path, static_cast<size_t>(size), "%s/%s.lock", runtime, name);
  return n > 0 && n < size ? 1 : 0;
}

int acquireInstanceLock(const char* name) {
  if (lockFd >= 0) return kInstanceLockHeld;
  lockPath[0] = '\0';
  lockError = 0;
  int fd = instanceLockPath(name, lockPath, sizeof lockPath) ? openLockFile(lockPath) : -1;
  // A runtime directory we cannot write to: every start with it falls back
  // to the same file in /tmp, so they still exclude each other.
  if (fd < 0) fd = instanceLockFallbackPath(name, lockPath, sizeof lockPath) ? openLockFile(lockPath) : -1;
  if (fd < 0) return kInstanceLockUnavailable;
  if (!ownRegularFile(fd)) {
    close(fd);
    return kInstanceLockForeign;
  }
  int result;
  while ((result = flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
  }
  if (result != 0) {
    const bool busy = errno == EWOULDBLOCK;
    lockError = busy ? 0 : errno;
    close(fd);
    return busy ? kInstanceLockBusy : kInstanceLockUnavailable;
  }
  lockFd = fd;
  return kInstanceLockHeld;
}

const char* instanceLockFile() { return lockPath; }

int instanceLockError() { return lockError; }

void releaseInstanceLock() {
  if (lockFd < 0) return;
  flock(lockFd, LOCK_UN);
  close(lockFd);
  lockFd = -1;
}
