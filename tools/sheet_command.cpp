// pinwick-tool sheet: every picture the game loads, enlarged four times,
// labelled, with the frames the game draws outlined, plus the game's screens
// as a headless run of the player draws them, all on one PNG.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/headless/shell_headless.h"
#include "gfx/bmp_decode.h"
#include "gfx/gfx.h"
#include "gfx/resources.h"
#include "host/output_file.h"
#include "host/texts.h"
#include "scenes/driver.h"
#include "tools/picture_frames.h"
#include "tools/png_writer.h"
#include "tools/tool_commands.h"

namespace {

const char kSheetUsage[] = "usage: pinwick-tool sheet OUT.png|-\n";

int usageError(const std::string& what) {
  std::fprintf(stderr, "pinwick-tool sheet: %s\n%s", what.c_str(), kSheetUsage);
  return kExitUsage;
}

constexpr int kScale = 4;
constexpr int kSheetWidth = 1360;
constexpr int kMargin = 24;
constexpr int kGap = 24;
constexpr int kLabelScale = 2;
constexpr int kLabelGlyphRows = 9;
constexpr int kLabelHeight = kLabelGlyphRows * kLabelScale + 8;
constexpr int kCheckerSide = 8;  // sheet pixels; two picture pixels at 4x

constexpr uint32_t kSheetColour = 0x6E6E72;
constexpr uint32_t kCheckerDark = 0x38383C;
constexpr uint32_t kCheckerLight = 0x48484C;
constexpr uint32_t kOutlineColour = 0xFF4CFF;
constexpr uint32_t kLabelColour = 0xFFFFFF;
constexpr uint32_t kLabelShadow = 0x202024;
constexpr uint32_t kKey = 0x000000;

// The screens come from one run of the player: its seed and seconds make
// the same run every time, and these frames of it show each scene.
constexpr uint32_t kPlayerSeed = 4;
constexpr int kPlayerSeconds = 0;
struct Screen {
  const char* label;
  int32_t frame;
  int32_t scene;
};
constexpr Screen kScreens[] = {
    {"title", 40, kSceneTitle},
    {"match", 3000, kSceneMatch},
    {"match over", 7130, kSceneMatch},
    {"ending", 7382, kSceneEnding},
    {"ending: the banner arrives", 7651, kSceneEnding},
    {"game over", 29700, kSceneGameOver},
};
constexpr int kScreenCount = sizeof kScreens / sizeof kScreens[0];
// In English, the screens up to the last with words (game over has none).
constexpr int kEnglishScreenCount = kScreenCount - 1;
// Shown at 1:1 as well: the match, the title and the ending's banner.
constexpr int kLifeSizeScreens[] = {1, 0, 4};

// ---- the label font: 9 rows, up to 5 columns, bit 4 the leftmost ---------

struct LabelGlyph {
  char ch;
  int width;
  uint8_t rows[kLabelGlyphRows];
};

const LabelGlyph kLabelFont[] = {
    {' ', 3, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {'!', 1, {0x10, 0x10, 0x10, 0x10, 0x10, 0x00, 0x10, 0x00, 0x00}},
    {'\'', 1, {0x10, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {'(', 2, {0x08, 0x10, 0x10, 0x10, 0x10, 0x10, 0x08, 0x00, 0x00}},
    {')', 2, {0x10, 0x08, 0x08, 0x08, 0x08, 0x08, 0x10, 0x00, 0x00}},
    {'+', 5, {0x00, 0x04, 0x04, 0x1F, 0x04, 0x04, 0x00, 0x00, 0x00}},
    {',', 2, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x10, 0x00}},
    {'-', 4, {0x00, 0x00, 0x00, 0x1E, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {'.', 1, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00}},
    {'/', 5, {0x01, 0x02, 0x02, 0x04, 0x08, 0x08, 0x10, 0x00, 0x00}},
    {'0', 5, {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E, 0x00, 0x00}},
    {'1', 3, {0x08, 0x18, 0x08, 0x08, 0x08, 0x08, 0x1C, 0x00, 0x00}},
    {'2', 5, {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F, 0x00, 0x00}},
    {'3', 5, {0x1E, 0x01, 0x01, 0x0E, 0x01, 0x01, 0x1E, 0x00, 0x00}},
    {'4', 5, {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02, 0x00, 0x00}},
    {'5', 5, {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E, 0x00, 0x00}},
    {'6', 5, {0x0E, 0x10, 0x10, 0x1E, 0x11, 0x11, 0x0E, 0x00, 0x00}},
    {'7', 5, {0x1F, 0x01, 0x02, 0x04, 0x04, 0x04, 0x04, 0x00, 0x00}},
    {'8', 5, {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E, 0x00, 0x00}},
    {'9', 5, {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x01, 0x0E, 0x00, 0x00}},
    {':', 1, {0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00}},
    {'=', 4, {0x00, 0x00, 0x1E, 0x00, 0x1E, 0x00, 0x00, 0x00, 0x00}},
    {'?', 5, {0x0E, 0x11, 0x01, 0x06, 0x04, 0x00, 0x04, 0x00, 0x00}},
    {'@', 5, {0x0E, 0x11, 0x17, 0x15, 0x17, 0x10, 0x0F, 0x00, 0x00}},
    {'A', 5, {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11, 0x00, 0x00}},
    {'B', 5, {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E, 0x00, 0x00}},
    {'C', 5, {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E, 0x00, 0x00}},
    {'D', 5, {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E, 0x00, 0x00}},
    {'E', 5, {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F, 0x00, 0x00}},
    {'F', 5, {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10, 0x00, 0x00}},
    {'G', 5, {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F, 0x00, 0x00}},
    {'H', 5, {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11, 0x00, 0x00}},
    {'I', 3, {0x1C, 0x08, 0x08, 0x08, 0x08, 0x08, 0x1C, 0x00, 0x00}},
    {'J', 5, {0x07, 0x02, 0x02, 0x02, 0x12, 0x12, 0x0C, 0x00, 0x00}},
    {'K', 5, {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11, 0x00, 0x00}},
    {'L', 5, {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F, 0x00, 0x00}},
    {'M', 5, {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11, 0x00, 0x00}},
    {'N', 5, {0x11, 0x19, 0x15, 0x15, 0x13, 0x11, 0x11, 0x00, 0x00}},
    {'O', 5, {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E, 0x00, 0x00}},
    {'P', 5, {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10, 0x00, 0x00}},
    {'Q', 5, {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D, 0x00, 0x00}},
    {'R', 5, {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11, 0x00, 0x00}},
    {'S', 5, {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E, 0x00, 0x00}},
    {'T', 5, {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04, 0x00, 0x00}},
    {'U', 5, {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E, 0x00, 0x00}},
    {'V', 5, {0x11, 0x11, 0x11, 0x11, 0x0A, 0x0A, 0x04, 0x00, 0x00}},
    {'W', 5, {0x11, 0x11, 0x11, 0x15, 0x15, 0x1B, 0x11, 0x00, 0x00}},
    {'X', 5, {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11, 0x00, 0x00}},
    {'Y', 5, {0x11, 0x11, 0x0A, 0x04, 0x04, 0x04, 0x04, 0x00, 0x00}},
    {'Z', 5, {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F, 0x00, 0x00}},
    {'_', 4, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1E, 0x00}},
    {'a', 4, {0x00, 0x00, 0x0E, 0x02, 0x0E, 0x12, 0x0E, 0x00, 0x00}},
    {'b', 4, {0x10, 0x10, 0x1C, 0x12, 0x12, 0x12, 0x1C, 0x00, 0x00}},
    {'c', 4, {0x00, 0x00, 0x0E, 0x10, 0x10, 0x10, 0x0E, 0x00, 0x00}},
    {'d', 4, {0x02, 0x02, 0x0E, 0x12, 0x12, 0x12, 0x0E, 0x00, 0x00}},
    {'e', 4, {0x00, 0x00, 0x0C, 0x12, 0x1E, 0x10, 0x0E, 0x00, 0x00}},
    {'f', 4, {0x06, 0x08, 0x1C, 0x08, 0x08, 0x08, 0x08, 0x00, 0x00}},
    {'g', 4, {0x00, 0x00, 0x0E, 0x12, 0x12, 0x12, 0x0E, 0x02, 0x1C}},
    {'h', 4, {0x10, 0x10, 0x1C, 0x12, 0x12, 0x12, 0x12, 0x00, 0x00}},
    {'i', 2, {0x08, 0x00, 0x18, 0x08, 0x08, 0x08, 0x08, 0x00, 0x00}},
    {'j', 3, {0x04, 0x00, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x04, 0x18}},
    {'k', 4, {0x10, 0x10, 0x12, 0x14, 0x18, 0x14, 0x12, 0x00, 0x00}},
    {'l', 2, {0x18, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x00, 0x00}},
    {'m', 5, {0x00, 0x00, 0x1E, 0x15, 0x15, 0x15, 0x15, 0x00, 0x00}},
    {'n', 4, {0x00, 0x00, 0x1C, 0x12, 0x12, 0x12, 0x12, 0x00, 0x00}},
    {'o', 4, {0x00, 0x00, 0x0C, 0x12, 0x12, 0x12, 0x0C, 0x00, 0x00}},
    {'p', 4, {0x00, 0x00, 0x1C, 0x12, 0x12, 0x12, 0x1C, 0x10, 0x10}},
    {'q', 4, {0x00, 0x00, 0x0E, 0x12, 0x12, 0x12, 0x0E, 0x02, 0x02}},
    {'r', 3, {0x00, 0x00, 0x14, 0x18, 0x10, 0x10, 0x10, 0x00, 0x00}},
    {'s', 4, {0x00, 0x00, 0x0E, 0x10, 0x0C, 0x02, 0x1C, 0x00, 0x00}},
    {'t', 4, {0x08, 0x08, 0x1C, 0x08, 0x08, 0x08, 0x06, 0x00, 0x00}},
    {'u', 4, {0x00, 0x00, 0x12, 0x12, 0x12, 0x12, 0x0E, 0x00, 0x00}},
    {'v', 5, {0x00, 0x00, 0x11, 0x11, 0x0A, 0x0A, 0x04, 0x00, 0x00}},
    {'w', 5, {0x00, 0x00, 0x11, 0x11, 0x15, 0x15, 0x0A, 0x00, 0x00}},
    {'x', 4, {0x00, 0x00, 0x12, 0x12, 0x0C, 0x12, 0x12, 0x00, 0x00}},
    {'y', 4, {0x00, 0x00, 0x12, 0x12, 0x12, 0x12, 0x0E, 0x02, 0x1C}},
    {'z', 4, {0x00, 0x00, 0x1E, 0x04, 0x08, 0x10, 0x1E, 0x00, 0x00}},
    {'{', 3, {0x04, 0x08, 0x08, 0x10, 0x08, 0x08, 0x04, 0x00, 0x00}},
    {'}', 3, {0x10, 0x08, 0x08, 0x04, 0x08, 0x08, 0x10, 0x00, 0x00}},
};

const LabelGlyph* findGlyph(char ch) {
  for (const LabelGlyph& glyph : kLabelFont)
    if (glyph.ch == ch) return &glyph;
  return findGlyph('?');
}

// ---- images -----------------------------------------------------------------

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

Image blankImage(int width, int height, uint32_t colour) {
  Image image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<size_t>(width) * height, colour);
  return image;
}

void putPixel(Image& image, int x, int y, uint32_t colour) {
  if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
  image.pixels[static_cast<size_t>(y) * image.width + x] = colour;
}

uint32_t pixelAt(const Image& image, int x, int y) {
  return image.pixels[static_cast<size_t>(y) * image.width + x];
}

void fillBox(Image& image, int x0, int y0, int x1, int y1, uint32_t colour) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) putPixel(image, x, y, colour);
}

