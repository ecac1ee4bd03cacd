// The SDL shell without a window: the single-instance lock, detached
// launches, the window's geometry and mouse mapping, the drawn menu bar and
// dialogs, the font, the icon and cursor files, and SDL events going through
// the pump into the window procedure.
#include <SDL.h>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "app/sdl/canvas.h"
#include "app/sdl/dialogs.h"
#include "app/sdl/icon_file.h"
#include "app/sdl/instance_lock.h"
#include "app/sdl/launch.h"
#include "app/sdl/menu_bar.h"
#include "app/sdl/screen.h"
#include "app/sdl/shell_sdl.h"
#include "app/sdl/video_driver.h"
#include "gfx/glyphs.h"
#include "gfx/resources.h"
#include "host/frame.h"
#include "host/input.h"
#include "host/input_testing.h"
#include "host/shell.h"
#include "host/texts.h"
#include "host/window_proc.h"
#include "host/window_proc_testing.h"

namespace {
int fetchMessage() {
  WindowMessage fetched;
  return shellFetchMessage(&fetched);
}

// --- The single-instance lock ---

constexpr uid_t kOtherUser = 12345;

class InstanceLock : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/pinwick-lock-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    if (old != nullptr) saved_ = old, hadSaved_ = true;
    setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
  }
  void TearDown() override {
    releaseInstanceLock();
    std::string file = dir_ + "/PinwickTest.lock";
    unlink(file.c_str());
    rmdir(dir_.c_str());
    if (hadSaved_) setenv("XDG_RUNTIME_DIR", saved_.c_str(), 1);
    else unsetenv("XDG_RUNTIME_DIR");
  }
  // What acquireInstanceLock answers in a separate process.
  static int acquireInChild() {
    pid_t child = fork();
    if (child == 0) _exit(acquireInstanceLock("PinwickTest"));
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // A process that takes the lock, says so, and dies without letting go
  // when told to (its end of `release` is closed).
  static pid_t startHolder(int* release, const char* name = "PinwickTest") {
    int ready[2], go[2];
    if (pipe(ready) != 0 || pipe(go) != 0) return -1;
    pid_t child = fork();
    if (child == 0) {
      close(ready[0]);
      close(go[1]);
      char answer = static_cast<char>(acquireInstanceLock(name));
      if (write(ready[1], &answer, 1) != 1) _exit(1);
      char ignored;
      while (read(go[0], &ignored, 1) > 0) {
      }
      _exit(0);
    }
    close(ready[1]);
    close(go[0]);
    char answer = -1;
    if (read(ready[0], &answer, 1) != 1 || answer != kInstanceLockHeld) child = -1;
    close(ready[0]);
    *release = go[1];
    return child;
  }
  std::string dir_, saved_;
  bool hadSaved_ = false;
};

TEST_F(InstanceLock, LivesInTheRuntimeDirectoryOrInTmpWithTheUid) {
  char path[256];
  ASSERT_TRUE(instanceLockPath("Pinwicker", path, sizeof path));
  EXPECT_EQ(std::string(path), dir_ + "/Pinwicker.lock");
  for (const char* runtime : {"", "relative/dir"}) {
    setenv("XDG_RUNTIME_DIR", runtime, 1);
    ASSERT_TRUE(instanceLockPath("Pinwicker", path, sizeof path));
    EXPECT_EQ(std::string(path), "/tmp/Pinwicker-" + std::to_string(getuid()) + ".lock") << runtime;
  }
  unsetenv("XDG_RUNTIME_DIR");
  ASSERT_TRUE(instanceLockPath("Pinwicker", path, sizeof path));
  EXPECT_EQ(std::string(path), "/tmp/Pinwicker-" + std::to_string(getuid()) + ".lock");
  EXPECT_FALSE(instanceLockPath("Pinwicker", path, 8));  // too small: refused, not cut
}

TEST_F(InstanceLock, IsRefusedWhileAnotherProcessHoldsItAndFreeOnceThatOneDies) {
  int release = -1;
  const pid_t holder = startHolder(&release);
  ASSERT_GT(holder, 0);
  EXPECT_EQ(acquireInstanceLock("PinwickTest"), kInstanceLockBusy);
  close(release);  // the holder ends without letting go, as a crash would
  waitpid(holder, nullptr, 0);
  EXPECT_EQ(acquireInstanceLock("PinwickTest"), kInstanceLockHeld);
  // Let go explicitly: the next process gets it.
  releaseInstanceLock();
  EXPECT_EQ(acquireInChild(), kInstanceLockHeld);
}

