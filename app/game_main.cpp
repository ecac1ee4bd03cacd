// Devices up, scenes, devices down, in a fixed order.
#include "app/game_main.h"

#include "host/frame.h"
#include "host/shell.h"
#include "host/texts.h"
#include "scenes/driver.h"
#include "scenes/picture_slots.h"
#include "sound/bank.h"

namespace {
constexpr Rect kLoadingRect = {0, 0, 64, 8};
constexpr int32_t kLoadingX = 48;  // centres the 64 x 8 picture
constexpr int32_t kLoadingY = 26;
constexpr int kFontWidth = 6;
constexpr int kFontHeight = 12;
constexpr int kExitNormal = 1;
constexpr int kExitGraphicsFailed = 0;
}  // namespace

int runGame(GfxWindow window) {
  if (!initGraphics(window, kScreenWidth, kScreenHeight)) {
    // Nothing could be drawn: say so and end cleanly rather than run blind.
    shutdownGraphics();
    shellMessageBox(shownText(kShownGraphicsFailed), kTextWindowTitle);
    return kExitGraphicsFailed;
  }
  fillRect(kScreenRect, 0);  // black, stored as it is
  loadBitmap("Loading", kSlotLoading);
  drawSprite(kScreenRect, kLoadingX, kLoadingY, kLoadingRect, kSlotLoading);
  presentOutsideFrame();
  initSound(window);
  createFont(nullptr, kFontWidth, kFontHeight);

  runSceneDriver();

  deleteFont();
  shutdownSound();
  shutdownGraphics();
  return kExitNormal;
}
