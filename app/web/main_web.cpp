// The page's entry point: the player's choices as the page checked them, the
// recording when asked for, the page's menus, callbacks and canvas, then the
// game. A page has no second copy to guard against and no files of its own:
// the recording lives in the page's memory until it is saved.
#include <emscripten.h>

#include "app/game_main.h"
#include "app/game_options.h"
#include "app/recorder.h"
#include "app/web/shell_web.h"
#include "host/texts.h"
#include "host/window_proc.h"
#include "scenes/driver.h"
#include "scenes/match.h"

namespace {
const char kRecordingPath[] = "/pinwick-run.txt";
const char kTracePath[] = "/pinwick-run.trace";
}  // namespace

// The page has read and checked the address and storage (page.js): the
// game takes the choices its settings bar shows, never a word of the
// address as it stands.
EM_JS(int, pageGameLevel, (), { return Pinwick.gameLevel(); });
EM_JS(int, pageGameTwoPlayers, (), { return Pinwick.gameTwoPlayers(); });
EM_JS(int, pageGameRecords, (), { return Pinwick.gameRecords(); });
EM_JS(int, pageGameLanguage, (), { return Pinwick.gameLanguage(); });

EM_JS(void, pageOfferFiles, (const char* recording, const char* trace),
      { Pinwick.offerFiles(UTF8ToString(recording), UTF8ToString(trace)); });

EM_JS(void, pageGameEnded, (int exitCode), { Pinwick.gameEnded(exitCode); });

// Before the page offers the recording for download.
extern "C" EMSCRIPTEN_KEEPALIVE void pageFlushFiles() { flushRecording(); }

// The player chose another language: the dialogs' texts and the pictures
// change at once. The recording keeps the language the game started in.
extern "C" EMSCRIPTEN_KEEPALIVE void pageSetLanguage(int language) {
  setTextLanguage(language);
  reloadLanguagePictures();
}

namespace {
// The page keeps mute to itself (the volume's mute, which can change at
// once), so the game's own stays off.
GameOptions pageGameOptions() {
  GameOptions options = kDefaultGameOptions;
  const int level = pageGameLevel();
  if (level >= 0 && level <= kMatchLevel) options.level = level;
  options.twoPlayers = pageGameTwoPlayers() != 0;
  options.language = pageGameLanguage() == kLanguageEnglish ? kLanguageEnglish : kLanguageJapanese;
  return options;
}
}  // namespace

int main() {
  const GameOptions options = pageGameOptions();
  if (pageGameRecords()) {
    openRecording(kRecordingPath);
    openLiveTrace(kTracePath);
    pageOfferFiles(kRecordingPath, kTracePath);
  }
  applyGameOptions(options);
  recordGameOptions(options);
  openPage();
  windowProcedure(kWmCreate, 0, 0);

  const int exitCode = runGame(nullptr);
  finishRecording(exitCode);
  pageGameEnded(exitCode);
  return exitCode;
}
