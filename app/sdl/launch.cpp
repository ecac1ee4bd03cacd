// Detached launch: a short-lived middle process starts the program and exits
// at once, so the program is adopted by init and the game leaves no zombie;
// a close-on-exec pipe tells whether the exec itself succeeded.
#include "app/sdl/launch.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace {
constexpr int kExecFailedStatus = 127;
constexpr int kForkFailedStatus = 1;

void reportAndExit(int pipeOut, int status) {
  const int error = errno;
  ssize_t ignored = write(pipeOut, &error, sizeof error);
  (void)ignored;
  _exit(status);
}
}  // namespace

int launchDetached(const char* const* argv) {
  if (argv == nullptr || argv[0] == nullptr) return 0;
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return 0;
  const pid_t middle = fork();
  if (middle < 0) {
    close(fds[0]);
    close(fds[1]);
    return 0;
  }
  if (middle == 0) {
    // Only async-signal-safe calls from here on: the parent has threads.
    close(fds[0]);
    setsid();
    const pid_t program = fork();
    if (program < 0) reportAndExit(fds[1], kForkFailedStatus);
    if (program == 0) {
      execvp(argv[0], const_cast<char* const*>(argv));
      reportAndExit(fds[1], kExecFailedStatus);
    }
    _exit(0);
  }
  close(fds[1]);
  int status = 0;
  while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }
  // End of file without a word: the exec closed the pipe, the program runs.
  int error = 0;
  ssize_t got;
  do {
    got = read(fds[0], &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  close(fds[0]);
  return got == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 1 : 0;
}
