// Held keys and mouse buttons, and the press edges the frame reads from them.
#pragma once
#include <cstdint>

// Bits of keysHeld / keysPressed.
constexpr int32_t kKeyLeft = 0x0001;
constexpr int32_t kKeyRight = 0x0002;
constexpr int32_t kKeyUp = 0x0004;
constexpr int32_t kKeyDown = 0x0008;
constexpr int32_t kKeySpace = 0x0010;
constexpr int32_t kKeyX = 0x0020;
constexpr int32_t kKeyZ = 0x0040;
constexpr int32_t kKeyS = 0x0080;
constexpr int32_t kKeyA = 0x0100;
constexpr int32_t kKeyShift = 0x0200;
constexpr int32_t kKeyF1 = 0x0400;
constexpr int32_t kKeyF2 = 0x0800;
constexpr int32_t kKeyEnter = 0x1000;  // Return and keypad Enter, only while keyboard play is on
constexpr int32_t kKeyEsc = 0x8000;  // sticky: never cleared once set

// Bits of mouseHeld / mousePressed.
constexpr int32_t kMouseRight = 1;
constexpr int32_t kMouseLeft = 2;

struct InputState {
  int32_t keysHeld;
  int32_t keysPressed;
  int32_t mouseHeld;
  int32_t mousePressed;
  int32_t mouseX;  // client pixels, not clamped to the 160 x 60 area
  int32_t mouseY;
};

// Written by the window procedure and readFrameInput; the scenes only read it.
extern InputState inputState;

// Keyboard play: the arrows, Space and Enter play the title and the match
// as the mouse does. The SDL build, the page and the tool switch it on; the
// Windows program never does and stays mouse only, frame for frame.
void setKeyboardPlay(int on);
int keyboardPlay();

// Once per frame, before the scene's logic: this frame's press edges
// (updateInputEdges) and where the cursor is, in client pixels.
void readFrameInput();

// Once per frame: the bits set since the previous call become this frame's
// press edges, so an edge lasts exactly one frame. A key or button that went
// down since the previous call gives its edge even when it is up again by
// now: a quick click or a touchpad tap falls between two frames.
void updateInputEdges();

// The window procedure's side. A down that finds its bit already held (a
// key's auto-repeat) gives no new edge.
void inputKeyDown(int32_t bit);
void inputKeyUp(int32_t bit);
void inputMouseDown(int32_t bit);
void inputMouseUp(int32_t bit);

// A down while the window is minimised: held, but not latched. No frame runs
// until the window is back, so a press let go before then never reaches the
// game; one still held gives its edge then, as any held key does.
void inputKeyDownWhileMinimised(int32_t bit);
void inputMouseDownWhileMinimised(int32_t bit);
