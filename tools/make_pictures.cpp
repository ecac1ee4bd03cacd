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

#include "tools/png_writer.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr int kMaxPictureSide = 1024;
constexpr int kMaxIconSide = 255;  // one byte in the icon directory
constexpr int kPngIconSide = 256;  // written as 0 in the directory
constexpr int kPngIconBits = 32;
constexpr int kCursorSide = 32;
constexpr int kIconDepth = 4;
constexpr int kCursorDepth = 1;
constexpr int kMaxPngSide = 1024;
constexpr uint32_t kOpaque = 0xFF000000u;

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;
constexpr int kIconDirBytes = 6;
constexpr int kIconEntryBytes = 16;
constexpr int32_t kPixelsPerMetre = 2835;  // 72 dots per inch
constexpr uint16_t kIconType = 1;
constexpr uint16_t kCursorType = 2;

enum PictureKind { kBitmap, kIcon, kCursor };

// What a palette character stands for: a colour, or (icons and cursors only)
// a see-through or an inverting pixel.
enum EntryType { kColour, kNone, kInvert };

struct PaletteEntry {
  char symbol;
  EntryType type;
  uint32_t rgb;  // 0x00RRGGBB
  int index;     // colour table index of a kColour entry
};

struct Image {
  int width = 0;
  int height = 0;
  std::vector<int> entries;  // palette entry number per pixel, top row first
};

struct Picture {
  std::string source;
  PictureKind kind = kBitmap;
  std::string name;
  int depth = 0;
  int hotX = 0, hotY = 0;
  std::vector<PaletteEntry> palette;
  int colourCount = 0;
  std::vector<Image> images;
};

struct GridError {
  std::string text;
};

// ---- reading ---------------------------------------------------------------

