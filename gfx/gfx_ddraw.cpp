// DirectDraw back end of the Win32 shell: a windowed primary surface with a
// clipper, an off-screen back buffer in the display's format, and the 512
// image slots filled from the executable's bitmap resources or from bitmap
// files through GDI (gfx_ddraw_pictures); text through GDI too.
#include <windows.h>
#include <ddraw.h>

#include <cstdlib>
#include <cstring>

#include "gfx/clip.h"
#include "gfx/gfx.h"
#include "gfx/gfx_ddraw_pictures.h"

namespace {
constexpr DWORD kSurfaceDescSize = sizeof(DDSURFACEDESC);  // 108
constexpr DWORD kBltFxSize = sizeof(DDBLTFX);              // 100
constexpr DWORD kFullDepthBits = 32;

// The game window, from initGraphics to shutdownGraphics.
HWND gameWindow = nullptr;
IDirectDraw* directDraw = nullptr;
IDirectDrawSurface* primarySurface = nullptr;
IDirectDrawSurface* backBuffer = nullptr;
IDirectDrawClipper* clipper = nullptr;
int32_t backBufferWidth = 0;
int32_t backBufferHeight = 0;
int32_t clientOffsetX = 0;
int32_t clientOffsetY = 0;
IDirectDrawSurface* imageSlots[kSurfaceSlotCount];
int32_t areaTotal = 0;
HFONT textFont = nullptr;

// The Wine tests' hook: PINWICK_LOSE_SURFACES=N loses every surface at the
// Nth presentation, as a display change does. Their pixels are overwritten
// and the next copy fails with DDERR_SURFACELOST, which must restore them.
constexpr char kLoseSurfacesVariable[] = "PINWICK_LOSE_SURFACES";
constexpr DWORD kLostPixels = 0x00FF00FF;  // magenta on a 32-bit display, never black
uint32_t presentations = 0;
uint32_t losePresentation = 0;  // 0: never
int surfacesLost = 0;

static_assert(sizeof(DDSURFACEDESC) == 108, "the 32-bit surface description");
static_assert(sizeof(DDBLTFX) == 100, "the 32-bit effects record");

DDSURFACEDESC offscreenDescription(int32_t width, int32_t height) {
  DDSURFACEDESC description;
  std::memset(&description, 0, sizeof description);
  description.dwSize = kSurfaceDescSize;
  description.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
  description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
  description.dwWidth = static_cast<DWORD>(width);
  description.dwHeight = static_cast<DWORD>(height);
  return description;
}

void setBlackKey(IDirectDrawSurface* surface) {
  DDCOLORKEY key = {0, 0};
  surface->SetColorKey(DDCKEY_SRCBLT, &key);
}

int slotFree(int slot) { return slot >= 0 && slot < kSurfaceSlotCount && imageSlots[slot] == nullptr; }

IDirectDrawSurface* slotSurface(int slot) {
  if (slot < 0 || slot >= kSurfaceSlotCount) return nullptr;
  return imageSlots[slot];
}

DDSURFACEDESC surfaceDescription(IDirectDrawSurface* surface) {
  DDSURFACEDESC description;
  std::memset(&description, 0, sizeof description);
  description.dwSize = kSurfaceDescSize;
  surface->GetSurfaceDesc(&description);
  return description;
}

uint32_t readLosePresentation() {
  const char* text = std::getenv(kLoseSurfacesVariable);
  uint32_t n = 0;
  for (; text != nullptr && *text >= '0' && *text <= '9'; ++text) n = n * 10 + static_cast<uint32_t>(*text - '0');
  return n;
}

void loseEverySurface() {
  DDBLTFX effects;
  std::memset(&effects, 0, sizeof effects);
  effects.dwSize = kBltFxSize;
  effects.dwFillColor = kLostPixels;
  for (IDirectDrawSurface* surface : imageSlots)
    if (surface != nullptr) surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects);
  backBuffer->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects);
  surfacesLost = 1;
}

// After a display-mode change or a locked screen every surface's memory is
// gone: get it back and fill the pictures in again. The back buffer is drawn
// anew by the next frame.
void restoreLostSurfaces() {
  if (primarySurface != nullptr) primarySurface->Restore();
  if (backBuffer != nullptr) backBuffer->Restore();
  for (int slot = 0; slot < kSurfaceSlotCount; ++slot) {
    IDirectDrawSurface* surface = imageSlots[slot];
    if (surface == nullptr || (!surfacesLost && surface->IsLost() != DDERR_SURFACELOST)) continue;
    if (surface->Restore() == DD_OK) refillPicture(slot, surface);
  }
  surfacesLost = 0;
}

