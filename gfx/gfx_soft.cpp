// Software back end for the SDL and headless shells and the page: 32-bit
// x-8-8-8 surfaces (0x00RRGGBB) carved from one fixed pool, pictures decoded
// from the bitmaps embedded in the executable or from bitmap files, text in
// the 8-pixel bitmap font; present hands the back buffer to the shell.
#include <algorithm>
#include <cstddef>

#include "gfx/bitmap_file.h"
#include "gfx/bmp_decode.h"
#include "gfx/clip.h"
#include "gfx/gfx.h"
#include "gfx/gfx_shell.h"
#include "gfx/gfx_soft.h"
#include "gfx/glyphs.h"
#include "gfx/resources.h"

namespace {
// Every surface of a run, back buffer included, comes from here; the game
// needs about 80 000 pixels. Only the newest surface's pixels go back when
// it is freed; the pool empties at shutdownGraphics.
constexpr size_t kSurfacePoolPixels = size_t{1} << 20;

// The stored value 0 is black and is the transparent key of every picture.
constexpr uint32_t kColourKey = 0;

struct SoftSurface {
  uint32_t* pixels;  // nullptr: no surface
  int32_t width;
  int32_t height;
};

struct SoftFont {
  int made;
  int width;  // taken as a signed 8-bit value, like the Win32 font's
  int height;
};

uint32_t surfacePool[kSurfacePoolPixels];
size_t poolUsed = 0;
int32_t areaTotal = 0;

SoftSurface backBuffer = {nullptr, 0, 0};
SoftSurface imageSlots[kSurfaceSlotCount];

// Kept for the shells; the software back end leaves placement to them.
int32_t clientOffsetX = 0;
int32_t clientOffsetY = 0;

SoftFont textFont = {0, 0, 0};

// A slot that can take a new surface: in range, empty, and the device up
// (without it no surface can be made).
SoftSurface* emptySlot(int slot) {
  if (backBuffer.pixels == nullptr) return nullptr;
  if (slot < 0 || slot >= kSurfaceSlotCount) return nullptr;
  if (imageSlots[slot].pixels != nullptr) return nullptr;
  return &imageSlots[slot];
}

const SoftSurface* occupiedSlot(int slot) {
  if (slot < 0 || slot >= kSurfaceSlotCount) return nullptr;
  if (imageSlots[slot].pixels == nullptr) return nullptr;
  return &imageSlots[slot];
}

size_t poolRoom() { return kSurfacePoolPixels - poolUsed; }

// Takes a zeroed width x height surface from the pool; false when the size is
// not positive or does not fit.
bool reserveSurface(int32_t width, int32_t height, SoftSurface* surface) {
  if (width <= 0 || height <= 0) return false;
  const uint64_t count = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
  if (count > poolRoom()) return false;
  surface->pixels = surfacePool + poolUsed;
  surface->width = width;
  surface->height = height;
  std::fill(surface->pixels, surface->pixels + count, 0u);
  poolUsed += static_cast<size_t>(count);
  return true;
}

// One row of a keyed copy between two surfaces: written so that the
// compiler turns it into a few vector instructions, as every frame draws the
// whole screen this way.
void copyKeyedRow(const uint32_t* in, uint32_t* out, int32_t width) {
  for (int32_t j = 0; j < width; ++j) out[j] = in[j] != kColourKey ? in[j] : out[j];
}

// Copies source (inside from) to destination (the same size, inside to).
// Within one surface it walks against the direction of the shift, so that
// every pixel is read before it is overwritten.
void copyPixels(const SoftSurface& from, const Rect& source, const SoftSurface& to, const Rect& destination,
                bool keyed) {
  const int32_t width = source.right - source.left;
  const int32_t height = source.bottom - source.top;
  const bool sameSurface = from.pixels == to.pixels;
  const bool rowsUp = sameSurface && destination.top > source.top;
  const bool columnsLeft = sameSurface && destination.left > source.left;
  for (int32_t i = 0; i < height; ++i) {
    const int32_t row = rowsUp ? height - 1 - i : i;
    const uint32_t* in = from.pixels + static_cast<size_t>(source.top + row) * from.width + source.left;
    uint32_t* out = to.pixels + static_cast<size_t>(destination.top + row) * to.width + destination.left;
    if (!sameSurface) {
      if (keyed) copyKeyedRow(in, out, width);
      else std::copy(in, in + width, out);
      continue;
    }
    for (int32_t j = 0; j < width; ++j) {
      const int32_t column = columnsLeft ? width - 1 - j : j;
      const uint32_t value = in[column];
      if (!keyed || value != kColourKey) out[column] = value;
    }
  }
}

// Decodes a bitmap (nullptr: none was found) straight into the free end of
// the pool and gives it to the empty slot; nothing is kept unless it decodes
// whole.
int decodeIntoSlot(const uint8_t* bytes, size_t size, SoftSurface* target) {
  if (bytes == nullptr) return 0;
  uint32_t* pixels = surfacePool + poolUsed;
  int width = 0;
  int height = 0;
  if (!decodeBitmap(bytes, size, pixels, poolRoom(), &width, &height)) return 0;
  target->pixels = pixels;
  target->width = width;
  target->height = height;
  poolUsed += static_cast<size_t>(width) * static_cast<size_t>(height);
  areaTotal += width * height;
  return 1;
}

SoftSurface* textTarget(int target) {
  if (target == kTextOnBackBuffer) return backBuffer.pixels != nullptr ? &backBuffer : nullptr;
  if (occupiedSlot(target) == nullptr) return nullptr;
  return &imageSlots[target];
}

int32_t checkedCopy(const SoftSurface& from, const Rect& source, const SoftSurface& to, const Rect& destination,
                    bool keyed) {
  if (from.pixels == nullptr || to.pixels == nullptr) return kGfxRefused;
  if (!rectInsideSurface(source, from.width, from.height)) return kGfxRefused;
  if (!rectInsideSurface(destination, to.width, to.height)) return kGfxRefused;
  copyPixels(from, source, to, destination, keyed);
  return kGfxOk;
}
}  // namespace

