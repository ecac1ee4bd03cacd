// The game's pictures as the game loads them (sizes, depths, the black key,
// every frame it draws), the icon and cursor files, the picture generator on
// good and bad grids, the PNG writer and the contact sheet command.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gfx/bmp_decode.h"
#include "gfx/resources.h"
#include "tools/picture_frames.h"
#include "tests/png_read.h"
#include "tools/png_writer.h"

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kKey = 0x000000;

struct Decoded {
  int width = 0, height = 0, depth = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

uint32_t le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

Decoded decodeEmbedded(const char* name) {
  Decoded d;
  size_t size = 0;
  const uint8_t* bytes = findResource(name, &size);
  if (bytes == nullptr || size < 54) return d;
  d.depth = bytes[28] | bytes[29] << 8;
  int w = 0, h = 0;
  if (!readBitmapSize(bytes, size, &w, &h)) return d;
  d.pixels.assign(static_cast<size_t>(w) * h, 0xFFFFFFFF);
  if (!decodeBitmap(bytes, size, d.pixels.data(), d.pixels.size(), &d.width, &d.height)) d.pixels.clear();
  return d;
}

bool anyVisible(const Decoded& d, FrameRect r) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (d.at(x, y) != kKey) return true;
  return false;
}

bool sameArea(const Decoded& d, FrameRect a, FrameRect b) {
  for (int y = 0; y < a.bottom - a.top; ++y)
    for (int x = 0; x < a.right - a.left; ++x)
      if (d.at(a.left + x, a.top + y) != d.at(b.left + x, b.top + y)) return false;
  return true;
}

std::vector<uint8_t> readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeText(const fs::path& path, const std::string& text) { std::ofstream(path) << text; }

struct RunResult {
  int status;
  std::string errors;
};

RunResult run(const std::string& command, const fs::path& scratch) {
  fs::path err = scratch / "stderr.txt";
  int raw = std::system((command + " 2> '" + err.string() + "'").c_str());
  std::vector<uint8_t> text = readFile(err);
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, std::string(text.begin(), text.end())};
}

