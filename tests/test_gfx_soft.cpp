// The software back end: the surface store's slot rules, keyed and unkeyed
// copies, fills, colour conversion, presentation to the headless shell, file
// pictures and text.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/headless/present_headless.h"
#include "gfx/base_directory.h"
#include "gfx/gfx.h"
#include "gfx/gfx_soft.h"
#include "gfx/glyphs.h"
#include "tests/test_gfx_bmp_writer.h"

namespace {
constexpr uint32_t kPaper = 0x00123456;  // what the back buffer holds before a copy
constexpr int kGlyphSlot = 6;
constexpr int kSnapshotSlot = 15;

std::vector<uint32_t> backBuffer() {
  int32_t width = 0;
  int32_t height = 0;
  const uint32_t* pixels = backBufferPixels(&width, &height);
  if (pixels == nullptr) return {};
  return std::vector<uint32_t>(pixels, pixels + width * height);
}

std::vector<uint32_t> slotContents(int slot) {
  int32_t width = 0;
  int32_t height = 0;
  const uint32_t* pixels = surfacePixels(slot, &width, &height);
  if (pixels == nullptr) return {};
  return std::vector<uint32_t>(pixels, pixels + width * height);
}

bool slotEmpty(int slot) {
  int32_t width = 0;
  int32_t height = 0;
  return surfacePixels(slot, &width, &height) == nullptr;
}

class SoftGraphics : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(initGraphics(nullptr, kScreenWidth, kScreenHeight), 1);
    fillRect(kScreenRect, kPaper);
  }
  void TearDown() override {
    deleteFont();
    shutdownGraphics();
  }
};

// The back buffer after the glyph (every pixel its own colour) is drawn at
// (x, y) over paper, worked out pixel by pixel.
std::vector<uint32_t> paperWithGlyphAt(int x, int y) {
  std::vector<uint32_t> want(kScreenWidth * kScreenHeight, kPaper);
  for (int gy = 0; gy < 6; ++gy) {
    for (int gx = 0; gx < 6; ++gx) {
      const int px = x + gx;
      const int py = y + gy;
      if (px >= 0 && px < kScreenWidth && py >= 0 && py < kScreenHeight) {
        want[py * kScreenWidth + px] = glyphColour(gx, gy);
      }
    }
  }
  return want;
}
}  // namespace

TEST_F(SoftGraphics, SlotsRunFrom0To511AndAreFilledAtMostOnce) {
  EXPECT_EQ(loadBitmap("Glyph", 0), 1);
  EXPECT_EQ(loadBitmap("Glyph", 511), 1);
  EXPECT_EQ(loadBitmap("Glyph", 512), 0);
  EXPECT_EQ(loadBitmap("Glyph", -1), 0);
  EXPECT_EQ(loadBitmap("Glyph", INT_MIN), 0);
  EXPECT_EQ(createBlankSurface(4, 4, 512), 0);
  EXPECT_EQ(createBlankSurface(4, 4, -1), 0);

  // A second load into an occupied slot is refused and the first picture stays.
  ASSERT_EQ(loadBitmap("Mono", 4), 1);
  const std::vector<uint32_t> mono = slotContents(4);
  EXPECT_EQ(loadBitmap("back_s", 4), 0);
  EXPECT_EQ(createBlankSurface(160, 60, 4), 0);
  EXPECT_EQ(slotContents(4), mono);

  EXPECT_EQ(createBlankSurface(160, 60, kSnapshotSlot), 1);
  EXPECT_EQ(createBlankSurface(160, 60, kSnapshotSlot), 0);
  EXPECT_EQ(loadBitmap("Glyph", kSnapshotSlot), 0);
  EXPECT_EQ(slotContents(kSnapshotSlot).size(), 160u * 60u);
}

TEST_F(SoftGraphics, AFailedLoadLeavesTheSlotEmptyAndUsable) {
  for (const char* name : {"NoSuchPicture", "Truncated", "", static_cast<const char*>(nullptr)}) {
    EXPECT_EQ(loadBitmap(name, 7), 0) << (name ? name : "null");
    EXPECT_TRUE(slotEmpty(7));
  }
  EXPECT_EQ(drawSprite(kScreenRect, 0, 0, {0, 0, 4, 4}, 7), kGfxRefused);
  EXPECT_EQ(backBuffer(), std::vector<uint32_t>(kScreenWidth * kScreenHeight, kPaper));
  EXPECT_EQ(loadBitmap("checker", 7), 1);
}

