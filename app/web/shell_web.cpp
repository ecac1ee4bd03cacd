// The page shell's events and services: the page's events become the Win32
// messages the window procedure takes, queued as in the SDL shell; the menus
// and dialogs are the page's own elements (page.js), and while one is open
// the game sleeps until it is answered.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstring>

#include "app/queued_shell.h"
#include "app/web/clock_web.h"
#include "app/web/replay_web.h"
#include "app/web/shell_web.h"
#include "gfx/resources.h"
#include "host/menu.h"
#include "host/message_queue.h"
#include "host/shell.h"
#include "host/texts.h"
#include "host/window_proc.h"
#include "scenes/driver.h"
#include "sound/device_web.h"

namespace {
// MouseEvent.button
constexpr unsigned short kButtonLeft = 0;
constexpr unsigned short kButtonRight = 2;
// How often a waiting pump, menu or dialog looks again; the page's events
// arrive while it sleeps.
constexpr uint32_t kWaitPollMs = 20;
constexpr int kMenuStillOpen = -1;
constexpr int kNoAnswerYet = -1;
// The clock's speed in quarters of real time; none stands still.
constexpr int kStillQuarters = 0;
constexpr int kRealTimeQuarters = 4;
// The picture, whole or in pieces, and the covers over it.
const char kScreenSelector[] = "#screen";

struct KeyMapping {
  const char* code;  // KeyboardEvent.code
  uint32_t virtualKey;
};

constexpr KeyMapping kKeys[] = {
    {"Backspace", 0x08},    {"Tab", 0x09},          {"Enter", 0x0D},        {"NumpadEnter", 0x0D},
    {"ShiftLeft", kVkShift}, {"ShiftRight", kVkShift}, {"ControlLeft", 0x11}, {"ControlRight", 0x11},
    {"AltLeft", 0x12},      {"AltRight", 0x12},     {"Pause", 0x13},        {"Escape", kVkEscape},
    {"Space", kVkSpace},    {"PageUp", 0x21},       {"PageDown", 0x22},     {"End", 0x23},
    {"Home", 0x24},         {"ArrowLeft", kVkLeft}, {"ArrowUp", kVkUp},     {"ArrowRight", kVkRight},
    {"ArrowDown", kVkDown}, {"Insert", 0x2D},       {"Delete", 0x2E},
};
constexpr uint32_t kVkDigitZero = 0x30;
constexpr uint32_t kVkLetterA = 0x41;
constexpr int kLetters = 26;
constexpr int kDigits = 10;
constexpr int kFunctionKeys = 12;
constexpr int kFunctionKeyNameBase = 10;

int pageHidden = 0;
int minimisedByPlayer = 0;  // the M key; the page cannot minimise the browser
int minimised = 0;          // what the last WM_SIZE said
int32_t cursorX = 0, cursorY = 0;
int32_t framesDone = 0;
// A shared run's playback paused, or over and not yet played on: no frame
// runs, and the player's input waits.
int standingStill = 0;

int holdingInput() { return pageReplaying() || standingStill; }
int sceneShown = kSceneEnd;  // the scene of the last frame, as the page was told

// Letters and digits by the character they type, as the desktop's keyboard
// layout gives them; the other keys by where they lie.
uint32_t virtualKeyFor(const char* key, const char* code) {
  if (key[0] != '\0' && key[1] == '\0') {
    const char c = key[0];
    if (c >= 'a' && c < 'a' + kLetters) return kVkLetterA + static_cast<uint32_t>(c - 'a');
    if (c >= 'A' && c < 'A' + kLetters) return kVkLetterA + static_cast<uint32_t>(c - 'A');
    if (c >= '0' && c < '0' + kDigits) return kVkDigitZero + static_cast<uint32_t>(c - '0');
  }
  if (code[0] == 'F' && code[1] >= '1' && code[1] <= '9') {
    const int n = code[2] == '\0' ? code[1] - '0'
                  : code[3] == '\0' && code[1] == '1' && code[2] >= '0' && code[2] <= '9'
                      ? kFunctionKeyNameBase + code[2] - '0'
                      : 0;
    if (n >= 1 && n <= kFunctionKeys) return kVkF1 + static_cast<uint32_t>(n - 1);
  }
  for (const KeyMapping& k : kKeys)
    if (std::strcmp(k.code, code) == 0) return k.virtualKey;
  return 0;
}

// While a shared run plays, the game hears only the run: the page's own
// state is taken up again when the viewer plays on.
void noteMinimised() {
  if (pageReplaying()) return;
  const int now = pageHidden || minimisedByPlayer;
  if (now == minimised) return;
  minimised = now;
  postQueuedMessage(kWmSize, now ? kSizeMinimized : kSizeRestored, 0);
}
}  // namespace