TEST_F(InstanceLock, ProgramsTheGameLaunchedDoNotKeepItHeld) {
  // The holder starts a long-running program, then dies without letting go:
  // the program must not have inherited the lock.
  pid_t holder = fork();
  if (holder == 0) {
    if (acquireInstanceLock("PinwickTest") != kInstanceLockHeld) _exit(2);
    const char* const sleeper[] = {"sleep", "3", nullptr};
    if (!launchDetached(sleeper)) _exit(3);
    _exit(0);
  }
  int status = 0;
  waitpid(holder, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(acquireInstanceLock("PinwickTest"), kInstanceLockHeld);
}

TEST_F(InstanceLock, AnUnusableRuntimeDirectoryFallsBackToOneLockInTmp) {
  // A name of this process's own, so that the /tmp file is ours alone.
  const std::string name = "PinwickTest" + std::to_string(getpid());
  char fallback[256];
  ASSERT_TRUE(instanceLockFallbackPath(name.c_str(), fallback, sizeof fallback));
  ASSERT_EQ(std::string(fallback), "/tmp/" + name + "-" + std::to_string(getuid()) + ".lock");
  unlink(fallback);
  setenv("XDG_RUNTIME_DIR", "/nonexistent/pinwick", 1);
  int release = -1;
  const pid_t holder = startHolder(&release, name.c_str());
  ASSERT_GT(holder, 0);
  struct stat file;
  EXPECT_EQ(lstat(fallback, &file), 0) << "the holder's lock is not in /tmp";
  // A second start with the same broken directory meets the same lock.
  EXPECT_EQ(acquireInstanceLock(name.c_str()), kInstanceLockBusy);
  close(release);
  waitpid(holder, nullptr, 0);
  unlink(fallback);
  // Nowhere to put a file (a link in its place is never followed): the game
  // runs unguarded, and says so.
  ASSERT_EQ(symlink("/nonexistent/pinwick", fallback), 0) << std::strerror(errno);
  EXPECT_EQ(acquireInstanceLock(name.c_str()), kInstanceLockUnavailable);
  unlink(fallback);
}

TEST_F(InstanceLock, IsNeverTakenInAFifoOrInAFileOfAnotherUsers) {
  // Either would let another user keep every start of ours from running.
  const std::string file = dir_ + "/PinwickTest.lock";
  ASSERT_EQ(mkfifo(file.c_str(), 0666), 0);
  EXPECT_EQ(acquireInstanceLock("PinwickTest"), kInstanceLockForeign);
  EXPECT_EQ(std::string(instanceLockFile()), file);
  unlink(file.c_str());
  if (geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
  const int fd = open(file.c_str(), O_CREAT | O_WRONLY, 0666);
  ASSERT_GE(fd, 0) << std::strerror(errno);
  close(fd);
  ASSERT_EQ(chown(file.c_str(), kOtherUser, kOtherUser), 0) << std::strerror(errno);
  EXPECT_EQ(acquireInstanceLock("PinwickTest"), kInstanceLockForeign);
}

TEST(VideoDriver, RefusesADriverThatShowsNothingUnlessSdlVideoDriverNamesIt) {
  EXPECT_FALSE(videoDriverUnseen("x11", nullptr));
  EXPECT_FALSE(videoDriverUnseen("KMSDRM", "offscreen"));
  EXPECT_TRUE(videoDriverUnseen("offscreen", nullptr));
  EXPECT_TRUE(videoDriverUnseen("dummy", "x11,wayland"));
  EXPECT_TRUE(videoDriverUnseen("dummy", "dumm,dummy2"));
  EXPECT_FALSE(videoDriverUnseen("dummy", "Dummy"));
  EXPECT_FALSE(videoDriverUnseen("offscreen", "x11,OFFSCREEN"));
}

// --- Detached launches ---

TEST(LaunchDetached, TellsAStartedProgramFromAMissingOneAndLeavesNoChild) {
  const char* const present[] = {"true", nullptr};
  const char* const missing[] = {"pinwick-test-no-such-program", nullptr};
  const char* const empty[] = {nullptr};
  EXPECT_EQ(launchDetached(present), 1);
  EXPECT_EQ(launchDetached(missing), 0);
  EXPECT_EQ(launchDetached(empty), 0);
  EXPECT_EQ(launchDetached(nullptr), 0);
  // The middle process has been reaped; the program belongs to init.
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

// --- Geometry and the mouse ---

TEST(WindowGeometry, TakesTheLargestFactorUpToSixWithinTwoThirdsOfTheDisplay) {
  EXPECT_EQ(chooseScale(1280, 1024), 5);  // 800 x 350 in 853 x 682
  EXPECT_EQ(chooseScale(1920, 1080), 6);  // capped
  EXPECT_EQ(chooseScale(800, 600), 3);
  EXPECT_EQ(chooseScale(720, 315), 3);  // exactly two thirds: 480 x 210 fits
  EXPECT_EQ(chooseScale(719, 315), 2);
  EXPECT_EQ(chooseScale(100, 50), 1);  // never below 1
  EXPECT_EQ(windowWidthFor(3), 480);
  EXPECT_EQ(windowHeightFor(3), 210);  // 60 client rows and the 10-row menu bar
}

TEST(WindowGeometry, MousePositionsRoundTowardMinusInfinityAndAreNotClamped) {
  const int s = 4;
  EXPECT_EQ(clientPixelX(0, s), 0);
  EXPECT_EQ(clientPixelX(3, s), 0);
  EXPECT_EQ(clientPixelX(4, s), 1);
  EXPECT_EQ(clientPixelX(-1, s), -1);
  EXPECT_EQ(clientPixelX(-4, s), -1);
  EXPECT_EQ(clientPixelX(-5, s), -2);
  EXPECT_EQ(clientPixelX(160 * s + 7, s), 161);
  EXPECT_EQ(clientPixelY(kMenuBarHeight * s, s), 0);  // the first client row
  EXPECT_EQ(clientPixelY(kMenuBarHeight * s - 1, s), -1);  // the menu bar lies above it
  EXPECT_EQ(clientPixelY(0, s), -kMenuBarHeight);
  EXPECT_EQ(clientPixelY(-1, s), -kMenuBarHeight - 1);
  EXPECT_EQ(clientPixelY((kMenuBarHeight + 60) * s, s), 60);
}

// --- Keys ---

TEST(VirtualKeys, FollowTheWindowsCodesTheGameAndTheAcceleratorUse) {
  EXPECT_EQ(virtualKeyFor(SDLK_z), kVkZ);
  EXPECT_EQ(virtualKeyFor(SDLK_m), kVkM);
  EXPECT_EQ(virtualKeyFor(SDLK_a), kVkA);
  EXPECT_EQ(virtualKeyFor(SDLK_0), 0x30u);
  EXPECT_EQ(virtualKeyFor(SDLK_ESCAPE), kVkEscape);
  EXPECT_EQ(virtualKeyFor(SDLK_SPACE), kVkSpace);
  EXPECT_EQ(virtualKeyFor(SDLK_LEFT), kVkLeft);
  EXPECT_EQ(virtualKeyFor(SDLK_UP), kVkUp);
  EXPECT_EQ(virtualKeyFor(SDLK_RIGHT), kVkRight);
  EXPECT_EQ(virtualKeyFor(SDLK_DOWN), kVkDown);
  EXPECT_EQ(virtualKeyFor(SDLK_LSHIFT), kVkShift);
  EXPECT_EQ(virtualKeyFor(SDLK_RSHIFT), kVkShift);
  EXPECT_EQ(virtualKeyFor(SDLK_F1), kVkF1);
  EXPECT_EQ(virtualKeyFor(SDLK_F2), kVkF2);
  EXPECT_EQ(virtualKeyFor(SDLK_F12), 0x7Bu);
  EXPECT_EQ(virtualKeyFor(SDLK_F13), 0u);
  EXPECT_EQ(virtualKeyFor(SDLK_CAPSLOCK), 0u);
}

// --- Menu bar and dialogs ---

int32_t centreX(const Rect& r) { return (r.left + r.right) / 2; }
int32_t centreY(const Rect& r) { return (r.top + r.bottom) / 2; }

TEST(MenuBar, HoldsGameSettingAndVerWithTheirCommands) {
  int32_t previousRight = 0;
  for (int t = 0; t < kMenuTitleCount; ++t) {
    const Rect r = menuTitleRect(t);
    EXPECT_GE(r.left, previousRight) << t;
    EXPECT_LE(r.right, kCanvasWidth) << t;
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.bottom, kMenuBarHeight);
    EXPECT_EQ(menuTitleAt(centreX(r), centreY(r)), t);
    previousRight = r.right;
  }
  EXPECT_EQ(menuTitleAt(previousRight + 1, 4), -1);
  EXPECT_EQ(menuTitleAt(centreX(menuTitleRect(0)), kMenuBarHeight), -1);

  EXPECT_EQ(dropDownItemCount(0), 2);
  EXPECT_EQ(menuCommand(0, 0), kCommandReset);
  EXPECT_EQ(menuCommand(0, 1), kCommandExit);
  EXPECT_EQ(menuCommand(0, -1), 0u);  // "Game" only opens its items
  EXPECT_EQ(dropDownItemCount(1), 1);
  EXPECT_EQ(menuCommand(1, 0), kCommandVolume);
  EXPECT_EQ(dropDownItemCount(2), 0);
  EXPECT_EQ(menuCommand(2, -1), kCommandVersion);  // "Ver" is a command itself
  EXPECT_EQ(menuCommand(2, 0), 0u);
  EXPECT_EQ(menuCommand(3, -1), 0u);
}

TEST(MenuBar, FindsTheItemUnderTheMouseInsideTheDropDownOnly) {
  const Rect box = dropDownRect(0);
  ASSERT_GT(box.right, box.left);
  EXPECT_EQ(box.top, kMenuBarHeight);
  const int32_t x = centreX(box);
  const int32_t itemHeight = (box.bottom - box.top - 2) / 2;
  EXPECT_EQ(dropDownItemAt(0, x, box.top + 1 + itemHeight / 2), 0);
  EXPECT_EQ(dropDownItemAt(0, x, box.top + 1 + itemHeight + itemHeight / 2), 1);
  EXPECT_EQ(dropDownItemAt(0, x, box.top), -1);         // the border
  EXPECT_EQ(dropDownItemAt(0, x, box.bottom - 1), -1);  // the border
  EXPECT_EQ(dropDownItemAt(0, x, box.bottom), -1);
  EXPECT_EQ(dropDownItemAt(0, box.right, box.top + 3), -1);
  const Rect setting = dropDownRect(1);
  EXPECT_EQ(dropDownItemAt(1, centreX(setting), setting.top + 3), 0);
  EXPECT_EQ(dropDownItemAt(1, x, setting.top + 3), x >= setting.left ? 0 : -1);
  const Rect none = dropDownRect(2);
  EXPECT_EQ(none.right - none.left, 0);
  EXPECT_EQ(dropDownItemAt(2, 10, 15), -1);
}

bool within(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

TEST(Dialogs, FitTheWindowWithTheirButtonsSideBySideInEveryLanguage) {
  const Rect canvas = {0, 0, kCanvasWidth, kCanvasHeight};
  const char* const ok[] = {"OK"};
  char version[128];
  formatVersionText(version, sizeof version, 1, 0, 1, "Mar 18 2006");
  struct Case {
    const char* text;
    const char* const* labels;
    int buttons;
    int lines;
  };
  for (int language : {kLanguageJapanese, kLanguageEnglish}) {
    setTextLanguage(language);
    const char* const yesNo[] = {shownText(kShownYes), shownText(kShownNo)};
    const Case cases[] = {{shownText(kShownCloseQuestion), yesNo, 2, 1},
                          {shownText(kShownVolumeFailed), ok, 1, 1},
                          {shownText(kShownGraphicsFailed), ok, 1, 1},
                          {version, ok, 1, 2}};
    for (const Case& c : cases) {
      const DialogLayout d = layoutDialog(kTextWindowTitle, c.text, c.labels, c.buttons);
      EXPECT_TRUE(within(d.box, canvas)) << c.text;
      EXPECT_TRUE(within(d.titleBar, d.box)) << c.text;
      EXPECT_EQ(d.lineCount, c.lines) << c.text;
      ASSERT_EQ(d.buttonCount, c.buttons);
      for (int i = 0; i < d.lineCount; ++i) EXPECT_GE(d.lineTops[i], d.titleBar.bottom) << c.text;
      for (int b = 0; b < d.buttonCount; ++b) {
        EXPECT_TRUE(within(d.buttons[b], d.box)) << c.text;
        EXPECT_GT(d.buttons[b].top, d.lineTops[d.lineCount - 1]) << c.text;
        EXPECT_EQ(dialogButtonAt(d, centreX(d.buttons[b]), centreY(d.buttons[b])), b);
      }
      EXPECT_EQ(dialogButtonAt(d, centreX(d.titleBar), centreY(d.titleBar)), -1);
    }
    const DialogLayout q = layoutDialog(kTextWindowTitle, shownText(kShownCloseQuestion), yesNo, 2);
    EXPECT_LE(q.buttons[0].right, q.buttons[1].left);  // Yes left of No
    // Centred in the window.
    EXPECT_LE(std::abs((q.box.left + q.box.right) - kCanvasWidth), 1);
    EXPECT_LE(std::abs((q.box.top + q.box.bottom) - kCanvasHeight), 1);
  }
  setTextLanguage(kLanguageJapanese);
}

// --- Font and text ---

TEST(Font, HasEveryCharacterOfEveryTextTheShellShows) {
  char version[128];
  formatVersionText(version, sizeof version, 1, 0, 1, "Dec 31 2099");
  const char* texts[] = {kTextWindowTitle, kTextCloseQuestion, kTextYes,       kTextNo,
                         kTextVolumeFailed, kTextMenuGame,     kTextMenuReset, kTextMenuExit,
                         kTextMenuSetting,  kTextMenuVolume,   kTextMenuVer,   version,
                         "OK"};
  std::vector<const char*> shown(std::begin(texts), std::end(texts));
  setTextLanguage(kLanguageEnglish);
  for (int which = 0; which < kShownTextCount; ++which) shown.push_back(shownText(which));
  setTextLanguage(kLanguageJapanese);
  for (const char* text : shown) {
    const char* p = text;
    for (uint32_t c = nextCodepoint(&p); c != 0; c = nextCodepoint(&p)) {
      if (c == '\n') continue;
      const Glyph* g = findGlyph(c);
      ASSERT_NE(g, nullptr) << text << ": U+" << std::hex << c;
      EXPECT_EQ(g->width, c < 0x80 ? 4 : 8) << std::hex << c;
    }
  }
  for (uint32_t c = 0x20; c < 0x7F; ++c) EXPECT_NE(findGlyph(c), nullptr) << c;
  EXPECT_EQ(findGlyph(0x7F), nullptr);
  EXPECT_EQ(textWidth(kTextCloseQuestion), 3 * 4 + 8);  // "End" and the full-width question mark
  EXPECT_EQ(textWidth("ab\ncd"), 8);                    // up to the line break
}

TEST(Font, DecodesUtf8AndStepsOverMalformedBytesOneAtATime) {
  const char text[] = "A\xC3\xA9\xE3\x81\xAF\xF0\x9F\x98\x80\xFF\xE3\x81Z";
  const char* p = text;
  EXPECT_EQ(nextCodepoint(&p), 0x41u);
  EXPECT_EQ(nextCodepoint(&p), 0xE9u);
  EXPECT_EQ(nextCodepoint(&p), 0x306Fu);
  EXPECT_EQ(nextCodepoint(&p), 0x1F600u);
  EXPECT_EQ(nextCodepoint(&p), 0xFFFDu);  // a byte that starts nothing
  EXPECT_EQ(nextCodepoint(&p), 0xFFFDu);  // a sequence cut short by 'Z'...
  EXPECT_EQ(nextCodepoint(&p), 0xFFFDu);
  EXPECT_EQ(nextCodepoint(&p), 0x5Au);    // ...which still comes through
  EXPECT_EQ(nextCodepoint(&p), 0u);
  EXPECT_EQ(nextCodepoint(&p), 0u);  // stays at the end
}

TEST(Canvas, DrawsTextAndFillsOnlyInsideItself) {
  canvasFill({0, 0, kCanvasWidth, kCanvasHeight}, 0);
  canvasFill({-5, -5, 3, 2}, 0x123456);
  EXPECT_EQ(canvasPixels[0], 0x123456u);
  EXPECT_EQ(canvasPixels[1 * kCanvasWidth + 2], 0x123456u);
  EXPECT_EQ(canvasPixels[2 * kCanvasWidth], 0u);
  // Text hanging over every edge: only the part on the canvas is drawn.
  canvasText(-3, -3, kTextVolumeFailed, 0xFFFFFF);
  canvasText(kCanvasWidth - 6, kCanvasHeight - 4, kTextVolumeFailed, 0xFFFFFF);
  int lit = 0;
  for (uint32_t p : canvasPixels) lit += p == 0xFFFFFFu;
  EXPECT_GT(lit, 0);
  // 'T' has its full top bar on its first row: three pixels from the left edge.
  canvasFill({0, 0, kCanvasWidth, kCanvasHeight}, 0);
  canvasText(10, 20, "T", 0xFFFFFF);
  const Glyph* t = findGlyph('T');
  for (int column = 0; column < 4; ++column)
    EXPECT_EQ(canvasPixels[20 * kCanvasWidth + 10 + column] != 0, (t->rows[0] & (0x80 >> column)) != 0);
}

// --- Icon and cursor ---

TEST(IconFiles, TheEmbeddedIconAndCursorDecode) {
  size_t size = 0;
  static IconImage image;
  const uint8_t* icon = findResource("ICON_MAIN", &size);
  ASSERT_NE(icon, nullptr);
  ASSERT_TRUE(decodeIconFile(icon, size, &image));
  EXPECT_EQ(image.width, 32);  // the larger of its two images
  EXPECT_EQ(image.height, 32);
  EXPECT_EQ(image.pixels[0] >> 24, 0u);  // see-through corner

  const uint8_t* cursor = findResource("CURSOR_S", &size);
  ASSERT_NE(cursor, nullptr);
  ASSERT_TRUE(decodeIconFile(cursor, size, &image));
  EXPECT_EQ(image.width, 32);
  EXPECT_EQ(image.hotX, 0);  // the arrow's tip
  EXPECT_EQ(image.hotY, 0);
  EXPECT_EQ(image.pixels[0], 0xFF000000u);               // black outline at the tip
  EXPECT_EQ(image.pixels[2 * 32 + 1], 0xFFFFFFFFu);      // white inside
  EXPECT_EQ(image.pixels[31 * 32 + 31] >> 24, 0u);       // see-through
  uint8_t data[128], mask[128];
  ASSERT_TRUE(cursorPlanes(image, data, mask, sizeof data));
  EXPECT_EQ(mask[0] & 0x80, 0x80);  // black: opaque, data set
  EXPECT_EQ(data[0] & 0x80, 0x80);
  EXPECT_EQ(mask[2 * 4] & 0x40, 0x40);  // white: opaque, data clear
  EXPECT_EQ(data[2 * 4] & 0x40, 0);
  EXPECT_EQ(mask[31 * 4 + 3] & 0x01, 0);  // see-through: neither
  EXPECT_EQ(data[31 * 4 + 3] & 0x01, 0);
  EXPECT_FALSE(cursorPlanes(image, data, mask, 127));
}

TEST(IconFiles, RefuseWhatIsNotACompleteIconOrCursor) {
  size_t size = 0;
  const uint8_t* cursor = findResource("CURSOR_S", &size);
  ASSERT_NE(cursor, nullptr);
  static IconImage image;
  static uint8_t copy[4096];
  ASSERT_LE(size, sizeof copy);
  for (size_t cut : {size_t{0}, size_t{5}, size_t{21}, size_t{62}, size - 1})
    EXPECT_FALSE(decodeIconFile(cursor, cut, &image)) << cut;
  std::memcpy(copy, cursor, size);
  copy[2] = 3;  // neither an icon nor a cursor
  EXPECT_FALSE(decodeIconFile(copy, size, &image));
  std::memcpy(copy, cursor, size);
  copy[4] = 0;  // no images
  copy[5] = 0;
  EXPECT_FALSE(decodeIconFile(copy, size, &image));
  const uint8_t* bitmap = findResource("Loading", &size);
  EXPECT_FALSE(decodeIconFile(bitmap, size, &image));  // a plain bitmap
}

// --- SDL events through the pump ---

class SdlPump : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    resetInputState();
    resetWindowState();
    drain();
  }
  void TearDown() override {
    drain();
    resetInputState();
    resetWindowState();
    SDL_Quit();
  }
  void drain() {
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    while (shellPeekMessage()) {
      fetchMessage();
    }
  }
  static void push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError(); }
  static SDL_Event key(Uint32 type, SDL_Keycode sym, Uint16 mod = KMOD_NONE) {
    SDL_Event e = {};
    e.type = type;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    return e;
  }
  // Without a window the factor is 1: window pixels are canvas pixels.
  static SDL_Event button(Uint32 type, int32_t x, int32_t y, Uint8 which = SDL_BUTTON_LEFT) {
    SDL_Event e = {};
    e.type = type;
    e.button.button = which;
    e.button.x = x;
    e.button.y = y;
    return e;
  }
  static SDL_Event windowEvent(Uint8 event) {
    SDL_Event e = {};
    e.type = SDL_WINDOWEVENT;
    e.window.event = event;
    return e;
  }
  // Fetches and hands on every waiting message, as the pump does.
  static int pumpAll() {
    int handled = 0;
    while (shellPeekMessage()) {
      if (!fetchMessage()) return -1;  // the quit message
      if (!shellTranslateAccelerator()) shellDispatchMessage();
      ++handled;
    }
    return handled;
  }
};