TEST_F(SoftGraphics, BlankSurfacesNeedASensibleSize) {
  EXPECT_EQ(createBlankSurface(0, 60, 20), 0);
  EXPECT_EQ(createBlankSurface(160, -1, 20), 0);
  EXPECT_EQ(createBlankSurface(INT32_MAX, INT32_MAX, 20), 0);
  EXPECT_EQ(createBlankSurface(65536, 65536, 20), 0);
  EXPECT_TRUE(slotEmpty(20));
  EXPECT_EQ(createBlankSurface(1, 1, 20), 1);
}

TEST_F(SoftGraphics, LoadsPicturesAsTheirPaletteColours) {
  ASSERT_EQ(loadBitmap("MONO", 1), 1);
  EXPECT_EQ(slotContents(1), expectedPixels(monoPicture()));
  ASSERT_EQ(loadBitmap("Checker", 2), 1);
  EXPECT_EQ(slotContents(2), expectedPixels(checkerPicture()));
  int32_t width = 0;
  int32_t height = 0;
  surfacePixels(1, &width, &height);
  EXPECT_EQ(width, 11);
  EXPECT_EQ(height, 3);
}

TEST_F(SoftGraphics, ClipsTheGlyphAtEveryEdge) {
  ASSERT_EQ(loadBitmap("Glyph", kGlyphSlot), 1);
  const int positions[][2] = {{-3, 10}, {157, 10}, {160, 10}, {-6, 10}, {20, -2}, {20, 57},
                              {20, 60}, {20, -6}, {-3, -3}, {157, 57}, {0, 0},   {154, 54}};
  for (const auto& p : positions) {
    fillRect(kScreenRect, kPaper);
    drawSprite(kScreenRect, p[0], p[1], {0, 0, 6, 6}, kGlyphSlot);
    EXPECT_EQ(backBuffer(), paperWithGlyphAt(p[0], p[1])) << "at " << p[0] << "," << p[1];
  }
}

TEST_F(SoftGraphics, AGlyphWhollyOutsideIsRefusedAndDrawsNothing) {
  ASSERT_EQ(loadBitmap("Glyph", kGlyphSlot), 1);
  EXPECT_EQ(drawSprite(kScreenRect, 160, 10, {0, 0, 6, 6}, kGlyphSlot), kGfxRefused);
  EXPECT_EQ(drawSprite(kScreenRect, -6, 10, {0, 0, 6, 6}, kGlyphSlot), kGfxRefused);
  EXPECT_EQ(drawSprite(kScreenRect, 3, 3, {0, 0, 6, 6}, kGlyphSlot), kGfxOk);
}

TEST_F(SoftGraphics, RefusesSourcesOutsideThePictureAndClipsBeyondTheBackBuffer) {
  ASSERT_EQ(loadBitmap("Glyph", kGlyphSlot), 1);
  EXPECT_EQ(drawSprite(kScreenRect, 10, 10, {0, 0, 7, 6}, kGlyphSlot), kGfxRefused);
  EXPECT_EQ(drawSprite(kScreenRect, 10, 10, {-1, 0, 5, 6}, kGlyphSlot), kGfxRefused);
  EXPECT_EQ(drawSprite(kScreenRect, 10, 10, {0, 3, 6, 9}, kGlyphSlot), kGfxRefused);
  EXPECT_EQ(drawSprite({0, 0, 1000, 1000}, 158, 58, {0, 0, 6, 6}, kGlyphSlot), kGfxRefused);
  EXPECT_EQ(drawSprite({-10, -10, 160, 60}, -3, 0, {0, 0, 6, 6}, kGlyphSlot), kGfxRefused);
  EXPECT_EQ(backBuffer(), std::vector<uint32_t>(kScreenWidth * kScreenHeight, kPaper));
}