// A fresh directory under the system's temporary one, removed again when the
// test is done.
struct ScratchDir {
  fs::path path;
  explicit ScratchDir(const char* name)
      : path(fs::temp_directory_path() / ("pinwick_pictures_" + std::to_string(getpid()) + "_" + name)) {
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~ScratchDir() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
  operator const fs::path&() const { return path; }
  fs::path operator/(const char* name) const { return path / name; }
  fs::path operator/(const fs::path& name) const { return path / name; }
};

std::vector<std::string> artGrids() {
  std::vector<std::string> grids;
  for (const fs::directory_entry& e : fs::directory_iterator(PINWICK_ART_DIR))
    if (e.path().extension() == ".txt") grids.push_back(e.path().string());
  std::sort(grids.begin(), grids.end());
  return grids;
}

std::string generatorCommand(const fs::path& out, const std::vector<std::string>& grids) {
  std::string command = std::string("'") + PINWICK_MAKE_PICTURES + "' '" + out.string() + "'";
  for (const std::string& g : grids) command += " '" + g + "'";
  return command;
}

// The picture and, when it has words, its English twin.
std::vector<const char*> inEveryLanguage(const char* name) {
  std::vector<const char*> names{name};
  for (const EnglishPicture& e : kEnglishPictures)
    if (std::strcmp(e.japanese, name) == 0) names.push_back(e.english);
  return names;
}

// ---- the embedded pictures ---------------------------------------------------

TEST(Pictures, EveryPictureHasItsSizeAndDepthInEveryLanguage) {
  for (const PictureInfo& info : kPictures)
    for (const char* name : inEveryLanguage(info.name)) {
      SCOPED_TRACE(name);
      Decoded d = decodeEmbedded(name);
      ASSERT_FALSE(d.pixels.empty()) << "missing or undecodable";
      EXPECT_EQ(d.width, info.width);
      EXPECT_EQ(d.height, info.height);
      EXPECT_EQ(d.depth, info.depth);
    }
}

TEST(Pictures, OpaquePicturesHaveNoBlackPixel) {
  for (const PictureInfo& info : kPictures) {
    if (!info.opaque) continue;
    for (const char* name : inEveryLanguage(info.name)) {
      SCOPED_TRACE(name);
      Decoded d = decodeEmbedded(name);
      int black = 0;
      for (uint32_t p : d.pixels) black += p == kKey;
      EXPECT_EQ(black, 0);
    }
  }
}

TEST(Pictures, EveryFrameTheGameDrawsHoldsSomethingVisible) {
  for (const PictureFrame& frame : kPictureFrames)
    for (const char* name : inEveryLanguage(frame.picture)) {
      SCOPED_TRACE(std::string(name) + ": " + frame.what);
      Decoded d = decodeEmbedded(name);
      ASSERT_FALSE(d.pixels.empty());
      ASSERT_LE(frame.rect.right, d.width);
      ASSERT_LE(frame.rect.bottom, d.height);
      EXPECT_TRUE(anyVisible(d, frame.rect));
    }
}

// The English twins change the words and nothing else: the faces, the
// figure, the banner and the cards' stones stay the Japanese pictures' own.
TEST(Pictures, EnglishPicturesChangeOnlyTheirWords) {
  struct Words {
    const char* name;
    std::vector<FrameRect> words;
  };
  std::vector<FrameRect> faceWords;
  for (int i = 0; i < 14; ++i) faceWords.push_back({(i % 6) * 24, (i / 6) * 32, (i % 6) * 24 + 24, (i / 6) * 32 + 8});
  faceWords.push_back({272, 0, 320, 64});
  const Words pictures[] = {{"Face", faceWords},
                            {"turnWhite_s", {{0, 35, 64, 43}}},
                            {"turnBlack_s", {{0, 35, 64, 43}}},
                            {"turnNone_s", {{0, 35, 64, 43}}},
                            {"Pass_s", {{0, 3, 72, 10}}},
                            {"Copy", {{0, 8, 160, 16}}}};
  ASSERT_EQ(sizeof pictures / sizeof pictures[0], static_cast<size_t>(kEnglishPictureCount));
  for (const Words& p : pictures) {
    SCOPED_TRACE(p.name);
    const std::vector<const char*> names = inEveryLanguage(p.name);
    ASSERT_EQ(names.size(), 2u);
    Decoded ja = decodeEmbedded(names[0]), en = decodeEmbedded(names[1]);
    ASSERT_EQ(ja.pixels.size(), en.pixels.size());
    auto unchanged = [&](FrameRect r) {
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
          if (ja.at(x, y) != en.at(x, y)) return false;
      return true;
    };
    for (const FrameRect& r : p.words) EXPECT_FALSE(unchanged(r)) << "the Japanese words at " << r.left << "," << r.top;
    int outside = 0;
    for (int y = 0; y < ja.height; ++y)
      for (int x = 0; x < ja.width; ++x) {
        bool inWords = false;
        for (const FrameRect& r : p.words) inWords |= x >= r.left && x < r.right && y >= r.top && y < r.bottom;
        outside += !inWords && ja.at(x, y) != en.at(x, y);
      }
    EXPECT_EQ(outside, 0) << "pixels changed outside the words";
  }
}

TEST(Pictures, SquaresAreSolidAndStonesHaveSeeThroughCorners) {
  Decoded d = decodeEmbedded("Stone_s");
  ASSERT_FALSE(d.pixels.empty());
  // The empty and the highlighted square cover their whole 6 x 6.
  for (FrameRect square : {FrameRect{0, 0, 6, 6}, FrameRect{0, 6, 6, 12}})
    for (int y = square.top; y < square.bottom; ++y)
      for (int x = square.left; x < square.right; ++x) EXPECT_NE(d.at(x, y), kKey) << x << "," << y;
  EXPECT_FALSE(sameArea(d, {0, 0, 6, 6}, {0, 6, 6, 12})) << "the hover mark must show";
  for (int left : {6, 12}) {
    SCOPED_TRACE(left == 6 ? "white stone" : "red stone");
    for (int x : {left, left + 5})
      for (int y : {0, 5}) EXPECT_EQ(d.at(x, y), kKey) << x << "," << y;
    EXPECT_NE(d.at(left + 2, 2), kKey);
  }
  // The stones are told apart by colour: white is bright, red is red.
  uint32_t white = d.at(8, 2), red = d.at(14, 2);
  EXPECT_GT(white & 0xFF, 0xC0u);
  EXPECT_GT((red >> 16) & 0xFF, 2 * (red & 0xFF));
}

TEST(Pictures, OneBitPicturesUseTheirColour) {
  struct Expect {
    const char* name;
    bool (*fits)(uint32_t);
  };
  const Expect expectations[] = {
      {"Loading", [](uint32_t p) { return (p & 0xFF) > ((p >> 16) & 0xFF) && (p & 0xFF) > 0xC0; }},
      {"numWhite", [](uint32_t p) { return (p & 0xFF) > 0xC0 && ((p >> 8) & 0xFF) > 0xC0 && (p >> 16) > 0xC0; }},
      {"numRed", [](uint32_t p) { return (p >> 16) > 0xC0 && (p & 0xFF) < 0x80; }},
  };
  for (const Expect& e : expectations) {
    SCOPED_TRACE(e.name);
    Decoded d = decodeEmbedded(e.name);
    for (uint32_t p : d.pixels) {
      if (p == kKey) continue;
      ASSERT_TRUE(e.fits(p)) << std::hex << p;
    }
  }
}

TEST(Pictures, EachMoodKeepsItsCaptionAndChangesItsPose) {
  for (const char* name : inEveryLanguage("Face")) {
    SCOPED_TRACE(name);
    Decoded d = decodeEmbedded(name);
    ASSERT_FALSE(d.pixels.empty());
    auto frame = [](int i) { return FrameRect{(i % 6) * 24, (i / 6) * 32, (i % 6) * 24 + 24, (i / 6) * 32 + 32}; };
    auto caption = [](FrameRect r) { return FrameRect{r.left, r.top, r.right, r.top + 8}; };
    auto pose = [](FrameRect r) { return FrameRect{r.left, r.top + 8, r.right, r.bottom}; };
    for (int mood = 0; mood < 7; ++mood) {
      SCOPED_TRACE(mood);
      FrameRect a = frame(2 * mood), b = frame(2 * mood + 1);
      EXPECT_TRUE(anyVisible(d, caption(a)));
      EXPECT_TRUE(sameArea(d, caption(a), caption(b)));
      EXPECT_FALSE(sameArea(d, pose(a), pose(b)));
      for (int other = 0; other < mood; ++other)
        EXPECT_FALSE(sameArea(d, caption(a), caption(frame(2 * other)))) << "same caption as mood " << other;
    }
    // The eight caption lines and the six figure poses are all different.
    for (int i = 0; i < 8; ++i)
      for (int j = 0; j < i; ++j) EXPECT_FALSE(sameArea(d, {272, 8 * i, 320, 8 * i + 8}, {272, 8 * j, 320, 8 * j + 8}));
    const FrameRect poses[] = {{144, 0, 168, 24},  {168, 0, 192, 24},  {144, 24, 168, 48},
                               {168, 24, 192, 48}, {192, 24, 216, 48}, {216, 24, 240, 48}};
    for (int i = 0; i < 6; ++i)
      for (int j = 0; j < i; ++j) EXPECT_FALSE(sameArea(d, poses[i], poses[j])) << i << " and " << j;
  }
}

TEST(Pictures, CardLooksDifferBetweenNormalAndHighlighted) {
  for (const char* card : {"turnNone_s", "turnWhite_s", "turnBlack_s"})
    for (const char* name : inEveryLanguage(card)) {
      Decoded d = decodeEmbedded(name);
      EXPECT_FALSE(sameArea(d, {0, 0, 32, 48}, {32, 0, 64, 48})) << name;
    }
  for (const char* name : inEveryLanguage("Pass_s")) {
    SCOPED_TRACE(name);
    Decoded pass = decodeEmbedded(name);
    EXPECT_FALSE(sameArea(pass, {0, 0, 24, 12}, {24, 0, 48, 12}));
    EXPECT_FALSE(sameArea(pass, {0, 0, 24, 12}, {48, 0, 72, 12}));
    // The disabled look is grey: red, green and blue close together.
    for (int y = 0; y < 12; ++y)
      for (int x = 48; x < 72; ++x) {
        uint32_t p = pass.at(x, y);
        int r = p >> 16, g = (p >> 8) & 0xFF, b = p & 0xFF;
        EXPECT_LE(std::max({r, g, b}) - std::min({r, g, b}), 0x40) << x << "," << y;
      }
  }
}

// ---- icon and cursor ---------------------------------------------------------

TEST(Pictures, IconAndCursorFilesHoldTheirImages) {
  std::vector<uint8_t> icon = readFile(fs::path(PINWICK_PICTURE_DIR) / "ICON_MAIN.ico");
  ASSERT_GE(icon.size(), 6u + 2 * 16u);
  EXPECT_EQ(icon[2] | icon[3] << 8, 1);  // icon
  ASSERT_EQ(icon[4] | icon[5] << 8, 2);
  const int sides[] = {16, 32};
  for (int i = 0; i < 2; ++i) {
    const uint8_t* entry = &icon[6 + 16 * i];
    EXPECT_EQ(entry[0], sides[i]);
    EXPECT_EQ(entry[1], sides[i]);
    EXPECT_EQ(entry[6] | entry[7] << 8, 4);  // bits per pixel
    uint32_t bytes = le32(entry + 8), offset = le32(entry + 12);
    ASSERT_LE(offset + bytes, icon.size());
    EXPECT_EQ(static_cast<int>(le32(&icon[offset + 8])), 2 * sides[i]);  // colour bits and mask
  }

  std::vector<uint8_t> cursor = readFile(fs::path(PINWICK_PICTURE_DIR) / "CURSOR_S.cur");
  ASSERT_GE(cursor.size(), 6u + 16u + 40u + 8u + 2 * 128u);
  EXPECT_EQ(cursor[2] | cursor[3] << 8, 2);  // cursor
  ASSERT_EQ(cursor[4] | cursor[5] << 8, 1);
  EXPECT_EQ(cursor[6], 32);
  EXPECT_EQ(cursor[7], 32);
  int hotX = cursor[10] | cursor[11] << 8, hotY = cursor[12] | cursor[13] << 8;
  uint32_t offset = le32(&cursor[18]);
  const uint8_t* header = &cursor[offset];
  EXPECT_EQ(header[14] | header[15] << 8, 1);  // monochrome
  // The hotspot pixel is drawn (mask bit clear), not see-through.
  const uint8_t* mask = header + 40 + 8 + 32 * 4;
  int row = 31 - hotY;  // rows are stored bottom-up
  EXPECT_EQ((mask[row * 4 + hotX / 8] >> (7 - hotX % 8)) & 1, 0) << hotX << "," << hotY;
}

// ---- the generator -------------------------------------------------------------

TEST(Generator, GivesTheSameBytesEveryRun) {
  ScratchDir first("first"), second("second");
  std::vector<std::string> grids = artGrids();
  ASSERT_EQ(run(generatorCommand(first, grids), first).status, 0);
  ASSERT_EQ(run(generatorCommand(second, grids), second).status, 0);
  int files = 0;
  for (const fs::directory_entry& e : fs::directory_iterator(first.path)) {
    if (e.path().filename() == "stderr.txt") continue;
    ++files;
    EXPECT_EQ(readFile(e.path()), readFile(second / e.path().filename())) << e.path();
  }
  EXPECT_EQ(files, kPictureCount + 2);  // the bitmaps, the icon and the cursor
  // And what the build embedded is what the generator writes.
  size_t size = 0;
  const uint8_t* bytes = findResource("Face", &size);
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + size), readFile(first / "Face.bmp"));
}