int labelWidth(const std::string& text) {
  int width = 0;
  for (char ch : text) width += (findGlyph(ch)->width + 1) * kLabelScale;
  return width;
}

void drawLabel(Image& sheet, int x, int y, const std::string& text) {
  for (char ch : text) {
    const LabelGlyph* glyph = findGlyph(ch);
    for (int row = 0; row < kLabelGlyphRows; ++row)
      for (int col = 0; col < glyph->width; ++col) {
        if (!(glyph->rows[row] & (0x10 >> col))) continue;
        int px = x + col * kLabelScale, py = y + row * kLabelScale;
        fillBox(sheet, px + 1, py + 1, px + 1 + kLabelScale, py + 1 + kLabelScale, kLabelShadow);
        fillBox(sheet, px, py, px + kLabelScale, py + kLabelScale, kLabelColour);
      }
    x += (glyph->width + 1) * kLabelScale;
  }
}

// Decodes the embedded bitmap of that name, exactly as the game loads it.
bool loadPicture(const char* name, Image& image) {
  size_t size = 0;
  const uint8_t* bytes = findResource(name, &size);
  int width = 0, height = 0;
  if (bytes == nullptr || !readBitmapSize(bytes, size, &width, &height)) return false;
  image = blankImage(width, height, kKey);
  return decodeBitmap(bytes, size, image.pixels.data(), image.pixels.size(), &image.width, &image.height) == 1;
}