TEST_F(SoftGraphics, KeyedCopiesKeepTheBackBufferWhereThePictureIsBlack) {
  ASSERT_EQ(loadBitmap("checker", 3), 1);
  drawSprite(kScreenRect, 10, 20, {0, 0, 4, 4}, 3);
  const std::vector<uint32_t> shown = backBuffer();
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      const uint32_t want = (x + y) % 2 == 0 ? kPaper : 0x00FFFFFF;
      EXPECT_EQ(shown[(20 + y) * kScreenWidth + 10 + x], want) << x << "," << y;
    }
  }
}

TEST_F(SoftGraphics, ThePictureWithoutBlackCoversTheWholeScreen) {
  ASSERT_EQ(loadBitmap("back_s", 13), 1);
  EXPECT_EQ(drawSprite(kScreenRect, 0, 0, kScreenRect, 13), kGfxOk);
  EXPECT_EQ(backBuffer(), expectedPixels(backgroundPicture()));
}

TEST_F(SoftGraphics, FillRectStoresTheValueUnchanged) {
  for (uint32_t value : {0x00ABCDEFu, 0xFFFFFFFFu, 0x80000001u}) {
    EXPECT_EQ(fillRect(kScreenRect, value), kGfxOk);
    EXPECT_EQ(backBuffer(), std::vector<uint32_t>(kScreenWidth * kScreenHeight, value));
  }
  EXPECT_EQ(fillRect(kScreenRect, 0), kGfxOk);
  EXPECT_EQ(backBuffer(), std::vector<uint32_t>(kScreenWidth * kScreenHeight, 0u));

  EXPECT_EQ(fillRect({2, 1, 4, 2}, 7), kGfxOk);
  std::vector<uint32_t> want(kScreenWidth * kScreenHeight, 0u);
  want[kScreenWidth + 2] = 7;
  want[kScreenWidth + 3] = 7;
  EXPECT_EQ(backBuffer(), want);
}

TEST_F(SoftGraphics, FillRectRefusesRectsOutsideTheBackBuffer) {
  for (const Rect& r : {Rect{-1, 0, 10, 10}, Rect{0, 0, 161, 60}, Rect{0, 0, 160, 61}, Rect{5, 5, 5, 6},
                        Rect{5, 6, 6, 5}}) {
    EXPECT_EQ(fillRect(r, 0), kGfxRefused);
  }
  EXPECT_EQ(backBuffer(), std::vector<uint32_t>(kScreenWidth * kScreenHeight, kPaper));
}

TEST_F(SoftGraphics, ToNativeColorGivesTheStoredValueAndRestoresPixelZero) {
  EXPECT_EQ(toNativeColor(0x00000000), 0u);
  EXPECT_EQ(toNativeColor(0x00FFFFFF), 0x00FFFFFFu);
  EXPECT_EQ(toNativeColor(0x000000FF), 0x00FF0000u);  // pure red
  EXPECT_EQ(toNativeColor(0x00FF0000), 0x000000FFu);  // pure blue
  EXPECT_EQ(toNativeColor(0x00200404), 0x00040420u);  // a very dark blue
  EXPECT_EQ(backBuffer()[0], kPaper);

  // The value converted is the value a fill stores and a copy shows.
  fillRect({0, 0, 1, 1}, toNativeColor(0x00336699));
  EXPECT_EQ(backBuffer()[0], 0x00996633u);
}

TEST(SoftGraphicsDown, EverythingIsRefusedWithoutTheDevice) {
  shutdownGraphics();
  shutdownGraphics();  // twice is harmless
  EXPECT_EQ(toNativeColor(0x00FFFFFF), kNativeColorFailed);
  EXPECT_EQ(fillRect(kScreenRect, 0), kGfxRefused);
  EXPECT_EQ(loadBitmap("Glyph", 1), 0);
  EXPECT_EQ(createBlankSurface(4, 4, 2), 0);
  EXPECT_EQ(drawSprite(kScreenRect, 0, 0, {0, 0, 6, 6}, 1), kGfxRefused);
  EXPECT_EQ(grabBackBuffer(2, {0, 0, 4, 4}), kGfxRefused);
  EXPECT_EQ(present(), kGfxRefused);
  int32_t width = 1;
  int32_t height = 1;
  EXPECT_EQ(backBufferPixels(&width, &height), nullptr);
  EXPECT_EQ(width, 0);
  EXPECT_TRUE(slotEmpty(1));
}