EM_JS(int, pageModalOpenJs, (), { return Pinwick.modal(); });
EM_JS(void, pageAddMenuTitle, (int index, const char* text, int command),
      { Pinwick.addMenuTitle(index, UTF8ToString(text), command); });
EM_JS(void, pageAddMenuItem, (int index, const char* text, int command),
      { Pinwick.addMenuItem(index, UTF8ToString(text), command); });
EM_JS(int, pageTakeMenuChoice, (), { return Pinwick.takeMenuChoice(); });
EM_JS(void, pageOpenConfirm, (const char* question, const char* yes, const char* no, const char* title), {
  Pinwick.openConfirm(UTF8ToString(question), UTF8ToString(yes), UTF8ToString(no), UTF8ToString(title));
});
EM_JS(void, pageOpenMessage, (const char* text, const char* title),
      { Pinwick.openMessage(UTF8ToString(text), UTF8ToString(title)); });
EM_JS(int, pageTakeAnswer, (), { return Pinwick.takeAnswer(); });
EM_JS(int, pageOpenVolume, (const char* title), { return Pinwick.openVolume(UTF8ToString(title)); });
EM_JS(void, pageShowMinimised, (int shown), { Pinwick.showMinimised(shown); });
EM_JS(void, pageReplayOver, (), { Pinwick.replayOver(); });
EM_JS(void, pageUseCursor, (const uint8_t* cursor, int cursorSize),
      { Pinwick.usePictures(HEAPU8.slice(cursor, cursor + cursorSize)); });
EM_JS(void, pageKnowGame, (int match, int ending, int gameOver, int resetCommand),
      { Pinwick.knowGame(match, ending, gameOver, resetCommand); });
EM_JS(void, pageSceneChanged, (int scene), { Pinwick.sceneChanged(scene); });

namespace {
// --- The page's events, as thin as a window procedure ---

EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* e, void*) {
  if (pageModalOpen() || holdingInput()) return EM_FALSE;  // the open menu or dialog takes its keys
  const uint32_t key = virtualKeyFor(e->key, e->code);
  const bool systemKey = e->altKey && !e->ctrlKey;
  const uint32_t message = type != EMSCRIPTEN_EVENT_KEYDOWN ? kWmKeyUp : systemKey ? kWmSysKeyDown : kWmKeyDown;
  postQueuedMessage(message, key, (e->shiftKey || e->ctrlKey || e->altKey) ? kModifierHeld : 0);
  // The browser keeps every key the game has no use for (F5, Tab, its
  // shortcuts); the game's own do not scroll the page.
  const bool gameKey = keyBitFor(key) != 0 || key == kVkM;
  return gameKey && !e->ctrlKey && !e->altKey && !e->metaKey ? EM_TRUE : EM_FALSE;
}

// Anywhere on the page: where the cursor is, read by the frames even
// outside the canvas, like the desktop's cursor.
EM_BOOL onPageMouseMove(int, const EmscriptenMouseEvent* e, void*) {
  viewportToGamePoint(e->clientX, e->clientY, &cursorX, &cursorY);
  return EM_FALSE;
}

// On the picture only: nothing outside it reaches the game, so a button
// released out there stays held, as on the desktop.
EM_BOOL onCanvasMouse(int type, const EmscriptenMouseEvent* e, void*) {
  if (pageModalOpen() || holdingInput()) return EM_FALSE;
  int32_t x, y;
  screenToGamePoint(e->targetX, e->targetY, &x, &y);
  const int64_t point = packPoint(x, y);
  if (type == EMSCRIPTEN_EVENT_MOUSEMOVE) {
    postQueuedMessage(kWmMouseMove, 0, point);
    return EM_FALSE;
  }
  const bool down = type == EMSCRIPTEN_EVENT_MOUSEDOWN;
  if (e->button == kButtonLeft) postQueuedMessage(down ? kWmLButtonDown : kWmLButtonUp, 0, point);
  else if (e->button == kButtonRight) postQueuedMessage(down ? kWmRButtonDown : kWmRButtonUp, 0, point);
  return EM_TRUE;
}

// A tap is a click: the first finger that changed moves the mouse there and
// presses or releases the left button.
EM_BOOL onTouch(int type, const EmscriptenTouchEvent* e, void*) {
  if (pageModalOpen() || holdingInput()) return EM_FALSE;
  for (int i = 0; i < e->numTouches; ++i) {
    const EmscriptenTouchPoint& t = e->touches[i];
    if (!t.isChanged) continue;
    screenToGamePoint(t.targetX, t.targetY, &cursorX, &cursorY);
    postQueuedMessage(kWmMouseMove, 0, packPoint(cursorX, cursorY));
    if (type == EMSCRIPTEN_EVENT_TOUCHSTART) postQueuedMessage(kWmLButtonDown, 0, packPoint(cursorX, cursorY));
    else if (type != EMSCRIPTEN_EVENT_TOUCHMOVE) postQueuedMessage(kWmLButtonUp, 0, packPoint(cursorX, cursorY));
    break;
  }
  return EM_TRUE;  // no mouse events made up after it
}