void setClientOffset(int32_t x, int32_t y) {
  clientOffsetX = x;
  clientOffsetY = y;
}

int initGraphics(GfxWindow, int32_t width, int32_t height) {
  if (backBuffer.pixels != nullptr) return 0;  // already up: keep what is there
  areaTotal = 0;
  return reserveSurface(width, height, &backBuffer) ? 1 : 0;
}

int loadBitmap(const char* name, int slot) {
  SoftSurface* target = emptySlot(slot);
  if (target == nullptr) return 0;
  size_t size = 0;
  const uint8_t* bytes = findResource(name, &size);  // before size is read
  return decodeIntoSlot(bytes, size, target);
}

int loadBitmapFile(const char* name, int slot) {
  SoftSurface* target = emptySlot(slot);
  if (target == nullptr) return 0;
  size_t size = 0;
  const uint8_t* bytes = readBitmapFile(name, &size);  // before size is read
  return decodeIntoSlot(bytes, size, target);
}

int reloadBitmapFile(const char* name, int slot) {
  const SoftSurface* surface = occupiedSlot(slot);
  if (surface == nullptr) return 0;
  size_t size = 0;
  const uint8_t* bytes = readBitmapFile(name, &size);
  if (bytes == nullptr) return 0;
  // Decoded first into the free end of the pool, borrowed for the copy only
  // (so the whole picture must fit there), so that a file that fails
  // halfway leaves the slot as it was.
  SoftSurface picture = {surfacePool + poolUsed, 0, 0};
  if (!decodeBitmap(bytes, size, picture.pixels, poolRoom(), &picture.width, &picture.height)) return 0;
  const Rect overlap = {0, 0, std::min(picture.width, surface->width), std::min(picture.height, surface->height)};
  copyPixels(picture, overlap, *surface, overlap, false);
  return 1;
}

int createBlankSurface(int32_t width, int32_t height, int slot) {
  SoftSurface* target = emptySlot(slot);
  if (target == nullptr) return 0;
  if (!reserveSurface(width, height, target)) return 0;
  areaTotal += width * height;
  return 1;
}

int32_t present() {
  if (backBuffer.pixels == nullptr) return kGfxRefused;
  return shellPresentFrame(backBuffer.pixels, backBuffer.width, backBuffer.height);
}

void shutdownGraphics() {
  std::fill(imageSlots, imageSlots + kSurfaceSlotCount, SoftSurface{nullptr, 0, 0});
  backBuffer = SoftSurface{nullptr, 0, 0};
  poolUsed = 0;
  areaTotal = 0;
}

