// The text grids of res/art/ (see res/README.md): a header, a palette and
// one or more images of one character a pixel, read and checked whole.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

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

// word as a number in low..high; anything else throws GridError naming what
// and the picture's source line.
int parseNumber(const Picture& picture, int line, const std::string& word, int low, int high,
                const char* what);

// The grid at path, checked; a malformed one throws GridError with
// "FILE:LINE: what is wrong".
Picture readGrid(const char* path);
