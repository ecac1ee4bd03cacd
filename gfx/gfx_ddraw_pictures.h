// The DirectDraw back end's pictures through GDI, for gfx_ddraw.cpp alone:
// bitmaps from the resources and from files, copied into surfaces, and where
// each slot's picture came from, so that a lost surface can be filled again.
#pragma once
#include <windows.h>
#include <ddraw.h>

#include <cstdint>

enum PictureSource : uint8_t { kNoPicture, kResourcePicture, kFilePicture };
// The longest resource name a slot remembers, its end included.
constexpr int kSlotNameSize = 32;

// The bitmap resource of that name, or nullptr.
HBITMAP loadBitmapResource(const char* name);
// A bitmap file below the base directory, taken only when the software back
// end's decoder would take it too; nullptr otherwise.
HBITMAP loadBitmapFileImage(const char* name);

// Copies the bitmap to the top-left corner of the device context through
// GDI, whose colour conversion turns the palette into the display's own
// pixel values. GDI clips it to the surface behind the context.
bool drawBitmapAt(HDC target, HBITMAP bitmap, int32_t width, int32_t height);
bool copyBitmapInto(IDirectDrawSurface* surface, HBITMAP bitmap, int32_t width, int32_t height);

// Where the slot's picture now comes from (a resource by name, a file, or
// nothing: a blank surface).
void rememberPicture(int slot, PictureSource source, const char* name);
// A surface restored after it was lost gets its slot's picture back.
void refillPicture(int slot, IDirectDrawSurface* surface);
