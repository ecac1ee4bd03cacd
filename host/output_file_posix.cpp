// The output rules on POSIX systems (Linux, and the page's memory file
// system): the target is looked at with lstat, opened without following a
// link it did not mean to follow, and confirmed with fstat before a byte is
// written; whole files go through mkstemp beside the target.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "host/output_file.h"

namespace {
constexpr char kTemporaryName[] = ".pinwick-XXXXXX";
constexpr mode_t kCreateMode = 0666;  // less the umask, as a plain create gives
constexpr size_t kPathSize = 4096;
constexpr int kStandardOutputFd = 1;
constexpr int kStandardStreams = 3;
constexpr int kStreamFlags = O_WRONLY | O_CLOEXEC | O_NOCTTY;

bool isStandardOutput(const char* path) { return std::strcmp(path, "-") == 0; }

bool writtenStraightThrough(mode_t mode) { return S_ISFIFO(mode) || S_ISCHR(mode); }

// What lies at the target, and so how it is opened.
enum Target {
  kTargetAbsent,   // created
  kTargetRegular,  // replaced, or truncated
  kTargetThrough,  // a FIFO or device: written as it is
  kTargetLinkedThrough,  // the same, reached through a link
};

// 0 with *target set, else why the target is refused.
int lookAtTarget(const char* path, Target* target) {
  struct stat info;
  if (lstat(path, &info) != 0) {
    if (errno != ENOENT) return errno;
    *target = kTargetAbsent;  // a missing folder on the way fails at the create
    return 0;
  }
  if (S_ISLNK(info.st_mode)) {
    if (stat(path, &info) != 0 || !writtenStraightThrough(info.st_mode)) return kOutputIsLink;
    *target = kTargetLinkedThrough;
    return 0;
  }
  if (S_ISDIR(info.st_mode)) return kOutputIsDirectory;
  if (S_ISREG(info.st_mode)) *target = kTargetRegular;
  else if (writtenStraightThrough(info.st_mode)) *target = kTargetThrough;
  else return kOutputWrongKind;
  return 0;
}

// The refusal for what open said, when it has one.
int openFailure(int error) {
  if (error == ELOOP) return kOutputIsLink;  // planted after the look
  if (error == EISDIR) return kOutputIsDirectory;
  return error;
}

// Opens a target that is written as it is: never created, truncated or
// replaced, and confirmed to be a FIFO or device once open. 0 with *fd set,
// else why.
int openThrough(const char* path, Target target, int* fd) {
  const int flags = kStreamFlags | (target == kTargetThrough ? O_NOFOLLOW : 0);
  const int opened = open(path, flags);
  if (opened < 0) return openFailure(errno);
  struct stat info;
  int why = fstat(opened, &info) != 0 ? errno : 0;
  // Something else was put there after the look: a link to a file, or worse.
  if (why == 0 && !writtenStraightThrough(info.st_mode)) why = S_ISREG(info.st_mode) ? kOutputIsLink : kOutputWrongKind;
  if (why != 0) {
    close(opened);
    return why;
  }
  *fd = opened;
  return 0;
}

int writeAll(int fd, const uint8_t* bytes, size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return written < 0 ? errno : EIO;
    bytes += written;
    size -= static_cast<size_t>(written);
  }
  return 0;
}

// The umask can only be read by setting it; nothing else runs meanwhile.
mode_t createMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return kCreateMode & ~mask;
}

// The temporary's name pattern in the target's own folder, so that the
// rename stays on one file system. 0, else ENAMETOOLONG.
int temporaryPattern(const char* path, char* pattern) {
  const char* slash = std::strrchr(path, '/');
  const size_t folder = slash == nullptr ? 0 : static_cast<size_t>(slash - path) + 1;
  if (folder + sizeof kTemporaryName > kPathSize) return ENAMETOOLONG;
  std::memcpy(pattern, path, folder);
  std::memcpy(pattern + folder, kTemporaryName, sizeof kTemporaryName);
  return 0;
}

// Removes the temporary, keeping the reason it failed.
int giveUp(const char* temporary, int why) {
  unlink(temporary);
  return why;
}

int replaceWhole(const char* path, const uint8_t* bytes, size_t size) {
  char temporary[kPathSize];
  if (int why = temporaryPattern(path, temporary)) return why;
  // mkstemp creates exclusively: nothing planted under the name is opened.
  const int fd = mkstemp(temporary);
  if (fd < 0) return errno;
  int why = fchmod(fd, createMode()) != 0 ? errno : writeAll(fd, bytes, size);
  if (close(fd) != 0 && why == 0) why = errno;
  if (why != 0) return giveUp(temporary, why);
  // rename replaces the name itself: a link put there meanwhile is not followed.
  if (rename(temporary, path) != 0) return giveUp(temporary, openFailure(errno));
  return 0;
}

