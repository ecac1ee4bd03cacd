// The bitmap decoder and the embedded resource table.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "gfx/bmp_decode.h"
#include "gfx/resources.h"
#include "tests/test_gfx_bmp_writer.h"

namespace {
constexpr int kUntouched = -77;

struct Decoded {
  int ok;
  int width;
  int height;
  std::vector<uint32_t> pixels;
};

Decoded decode(const std::vector<uint8_t>& bytes, size_t capacity = 1 << 16) {
  Decoded d{0, kUntouched, kUntouched, std::vector<uint32_t>(capacity, 0xDEADBEEF)};
  d.ok = decodeBitmap(bytes.data(), bytes.size(), d.pixels.data(), capacity, &d.width, &d.height);
  if (d.ok) d.pixels.resize(static_cast<size_t>(d.width) * d.height);
  return d;
}

void expectDecodesTo(const std::vector<uint8_t>& bytes, const TestBitmap& picture) {
  Decoded d = decode(bytes);
  ASSERT_EQ(d.ok, 1);
  EXPECT_EQ(d.width, picture.width);
  EXPECT_EQ(d.height, picture.height);
  EXPECT_EQ(d.pixels, expectedPixels(picture));
}

void expectRefused(const std::vector<uint8_t>& bytes, const char* what) {
  Decoded d = decode(bytes);
  EXPECT_EQ(d.ok, 0) << what;
  EXPECT_EQ(d.width, kUntouched) << what;
  EXPECT_EQ(d.height, kUntouched) << what;
}

// The same bitmap with a larger info header: the extra bytes sit between the
// 40-byte header and the palette.
std::vector<uint8_t> withInfoHeaderSize(std::vector<uint8_t> b, uint32_t size) {
  b.insert(b.begin() + kBmpPaletteAt, size - 40, 0);
  putU32(b, kBmpInfoSizeAt, size);
  putU32(b, kBmpPixelOffsetAt, static_cast<uint32_t>(b[kBmpPixelOffsetAt] | (b[kBmpPixelOffsetAt + 1] << 8)) + size - 40);
  return b;
}
}  // namespace

TEST(DecodeBitmap, DecodesEveryDepthInBothRowOrders) {
  for (TestBitmap picture : {monoPicture(), checkerPicture(), glyphPicture(), backgroundPicture()}) {
    SCOPED_TRACE(picture.bitsPerPixel);
    expectDecodesTo(encodeBitmap(picture), picture);
    picture.topDown = !picture.topDown;
    expectDecodesTo(encodeBitmap(picture), picture);
  }
}

TEST(DecodeBitmap, ReadsTheSizeFromTheHeadersAlone) {
  const std::vector<uint8_t> bytes = encodeBitmap(monoPicture());
  int width = 0;
  int height = 0;
  ASSERT_EQ(readBitmapSize(bytes.data(), bytes.size(), &width, &height), 1);
  EXPECT_EQ(width, 11);
  EXPECT_EQ(height, 3);
}

TEST(DecodeBitmap, AcceptsTheLargerInfoHeaders) {
  const TestBitmap picture = checkerPicture();
  for (uint32_t size : {52u, 56u, 108u, 124u}) {
    SCOPED_TRACE(size);
    expectDecodesTo(withInfoHeaderSize(encodeBitmap(picture), size), picture);
  }
}

TEST(DecodeBitmap, ColoursUsedZeroMeansTheFullPalette) {
  TestBitmap picture = checkerPicture();
  picture.palette.resize(16, 0x00112233);
  std::vector<uint8_t> bytes = encodeBitmap(picture);
  putU32(bytes, kBmpColoursUsedAt, 0);
  expectDecodesTo(bytes, picture);
}

TEST(DecodeBitmap, IgnoresTheRowPaddingBits) {
  // 11 one-bit pixels leave 21 padding bits per row; with a two-colour
  // palette, set padding bits would be out-of-palette indices.
  const TestBitmap picture = monoPicture();
  std::vector<uint8_t> bytes = encodeBitmap(picture);
  const size_t pixelOffset = bytes[kBmpPixelOffsetAt];
  for (size_t row = 0; row < 3; ++row) {
    bytes[pixelOffset + row * 4 + 1] |= 0x1F;
    bytes[pixelOffset + row * 4 + 2] = 0xFF;
    bytes[pixelOffset + row * 4 + 3] = 0xFF;
  }
  expectDecodesTo(bytes, picture);
}

TEST(DecodeBitmap, RefusesEveryTruncation) {
  const std::vector<uint8_t> bytes = encodeBitmap(checkerPicture());
  for (size_t length = 0; length < bytes.size(); ++length) {
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + length);
    Decoded d = decode(cut);
    EXPECT_EQ(d.ok, 0) << "length " << length;
    int w = 0, h = 0;
    EXPECT_EQ(readBitmapSize(cut.data(), cut.size(), &w, &h), 0) << "length " << length;
  }
}