// A hidden page counts as minimised: no frame runs and no game time passes.
EM_BOOL onVisibility(int, const EmscriptenVisibilityChangeEvent* e, void*) {
  pageHidden = e->hidden ? 1 : 0;
  parkWebSoundWhileHidden(pageHidden);
  noteMinimised();
  return EM_FALSE;
}

EM_BOOL onFocus(int type, const EmscriptenFocusEvent*, void*) {
  if (holdingInput()) return EM_FALSE;
  postQueuedMessage(kWmActivate, type == EMSCRIPTEN_EVENT_FOCUS ? kActivated : kDeactivated, 0);
  return EM_FALSE;
}

EM_BOOL onResize(int, const EmscriptenUiEvent*, void*) {
  layOutCanvas();
  return EM_FALSE;
}

// The shared run's last frame is done, or the game waits for an event it
// does not hold: the page stands still until the viewer plays on.
void endReplay() {
  endPageReplay();
  standingStill = 1;
  setPageClockSpeed(kRealTimeQuarters);
  pageReplayOver();
}

int waitForAnswer() {
  int answer;
  while ((answer = pageTakeAnswer()) == kNoAnswerYet) emscripten_sleep(kWaitPollMs);
  return answer;
}

void registerCallbacks() {
  const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
  const char* document = EMSCRIPTEN_EVENT_TARGET_DOCUMENT;
  emscripten_set_keydown_callback(window, nullptr, EM_FALSE, onKey);
  emscripten_set_keyup_callback(window, nullptr, EM_FALSE, onKey);
  emscripten_set_mousemove_callback(document, nullptr, EM_FALSE, onPageMouseMove);
  emscripten_set_mousemove_callback(kScreenSelector, nullptr, EM_FALSE, onCanvasMouse);
  emscripten_set_mousedown_callback(kScreenSelector, nullptr, EM_FALSE, onCanvasMouse);
  emscripten_set_mouseup_callback(kScreenSelector, nullptr, EM_FALSE, onCanvasMouse);
  emscripten_set_touchstart_callback(kScreenSelector, nullptr, EM_FALSE, onTouch);
  emscripten_set_touchmove_callback(kScreenSelector, nullptr, EM_FALSE, onTouch);
  emscripten_set_touchend_callback(kScreenSelector, nullptr, EM_FALSE, onTouch);
  emscripten_set_touchcancel_callback(kScreenSelector, nullptr, EM_FALSE, onTouch);
  emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, onVisibility);
  emscripten_set_focus_callback(window, nullptr, EM_FALSE, onFocus);
  emscripten_set_blur_callback(window, nullptr, EM_FALSE, onFocus);
  emscripten_set_resize_callback(window, nullptr, EM_FALSE, onResize);
}
}  // namespace

// --- What the page's own elements call ---

extern "C" {
// A menu title was pressed: the menu is open.
EMSCRIPTEN_KEEPALIVE void pageMenuPressed() {
  if (!holdingInput()) postQueuedMessage(kWmNcLButtonDown, 0, 0);
}

// The player brought the game back after M.
EMSCRIPTEN_KEEPALIVE void pageRestore() {
  minimisedByPlayer = 0;
  pageShowMinimised(0);
  noteMinimised();
}

EMSCRIPTEN_KEEPALIVE int pageFrames() { return framesDone; }

// The playback's speed in quarters of real time; 0 pauses it.
EMSCRIPTEN_KEEPALIVE void pageSetReplaySpeed(int quarters) {
  if (!pageReplaying()) return;
  standingStill = quarters == kStillQuarters;
  if (!standingStill) setPageClockSpeed(quarters);
}

// After the shared run's last frame: the player's input reaches the game
// from here on, and time runs again.
EMSCRIPTEN_KEEPALIVE void pagePlayOn() {
  if (pageReplaying()) return;
  standingStill = 0;
  noteMinimised();
}

// The page's own "new game": what Game > Reset does.
EMSCRIPTEN_KEEPALIVE void pageReset() {
  if (!holdingInput()) postQueuedMessage(kWmCommand, kCommandReset, 0);
}

// The player confirmed the Esc the page held back in a match.
EMSCRIPTEN_KEEPALIVE void pageEscape() {
  if (holdingInput()) return;  // a shared run's playback hears only the recording
  postQueuedMessage(kWmKeyDown, kVkEscape, 0);
  postQueuedMessage(kWmKeyUp, kVkEscape, 0);
}

// The pointer moved or touched somewhere on the page off the picture: as
// the desktop's window hears of the mouse over its frame and menu bar, the
// game hears a message it leaves alone, which the wait after Volume counts.
EMSCRIPTEN_KEEPALIVE void pagePointerOffPicture() {
  if (!pageModalOpen() && !holdingInput()) postQueuedMessage(kWmNcMouseMove, 0, 0);
}

// The stage changed size without the window doing so (a bar wrapped, the
// controls below the picture came or went).
EMSCRIPTEN_KEEPALIVE void pageLayOut() { layOutCanvas(); }
}