// Draws image scaled up at (x, y); with checker set, see-through pixels show
// as a checkerboard so that they stand apart from dark ink.
void drawEnlarged(Image& sheet, const Image& image, int x, int y, int scale, bool checker) {
  for (int py = 0; py < image.height * scale; ++py)
    for (int px = 0; px < image.width * scale; ++px) {
      uint32_t p = pixelAt(image, px / scale, py / scale);
      if (checker && p == kKey)
        p = ((px / kCheckerSide + py / kCheckerSide) % 2) ? kCheckerLight : kCheckerDark;
      putPixel(sheet, x + px, y + py, p);
    }
}

// A frame's outline runs along the last sheet pixel before each of its
// edges, so neighbouring frames share one line.
void outlineFrame(Image& sheet, int x, int y, FrameRect rect) {
  int left = x + rect.left * kScale - 1, right = x + rect.right * kScale - 1;
  int top = y + rect.top * kScale - 1, bottom = y + rect.bottom * kScale - 1;
  for (int px = left; px <= right; ++px) {
    putPixel(sheet, px, top, kOutlineColour);
    putPixel(sheet, px, bottom, kOutlineColour);
  }
  for (int py = top; py <= bottom; ++py) {
    putPixel(sheet, left, py, kOutlineColour);
    putPixel(sheet, right, py, kOutlineColour);
  }
}

