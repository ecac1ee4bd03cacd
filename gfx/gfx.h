// The surface store and the drawing primitives: one header, one back end per
// shell (gfx_soft.cpp for the SDL and headless shells), chosen at link time.
#pragma once
#include <cstdint>

// Pixels, right and bottom exclusive.
struct Rect {
  int32_t left, top, right, bottom;
};

// The shell's window: a HWND on Win32, the shell's own window elsewhere.
typedef void* GfxWindow;
// The text font made by createFont; nothing in the game draws text with it.
typedef void* GfxFont;

constexpr int32_t kScreenWidth = 160;
constexpr int32_t kScreenHeight = 60;
// The clip Rect every caller passes to drawSprite.
constexpr Rect kScreenRect = {0, 0, kScreenWidth, kScreenHeight};

// SurfaceSlot numbers run 0..kSurfaceSlotCount-1; each slot is filled at
// most once in a run.
constexpr int kSurfaceSlotCount = 512;

// Result codes of the copies, fills and present: kGfxOk when done, any other
// value is the back end's refusal or error. No caller in the game looks.
constexpr int32_t kGfxOk = 0;
constexpr int32_t kGfxRefused = -1;

// toNativeColor's answer when the back buffer cannot be read.
constexpr uint32_t kNativeColorFailed = 0xFFFFFFFFu;

// Start-up, before initGraphics: where the client area's top-left corner lies
// relative to the window's outer top-left corner.
void setClientOffset(int32_t x, int32_t y);

// Start-up: brings up the device and the width x height back buffer (always
// 160 x 60) for the window, which the back end keeps until shutdown. 1 when
// both exist, 0 on failure.
int initGraphics(GfxWindow window, int32_t width, int32_t height);

// Scene driver (and start-up for "Loading"): decodes the named bitmap resource
// (name matched without regard to case) into an empty slot. 1 when the
// picture now fills the slot; 0 for a slot outside 0..511, an occupied slot,
// a missing or unreadable resource, or no room for the surface.
int loadBitmap(const char* name, int slot);

// Not used by the game: loadBitmap for a bitmap file named relative to the
// base directory, with the same slot rules and results. The name is checked
// before anything is opened: an empty or absolute name (a slash or
// backslash first, a drive letter or any colon) or one with a ".."
// component is refused. So is a missing, unreadable, truncated or malformed
// file; the slot then stays empty and the area total unchanged. Every back
// end takes the pictures loadBitmap decodes: 1, 4 or 8 bits, uncompressed.
int loadBitmapFile(const char* name, int slot);

// Not used by the game: a file picture, named and checked as for
// loadBitmapFile, copied unkeyed over the picture of an occupied slot. The
// surface keeps its size, as a copy into it would: the picture's top-left
// corner lands on the surface's, what the picture has past the surface's
// right or bottom edge is left out, and the pixels it does not reach keep
// what they held. 1 when copied; 0, with the slot as it was, for an empty or
// invalid slot or a name or file refused.
int reloadBitmapFile(const char* name, int slot);

// Scene driver: a width x height surface in an empty slot (the wipe's
// snapshot, slot 15). Same slot rules as loadBitmap. The contents are
// undefined until something is copied in.
int createBlankSurface(int32_t width, int32_t height, int slot);

// The frame grid (host/frame), on its tick: copies the back buffer 1:1 into
// the window's client area at once. Returns the copy's result code.
int32_t present();

// Exit: releases every surface and the device. Safe to call twice.
void shutdownGraphics();

// Copies the source Rect of the slot's picture so that its top-left corner
// lands at (x, y), trimmed to clip, skipping every black (0) pixel. Every
// caller passes kScreenRect as clip. An empty slot draws nothing.
int32_t drawSprite(const Rect& clip, int32_t x, int32_t y, const Rect& source, int slot);

// Every pixel of r on the back buffer becomes exactly native (not converted;
// 0 is black). r is not clipped: a Rect outside the back buffer is refused.
int32_t fillRect(const Rect& r, uint32_t native);

// The value the back buffer stores for a 0x00BBGGRR colour, or
// kNativeColorFailed. The back buffer's pixel (0, 0) is used as scratch and
// put back. Slow: convert once per scene, never per frame.
uint32_t toNativeColor(uint32_t colour);

// Unkeyed copy of r from the back buffer into the same r of the slot's
// surface (black is copied too). r must lie within both surfaces.
int32_t grabBackBuffer(int slot, const Rect& r);

// Keyed copy of the source Rect from one slot into another at (x, y), without
// clipping. Only the number drawing that the game never calls uses it.
int32_t copySlotToSlot(int32_t x, int32_t y, const Rect& source, int targetSlot, int sourceSlot);

// Not used by the game. Empties an occupied slot, taking its area off the
// total; 1 when it did, 0 for an empty or invalid slot.
int freeSurface(int slot);

// Sum of width x height of the image surfaces in the store (the back buffer
// not counted); 0 after initGraphics.
int32_t surfaceAreaTotal();

// Not used by the game: every pixel of r, trimmed to the slot's surface,
// becomes native. Refused for an empty slot or a Rect wholly outside.
int32_t fillSlotRect(int slot, const Rect& r, uint32_t native);

// Start-up: the text font (face nullptr = the system's choice). Shutdown:
// deleteFont.
GfxFont createFont(const char* face, int width, int height);
void deleteFont();

// drawText's target for the back buffer; 0..511 are the image slots.
constexpr int kTextOnBackBuffer = -1;

// Not used by the game: text in the font of createFont, in colour (0x00BBGGRR,
// as toNativeColor takes it) on a transparent background, so only the
// letters' pixels change. (x, y) is the top-left corner of the first
// character's cell on target (kTextOnBackBuffer or an occupied slot); what
// falls outside that surface is clipped. The text is in the build's narrow
// character set: UTF-8 on the software back end, code page 932 on Windows,
// whose build compiles its texts to it. The software back end draws its
// 8-pixel bitmap font whatever size the font was made with, skips
// characters it lacks and stops at a line break. kGfxOk when drawn (also
// when clipped away); refused without a font, for an empty or invalid
// target or a null text.
int32_t drawText(int target, int32_t x, int32_t y, const char* text, uint32_t colour);