void openPage() {
  pageKnowGame(kSceneMatch, kSceneEnding, kSceneGameOver, static_cast<int>(kCommandReset));
  for (int t = 0; t < kMenuTitleCount; ++t) {
    pageAddMenuTitle(t, kMenu[t].text, static_cast<int>(kMenu[t].command));
    for (int i = 0; i < kMenu[t].itemCount; ++i)
      pageAddMenuItem(t, kMenu[t].items[i].text, static_cast<int>(kMenu[t].items[i].command));
  }
  size_t cursorSize = 0;
  const uint8_t* cursor = findResource("CURSOR_S", &cursorSize);
  if (cursor != nullptr) pageUseCursor(cursor, static_cast<int>(cursorSize));
  registerCallbacks();
  layOutCanvas();
  // A page opened in the background starts minimised.
  EmscriptenVisibilityChangeEvent status;
  if (emscripten_get_visibility_status(&status) == EMSCRIPTEN_RESULT_SUCCESS && status.hidden) {
    pageHidden = 1;
    noteMinimised();
  }
}

int pageModalOpen() { return pageModalOpenJs(); }

// The page's callbacks queue its events as they come: there is nothing to
// pull, only to sleep until one has come.
void pullShellEvents(int wait) {
  // Standing still holds the pump: a frame that is behind its clock (a fast
  // playback) would otherwise catch up past where the playback stopped.
  while (standingStill) emscripten_sleep(kWaitPollMs);
  if (pageReplaying()) {
    deliverReplayFrame(framesDone + 1);
    if (wait && queuedMessageCount() == 0 && !deliverReplayWhileWaiting()) endReplay();
  }
  while (wait && queuedMessageCount() == 0) emscripten_sleep(kWaitPollMs);
}

// A press on the menu bar, which the game leaves alone, opens the menu, and
// the game stands still until it is closed.
void afterDispatch(const WindowMessage& m, int taken) {
  if (pageReplaying() && m.message == kWmMouseMove) noteReplayMouse(pointX(m.lParam), pointY(m.lParam));
  if (pageReplaying() && m.message == kWmSize) minimised = m.wParam == kSizeMinimized;
  if (taken || m.message != kWmNcLButtonDown) return;
  int command;
  while ((command = pageTakeMenuChoice()) == kMenuStillOpen) emscripten_sleep(kWaitPollMs);
  if (command != 0) postQueuedMessage(kWmCommand, static_cast<uint64_t>(command), 0);
}

// --- Services ---

int shellConfirmClose(const char* question) {
  if (pageReplaying()) return takeReplayAnswer();
  pageOpenConfirm(question, shownText(kShownYes), shownText(kShownNo), kTextWindowTitle);
  return waitForAnswer();
}

void shellMessageBox(const char* text, const char* title) {
  if (pageReplaying()) return;
  pageOpenMessage(text, title);
  waitForAnswer();
}

// There is no desktop mixer to start: the page's own volume panel is the
// first candidate, and there is no second.
int shellLaunchVolumeControl(int attempt) {
  if (pageReplaying()) return attempt == 0 ? 1 : 0;
  return attempt == 0 ? pageOpenVolume(kTextMenuVolume) : 0;
}

// The browser's window cannot be minimised by a page: the game stands still
// under a cover until the player brings it back.
void shellMinimiseWindow() {
  if (pageReplaying()) {
    postQueuedMessage(kWmSize, kSizeMinimized, 0);
    return;
  }
  minimisedByPlayer = 1;
  pageShowMinimised(1);
  noteMinimised();
}

void shellCursorPosition(int32_t* x, int32_t* y) {
  if (pageReplaying()) {
    replayCursor(framesDone + 1, x, y);
    return;
  }
  *x = cursorX;
  *y = cursorY;
}

void shellFrameDone(int sceneCode) {
  ++framesDone;
  if (sceneCode != sceneShown) {
    sceneShown = sceneCode;
    layOutForScene(sceneCode == kSceneMatch);
    pageSceneChanged(sceneCode);
  }
  showGameToPage(sceneCode);
  keepWebSoundTime();
  if (pageReplaying() && framesDone >= pageReplayLastFrame()) endReplay();
}
