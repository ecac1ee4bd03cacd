// Reading and checking the text grids of res/art/.
#include "tools/picture_grid.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int kMaxPictureSide = 1024;
constexpr int kMaxIconSide = 255;  // one byte in the icon directory
constexpr int kCursorSide = 32;
constexpr int kIconDepth = 4;
constexpr int kCursorDepth = 1;

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
}  // namespace

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