TEST_F(SdlPump, KeysAndButtonsBecomeHeldBits) {
  push(key(SDL_KEYDOWN, SDLK_z));
  push(button(SDL_MOUSEBUTTONDOWN, 40, kMenuBarHeight + 20));
  push(button(SDL_MOUSEBUTTONDOWN, 40, kMenuBarHeight + 20, SDL_BUTTON_RIGHT));
  EXPECT_EQ(pumpAll(), 3);
  EXPECT_EQ(inputState.keysHeld, kKeyZ);
  EXPECT_EQ(inputState.mouseHeld, kMouseLeft | kMouseRight);
  push(key(SDL_KEYUP, SDLK_z));
  push(button(SDL_MOUSEBUTTONUP, 40, kMenuBarHeight + 20));
  push(key(SDL_KEYDOWN, SDLK_ESCAPE));
  push(key(SDL_KEYUP, SDLK_ESCAPE));
  EXPECT_EQ(pumpAll(), 4);
  EXPECT_EQ(inputState.keysHeld, kKeyEsc);  // Esc stays held
  EXPECT_EQ(inputState.mouseHeld, kMouseRight);
  // With Alt a key is a system key and never reaches the game, as on Windows
  // (Alt+Z must not hurry the computer); with Ctrl too (AltGr) it does. Its
  // key-up arrives either way, so nothing stays held.
  resetInputState();
  push(key(SDL_KEYDOWN, SDLK_z, KMOD_LALT));
  push(key(SDL_KEYDOWN, SDLK_SPACE, KMOD_RALT));
  EXPECT_EQ(pumpAll(), 2);
  updateInputEdges();
  EXPECT_EQ(inputState.keysHeld, 0);
  EXPECT_EQ(inputState.keysPressed, 0);
  push(key(SDL_KEYDOWN, SDLK_x, KMOD_LALT | KMOD_LCTRL));
  push(key(SDL_KEYUP, SDLK_x, KMOD_LALT));
  pumpAll();
  updateInputEdges();
  EXPECT_EQ(inputState.keysHeld, 0);
  EXPECT_EQ(inputState.keysPressed, kKeyX);
}