TEST_F(SoftGraphics, ShutdownEmptiesEverySlotForTheNextRun) {
  ASSERT_EQ(loadBitmap("Glyph", 0), 1);
  ASSERT_EQ(createBlankSurface(160, 60, kSnapshotSlot), 1);
  EXPECT_EQ(initGraphics(nullptr, kScreenWidth, kScreenHeight), 0);  // already up
  shutdownGraphics();
  EXPECT_TRUE(slotEmpty(0));
  EXPECT_TRUE(slotEmpty(kSnapshotSlot));
  ASSERT_EQ(initGraphics(nullptr, kScreenWidth, kScreenHeight), 1);
  EXPECT_EQ(backBuffer(), std::vector<uint32_t>(kScreenWidth * kScreenHeight, 0u));
  EXPECT_EQ(loadBitmap("back_s", 0), 1);
  EXPECT_EQ(createBlankSurface(160, 60, kSnapshotSlot), 1);
  EXPECT_EQ(slotContents(kSnapshotSlot), std::vector<uint32_t>(160 * 60, 0u));
}

TEST_F(SoftGraphics, TheSurfacePoolHoldsManyPicturesThenRefuses) {
  // Far more than a run loads; the pool must refuse, not overrun, at the end.
  int made = 0;
  for (int slot = 0; slot < kSurfaceSlotCount; ++slot) made += createBlankSurface(160, 60, slot);
  EXPECT_GT(made, 100);
  EXPECT_LT(made, kSurfaceSlotCount);
  EXPECT_EQ(loadBitmap("back_s", kSurfaceSlotCount - 1), 0);
  EXPECT_TRUE(slotEmpty(kSurfaceSlotCount - 1));
  EXPECT_EQ(createBlankSurface(1, 1, kSurfaceSlotCount - 1), 1);
}

TEST_F(SoftGraphics, GrabBackBufferCopiesBlackToo) {
  ASSERT_EQ(createBlankSurface(160, 60, kSnapshotSlot), 1);
  grabBackBuffer(kSnapshotSlot, kScreenRect);  // the snapshot now holds paper
  ASSERT_EQ(loadBitmap("checker", 3), 1);
  fillRect(kScreenRect, 0);
  drawSprite(kScreenRect, 100, 30, {0, 0, 4, 4}, 3);
  EXPECT_EQ(grabBackBuffer(kSnapshotSlot, kScreenRect), kGfxOk);
  EXPECT_EQ(slotContents(kSnapshotSlot), backBuffer());

  // Drawn back keyed over paper, the snapshot's black lets the paper through.
  fillRect(kScreenRect, kPaper);
  drawSprite(kScreenRect, 0, 0, kScreenRect, kSnapshotSlot);
  std::vector<uint32_t> want(kScreenWidth * kScreenHeight, kPaper);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      if ((x + y) % 2 != 0) want[(30 + y) * kScreenWidth + 100 + x] = 0x00FFFFFF;
    }
  }
  EXPECT_EQ(backBuffer(), want);
}

TEST_F(SoftGraphics, GrabBackBufferNeedsTheRectInsideBothSurfaces) {
  ASSERT_EQ(createBlankSurface(10, 10, kSnapshotSlot), 1);
  EXPECT_EQ(grabBackBuffer(kSnapshotSlot, kScreenRect), kGfxRefused);
  EXPECT_EQ(grabBackBuffer(kSnapshotSlot, {0, 0, 10, 11}), kGfxRefused);
  EXPECT_EQ(grabBackBuffer(kSnapshotSlot + 1, {0, 0, 10, 10}), kGfxRefused);
  EXPECT_EQ(grabBackBuffer(kSnapshotSlot, {5, 5, 10, 10}), kGfxOk);
  const std::vector<uint32_t> snapshot = slotContents(kSnapshotSlot);
  EXPECT_EQ(snapshot[0], 0u);
  EXPECT_EQ(snapshot[5 * 10 + 5], kPaper);
}