// One blit; a lost surface is restored and the blit tried once more.
int32_t blit(IDirectDrawSurface* target, const Rect& destination, IDirectDrawSurface* source, const Rect* sourceRect,
             DWORD flags, DDBLTFX* effects) {
  RECT to = {destination.left, destination.top, destination.right, destination.bottom};
  RECT from = {0, 0, 0, 0};
  if (sourceRect != nullptr) from = RECT{sourceRect->left, sourceRect->top, sourceRect->right, sourceRect->bottom};
  RECT* fromPointer = sourceRect != nullptr ? &from : nullptr;
  HRESULT result = surfacesLost ? DDERR_SURFACELOST : target->Blt(&to, source, fromPointer, flags, effects);
  if (result == DDERR_SURFACELOST) {
    restoreLostSurfaces();
    result = target->Blt(&to, source, fromPointer, flags, effects);
  }
  return static_cast<int32_t>(result);
}

// The surface's device context for GDI drawing, with every lost surface
// restored first when this one is lost; nullptr when none can be had.
HDC surfaceDC(IDirectDrawSurface* surface) {
  HDC dc = nullptr;
  HRESULT result = surfacesLost ? DDERR_SURFACELOST : surface->GetDC(&dc);
  if (result == DDERR_SURFACELOST) {
    restoreLostSurfaces();
    result = surface->GetDC(&dc);
  }
  return result == DD_OK ? dc : nullptr;
}

int validRect(const Rect& r) { return r.left < r.right && r.top < r.bottom; }

// Gives the bitmap (always deleted) a new surface of its size in the empty
// slot, remembering where it came from.
int fillEmptySlot(HBITMAP bitmap, int slot, PictureSource source, const char* name) {
  BITMAP info;
  GetObjectA(bitmap, sizeof info, &info);
  DDSURFACEDESC description = offscreenDescription(info.bmWidth, info.bmHeight);
  IDirectDrawSurface* surface = nullptr;
  if (directDraw->CreateSurface(&description, &surface, nullptr) != DD_OK) {
    DeleteObject(bitmap);
    return 0;
  }
  copyBitmapInto(surface, bitmap, info.bmWidth, info.bmHeight);
  DeleteObject(bitmap);
  setBlackKey(surface);
  imageSlots[slot] = surface;
  rememberPicture(slot, source, name);
  areaTotal += info.bmWidth * info.bmHeight;
  return 1;
}
}  // namespace

void setClientOffset(int32_t x, int32_t y) {
  clientOffsetX = x;
  clientOffsetY = y;
}

int initGraphics(GfxWindow window, int32_t width, int32_t height) {
  if (directDraw != nullptr) return 0;  // already up: keep what is there
  gameWindow = static_cast<HWND>(window);
  if (DirectDrawCreate(nullptr, &directDraw, nullptr) != DD_OK) {
    directDraw = nullptr;
    return 0;
  }
  backBufferWidth = width;
  backBufferHeight = height;
  directDraw->SetCooperativeLevel(gameWindow, DDSCL_NORMAL);

  DDSURFACEDESC primary;
  std::memset(&primary, 0, sizeof primary);
  primary.dwSize = kSurfaceDescSize;
  primary.dwFlags = DDSD_CAPS;
  primary.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
  if (directDraw->CreateSurface(&primary, &primarySurface, nullptr) != DD_OK) {
    primarySurface = nullptr;
    return 0;
  }
  DDSURFACEDESC back = offscreenDescription(width, height);
  if (directDraw->CreateSurface(&back, &backBuffer, nullptr) != DD_OK) {
    backBuffer = nullptr;
    return 0;
  }
  if (directDraw->CreateClipper(0, &clipper, nullptr) == DD_OK) {
    clipper->SetHWnd(0, gameWindow);
    primarySurface->SetClipper(clipper);
  } else {
    clipper = nullptr;
  }
  areaTotal = 0;
  losePresentation = readLosePresentation();
  return 1;
}

