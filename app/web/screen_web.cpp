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
// The area below the menu bar that the picture is laid out in.
const char kStageSelector[] = "#stage";
constexpr int kLongestPaintWaitMs = 100;

uint32_t lastFrame[kFramePixels];
uint8_t rgba[kFramePixels * kRgbaBytes];
int framesShown = 0;

// A phone held upright shows the match in three pieces: the board as wide
// as the screen, and below it the player's card and the face with Pass side
// by side, each at its own whole factor. Every other scene shows whole.
constexpr int32_t kBoardPieceLeft = 52;   // game pixels: the board and a margin
constexpr int32_t kBoardPieceRight = 108;
constexpr int32_t kPieceGapCss = 8;       // between the board and the side pieces
// Kept free below the pieces for the page's controls (new game and the hint).
constexpr int32_t kControlsRoomCss = 120;
constexpr int kMaxPieces = 3;

// A rectangle of the game's picture shown at a whole factor, its top-left
// corner in device pixels from the screen's.
struct Piece {
  int32_t sourceLeft, sourceWidth;  // game pixels; every piece is the picture's full height
  int32_t left, top;
  int32_t scale;
};

Piece pieces[kMaxPieces];
int pieceCount = 0;
int splitForMatch = 0;  // the scene is the match: the upright layout may split it
double deviceRatio = 1.0;
// Where the screen's top-left corner lies in the viewport, in CSS pixels.
double screenLeft = 0, screenTop = 0;
// Outside every piece: a point left of the picture, where nothing is.
constexpr int32_t kNowhere = -1;

int32_t floorDiv(double value, int32_t by) { return static_cast<int32_t>(std::floor(value / by)); }

int32_t largerOf(int32_t a, int32_t b) { return a > b ? a : b; }

// The three pieces for a stage of width x height device pixels, when they
// make the board larger than the whole picture would; 0 pieces otherwise.
int splitPieces(int32_t width, int32_t height, int wholeScale) {
  const int32_t boardWidth = kBoardPieceRight - kBoardPieceLeft;
  const int32_t sideWidth = kBoardPieceLeft + (kScreenWidth - kBoardPieceRight);
  const int32_t gap = static_cast<int32_t>(kPieceGapCss * deviceRatio);
  const int32_t room = height - static_cast<int32_t>(kControlsRoomCss * deviceRatio) - gap;
  const int32_t sideScale = largerOf(kMinScale, width / sideWidth);
  const int32_t downForBoard = (room - kScreenHeight * sideScale) / kScreenHeight;
  const int32_t boardScale = width / boardWidth < downForBoard ? width / boardWidth : downForBoard;
  if (boardScale <= wholeScale) return 0;
  const int32_t boardLeft = (width - boardWidth * boardScale) / 2;
  const int32_t sideLeft = (width - sideWidth * sideScale) / 2;
  const int32_t sideTop = kScreenHeight * boardScale + gap;
  pieces[0] = Piece{kBoardPieceLeft, boardWidth, boardLeft, 0, boardScale};
  pieces[1] = Piece{0, kBoardPieceLeft, sideLeft, sideTop, sideScale};
  pieces[2] = Piece{kBoardPieceRight, kScreenWidth - kBoardPieceRight, sideLeft + kBoardPieceLeft * sideScale,
                    sideTop, sideScale};
  return kMaxPieces;
}

// A point relative to the screen's top-left corner, in CSS pixels, in game
// pixels. Over the whole picture the mapping goes on past its edges, as
// the desktop's cursor does past the window's; between the pieces there is
// nothing.
void screenToGame(double cssX, double cssY, int32_t* x, int32_t* y) {
  const double deviceX = cssX * deviceRatio, deviceY = cssY * deviceRatio;
  for (int i = 0; i < pieceCount; ++i) {
    const Piece& p = pieces[i];
    const int32_t px = floorDiv(deviceX - p.left, p.scale), py = floorDiv(deviceY - p.top, p.scale);
    if (pieceCount == 1 || (px >= 0 && px < p.sourceWidth && py >= 0 && py < kScreenHeight)) {
      *x = p.sourceLeft + px;
      *y = py;
      return;
    }
  }
  *x = kNowhere;
  *y = kNowhere;
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

EM_JS(void, pagePlaceScreen, (double left, double top, double width, double height, int upright),
      { Pinwick.placeScreen(left, top, width, height, upright); });
EM_JS(void, pageClearPieces, (double ratio), { Pinwick.clearPieces(ratio); });
EM_JS(void, pageAddPiece, (int sourceLeft, int sourceWidth, int left, int top, int scale),
      { Pinwick.addPiece(sourceLeft, sourceWidth, left, top, scale); });

EM_JS(double, pageScreenLeft, (), { return document.getElementById('screen').getBoundingClientRect().left; });
EM_JS(double, pageScreenTop, (), { return document.getElementById('screen').getBoundingClientRect().top; });

int chooseWebScale(int32_t width, int32_t height) {
  const int32_t across = width / kScreenWidth;
  const int32_t down = height / kScreenHeight;
  const int32_t fits = across < down ? across : down;
  return fits > kMinScale ? fits : kMinScale;
}

void layOutCanvas() {
  double width = 0, height = 0;
  emscripten_get_element_css_size(kStageSelector, &width, &height);
  deviceRatio = emscripten_get_device_pixel_ratio();
  // Counted in device pixels, so that every game pixel covers the same
  // whole number of them whatever the page's zoom.
  const int32_t deviceWidth = static_cast<int32_t>(std::floor(width * deviceRatio));
  const int32_t deviceHeight = static_cast<int32_t>(std::floor(height * deviceRatio));
  const int upright = deviceHeight > deviceWidth;
  const int scale = chooseWebScale(deviceWidth, deviceHeight);
  pieceCount = upright && splitForMatch ? splitPieces(deviceWidth, deviceHeight, scale) : 0;
  if (pieceCount == 0) {
    pieces[0] = Piece{0, kScreenWidth, 0, 0, scale};
    pieceCount = 1;
  }
  int32_t pictureWidth = 0, pictureHeight = 0;
  pageClearPieces(deviceRatio);
  for (int i = 0; i < pieceCount; ++i) {
    const Piece& p = pieces[i];
    pictureWidth = largerOf(pictureWidth, p.left + p.sourceWidth * p.scale);
    pictureHeight = largerOf(pictureHeight, p.top + kScreenHeight * p.scale);
    if (pieceCount > 1) pageAddPiece(p.sourceLeft, p.sourceWidth, p.left, p.top, p.scale);
  }
  // Upright, the picture sits at the top, with the controls below it
  // under the thumb; otherwise in the middle.
  const int32_t left = deviceWidth > pictureWidth ? (deviceWidth - pictureWidth) / 2 : 0;
  const int32_t top = upright || deviceHeight <= pictureHeight ? 0 : (deviceHeight - pictureHeight) / 2;
  pagePlaceScreen(left / deviceRatio, top / deviceRatio, pictureWidth / deviceRatio, pictureHeight / deviceRatio,
                  upright);
  screenLeft = pageScreenLeft();
  screenTop = pageScreenTop();
}

void layOutForScene(int sceneIsMatch) {
  if (sceneIsMatch == splitForMatch) return;
  splitForMatch = sceneIsMatch;
  layOutCanvas();
}

void screenToGamePoint(double cssX, double cssY, int32_t* x, int32_t* y) { screenToGame(cssX, cssY, x, y); }
void viewportToGamePoint(double clientX, double clientY, int32_t* x, int32_t* y) {
  screenToGame(clientX - screenLeft, clientY - screenTop, x, y);
}

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