TEST_F(SoftGraphics, CopySlotToSlotIsKeyedAndUnclipped) {
  ASSERT_EQ(loadBitmap("checker", 3), 1);
  ASSERT_EQ(createBlankSurface(6, 6, 30), 1);
  EXPECT_EQ(copySlotToSlot(2, 1, {0, 0, 4, 4}, 30, 3), kGfxOk);
  EXPECT_EQ(copySlotToSlot(3, 1, {0, 0, 4, 4}, 30, 3), kGfxRefused);  // one column past the edge
  EXPECT_EQ(copySlotToSlot(0, 0, {0, 0, 4, 4}, 31, 3), kGfxRefused);  // empty target
  const std::vector<uint32_t> target = slotContents(30);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      const bool white = x >= 2 && y >= 1 && y < 5 && (x - 2 + y - 1) % 2 != 0;
      EXPECT_EQ(target[y * 6 + x], white ? 0x00FFFFFFu : 0u) << x << "," << y;
    }
  }
}

TEST_F(SoftGraphics, CopySlotToSlotWithinOneSlotReadsBeforeItWrites) {
  // Across a row and down a column: right, left, down and up over itself.
  ASSERT_EQ(createBlankSurface(8, 1, 30), 1);
  ASSERT_EQ(createBlankSurface(1, 8, 31), 1);
  for (int32_t i = 0; i < 8; ++i) fillRect({i, 0, i + 1, 1}, 10 + static_cast<uint32_t>(i));
  grabBackBuffer(30, {0, 0, 8, 1});
  for (int32_t i = 0; i < 8; ++i) fillRect({0, i, 1, i + 1}, 10 + static_cast<uint32_t>(i));
  grabBackBuffer(31, {0, 0, 1, 8});
  ASSERT_EQ(copySlotToSlot(2, 0, {0, 0, 6, 1}, 30, 30), kGfxOk);
  ASSERT_EQ(copySlotToSlot(0, 2, {0, 0, 1, 6}, 31, 31), kGfxOk);
  EXPECT_EQ(slotContents(30), (std::vector<uint32_t>{10, 11, 10, 11, 12, 13, 14, 15}));
  EXPECT_EQ(slotContents(31), slotContents(30));
  ASSERT_EQ(copySlotToSlot(0, 0, {1, 0, 8, 1}, 30, 30), kGfxOk);
  ASSERT_EQ(copySlotToSlot(0, 0, {0, 1, 1, 8}, 31, 31), kGfxOk);
  EXPECT_EQ(slotContents(30), (std::vector<uint32_t>{11, 10, 11, 12, 13, 14, 15, 15}));
  EXPECT_EQ(slotContents(31), slotContents(30));
}

TEST_F(SoftGraphics, PresentHandsTheBackBufferToTheShell) {
  ASSERT_EQ(loadBitmap("Glyph", kGlyphSlot), 1);
  drawSprite(kScreenRect, 77, 22, {0, 0, 6, 6}, kGlyphSlot);
  const uint32_t before = presentedFrameCount();
  EXPECT_EQ(present(), kGfxOk);
  EXPECT_EQ(presentedFrameCount(), before + 1);
  const uint32_t* frame = lastPresentedFrame();
  EXPECT_EQ(std::vector<uint32_t>(frame, frame + kScreenWidth * kScreenHeight), paperWithGlyphAt(77, 22));
}

TEST_F(SoftGraphics, TextNeedsTheFontAndATarget) {
  ASSERT_EQ(createBlankSurface(8, 8, 40), 1);
  EXPECT_EQ(drawText(kTextOnBackBuffer, 0, 0, "T", 0x00FFFFFF), kGfxRefused);  // no font yet
  createFont(nullptr, 6, 12);
  for (int target : {41, kSurfaceSlotCount, kTextOnBackBuffer - 1})
    EXPECT_EQ(drawText(target, 0, 0, "T", 0x00FFFFFF), kGfxRefused) << target;
  deleteFont();
  EXPECT_EQ(drawText(40, 0, 0, "T", 0x00FFFFFF), kGfxRefused);
  EXPECT_EQ(backBuffer(), std::vector<uint32_t>(kScreenWidth * kScreenHeight, kPaper));
  EXPECT_EQ(slotContents(40), std::vector<uint32_t>(64, 0u));
}

