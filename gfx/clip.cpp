// The clipping arithmetic shared by every back end.
#include "gfx/clip.h"


namespace {
int32_t wrapAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
int32_t wrapSub(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
}  // namespace

void clipSpriteCopy(const Rect& clip, int32_t x, int32_t y, const Rect& source, Rect* clippedSource,
                    Rect* destination) {
  const int32_t w = wrapSub(source.right, source.left);
  const int32_t h = wrapSub(source.bottom, source.top);
  Rect r = source;
  const int32_t unclippedRight = wrapAdd(x, w);
  if (unclippedRight > clip.right) r.right = wrapSub(r.right, wrapSub(unclippedRight, clip.right));
  if (x < clip.left) {
    r.left = wrapAdd(r.left, wrapSub(clip.left, x));
    x = clip.left;
  }
  const int32_t unclippedBottom = wrapAdd(y, h);
  if (unclippedBottom > clip.bottom) r.bottom = wrapSub(r.bottom, wrapSub(unclippedBottom, clip.bottom));
  if (y < clip.top) {
    r.top = wrapAdd(r.top, wrapSub(clip.top, y));
    y = clip.top;
  }
  *clippedSource = r;
  *destination = placeRect(x, y, r);
}

Rect placeRect(int32_t x, int32_t y, const Rect& source) {
  return Rect{x, y, wrapAdd(x, wrapSub(source.right, source.left)),
              wrapAdd(y, wrapSub(source.bottom, source.top))};
}

int rectInsideSurface(const Rect& r, int32_t width, int32_t height) {
  return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= width &&
         r.bottom <= height;
}

Rect trimToSurface(const Rect& r, int32_t width, int32_t height) {
  Rect trimmed = r;
  if (trimmed.left < 0) trimmed.left = 0;
  if (trimmed.top < 0) trimmed.top = 0;
  if (trimmed.right > width) trimmed.right = width;
  if (trimmed.bottom > height) trimmed.bottom = height;
  return trimmed;
}