int loadBitmap(const char* name, int slot) {
  if (directDraw == nullptr || !slotFree(slot)) return 0;
  if (std::strlen(name) >= static_cast<size_t>(kSlotNameSize)) return 0;
  HBITMAP bitmap = loadBitmapResource(name);
  if (bitmap == nullptr) return 0;
  return fillEmptySlot(bitmap, slot, kResourcePicture, name);
}

int loadBitmapFile(const char* name, int slot) {
  if (directDraw == nullptr || !slotFree(slot)) return 0;
  HBITMAP bitmap = loadBitmapFileImage(name);
  if (bitmap == nullptr) return 0;
  return fillEmptySlot(bitmap, slot, kFilePicture, "");
}

int reloadBitmapFile(const char* name, int slot) {
  IDirectDrawSurface* surface = slotSurface(slot);
  if (surface == nullptr) return 0;
  HBITMAP bitmap = loadBitmapFileImage(name);
  if (bitmap == nullptr) return 0;
  BITMAP info;
  GetObjectA(bitmap, sizeof info, &info);
  HDC target = surfaceDC(surface);
  const bool copied = target != nullptr && drawBitmapAt(target, bitmap, info.bmWidth, info.bmHeight);
  if (target != nullptr) surface->ReleaseDC(target);
  DeleteObject(bitmap);
  if (!copied) return 0;
  rememberPicture(slot, kFilePicture, "");
  return 1;
}

int createBlankSurface(int32_t width, int32_t height, int slot) {
  if (directDraw == nullptr || !slotFree(slot)) return 0;
  DDSURFACEDESC description = offscreenDescription(width, height);
  IDirectDrawSurface* surface = nullptr;
  if (directDraw->CreateSurface(&description, &surface, nullptr) != DD_OK) return 0;
  setBlackKey(surface);
  imageSlots[slot] = surface;
  rememberPicture(slot, kNoPicture, "");
  areaTotal += width * height;
  return 1;
}

int32_t present() {
  RECT outer = {0, 0, 0, 0};
  GetWindowRect(gameWindow, &outer);
  const Rect destination = {outer.left + clientOffsetX, outer.top + clientOffsetY,
                            outer.left + clientOffsetX + backBufferWidth, outer.top + clientOffsetY + backBufferHeight};
  const Rect source = {0, 0, backBufferWidth, backBufferHeight};
  if (primarySurface == nullptr || backBuffer == nullptr) return kGfxRefused;
  if (losePresentation != 0 && ++presentations == losePresentation) loseEverySurface();
  return blit(primarySurface, destination, backBuffer, &source, DDBLT_WAIT, nullptr);
}

void shutdownGraphics() {
  for (int slot = 0; slot < kSurfaceSlotCount; ++slot) {
    if (imageSlots[slot] == nullptr) continue;
    imageSlots[slot]->Release();
    imageSlots[slot] = nullptr;
    rememberPicture(slot, kNoPicture, "");
  }
  if (primarySurface != nullptr) {
    primarySurface->Release();
    primarySurface = nullptr;
  }
  // The back buffer and the clipper go with the DirectDraw object.
  backBuffer = nullptr;
  clipper = nullptr;
  if (directDraw != nullptr) {
    directDraw->SetCooperativeLevel(gameWindow, DDSCL_NORMAL);
    directDraw->Release();
    directDraw = nullptr;
  }
  gameWindow = nullptr;
}

int32_t drawSprite(const Rect& clip, int32_t x, int32_t y, const Rect& source, int slot) {
  IDirectDrawSurface* picture = slotSurface(slot);
  if (picture == nullptr || backBuffer == nullptr) return kGfxRefused;
  Rect clippedSource;
  Rect destination;
  clipSpriteCopy(clip, x, y, source, &clippedSource, &destination);
  if (!validRect(clippedSource) || !validRect(destination)) return kGfxRefused;
  return blit(backBuffer, destination, picture, &clippedSource, DDBLT_KEYSRC | DDBLT_WAIT, nullptr);
}

int32_t fillRect(const Rect& r, uint32_t native) {
  if (backBuffer == nullptr) return kGfxRefused;
  if (!rectInsideSurface(r, backBufferWidth, backBufferHeight)) return kGfxRefused;
  DDBLTFX effects;
  std::memset(&effects, 0, sizeof effects);
  effects.dwSize = kBltFxSize;
  effects.dwFillColor = native;
  return blit(backBuffer, r, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects);
}