namespace {
// Paper with a 'T' at (x, y): a three-pixel bar, a stem of five under its middle.
std::vector<uint32_t> paperWithTAt(int64_t x, int64_t y, uint32_t ink) {
  std::vector<uint32_t> want(kScreenWidth * kScreenHeight, kPaper);
  auto put = [&](int64_t px, int64_t py) {
    if (px >= 0 && px < kScreenWidth && py >= 0 && py < kScreenHeight) want[py * kScreenWidth + px] = ink;
  };
  for (int column = 0; column < 3; ++column) put(x + column, y);
  for (int row = 1; row < 6; ++row) put(x + 1, y + row);
  return want;
}
}  // namespace

TEST_F(SoftGraphics, TextSetsOnlyTheLettersPixelsInTheConvertedColour) {
  createFont(nullptr, 6, 12);
  // The full-width question mark starts 4 pixels on; the accented e, which
  // the font lacks, takes no room; the line break ends the text.
  ASSERT_EQ(drawText(kTextOnBackBuffer, 10, 20, "T\xC3\xA9\xEF\xBC\x9F\nT", 0x00332211), kGfxOk);
  const uint32_t ink = 0x00112233;
  std::vector<uint32_t> want = paperWithTAt(10, 20, ink);
  const Glyph* question = findGlyph(0xFF1F);
  ASSERT_NE(question, nullptr);
  for (int row = 0; row < kGlyphRows; ++row)
    for (int column = 0; column < 8; ++column)
      if (question->rows[row] & (0x80 >> column)) want[(20 + row) * kScreenWidth + 14 + column] = ink;
  EXPECT_EQ(backBuffer(), want);
  // Into a slot, its black stays black: the background is transparent.
  ASSERT_EQ(createBlankSurface(5, 3, 40), 1);
  ASSERT_EQ(drawText(40, 1, -1, "T", 0x00332211), kGfxOk);
  EXPECT_EQ(slotContents(40), (std::vector<uint32_t>{0, 0, ink, 0, 0, 0, 0, ink, 0, 0, 0, 0, ink, 0, 0}));
}

TEST_F(SoftGraphics, TextIsClippedToItsTarget) {
  createFont(nullptr, 6, 12);
  ASSERT_EQ(createBlankSurface(kScreenWidth, kScreenHeight, 41), 1);  // the memory just past the back buffer
  const int32_t positions[][2] = {{-1, 10},  {-2, -1}, {158, 10},       {40, 55},       {159, 59},
                                  {160, 10}, {40, 60}, {INT32_MAX, 10}, {INT32_MIN, 10}, {40, INT32_MAX}};
  for (const auto& p : positions) {
    fillRect(kScreenRect, kPaper);
    EXPECT_EQ(drawText(kTextOnBackBuffer, p[0], p[1], "T", 0x00FFFFFF), kGfxOk);
    EXPECT_EQ(backBuffer(), paperWithTAt(p[0], p[1], 0x00FFFFFF)) << "at " << p[0] << "," << p[1];
  }
  EXPECT_EQ(slotContents(41), std::vector<uint32_t>(kScreenWidth * kScreenHeight, 0u));
}