int writeToStandardOutput(const uint8_t* bytes, size_t size) {
  errno = 0;
  if (std::fwrite(bytes, 1, size, stdout) != size || std::fflush(stdout) != 0) return errno != 0 ? errno : EIO;
  return 0;
}

struct FileIdentity {
  int device;  // a terminal, /dev/null: two outputs there spoil nothing
  int known;   // an existing file
  dev_t fileDevice;
  ino_t inode;
  int absent;  // a new name in an existing folder
  dev_t folderDevice;
  ino_t folderInode;
  const char* base;  // the new name's last component
};

FileIdentity identify(const char* path) {
  FileIdentity identity = {};
  struct stat info;
  const int found = isStandardOutput(path) ? fstat(kStandardOutputFd, &info) : stat(path, &info);
  if (found == 0) {
    identity.device = S_ISCHR(info.st_mode);
    identity.known = 1;
    identity.fileDevice = info.st_dev;
    identity.inode = info.st_ino;
    return identity;
  }
  if (errno != ENOENT || isStandardOutput(path)) return identity;
  const char* slash = std::strrchr(path, '/');
  char folder[kPathSize] = ".";
  if (slash != nullptr) {
    const size_t length = slash == path ? 1 : static_cast<size_t>(slash - path);
    if (length >= sizeof folder) return identity;
    std::memcpy(folder, path, length);
    folder[length] = '\0';
  }
  if (stat(folder, &info) != 0) return identity;
  identity.absent = 1;
  identity.folderDevice = info.st_dev;
  identity.folderInode = info.st_ino;
  identity.base = slash == nullptr ? path : slash + 1;
  return identity;
}

bool given(const NamedOutput& output) { return output.path != nullptr && output.path[0] != '\0'; }

bool sameFile(const char* a, const FileIdentity& x, const char* b, const FileIdentity& y) {
  // Standard output named twice is a mistake even where it is a terminal.
  if (x.device || y.device) return isStandardOutput(a) && isStandardOutput(b);
  if (std::strcmp(a, b) == 0) return true;
  if (x.known && y.known) return x.fileDevice == y.fileDevice && x.inode == y.inode;
  return x.absent && y.absent && x.folderDevice == y.folderDevice && x.folderInode == y.folderInode &&
         std::strcmp(x.base, y.base) == 0;
}
}  // namespace

int writeWholeFile(const char* path, const void* data, size_t size) {
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  if (isStandardOutput(path)) return writeToStandardOutput(bytes, size);
  Target target;
  if (int why = lookAtTarget(path, &target)) return why;
  if (target == kTargetAbsent || target == kTargetRegular) return replaceWhole(path, bytes, size);
  int fd = -1;
  if (int why = openThrough(path, target, &fd)) return why;
  int why = writeAll(fd, bytes, size);
  if (close(fd) != 0 && why == 0) why = errno;
  return why;
}

int openOutputStream(const char* path, std::FILE** file) {
  *file = nullptr;
  if (isStandardOutput(path)) {
    *file = stdout;
    return 0;
  }
  Target target;
  if (int why = lookAtTarget(path, &target)) return why;
  int fd = -1;
  if (target == kTargetAbsent || target == kTargetRegular) {
    fd = open(path, kStreamFlags | O_CREAT | O_TRUNC | O_NOFOLLOW, kCreateMode);
    if (fd < 0) return openFailure(errno);
    struct stat info;
    int why = fstat(fd, &info) != 0 ? errno : 0;
    // O_NOFOLLOW took no link; a block device may have come meanwhile.
    if (why == 0 && !S_ISREG(info.st_mode) && !writtenStraightThrough(info.st_mode)) why = kOutputWrongKind;
    if (why != 0) {
      close(fd);
      return why;
    }
  } else if (int why = openThrough(path, target, &fd)) {
    return why;
  }
  *file = fdopen(fd, "w");
  if (*file == nullptr) {
    const int why = errno;
    close(fd);
    return why;
  }
  return 0;
}

void guardStandardStreams() {
  for (int fd = 0; fd < kStandardStreams; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // Open the wrong way round: standard input takes no reads, the outputs no writes.
    const int held = open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
    if (held >= 0 && held != fd) close(held);
  }
}

int outputsAreDistinct(const char* program, const NamedOutput* outputs, int count) {
  for (int i = 0; i < count; ++i) {
    if (!given(outputs[i])) continue;
    const FileIdentity first = identify(outputs[i].path);
    for (int j = i + 1; j < count; ++j) {
      if (!given(outputs[j]) || !sameFile(outputs[i].path, first, outputs[j].path, identify(outputs[j].path)))
        continue;
      std::fprintf(stderr, "%s: %s %s and %s %s name one file; give each its own\n", program, outputs[i].option,
                   outputs[i].path, outputs[j].option, outputs[j].path);
      return 0;
    }
  }
  return 1;
}
