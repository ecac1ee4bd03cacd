// make_pictures: turns the text grids of res/art/ into the game's BMP pictures,
// its icon (.ico) and its cursor (.cur), and the icon into the PNGs a Linux
// desktop shows. Run by the build; see res/README.md for the grid format.
//
//   make_pictures OUTDIR GRID...
//   make_pictures --icon-png OUTDIR ICONGRID SIZE...
//   make_pictures --windows-icon OUTFILE ICONGRID SIZE...
//
// The second form writes OUTDIR/SIZExSIZE.png for each SIZE: the largest of
// the icon's images whose side divides SIZE, each pixel magnified to a
// square block, see-through pixels transparent. The third writes one icon
// file with an image for each SIZE, magnified the same way where the grid
// has no image of that size: bitmaps as in the game's icon file, and the
// 256 x 256 image as a PNG, as Windows keeps its largest icons.
//
// Every grid is read and checked before anything is written; a malformed grid
// stops the run with "FILE:LINE: what is wrong" and exit status 1.
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/picture_grid.h"
#include "tools/png_writer.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr int kPngIconSide = 256;  // written as 0 in the directory
constexpr int kPngIconBits = 32;
constexpr int kMaxPngSide = 1024;
constexpr uint32_t kOpaque = 0xFF000000u;

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;
constexpr int kIconDirBytes = 6;
constexpr int kIconEntryBytes = 16;
constexpr int32_t kPixelsPerMetre = 2835;  // 72 dots per inch
constexpr uint16_t kIconType = 1;
constexpr uint16_t kCursorType = 2;

// ---- writing ---------------------------------------------------------------

void put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

int rowBytes(int width, int depth) { return ((width * depth + 31) / 32) * 4; }

void putInfoHeader(std::vector<uint8_t>& out, int width, int height, int depth, uint32_t imageBytes,
                   uint32_t colours) {
  put32(out, kInfoHeaderBytes);
  put32(out, static_cast<uint32_t>(width));
  put32(out, static_cast<uint32_t>(height));
  put16(out, 1);  // planes
  put16(out, static_cast<uint32_t>(depth));
  put32(out, 0);  // no compression
  put32(out, imageBytes);
  put32(out, kPixelsPerMetre);
  put32(out, kPixelsPerMetre);
  put32(out, colours);
  put32(out, 0);
}

void putColourTable(std::vector<uint8_t>& out, const Picture& picture, int slots) {
  std::vector<uint32_t> table(slots, 0);
  for (const PaletteEntry& entry : picture.palette)
    if (entry.type == kColour) table[entry.index] = entry.rgb;
  for (uint32_t rgb : table) {
    out.push_back(static_cast<uint8_t>(rgb));        // blue
    out.push_back(static_cast<uint8_t>(rgb >> 8));   // green
    out.push_back(static_cast<uint8_t>(rgb >> 16));  // red
    out.push_back(0);
  }
}