// ---- the screens ------------------------------------------------------------

// Plays the player's run headless and keeps the screens; false, with a
// message, when a frame does not show its scene (the game has changed: pick
// new frames).
bool playScreens(int language, Image screens[], int count) {
  HeadlessRunOptions run;
  run.monkey = 1;
  run.player = 1;
  run.monkeySeed = kPlayerSeed;
  run.game.language = language;
  run.events.push_back({0, kEventSeconds, kPlayerSeconds, 0});
  for (int i = 0; i < count; ++i) run.shotFrames.push_back(kScreens[i].frame);
  run.frameLimit = kScreens[count - 1].frame;
  const HeadlessRunResult result = runHeadlessGame(run);
  for (int i = 0; i < count; ++i) {
    if (result.shots[i].empty() || result.shotScenes[i] != kScreens[i].scene) {
      std::fprintf(stderr, "pinwick-tool sheet: frame %d of the player's run does not show the %s\n",
                   kScreens[i].frame, kScreens[i].label);
      return false;
    }
    screens[i].width = kScreenWidth;
    screens[i].height = kScreenHeight;
    screens[i].pixels = result.shots[i];
  }
  return true;
}

// ---- layout -----------------------------------------------------------------

struct Panel {
  std::string label;
  const Image* image;
  int scale;
  bool checker;
  const char* framesOf;  // picture whose frames are outlined, or nullptr
  int x = 0, y = 0;
};

int panelWidth(const Panel& panel) {
  int w = panel.image->width * panel.scale;
  int l = labelWidth(panel.label);
  return w > l ? w : l;
}

int panelHeight(const Panel& panel) { return kLabelHeight + panel.image->height * panel.scale; }

// Places panels left to right, starting a new row when one does not fit.
int layOut(std::vector<Panel>& panels) {
  int x = kMargin, y = kMargin, rowHeight = 0;
  for (Panel& panel : panels) {
    if (x > kMargin && x + panelWidth(panel) > kSheetWidth - kMargin) {
      x = kMargin;
      y += rowHeight + kGap;
      rowHeight = 0;
    }
    panel.x = x;
    panel.y = y;
    x += panelWidth(panel) + kGap;
    if (panelHeight(panel) > rowHeight) rowHeight = panelHeight(panel);
  }
  return y + rowHeight + kMargin;
}

std::string pictureLabel(const PictureInfo& info) {
  int frames = 0;
  for (const PictureFrame& frame : kPictureFrames)
    if (std::strcmp(frame.picture, info.name) == 0) ++frames;
  std::string label = std::string(info.name) + "  " + std::to_string(info.width) + " x " +
                      std::to_string(info.height) + ", " + std::to_string(info.depth) + "-bit";
  if (info.opaque) label += ", opaque";
  if (frames > 1) label += ", " + std::to_string(frames) + " frames";
  return label;
}

