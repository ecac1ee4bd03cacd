// Pictures into DirectDraw surfaces through GDI, and what a lost surface
// needs to be filled again.
#include "gfx/gfx_ddraw_pictures.h"

#include <cstring>

#include "gfx/base_directory.h"
#include "gfx/bitmap_file.h"
#include "gfx/bmp_decode.h"
#include "gfx/gfx.h"

namespace {
constexpr DWORD kBltFxSize = sizeof(DDBLTFX);
constexpr DWORD kSurfaceDescSize = sizeof(DDSURFACEDESC);

// Where each slot's picture last came from, with the resource's name. Files
// keep no path: a path per slot would grow the executable by over 100 KB
// (its zeroed tables take room in the file), and no picture the game shows
// comes from a file.
PictureSource slotSources[kSurfaceSlotCount];
char slotNames[kSurfaceSlotCount][kSlotNameSize];
}  // namespace

bool drawBitmapAt(HDC target, HBITMAP bitmap, int32_t width, int32_t height) {
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  const BOOL copied = BitBlt(target, 0, 0, width, height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
  return copied != 0;
}

bool copyBitmapInto(IDirectDrawSurface* surface, HBITMAP bitmap, int32_t width, int32_t height) {
  HDC target = nullptr;
  if (surface->GetDC(&target) != DD_OK) return false;
  const bool copied = drawBitmapAt(target, bitmap, width, height);
  surface->ReleaseDC(target);
  return copied;
}

HBITMAP loadBitmapResource(const char* name) {
  return static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// A file picture: its bytes are first held to the decoder's rules, so that
// this back end takes exactly the files the software one does (GDI alone
// would take other depths, compression, and may take a truncated file);
// then GDI loads it.
HBITMAP loadBitmapFileImage(const char* name) {
  char path[kBaseFilePathSize];
  if (!baseFilePath(name, path, sizeof path)) return nullptr;
  size_t size = 0;
  const uint8_t* bytes = readBitmapFile(name, &size);
  int width = 0;
  int height = 0;
  if (bytes == nullptr || !readBitmapSize(bytes, size, &width, &height)) return nullptr;
  HBITMAP bitmap =
      static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (bitmap == nullptr) return nullptr;
  BITMAP info;
  if (GetObjectA(bitmap, sizeof info, &info) == 0 || info.bmWidth != width || info.bmHeight != height) {
    DeleteObject(bitmap);  // changed under us between the two reads
    return nullptr;
  }
  return bitmap;
}

void rememberPicture(int slot, PictureSource source, const char* name) {
  slotSources[slot] = source;
  lstrcpynA(slotNames[slot], name, kSlotNameSize);
}

void refillPicture(int slot, IDirectDrawSurface* surface) {
  switch (slotSources[slot]) {
    case kResourcePicture: {
      HBITMAP bitmap = loadBitmapResource(slotNames[slot]);
      if (bitmap == nullptr) break;
      DDSURFACEDESC description;
      std::memset(&description, 0, sizeof description);
      description.dwSize = kSurfaceDescSize;
      surface->GetSurfaceDesc(&description);
      copyBitmapInto(surface, bitmap, static_cast<int32_t>(description.dwWidth),
                     static_cast<int32_t>(description.dwHeight));
      DeleteObject(bitmap);
      break;
    }
    case kFilePicture: {
      // Not read again behind the caller's back: black, which draws as
      // nothing, until reloadBitmapFile fills it.
      DDBLTFX blackFill;
      std::memset(&blackFill, 0, sizeof blackFill);
      blackFill.dwSize = kBltFxSize;
      surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &blackFill);
      break;
    }
    case kNoPicture: break;  // a blank surface is filled by its next grab
  }
}