uint32_t toNativeColor(uint32_t colour) {
  if (backBuffer == nullptr) return kNativeColorFailed;
  HDC dc = nullptr;
  if (backBuffer->GetDC(&dc) != DD_OK) return kNativeColorFailed;
  const COLORREF saved = GetPixel(dc, 0, 0);
  SetPixel(dc, 0, 0, colour);
  backBuffer->ReleaseDC(dc);

  DDSURFACEDESC description;
  std::memset(&description, 0, sizeof description);
  description.dwSize = kSurfaceDescSize;
  if (backBuffer->Lock(nullptr, &description, DDLOCK_WAIT, nullptr) != DD_OK) return kNativeColorFailed;
  uint32_t value = 0;
  std::memcpy(&value, description.lpSurface, sizeof value);
  const DWORD bits = description.ddpfPixelFormat.dwRGBBitCount;
  if (bits < kFullDepthBits) value &= (uint32_t{1} << bits) - 1;
  backBuffer->Unlock(nullptr);

  if (backBuffer->GetDC(&dc) != DD_OK) return kNativeColorFailed;
  SetPixel(dc, 0, 0, saved);
  backBuffer->ReleaseDC(dc);
  return value;
}

int32_t grabBackBuffer(int slot, const Rect& r) {
  IDirectDrawSurface* snapshot = slotSurface(slot);
  if (snapshot == nullptr || backBuffer == nullptr) return kGfxRefused;
  DDBLTFX effects;
  std::memset(&effects, 0, sizeof effects);
  effects.dwSize = kBltFxSize;
  return blit(snapshot, r, backBuffer, &r, DDBLT_WAIT, &effects);
}

int32_t copySlotToSlot(int32_t x, int32_t y, const Rect& source, int targetSlot, int sourceSlot) {
  IDirectDrawSurface* target = slotSurface(targetSlot);
  IDirectDrawSurface* picture = slotSurface(sourceSlot);
  if (target == nullptr || picture == nullptr) return kGfxRefused;
  return blit(target, placeRect(x, y, source), picture, &source, DDBLT_KEYSRC | DDBLT_WAIT, nullptr);
}

int freeSurface(int slot) {
  IDirectDrawSurface* surface = slotSurface(slot);
  if (surface == nullptr) return 0;
  const DDSURFACEDESC description = surfaceDescription(surface);
  areaTotal -= static_cast<int32_t>(description.dwWidth * description.dwHeight);
  surface->Release();
  imageSlots[slot] = nullptr;
  rememberPicture(slot, kNoPicture, "");
  return 1;
}

int32_t surfaceAreaTotal() { return areaTotal; }

int32_t fillSlotRect(int slot, const Rect& r, uint32_t native) {
  IDirectDrawSurface* surface = slotSurface(slot);
  if (surface == nullptr) return kGfxRefused;
  DDSURFACEDESC description;
  std::memset(&description, 0, sizeof description);
  description.dwSize = kSurfaceDescSize;
  if (surface->GetSurfaceDesc(&description) != DD_OK) return kGfxRefused;
  const int32_t width = static_cast<int32_t>(description.dwWidth);
  const int32_t height = static_cast<int32_t>(description.dwHeight);
  const Rect trimmed = trimToSurface(r, width, height);
  if (!rectInsideSurface(trimmed, width, height)) return kGfxRefused;
  DDBLTFX effects;
  std::memset(&effects, 0, sizeof effects);
  effects.dwSize = kBltFxSize;
  effects.dwFillColor = native;
  return blit(surface, trimmed, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects);
}

GfxFont createFont(const char* face, int width, int height) {
  textFont = CreateFontA(height, static_cast<int8_t>(width), 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH, face);
  return textFont;
}

void deleteFont() {
  if (textFont != nullptr) DeleteObject(textFont);
  textFont = nullptr;
}

int32_t drawText(int target, int32_t x, int32_t y, const char* text, uint32_t colour) {
  IDirectDrawSurface* surface = target == kTextOnBackBuffer ? backBuffer : slotSurface(target);
  if (surface == nullptr || textFont == nullptr || text == nullptr) return kGfxRefused;
  HDC dc = surfaceDC(surface);
  if (dc == nullptr) return kGfxRefused;
  HGDIOBJ previous = SelectObject(dc, textFont);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  const BOOL drawn = TextOutA(dc, x, y, text, lstrlenA(text));
  SelectObject(dc, previous);
  surface->ReleaseDC(dc);
  return drawn ? kGfxOk : kGfxRefused;
}
