// Test and bench helper for the SDL game under an X server.
//   pinwick-test-x close WINDOW_ID
//     asks the window to close exactly as a window manager's close box does
//     (WM_PROTOCOLS / WM_DELETE_WINDOW).
//   pinwick-test-x time-window PID_FILE PROGRAM [ARGS...]
//     starts PROGRAM, writes its pid to PID_FILE and prints how many
//     milliseconds after the start its first top-level window was mapped;
//     the program is left running.
#include <X11/Xlib.h>
#include <fcntl.h>
#include <sys/select.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {
constexpr int kUsage = 2;
constexpr int kFailed = 1;
constexpr long kWaitSeconds = 60;

double nowMs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

int closeWindow(Display* display, const char* id) {
  char* end = nullptr;
  const unsigned long window = std::strtoul(id, &end, 0);
  if (end == id || *end != '\0') {
    std::fprintf(stderr, "pinwick-test-x: bad window id '%s'\n", id);
    return kUsage;
  }
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
  return sent != 0 ? 0 : kFailed;
}

int timeWindow(Display* display, const char* pidFile, char** program) {
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);
  const double start = nowMs();
  const pid_t child = fork();
  if (child < 0) return kFailed;
  if (child == 0) {
    close(ConnectionNumber(display));
    // Our output is the measurement; the program's goes nowhere, and it
    // must not hold our output open either.
    const int devNull = open("/dev/null", O_WRONLY);
    if (devNull >= 0) dup2(devNull, STDOUT_FILENO);
    execvp(program[0], program);
    _exit(127);
  }
  FILE* f = std::fopen(pidFile, "w");
  if (f != nullptr) {
    std::fprintf(f, "%d\n", static_cast<int>(child));
    std::fclose(f);
  }
  const int fd = ConnectionNumber(display);
  for (;;) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify) {
        std::printf("%.1f\n", nowMs() - start);
        return 0;
      }
    }
    if (nowMs() - start > kWaitSeconds * 1000.0) return kFailed;
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(fd, &ready);
    timeval wait = {1, 0};
    select(fd + 1, &ready, nullptr, nullptr, &wait);
  }
}
}  // namespace

int main(int argc, char** argv) {
  const bool close = argc == 3 && std::strcmp(argv[1], "close") == 0;
  const bool time = argc >= 4 && std::strcmp(argv[1], "time-window") == 0;
  if (!close && !time) {
    std::fprintf(stderr, "usage: pinwick-test-x close WINDOW_ID | time-window PID_FILE PROGRAM [ARGS...]\n");
    return kUsage;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "pinwick-test-x: no X display\n");
    return kFailed;
  }
  const int status = close ? closeWindow(display, argv[2]) : timeWindow(display, argv[2], argv + 3);
  XCloseDisplay(display);
  return status;
}