// A folder of the test's own, holding the base directory file pictures are
// named from while the test runs.
class SoftGraphicsFiles : public SoftGraphics {
 protected:
  void SetUp() override {
    SoftGraphics::SetUp();
    char pattern[] = "/tmp/pinwick-gfx-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
    base = root + "/base";
    std::filesystem::create_directories(base + "/sub");
    ASSERT_EQ(setBaseDirectory(base.c_str()), 1);
  }
  void TearDown() override {
    setBaseDirectory(nullptr);
    std::filesystem::remove_all(root);
    SoftGraphics::TearDown();
  }
  static void write(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  std::string root;
  std::string base;
};

TEST_F(SoftGraphicsFiles, NamesThatLeaveTheBaseDirectoryAreRefused) {
  // Each name finds something real, so only the checks can refuse it.
  const std::vector<uint8_t> mono = encodeBitmap(monoPicture());
  std::filesystem::create_directories(base + "/...");
  for (const std::string& path : {root + "/outside.bmp", base + "/sub/mono.bmp", base + "/C:mono.bmp",
                                  base + "/.../mono.bmp", base + "/aux.bmp", base + "/sub/Com1 .x.bmp",
                                  base + "/nul", base + "/LPT9.", base + "/com10.bmp", base + "/console.bmp"})
    write(path, mono);
  // What a name reaches is checked too: links (even to a picture inside)
  // and anything but a regular file, which must not hold the loader.
  std::filesystem::create_symlink(root + "/outside.bmp", base + "/out.bmp");
  std::filesystem::create_symlink("sub/mono.bmp", base + "/in.bmp");
  std::filesystem::create_directory_symlink(root, base + "/up");
  ASSERT_EQ(mkfifo((base + "/sub/fifo.bmp").c_str(), 0600), 0);
  const std::string absolute = base + "/sub/mono.bmp";
  ASSERT_EQ(loadBitmap("Checker", 2), 1);
  const std::vector<uint32_t> checker = slotContents(2);
  const int32_t area = surfaceAreaTotal();
  for (const char* name : {"", static_cast<const char*>(nullptr), "../outside.bmp", "sub/../../outside.bmp", "sub/..",
                           "C:mono.bmp", ".../mono.bmp", "\\sub\\mono.bmp", "sub\\..\\..\\outside.bmp", "aux.bmp",
                           "sub/Com1 .x.bmp", "nul", "LPT9.", "out.bmp", "in.bmp", "up/outside.bmp",
                           "up/base/sub/mono.bmp", "sub/fifo.bmp", "sub", "sub/"}) {
    const char* shown = name != nullptr ? name : "null";
    EXPECT_EQ(loadBitmapFile(name, 1), 0) << shown;
    EXPECT_EQ(reloadBitmapFile(name, 2), 0) << shown;
    EXPECT_TRUE(slotEmpty(1)) << shown;
    EXPECT_EQ(slotContents(2), checker) << shown;
    EXPECT_EQ(surfaceAreaTotal(), area) << shown;
  }
  EXPECT_EQ(loadBitmapFile("sub/mono.bmp", 1), 1);  // below the base directory is fine
  EXPECT_EQ(loadBitmapFile("com10.bmp", 3), 1);  // near misses are plain names
  EXPECT_EQ(loadBitmapFile("console.bmp", 4), 1);
  EXPECT_EQ(loadBitmapFile(".//sub/mono.bmp", 5), 1);  // "." and empty parts stay where they are
  // The base directory itself may be reached through a link.
  std::filesystem::create_directory_symlink(base, root + "/linked");
  ASSERT_EQ(setBaseDirectory((root + "/linked").c_str()), 1);
  EXPECT_EQ(loadBitmapFile("sub/mono.bmp", 7), 1);
  // "" is the current directory, where an absolute name would be found as it is.
  ASSERT_EQ(setBaseDirectory(""), 1);
  EXPECT_EQ(loadBitmapFile(absolute.c_str(), 6), 0);
  EXPECT_EQ(setBaseDirectory(nullptr), 0);  // the page: no folder at all
  EXPECT_EQ(loadBitmapFile("sub/mono.bmp", 6), 0);
}

TEST_F(SoftGraphicsFiles, APictureLoadsAndReloadsOverTheSurfaceItFinds) {
  write(base + "/glyph.bmp", encodeBitmap(glyphPicture()));          // 6 x 6
  write(base + "/sub/checker.bmp", encodeBitmap(checkerPicture()));  // 4 x 4
  ASSERT_EQ(loadBitmapFile("glyph.bmp", 1), 1);
  EXPECT_EQ(slotContents(1), expectedPixels(glyphPicture()));
  EXPECT_EQ(loadBitmapFile("glyph.bmp", 1), 0);    // occupied
  EXPECT_EQ(reloadBitmapFile("glyph.bmp", 2), 0);  // empty
  // Smaller: the checker covers the top-left 4 x 4, black included; the
  // glyph's last two columns and rows stay.
  ASSERT_EQ(reloadBitmapFile("sub/checker.bmp", 1), 1);
  std::vector<uint32_t> want = expectedPixels(glyphPicture());
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) want[y * 6 + x] = (x + y) % 2 == 0 ? 0u : 0x00FFFFFFu;
  EXPECT_EQ(slotContents(1), want);
  // Larger: only what fits the 4 x 4 surface is copied.
  ASSERT_EQ(loadBitmapFile("sub/checker.bmp", 2), 1);
  ASSERT_EQ(reloadBitmapFile("glyph.bmp", 2), 1);
  std::vector<uint32_t> corner;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) corner.push_back(glyphColour(x, y));
  EXPECT_EQ(slotContents(2), corner);
  EXPECT_EQ(surfaceAreaTotal(), 36 + 16);
}