TEST(Generator, StopsOnAMalformedGridNamingFileAndLine) {
  const std::string header = "# a test grid\nbitmap Tiny 4\npalette\n. 000000 key\nw FFFFFF white\npixels 4 2\n";
  struct Case {
    const char* what;
    std::string text;
    int line;
    const char* message;
  };
  const Case cases[] = {
      {"short row", header + "w..w\nw.w\n", 8, "row 1 has 3 pixels, expected 4"},
      {"long row", header + "w..ww\nw..w\n", 7, "row 0 has 5 pixels, expected 4"},
      {"unknown character", header + "w..w\nw.xw\n", 8, "unknown palette character 'x'"},
      {"missing rows", header + "w..w\n", 7, "ends after 1 of 2 rows"},
      {"bad colour", "bitmap Tiny 4\npalette\n. 000000\nw FFFFFG\npixels 1 1\nw\n", 4, "not six hex digits"},
      {"too many colours", "bitmap Tiny 1\npalette\n. 000000\nw FFFFFF\nr FF0000\npixels 1 1\nw\n", 5,
       "more than 2 colours"},
      {"twice the same character", "bitmap Tiny 4\npalette\n. 000000\n. FFFFFF\npixels 1 1\n.\n", 4,
       "given twice"},
      {"unknown header", "picture Tiny 4\n", 1, "expected 'bitmap', 'icon' or 'cursor'"},
  };
  ScratchDir dir("bad");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::path grid = dir / "bad.txt";
    writeText(grid, c.text);
    fs::path out = dir / "out";
    fs::create_directories(out);
    RunResult result = run(generatorCommand(out, {grid.string()}), dir);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find(grid.string() + ":" + std::to_string(c.line) + ": "), std::string::npos)
        << result.errors;
    EXPECT_NE(result.errors.find(c.message), std::string::npos) << result.errors;
    EXPECT_FALSE(fs::exists(out / "Tiny.bmp")) << "nothing is written from a bad grid";
  }
}