TEST(DecodeBitmap, RefusesMalformedAndUnsupportedHeaders) {
  const std::vector<uint8_t> good = encodeBitmap(checkerPicture());
  struct Poke {
    const char* what;
    size_t at;
    int bytes;
    uint32_t value;
  };
  const Poke pokes[] = {
      {"magic", 0, 2, 0x4142},
      {"core header", kBmpInfoSizeAt, 4, 12},
      {"unknown header size", kBmpInfoSizeAt, 4, 64},
      {"header past the end", kBmpInfoSizeAt, 4, 0xFFFFFFFF},
      {"24 bits", kBmpBitsAt, 2, 24},
      {"2 bits", kBmpBitsAt, 2, 2},
      {"0 bits", kBmpBitsAt, 2, 0},
      {"32 bits", kBmpBitsAt, 2, 32},
      {"run-length 8", kBmpCompressionAt, 4, 1},
      {"run-length 4", kBmpCompressionAt, 4, 2},
      {"bit fields", kBmpCompressionAt, 4, 3},
      {"no planes", kBmpPlanesAt, 2, 0},
      {"two planes", kBmpPlanesAt, 2, 2},
      {"zero width", kBmpWidthAt, 4, 0},
      {"negative width", kBmpWidthAt, 4, static_cast<uint32_t>(-4)},
      {"width too large", kBmpWidthAt, 4, kBitmapMaxSide + 1},
      {"width huge", kBmpWidthAt, 4, 0x7FFFFFFF},
      {"zero height", kBmpHeightAt, 4, 0},
      {"most negative height", kBmpHeightAt, 4, 0x80000000u},
      {"height too large", kBmpHeightAt, 4, kBitmapMaxSide + 1},
      {"top-down height too large", kBmpHeightAt, 4, static_cast<uint32_t>(-(kBitmapMaxSide + 1))},
      {"more colours than the depth has", kBmpColoursUsedAt, 4, 17},
      {"colours used huge", kBmpColoursUsedAt, 4, 0x40000000},
      {"pixels inside the palette", kBmpPixelOffsetAt, 4, kBmpPaletteAt + 4},
      {"pixels past the end", kBmpPixelOffsetAt, 4, 0xFFFFFFF0},
      {"width needs more rows than the file has", kBmpWidthAt, 4, 9},
  };
  for (const Poke& poke : pokes) {
    std::vector<uint8_t> bad = good;
    if (poke.bytes == 2) {
      putU16(bad, poke.at, poke.value);
    } else {
      putU32(bad, poke.at, poke.value);
    }
    expectRefused(bad, poke.what);
  }
}

TEST(DecodeBitmap, RefusesAPaletteIndexBeyondThePalette) {
  TestBitmap picture = checkerPicture();  // two colours in a 4-bit picture
  picture.indices[5] = 2;
  expectRefused(encodeBitmap(picture), "index 2 of 2");
  picture.indices[5] = 15;
  expectRefused(encodeBitmap(picture), "index 15 of 2");
}

TEST(DecodeBitmap, RefusesPalettesThatDoNotFit) {
  // A 4-bit picture using index 15 whose file holds two palette entries but
  // claims sixteen: entry 15 would lie past the end of the file.
  TestBitmap picture = checkerPicture();
  std::vector<uint8_t> bytes = encodeBitmap(picture);
  putU32(bytes, kBmpColoursUsedAt, 16);
  bytes[kBmpPaletteAt + 8] = 0xF0;  // first pixel: index 15
  expectRefused(bytes, "palette claimed past the pixels");

  // Seventeen real entries are more than four bits can index.
  picture = checkerPicture();
  picture.palette.resize(17, 0x00445566);
  expectRefused(encodeBitmap(picture), "17 colours in 4 bits");
  picture.palette.resize(16);
  expectDecodesTo(encodeBitmap(picture), picture);
}

TEST(DecodeBitmap, RefusesTooLittleRoomAndNullBuffers) {
  const std::vector<uint8_t> bytes = encodeBitmap(checkerPicture());  // 16 pixels
  std::vector<uint32_t> pixels(16, 0);
  int width = kUntouched;
  int height = kUntouched;
  EXPECT_EQ(decodeBitmap(bytes.data(), bytes.size(), pixels.data(), 15, &width, &height), 0);
  EXPECT_EQ(decodeBitmap(bytes.data(), bytes.size(), nullptr, 16, &width, &height), 0);
  EXPECT_EQ(decodeBitmap(nullptr, bytes.size(), pixels.data(), 16, &width, &height), 0);
  EXPECT_EQ(width, kUntouched);
  EXPECT_EQ(decodeBitmap(bytes.data(), bytes.size(), pixels.data(), 16, &width, &height), 1);
  EXPECT_EQ(width, 4);
}

TEST(ResourceTable, FindsNamesWithoutRegardToCase) {
  size_t size = 0;
  const uint8_t* stored = findResource("BACK_S", &size);
  ASSERT_NE(stored, nullptr);
  const std::vector<uint8_t> expected = encodeBitmap(backgroundPicture());
  ASSERT_EQ(size, expected.size());
  EXPECT_EQ(std::memcmp(stored, expected.data(), size), 0);
  for (const char* name : {"back_s", "Back_S", "bACK_s"}) {
    size_t other = 0;
    EXPECT_EQ(findResource(name, &other), stored) << name;
    EXPECT_EQ(other, size) << name;
  }
  EXPECT_NE(findResource("GLYPH", &size), nullptr);
  EXPECT_NE(findResource("Checker", &size), nullptr);
}

TEST(ResourceTable, MissingNamesGiveNullAndSizeZero) {
  for (const char* name : {"", "back", "back_s2", "back_t", "Glyph ", "Mono.bmp"}) {
    size_t size = 99;
    EXPECT_EQ(findResource(name, &size), nullptr) << name;
    EXPECT_EQ(size, 0u) << name;
  }
  size_t size = 99;
  EXPECT_EQ(findResource(nullptr, &size), nullptr);
  EXPECT_EQ(size, 0u);
}