// Packs colour indices bottom row first, rows padded to four bytes, the
// leftmost pixel in the highest bits, as every bitmap stores them.
void putPixelRows(std::vector<uint8_t>& out, const Image& image, int depth,
                  const std::vector<int>& values) {
  const int stride = rowBytes(image.width, depth);
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(stride, 0);
    for (int x = 0; x < image.width; ++x) {
      int bit = x * depth;
      int shift = 8 - depth - bit % 8;
      row[bit / 8] = static_cast<uint8_t>(row[bit / 8] | (values[y * image.width + x] << shift));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

std::vector<int> colourIndices(const Picture& picture, const Image& image) {
  std::vector<int> values;
  for (int entry : image.entries) {
    const PaletteEntry& e = picture.palette[entry];
    // A cursor's inverting pixel is white under a set mask bit.
    values.push_back(e.type == kInvert ? 1 : e.index);
  }
  return values;
}

std::vector<int> maskBits(const Picture& picture, const Image& image) {
  std::vector<int> bits;
  for (int entry : image.entries) bits.push_back(picture.palette[entry].type == kColour ? 0 : 1);
  return bits;
}

std::vector<uint8_t> encodeBitmap(const Picture& picture) {
  const Image& image = picture.images[0];
  const int slots = 1 << picture.depth;
  const uint32_t imageBytes = static_cast<uint32_t>(rowBytes(image.width, picture.depth) * image.height);
  const uint32_t offset = kFileHeaderBytes + kInfoHeaderBytes + 4 * slots;
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  put32(out, offset + imageBytes);
  put32(out, 0);
  put32(out, offset);
  putInfoHeader(out, image.width, image.height, picture.depth, imageBytes, static_cast<uint32_t>(slots));
  putColourTable(out, picture, slots);
  putPixelRows(out, image, picture.depth, colourIndices(picture, image));
  return out;
}

// Icons and cursors share one container: a directory, then per image a
// bitmap header of double height, the colour table, the colour bits and the
// see-through mask (or, for a large icon image, a PNG file).
struct IconFileEntry {
  int width, height;
  int colours;     // 0 for a PNG image
  int planesOrHotX;
  int bitsOrHotY;
  std::vector<uint8_t> body;
};

std::vector<uint8_t> iconBitmapBody(const Picture& picture, const Image& image) {
  const int slots = 1 << picture.depth;
  std::vector<uint8_t> body;
  const uint32_t imageBytes = static_cast<uint32_t>(rowBytes(image.width, picture.depth) * image.height +
                                                    rowBytes(image.width, 1) * image.height);
  putInfoHeader(body, image.width, image.height * 2, picture.depth, imageBytes, 0);
  putColourTable(body, picture, slots);
  putPixelRows(body, image, picture.depth, colourIndices(picture, image));
  putPixelRows(body, image, 1, maskBits(picture, image));
  return body;
}

std::vector<uint8_t> iconFileBytes(uint16_t type, const std::vector<IconFileEntry>& entries) {
  std::vector<uint8_t> out;
  put16(out, 0);
  put16(out, type);
  put16(out, static_cast<uint32_t>(entries.size()));
  uint32_t offset = kIconDirBytes + kIconEntryBytes * static_cast<uint32_t>(entries.size());
  for (const IconFileEntry& entry : entries) {
    out.push_back(static_cast<uint8_t>(entry.width));  // 256 wraps to 0, as the format wants
    out.push_back(static_cast<uint8_t>(entry.height));
    out.push_back(static_cast<uint8_t>(entry.colours));
    out.push_back(0);
    put16(out, static_cast<uint32_t>(entry.planesOrHotX));
    put16(out, static_cast<uint32_t>(entry.bitsOrHotY));
    put32(out, static_cast<uint32_t>(entry.body.size()));
    put32(out, offset);
    offset += static_cast<uint32_t>(entry.body.size());
  }
  for (const IconFileEntry& entry : entries) out.insert(out.end(), entry.body.begin(), entry.body.end());
  return out;
}

std::vector<uint8_t> encodeIconFile(const Picture& picture) {
  const bool cursor = picture.kind == kCursor;
  std::vector<IconFileEntry> entries;
  for (const Image& image : picture.images)
    entries.push_back({image.width, image.height, 1 << picture.depth, cursor ? picture.hotX : 1,
                       cursor ? picture.hotY : picture.depth, iconBitmapBody(picture, image)});
  return iconFileBytes(cursor ? kCursorType : kIconType, entries);
}

const char* extensionOf(PictureKind kind) {
  switch (kind) {
    case kBitmap: return ".bmp";
    case kIcon: return ".ico";
    case kCursor: return ".cur";
  }
  return "";
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fclose(file) == 0 && ok;
  return ok;
}

// The icon at side x side, from the largest of its images whose side divides
// side; no pixels when none does.
Image magnifiedImage(const Picture& picture, int side) {
  const Image* best = nullptr;
  for (const Image& image : picture.images)
    if (image.width == image.height && side % image.width == 0 && (best == nullptr || image.width > best->width))
      best = &image;
  Image out;
  if (best == nullptr) return out;
  const int factor = side / best->width;
  out.width = out.height = side;
  out.entries.resize(static_cast<size_t>(side) * side);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x)
      out.entries[static_cast<size_t>(y) * side + x] = best->entries[(y / factor) * best->width + x / factor];
  return out;
}

std::vector<uint32_t> argbPixels(const Picture& picture, const Image& image) {
  std::vector<uint32_t> pixels;
  for (int entry : image.entries) {
    const PaletteEntry& e = picture.palette[entry];
    pixels.push_back(e.type == kColour ? (kOpaque | e.rgb) : 0);
  }
  return pixels;
}

// The icon at side x side as 0xAARRGGBB, or empty when no image of it fits
// a whole number of times.
std::vector<uint32_t> magnifiedIcon(const Picture& picture, int side) {
  return argbPixels(picture, magnifiedImage(picture, side));
}

int writeIconPngs(int argc, char** argv) {
  std::vector<int> sides;
  Picture picture;
  try {
    picture = readGrid(argv[3]);
    if (picture.kind != kIcon) throw GridError{picture.source + ":1: not an icon"};
    for (int i = 4; i < argc; ++i)
      sides.push_back(parseNumber(picture, 1, argv[i], 1, kMaxPngSide, "icon size"));
  } catch (const GridError& error) {
    std::fprintf(stderr, "make_pictures: %s\n", error.text.c_str());
    return kExitFailed;
  }
  for (int side : sides) {
    std::vector<uint32_t> pixels = magnifiedIcon(picture, side);
    if (pixels.empty()) {
      std::fprintf(stderr, "make_pictures: %s: no image of the icon magnifies to %d x %d\n", argv[3], side, side);
      return kExitFailed;
    }
    std::string path = std::string(argv[2]) + "/" + std::to_string(side) + "x" + std::to_string(side) + ".png";
    if (!writeFile(path, encodePngWithAlpha(pixels.data(), side, side))) {
      std::fprintf(stderr, "make_pictures: cannot write %s\n", path.c_str());
      return kExitFailed;
    }
  }
  return kExitOk;
}

// Windows Vista and later read the 256 x 256 image as a PNG; older systems,
// which cannot, never ask for that size.
int writeWindowsIcon(int argc, char** argv) {
  Picture picture;
  std::vector<IconFileEntry> entries;
  try {
    picture = readGrid(argv[3]);
    if (picture.kind != kIcon) throw GridError{picture.source + ":1: not an icon"};
    for (int i = 4; i < argc; ++i) {
      const int side = parseNumber(picture, 1, argv[i], 1, kPngIconSide, "icon size");
      const Image image = magnifiedImage(picture, side);  // the grid's own at its sizes
      if (image.entries.empty())
        throw GridError{picture.source + ": no image of the icon magnifies to " + std::to_string(side) + " x " +
                        std::to_string(side)};
      if (side == kPngIconSide)
        entries.push_back({side, side, 0, 1, kPngIconBits,
                           encodePngWithAlpha(argbPixels(picture, image).data(), side, side)});
      else
        entries.push_back({side, side, 1 << picture.depth, 1, picture.depth, iconBitmapBody(picture, image)});
    }
  } catch (const GridError& error) {
    std::fprintf(stderr, "make_pictures: %s\n", error.text.c_str());
    return kExitFailed;
  }
  if (!writeFile(argv[2], iconFileBytes(kIconType, entries))) {
    std::fprintf(stderr, "make_pictures: cannot write %s\n", argv[2]);
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 5 && std::strcmp(argv[1], "--icon-png") == 0) return writeIconPngs(argc, argv);
  if (argc >= 5 && std::strcmp(argv[1], "--windows-icon") == 0) return writeWindowsIcon(argc, argv);
  if (argc < 3 || argv[1][0] == '-') {
    std::fputs("usage: make_pictures OUTDIR GRID...\n"
               "       make_pictures --icon-png OUTDIR ICONGRID SIZE...\n"
               "       make_pictures --windows-icon OUTFILE ICONGRID SIZE...\n",
               stderr);
    return kExitUsage;
  }
  std::vector<Picture> pictures;
  try {
    for (int i = 2; i < argc; ++i) {
      Picture picture = readGrid(argv[i]);
      for (const Picture& earlier : pictures)
        if (earlier.name == picture.name && earlier.kind == picture.kind)
          throw GridError{picture.source + ":1: picture '" + picture.name + "' is also made by " +
                          earlier.source};
      pictures.push_back(picture);
    }
  } catch (const GridError& error) {
    std::fprintf(stderr, "make_pictures: %s\n", error.text.c_str());
    return kExitFailed;
  }
  for (const Picture& picture : pictures) {
    std::string path = std::string(argv[1]) + "/" + picture.name + extensionOf(picture.kind);
    std::vector<uint8_t> bytes = picture.kind == kBitmap ? encodeBitmap(picture) : encodeIconFile(picture);
    if (!writeFile(path, bytes)) {
      std::fprintf(stderr, "make_pictures: cannot write %s\n", path.c_str());
      return kExitFailed;
    }
  }
  return kExitOk;
}