TEST_F(SoftGraphicsFiles, ABadFileChangesNothing) {
  const std::vector<uint8_t> glyph = encodeBitmap(glyphPicture());
  write(base + "/truncated.bmp", std::vector<uint8_t>(glyph.begin(), glyph.end() - 1));
  // The glyph's last pixel, decoded last, uses its 37th colour: with one
  // colour fewer the decoding fails only after every other pixel is out.
  std::vector<uint8_t> lateFault = glyph;
  putU32(lateFault, kBmpColoursUsedAt, 36);
  write(base + "/late.bmp", lateFault);
  // A good picture at the start of a file larger than any picture may be.
  std::vector<uint8_t> huge = glyph;
  huge.resize(size_t{1} << 19);
  write(base + "/huge.bmp", huge);
  ASSERT_EQ(createBlankSurface(6, 6, 2), 1);
  fillSlotRect(2, {0, 0, 6, 6}, kPaper);
  const int32_t area = surfaceAreaTotal();
  for (const char* name : {"missing.bmp", "sub", "truncated.bmp", "late.bmp", "huge.bmp"}) {
    EXPECT_EQ(loadBitmapFile(name, 1), 0) << name;
    EXPECT_EQ(reloadBitmapFile(name, 2), 0) << name;
    EXPECT_TRUE(slotEmpty(1)) << name;
    EXPECT_EQ(slotContents(2), std::vector<uint32_t>(36, kPaper)) << name;
    EXPECT_EQ(surfaceAreaTotal(), area) << name;
  }
}

TEST_F(SoftGraphics, FreeingASlotTakesItsAreaOffAndLetsItBeFilledAgain) {
  EXPECT_EQ(surfaceAreaTotal(), 0);
  ASSERT_EQ(loadBitmap("Mono", 1), 1);  // 11 x 3
  ASSERT_EQ(createBlankSurface(160, 60, 2), 1);
  EXPECT_EQ(surfaceAreaTotal(), 33 + 9600);
  EXPECT_EQ(freeSurface(1), 1);
  EXPECT_TRUE(slotEmpty(1));
  EXPECT_EQ(surfaceAreaTotal(), 9600);
  EXPECT_EQ(freeSurface(1), 0);
  EXPECT_EQ(freeSurface(kSurfaceSlotCount), 0);
  EXPECT_EQ(surfaceAreaTotal(), 9600);
  // The newest surface's pixels go back to the pool: freeing and making it
  // again, more times than the pool could hold, never runs out.
  for (int round = 0; round < 200; ++round) {
    ASSERT_EQ(freeSurface(2), 1);
    ASSERT_EQ(createBlankSurface(160, 60, 2), 1) << round;
  }
  // A surface made after the freed one keeps its own pixels.
  ASSERT_EQ(loadBitmap("Mono", 1), 1);
  const std::vector<uint32_t> mono = slotContents(1);
  ASSERT_EQ(freeSurface(2), 1);
  ASSERT_EQ(createBlankSurface(160, 60, 3), 1);
  ASSERT_EQ(fillSlotRect(3, {0, 0, 160, 60}, kPaper), kGfxOk);
  EXPECT_EQ(slotContents(1), mono);
}

TEST_F(SoftGraphics, FillSlotRectIsTrimmedToTheSurface) {
  ASSERT_EQ(createBlankSurface(4, 3, 5), 1);
  EXPECT_EQ(fillSlotRect(5, {2, -5, 9, 2}, kPaper), kGfxOk);
  const uint32_t p = kPaper;
  EXPECT_EQ(slotContents(5), (std::vector<uint32_t>{0, 0, p, p, 0, 0, p, p, 0, 0, 0, 0}));
  EXPECT_EQ(fillSlotRect(5, {4, 0, 8, 3}, 1u), kGfxRefused);
  EXPECT_EQ(fillSlotRect(6, {0, 0, 1, 1}, 1u), kGfxRefused);
  EXPECT_EQ(backBuffer(), std::vector<uint32_t>(kScreenWidth * kScreenHeight, kPaper));
}