TEST_F(SdlPump, AReleaseOutsideTheClientAreaNeverArrives) {
  push(button(SDL_MOUSEBUTTONDOWN, 10, kMenuBarHeight + 10));
  pumpAll();
  ASSERT_EQ(inputState.mouseHeld, kMouseLeft);
  push(button(SDL_MOUSEBUTTONUP, -3, 30));                 // off the window
  push(button(SDL_MOUSEBUTTONUP, kCanvasWidth + 2, 30));   // off the window
  push(button(SDL_MOUSEBUTTONUP, 10, kMenuBarHeight - 1));  // over the menu bar
  pumpAll();
  EXPECT_EQ(inputState.mouseHeld, kMouseLeft);
}

TEST_F(SdlPump, TheMAcceleratorMinimisesOnlyWithoutModifiers) {
  push(key(SDL_KEYDOWN, SDLK_m));
  ASSERT_TRUE(shellPeekMessage());
  ASSERT_TRUE(fetchMessage());
  EXPECT_TRUE(shellTranslateAccelerator());
  for (Uint16 mod : {KMOD_LSHIFT, KMOD_RCTRL, KMOD_LALT}) {
    push(key(SDL_KEYDOWN, SDLK_m, mod));
    ASSERT_TRUE(fetchMessage());
    EXPECT_FALSE(shellTranslateAccelerator()) << mod;
  }
}