std::vector<std::string> splitWords(const std::string& line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

[[noreturn]] void fail(const Picture& picture, int line, const std::string& what) {
  throw GridError{picture.source + ":" + std::to_string(line) + ": " + what};
}

int parseNumber(const Picture& picture, int line, const std::string& word, int low, int high,
                const char* what) {
  char* end = nullptr;
  long value = std::strtol(word.c_str(), &end, 10);
  if (word.empty() || *end != '\0' || value < low || value > high)
    fail(picture, line,
         std::string(what) + " '" + word + "' is not a number in " + std::to_string(low) + ".." +
             std::to_string(high));
  return static_cast<int>(value);
}

bool isBlank(const std::string& line) {
  for (char c : line)
    if (c != ' ' && c != '\t') return false;
  return true;
}

bool isComment(const std::string& line) {
  size_t i = line.find_first_not_of(" \t");
  return i != std::string::npos && line[i] == '#';
}

int findEntry(const Picture& picture, char symbol) {
  for (size_t i = 0; i < picture.palette.size(); ++i)
    if (picture.palette[i].symbol == symbol) return static_cast<int>(i);
  return -1;
}

void parseHeader(Picture& picture, int line, const std::vector<std::string>& w) {
  if (w[0] == "bitmap") {
    if (w.size() != 3) fail(picture, line, "expected 'bitmap NAME DEPTH'");
    picture.kind = kBitmap;
    picture.name = w[1];
    picture.depth = parseNumber(picture, line, w[2], 1, 4, "depth");
    if (picture.depth != 1 && picture.depth != 4) fail(picture, line, "depth must be 1 or 4");
  } else if (w[0] == "icon") {
    if (w.size() != 2) fail(picture, line, "expected 'icon NAME'");
    picture.kind = kIcon;
    picture.name = w[1];
    picture.depth = kIconDepth;
  } else if (w[0] == "cursor") {
    if (w.size() != 4) fail(picture, line, "expected 'cursor NAME HOTX HOTY'");
    picture.kind = kCursor;
    picture.name = w[1];
    picture.depth = kCursorDepth;
    picture.hotX = parseNumber(picture, line, w[2], 0, kCursorSide - 1, "hotspot x");
    picture.hotY = parseNumber(picture, line, w[3], 0, kCursorSide - 1, "hotspot y");
  } else {
    fail(picture, line, "expected 'bitmap', 'icon' or 'cursor', found '" + w[0] + "'");
  }
  for (char c : picture.name)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_'))
      fail(picture, line, "picture name '" + picture.name + "' may hold only letters, digits and '_'");
}

void parsePaletteLine(Picture& picture, int line, const std::string& text) {
  std::vector<std::string> w = splitWords(text);
  if (w.size() < 2 || w[0].size() != 1)
    fail(picture, line, "expected 'CHARACTER RRGGBB [note]' in the palette");
  PaletteEntry entry{w[0][0], kColour, 0, -1};
  if (entry.symbol == '#') fail(picture, line, "'#' cannot be a palette character");
  if (findEntry(picture, entry.symbol) >= 0)
    fail(picture, line, std::string("palette character '") + entry.symbol + "' is given twice");
  if (w[1] == "none" || w[1] == "invert") {
    if (picture.kind == kBitmap)
      fail(picture, line, "'" + w[1] + "' is only for icons and cursors; a bitmap's black is its key");
    if (w[1] == "invert" && picture.kind != kCursor)
      fail(picture, line, "'invert' is only for cursors");
    entry.type = w[1] == "none" ? kNone : kInvert;
  } else {
    bool hex = w[1].size() == 6;
    for (char c : w[1]) hex = hex && std::isxdigit(static_cast<unsigned char>(c));
    if (!hex) fail(picture, line, "colour '" + w[1] + "' is not six hex digits RRGGBB");
    entry.rgb = static_cast<uint32_t>(std::strtoul(w[1].c_str(), nullptr, 16));
    if (picture.kind == kCursor && entry.rgb != 0x000000 && entry.rgb != 0xFFFFFF)
      fail(picture, line, "a cursor has only 000000, FFFFFF, none and invert");
    // A cursor's colour table is always black, then white.
    entry.index = picture.kind == kCursor ? (entry.rgb == 0 ? 0 : 1) : picture.colourCount;
    ++picture.colourCount;
    if (picture.colourCount > (1 << picture.depth))
      fail(picture, line,
           "more than " + std::to_string(1 << picture.depth) + " colours for a " +
               std::to_string(picture.depth) + "-bit picture");
  }
  picture.palette.push_back(entry);
}

void checkImageSize(Picture& picture, int line, const Image& image) {
  if (picture.kind == kBitmap && !picture.images.empty())
    fail(picture, line, "a bitmap has exactly one 'pixels' block");
  if (picture.kind == kCursor && !picture.images.empty())
    fail(picture, line, "a cursor has exactly one 'pixels' block");
  if (picture.kind == kCursor && (image.width != kCursorSide || image.height != kCursorSide))
    fail(picture, line, "a cursor is 32 x 32");
  if (picture.kind == kIcon && (image.width > kMaxIconSide || image.height > kMaxIconSide))
    fail(picture, line, "an icon image is at most 255 x 255");
}

Picture readGrid(const char* path) {
  Picture picture;
  picture.source = path;
  FILE* file = std::fopen(path, "rb");
  if (file == nullptr) throw GridError{std::string(path) + ": cannot open the grid"};
  std::vector<std::string> lines;
  std::string current;
  int c;
  while ((c = std::fgetc(file)) != EOF) {
    if (c == '\n') {
      lines.push_back(current);
      current.clear();
    } else if (c != '\r') {
      current.push_back(static_cast<char>(c));
    }
  }
  if (!current.empty()) lines.push_back(current);
  std::fclose(file);

  enum Section { kStart, kHeader, kPalette } section = kStart;
  const int lineCount = static_cast<int>(lines.size());
  int n = 0;
  while (n < lineCount) {
    const int lineNumber = n + 1;
    const std::string& text = lines[n++];
    if (isBlank(text) || isComment(text)) continue;
    std::vector<std::string> w = splitWords(text);
    if (section == kStart) {
      parseHeader(picture, lineNumber, w);
      section = kHeader;
    } else if (w[0] == "palette" && w.size() == 1) {
      if (!picture.palette.empty() || !picture.images.empty())
        fail(picture, lineNumber, "only one palette per grid, before the pixels");
      section = kPalette;
    } else if (w[0] == "pixels") {
      if (picture.palette.empty()) fail(picture, lineNumber, "'pixels' before any palette");
      if (w.size() != 3) fail(picture, lineNumber, "expected 'pixels WIDTH HEIGHT'");
      Image image;
      image.width = parseNumber(picture, lineNumber, w[1], 1, kMaxPictureSide, "width");
      image.height = parseNumber(picture, lineNumber, w[2], 1, kMaxPictureSide, "height");
      checkImageSize(picture, lineNumber, image);
      for (int row = 0; row < image.height; ++row) {
        if (n >= lineCount)
          fail(picture, lineCount, "the grid ends after " + std::to_string(row) + " of " +
                                       std::to_string(image.height) + " rows");
        const int rowLine = n + 1;
        const std::string& pixels = lines[n++];
        if (static_cast<int>(pixels.size()) != image.width)
          fail(picture, rowLine,
               "row " + std::to_string(row) + " has " + std::to_string(pixels.size()) +
                   " pixels, expected " + std::to_string(image.width));
        for (int x = 0; x < image.width; ++x) {
          int entry = findEntry(picture, pixels[x]);
          if (entry < 0)
            fail(picture, rowLine,
                 std::string("unknown palette character '") + pixels[x] + "' in column " +
                     std::to_string(x));
          image.entries.push_back(entry);
        }
      }
      picture.images.push_back(image);
      section = kHeader;
    } else if (section == kPalette) {
      parsePaletteLine(picture, lineNumber, text);
    } else {
      fail(picture, lineNumber, "unexpected line '" + text + "'");
    }
  }
  if (section == kStart) fail(picture, 1, "empty grid");
  if (picture.images.empty()) fail(picture, lineCount, "the grid has no 'pixels' block");
  if (picture.kind != kBitmap) {
    // An icon's or cursor's colour table has a fixed size; the see-through
    // pixels take colour index 0 under a set mask bit.
    for (PaletteEntry& entry : picture.palette)
      if (entry.type != kColour) entry.index = 0;
  }
  return picture;
}

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