// The order of the panels on the sheet, chosen so the rows pack well.
const char* const kSheetOrder[] = {"Face",       "back_s",      "Effect_s",    "Title",   "turnWhite_s",
                                   "turnBlack_s", "turnNone_s", "Stone_s",     "Pass_s",  "GameOver",
                                   "Loading",     "numWhite",   "numRed",      "Copy"};

}  // namespace

int runSheetCommand(int argc, char** argv) {
  if (argc == 1 && std::strcmp(argv[0], "--help") == 0) {
    std::fputs(kSheetUsage, stdout);
    return kExitOk;
  }
  if (argc != 1) return usageError("expected one output file");
  if (const char* wrong = fileNameProblem(argv[0])) return usageError(quotedWord(argv[0]) + ": " + wrong);
  const char* path = argv[0];

  Image pictures[kPictureCount];
  Image english[kEnglishPictureCount];
  for (int i = 0; i < kPictureCount + kEnglishPictureCount; ++i) {
    const char* name = i < kPictureCount ? kPictures[i].name : kEnglishPictures[i - kPictureCount].english;
    if (!loadPicture(name, i < kPictureCount ? pictures[i] : english[i - kPictureCount])) {
      std::fprintf(stderr, "pinwick-tool sheet: picture '%s' is missing or cannot be decoded\n", name);
      return kExitFailed;
    }
  }

  // The Japanese pictures, then the English ones in their place, outlined
  // with the same frames.
  std::vector<Panel> panels;
  for (int language : {kLanguageJapanese, kLanguageEnglish})
    for (const char* name : kSheetOrder)
      for (int i = 0; i < kPictureCount; ++i) {
        if (std::strcmp(kPictures[i].name, name) != 0) continue;
        if (language == kLanguageJapanese) {
          panels.push_back({pictureLabel(kPictures[i]), &pictures[i], kScale, true, kPictures[i].name});
          continue;
        }
        for (int e = 0; e < kEnglishPictureCount; ++e)
          if (std::strcmp(kEnglishPictures[e].japanese, name) == 0)
            panels.push_back({std::string(kEnglishPictures[e].english) + pictureLabel(kPictures[i]).substr(
                                                                             std::strlen(name)),
                              &english[e], kScale, true, kPictures[i].name});
      }

  Image screens[kScreenCount];
  Image englishScreens[kEnglishScreenCount];
  if (!playScreens(kLanguageJapanese, screens, kScreenCount) ||
      !playScreens(kLanguageEnglish, englishScreens, kEnglishScreenCount))
    return kExitFailed;
  for (int i : kLifeSizeScreens)
    panels.push_back({std::string(kScreens[i].label) + " 1:1", &screens[i], 1, false, nullptr});
  for (int i : kLifeSizeScreens)
    panels.push_back({std::string(kScreens[i].label) + " 1:1 en", &englishScreens[i], 1, false, nullptr});
  for (int i = 0; i < kScreenCount; ++i) {
    panels.push_back({kScreens[i].label, &screens[i], kScale, false, nullptr});
    if (i < kEnglishScreenCount)
      panels.push_back({std::string(kScreens[i].label) + " en", &englishScreens[i], kScale, false, nullptr});
  }

  Image sheet = blankImage(kSheetWidth, layOut(panels), kSheetColour);
  for (const Panel& panel : panels) {
    drawLabel(sheet, panel.x, panel.y, panel.label);
    int top = panel.y + kLabelHeight;
    drawEnlarged(sheet, *panel.image, panel.x, top, panel.scale, panel.checker);
    if (panel.framesOf == nullptr) continue;
    for (const PictureFrame& frame : kPictureFrames)
      if (std::strcmp(frame.picture, panel.framesOf) == 0) outlineFrame(sheet, panel.x, top, frame.rect);
  }

  const std::vector<uint8_t> png = encodePng(sheet.pixels.data(), sheet.width, sheet.height);
  if (int why = writeWholeFile(path, png.data(), png.size())) {
    reportOutputFailure("pinwick-tool sheet", path, why);
    return kExitFailed;
  }
  return kExitOk;
}
