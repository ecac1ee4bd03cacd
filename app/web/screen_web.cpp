// Presentation for the page: the game's frame goes onto the 160 x 60 canvas,
// which the page magnifies by a whole factor with sharp pixels.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cmath>
#include <cstring>

#include "app/web/shell_web.h"
#include "gfx/gfx.h"
#include "gfx/gfx_shell.h"

namespace {
constexpr int32_t kFramePixels = kScreenWidth * kScreenHeight;
constexpr int kRgbaBytes = 4;
constexpr uint8_t kOpaque = 255;
constexpr int kMinScale = 1;
// The area below the menu bar that the picture is centred in.
const char kStageSelector[] = "#stage";
constexpr int kLongestPaintWaitMs = 100;

uint32_t lastFrame[kFramePixels];
uint8_t rgba[kFramePixels * kRgbaBytes];
int framesShown = 0;
// CSS pixels per game pixel: the factor in device pixels over the ratio.
double cssPerGamePixel = 1.0;
// Where the canvas's top-left corner lies in the viewport, in CSS pixels.
double canvasLeft = 0, canvasTop = 0;

int32_t floorToPixel(double cssCoordinate) {
  return static_cast<int32_t>(std::floor(cssCoordinate / cssPerGamePixel));
}
}  // namespace

EM_JS(void, pagePutFrame, (const uint8_t* pixels, int bytes), { Pinwick.putFrame(pixels, bytes); });

// The start-up picture is followed by the synthesis of every sound, which
// holds the page's thread: the browser is let paint it first (or, for a
// page in the background that paints nothing, for at most a while).
EM_ASYNC_JS(void, pageLetItShow, (int longestMs), {
  await new Promise(function(done) {
    requestAnimationFrame(function() { setTimeout(done, 0); });
    setTimeout(done, longestMs);
  });
});

EM_JS(void, pagePlaceScreen, (double left, double top, double width, double height),
      { Pinwick.placeScreen(left, top, width, height); });

EM_JS(double, pageCanvasLeft, (), { return Module.canvas.getBoundingClientRect().left; });
EM_JS(double, pageCanvasTop, (), { return Module.canvas.getBoundingClientRect().top; });

int chooseWebScale(int32_t width, int32_t height) {
  const int32_t across = width / kScreenWidth;
  const int32_t down = height / kScreenHeight;
  const int32_t fits = across < down ? across : down;
  return fits > kMinScale ? fits : kMinScale;
}

void layOutCanvas() {
  double width = 0, height = 0;
  emscripten_get_element_css_size(kStageSelector, &width, &height);
  const double ratio = emscripten_get_device_pixel_ratio();
  // Counted in device pixels, so that every game pixel covers the same
  // whole number of them whatever the page's zoom.
  const int32_t deviceWidth = static_cast<int32_t>(std::floor(width * ratio));
  const int32_t deviceHeight = static_cast<int32_t>(std::floor(height * ratio));
  const int scale = chooseWebScale(deviceWidth, deviceHeight);
  const int32_t pictureWidth = kScreenWidth * scale, pictureHeight = kScreenHeight * scale;
  const int32_t left = deviceWidth > pictureWidth ? (deviceWidth - pictureWidth) / 2 : 0;
  const int32_t top = deviceHeight > pictureHeight ? (deviceHeight - pictureHeight) / 2 : 0;
  cssPerGamePixel = scale / ratio;
  pagePlaceScreen(left / ratio, top / ratio, pictureWidth / ratio, pictureHeight / ratio);
  canvasLeft = pageCanvasLeft();
  canvasTop = pageCanvasTop();
}

// The page changed the stage's size itself (the status line).
extern "C" EMSCRIPTEN_KEEPALIVE void pageLayOut() { layOutCanvas(); }

int32_t gamePixelX(double cssX) { return floorToPixel(cssX); }
int32_t gamePixelY(double cssY) { return floorToPixel(cssY); }
int32_t viewportToGameX(double clientX) { return floorToPixel(clientX - canvasLeft); }
int32_t viewportToGameY(double clientY) { return floorToPixel(clientY - canvasTop); }

int32_t shellPresentFrame(const uint32_t* pixels, int32_t width, int32_t height) {
  if (pixels == nullptr || width != kScreenWidth || height != kScreenHeight) return kGfxRefused;
  // Most frames of this game change nothing: those never reach the page.
  if (framesShown > 0 && std::memcmp(lastFrame, pixels, sizeof lastFrame) == 0) return kGfxOk;
  std::memcpy(lastFrame, pixels, sizeof lastFrame);
  ++framesShown;
  for (int32_t i = 0; i < kFramePixels; ++i) {
    const uint32_t p = pixels[i];
    uint8_t* out = rgba + i * kRgbaBytes;
    out[0] = static_cast<uint8_t>(p >> 16);
    out[1] = static_cast<uint8_t>(p >> 8);
    out[2] = static_cast<uint8_t>(p);
    out[3] = kOpaque;
  }
  pagePutFrame(rgba, static_cast<int>(sizeof rgba));
  if (framesShown == 1) pageLetItShow(kLongestPaintWaitMs);
  return kGfxOk;
}