TEST_F(SdlPump, MinimiseAndRestoreStopAndRestartTheFrames) {
  push(windowEvent(SDL_WINDOWEVENT_MINIMIZED));
  pumpAll();
  EXPECT_EQ(windowMinimised(), 1);
  push(windowEvent(SDL_WINDOWEVENT_SHOWN));
  push(windowEvent(SDL_WINDOWEVENT_RESTORED));  // one restore, not two
  EXPECT_EQ(pumpAll(), 1);
  EXPECT_EQ(windowMinimised(), 0);
}

TEST_F(SdlPump, TheCloseBoxAsksAndOnlyYesEndsTheProgram) {
  // The dialog's own loop takes the key that is waiting when it opens.
  push(windowEvent(SDL_WINDOWEVENT_CLOSE));
  ASSERT_TRUE(shellPeekMessage());
  ASSERT_TRUE(fetchMessage());
  push(key(SDL_KEYDOWN, SDLK_ESCAPE));
  shellDispatchMessage();
  EXPECT_EQ(pumpAll(), 0);  // No: nothing follows, and Esc went to the dialog
  EXPECT_EQ(inputState.keysHeld, 0);

  push(windowEvent(SDL_WINDOWEVENT_CLOSE));
  ASSERT_TRUE(fetchMessage());
  push(key(SDL_KEYDOWN, SDLK_RETURN));
  shellDispatchMessage();
  EXPECT_EQ(pumpAll(), -1);  // Yes: WM_DESTROY, then the quit message
}

