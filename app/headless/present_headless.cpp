// Headless shell's side of the graphics seam: keeps a copy of each presented
// frame.
#include <algorithm>

#include "app/headless/present_headless.h"
#include "gfx/gfx.h"
#include "gfx/gfx_shell.h"

namespace {
constexpr int32_t kFramePixels = kScreenWidth * kScreenHeight;

uint32_t lastFrame[kFramePixels];
uint32_t framesPresented = 0;
}  // namespace

int32_t shellPresentFrame(const uint32_t* pixels, int32_t width, int32_t height) {
  if (pixels == nullptr || width != kScreenWidth || height != kScreenHeight) return kGfxRefused;
  std::copy(pixels, pixels + kFramePixels, lastFrame);
  ++framesPresented;
  return kGfxOk;
}

const uint32_t* lastPresentedFrame() { return lastFrame; }

uint32_t presentedFrameCount() { return framesPresented; }