TEST(Generator, WritesTheBitmapItWasGiven) {
  ScratchDir dir("good");
  writeText(dir / "tiny.txt",
            "bitmap Tiny 4\npalette\n. 000000\nw FFFFFF\nr FF0000\npixels 3 2\nwr.\n.rw\n");
  ASSERT_EQ(run(generatorCommand(dir, {(dir / "tiny.txt").string()}), dir).status, 0);
  std::vector<uint8_t> bytes = readFile(dir / "Tiny.bmp");
  uint32_t pixels[6];
  int w = 0, h = 0;
  ASSERT_EQ(decodeBitmap(bytes.data(), bytes.size(), pixels, 6, &w, &h), 1);
  EXPECT_EQ(w, 3);
  EXPECT_EQ(h, 2);
  const uint32_t expected[] = {0xFFFFFF, 0xFF0000, 0, 0, 0xFF0000, 0xFFFFFF};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(pixels[i], expected[i]) << i;
  EXPECT_EQ(bytes[28], 4);  // stays 4-bit though it needs only three colours
}

// ---- PNG writing and the sheet ---------------------------------------------------

// Both kinds of file read back as the pixels given (RGB as opaque), every
// CRC and the zlib stream sound.
TEST(PngWriter, RoundTripsPixelsWithAndWithoutAlpha) {
  const int w = 200, h = 150;
  std::vector<uint32_t> pixels(w * h);
  for (int i = 0; i < w * h; ++i) pixels[i] = static_cast<uint32_t>(i * 2654435761u);
  for (bool alpha : {false, true}) {
    std::vector<uint8_t> png = alpha ? encodePngWithAlpha(pixels.data(), w, h) : encodePng(pixels.data(), w, h);
    PngPicture picture;
    std::string error;
    ASSERT_TRUE(readPng(png, &picture, &error)) << error;
    ASSERT_EQ(picture.width, w);
    ASSERT_EQ(picture.height, h);
    for (int i = 0; i < w * h; ++i)
      ASSERT_EQ(picture.pixels[i], alpha ? pixels[i] : (pixels[i] | 0xFF000000u)) << i % w << "," << i / w;
  }
}

TEST(SheetCommand, WritesAPngOrNamesTheFileItCannotWrite) {
  ScratchDir dir("sheet");
  fs::path sheet = dir / "sheet.png";
  std::string tool = std::string("'") + PINWICK_TOOL + "' sheet ";
  ASSERT_EQ(run(tool + "'" + sheet.string() + "'", dir).status, 0);
  PngPicture picture;
  std::string error;
  ASSERT_TRUE(readPng(readFile(sheet), &picture, &error)) << error;
  EXPECT_GE(picture.width, 160 * 4);  // the sheet is wider than the screen at 4x

  fs::path unwritable = dir / "missing" / "sheet.png";
  RunResult failed = run(tool + "'" + unwritable.string() + "'", dir);
  EXPECT_EQ(failed.status, 1);
  EXPECT_NE(failed.errors.find(unwritable.string() + ": No such file or directory"), std::string::npos) << failed.errors;

  EXPECT_EQ(run(tool, dir).status, 2);
}

}  // namespace