TEST_F(SdlPump, ChoosingAMenuItemSendsItsCommand) {
  const Rect game = menuTitleRect(0);
  const Rect items = dropDownRect(0);
  push(button(SDL_MOUSEBUTTONDOWN, centreX(game), centreY(game)));
  ASSERT_TRUE(fetchMessage());
  // The menu loop, inside the dispatch, sees the release on the title (the
  // menu stays open) and then a click on "Reset".
  push(button(SDL_MOUSEBUTTONUP, centreX(game), centreY(game)));
  push(button(SDL_MOUSEBUTTONDOWN, centreX(items), items.top + 4));
  push(button(SDL_MOUSEBUTTONUP, centreX(items), items.top + 4));
  shellDispatchMessage();
  EXPECT_EQ(takeResetRequest(), 0) << "posted, not run inside the menu";
  pumpAll();
  EXPECT_EQ(takeResetRequest(), 1);
  EXPECT_EQ(inputState.mouseHeld, 0);  // the menu's clicks are not the game's

  // A press away from the menu leaves it without a command.
  resetWindowState();
  push(button(SDL_MOUSEBUTTONDOWN, centreX(game), centreY(game)));
  ASSERT_TRUE(fetchMessage());
  push(button(SDL_MOUSEBUTTONDOWN, 150, 50));
  shellDispatchMessage();
  EXPECT_EQ(pumpAll(), 0);
  EXPECT_EQ(takeResetRequest(), 0);
}

TEST_F(SdlPump, VerFiresOnTheReleaseOverItself) {
  const Rect ver = menuTitleRect(2);
  push(button(SDL_MOUSEBUTTONDOWN, centreX(ver), centreY(ver)));
  ASSERT_TRUE(fetchMessage());
  push(button(SDL_MOUSEBUTTONUP, centreX(ver), centreY(ver)));
  shellDispatchMessage();
  // The version box opens next; Enter closes it.
  ASSERT_TRUE(shellPeekMessage());
  ASSERT_TRUE(fetchMessage());
  push(key(SDL_KEYDOWN, SDLK_RETURN));
  shellDispatchMessage();
  EXPECT_EQ(pumpAll(), 0);
  EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT), 0);
}

}  // namespace