int32_t drawSprite(const Rect& clip, int32_t x, int32_t y, const Rect& source, int slot) {
  const SoftSurface* picture = occupiedSlot(slot);
  if (picture == nullptr) return kGfxRefused;
  Rect clippedSource;
  Rect destination;
  clipSpriteCopy(clip, x, y, source, &clippedSource, &destination);
  return checkedCopy(*picture, clippedSource, backBuffer, destination, true);
}

int32_t fillRect(const Rect& r, uint32_t native) {
  if (backBuffer.pixels == nullptr) return kGfxRefused;
  if (!rectInsideSurface(r, backBuffer.width, backBuffer.height)) return kGfxRefused;
  for (int32_t row = r.top; row < r.bottom; ++row) {
    uint32_t* line = backBuffer.pixels + static_cast<size_t>(row) * backBuffer.width;
    std::fill(line + r.left, line + r.right, native);
  }
  return kGfxOk;
}

uint32_t toNativeColor(uint32_t colour) {
  if (backBuffer.pixels == nullptr) return kNativeColorFailed;
  // An x-8-8-8 surface stores 0x00BBGGRR as 0x00RRGGBB. The conversion needs
  // no scratch pixel here, so the back buffer is not touched at all.
  const uint32_t red = colour & 0xFFu;
  const uint32_t green = (colour >> 8) & 0xFFu;
  const uint32_t blue = (colour >> 16) & 0xFFu;
  return (red << 16) | (green << 8) | blue;
}

int32_t grabBackBuffer(int slot, const Rect& r) {
  const SoftSurface* snapshot = occupiedSlot(slot);
  if (snapshot == nullptr) return kGfxRefused;
  return checkedCopy(backBuffer, r, *snapshot, r, false);
}

int32_t copySlotToSlot(int32_t x, int32_t y, const Rect& source, int targetSlot, int sourceSlot) {
  const SoftSurface* target = occupiedSlot(targetSlot);
  const SoftSurface* picture = occupiedSlot(sourceSlot);
  if (target == nullptr || picture == nullptr) return kGfxRefused;
  return checkedCopy(*picture, source, *target, placeRect(x, y, source), true);
}

int freeSurface(int slot) {
  const SoftSurface* surface = occupiedSlot(slot);
  if (surface == nullptr) return 0;
  const size_t count = static_cast<size_t>(surface->width) * static_cast<size_t>(surface->height);
  // The pool is a bump allocator: only the newest surface's pixels can go
  // back to it. Older ones stay unused until shutdownGraphics, which the
  // pool's size (a dozen times what the game takes) easily allows.
  if (surface->pixels + count == surfacePool + poolUsed) poolUsed -= count;
  areaTotal -= surface->width * surface->height;
  imageSlots[slot] = SoftSurface{nullptr, 0, 0};
  return 1;
}

int32_t surfaceAreaTotal() { return areaTotal; }

int32_t fillSlotRect(int slot, const Rect& r, uint32_t native) {
  const SoftSurface* surface = occupiedSlot(slot);
  if (surface == nullptr) return kGfxRefused;
  const Rect trimmed = trimToSurface(r, surface->width, surface->height);
  if (!rectInsideSurface(trimmed, surface->width, surface->height)) return kGfxRefused;
  for (int32_t row = trimmed.top; row < trimmed.bottom; ++row) {
    uint32_t* line = surface->pixels + static_cast<size_t>(row) * surface->width;
    std::fill(line + trimmed.left, line + trimmed.right, native);
  }
  return kGfxOk;
}

GfxFont createFont(const char*, int width, int height) {
  textFont.made = 1;
  textFont.width = static_cast<int8_t>(width);
  textFont.height = height;
  return &textFont;
}

void deleteFont() { textFont.made = 0; }

int32_t drawText(int target, int32_t x, int32_t y, const char* text, uint32_t colour) {
  SoftSurface* surface = textTarget(target);
  if (surface == nullptr || !textFont.made || text == nullptr) return kGfxRefused;
  drawGlyphText(surface->pixels, surface->width, surface->height, x, y, text, toNativeColor(colour));
  return kGfxOk;
}

const uint32_t* backBufferPixels(int32_t* width, int32_t* height) {
  *width = backBuffer.width;
  *height = backBuffer.height;
  return backBuffer.pixels;
}

const uint32_t* surfacePixels(int slot, int32_t* width, int32_t* height) {
  const SoftSurface* surface = occupiedSlot(slot);
  *width = surface != nullptr ? surface->width : 0;
  *height = surface != nullptr ? surface->height : 0;
  return surface != nullptr ? surface->pixels : nullptr;
}
