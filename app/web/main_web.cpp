// The page's entry point: the player's choices as the page checked them, or
// those of the shared run the address holds; the recording, which is kept
// for sharing the run and offered as files when asked for; the page's
// menus, callbacks and canvas, then the game. A page has no second copy to
// guard against and no files of its own: the recording lives in the page's
// memory until it is saved or shared.
#include <emscripten.h>

#include <string>

#include "app/game_main.h"
#include "app/game_options.h"
#include "app/recorder.h"
#include "app/web/replay_web.h"
#include "app/web/shell_web.h"
#include "host/input.h"
#include "host/texts.h"
#include "host/window_proc.h"
#include "scenes/driver.h"
#include "scenes/match.h"
#include "sound/device_web.h"

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

// The shared run in the address, decoded and checked for size by the page
// (page_share.js): its length in bytes, 0 for none; then its bytes.
EM_ASYNC_JS(int, pageSharedRunBytes, (), { return await Pinwick.sharedRunBytes(); });
EM_JS(void, pageTakeSharedRun, (char* into), { HEAPU8.set(Pinwick.takeSharedRun(), into); });
EM_JS(void, pageShareRefused, (int why, const char* version, const char* reason),
      { Pinwick.shareRefused(why, UTF8ToString(version), UTF8ToString(reason)); });
EM_JS(void, pageReplayStarts, (int lastFrame), { Pinwick.replayStarts(lastFrame); });

// Before the page offers the recording for download.
extern "C" EMSCRIPTEN_KEEPALIVE void pageFlushFiles() { flushRecording(); }

// The player chose another language: the dialogs' texts and the pictures
// change at once. The recording keeps the language the game started in.
extern "C" EMSCRIPTEN_KEEPALIVE void pageSetLanguage(int language) {
  setTextLanguage(language);
  reloadLanguagePictures();
}

namespace {
// As the page checks it before decoding: a recording's text, inflated.
constexpr int kMaxSharedRunBytes = 1 << 20;

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

// The shared run's choices instead of the page's when the address holds
// one that reads as a recording of this version; otherwise the page says
// why and the title plays.
GameOptions sharedOrPageOptions() {
  const int length = pageSharedRunBytes();
  if (length <= 0) return pageGameOptions();
  if (length > kMaxSharedRunBytes) {
    pageShareRefused(kReplayMalformed, "", "the shared game is longer than a recording may be");
    return pageGameOptions();
  }
  std::string text(static_cast<size_t>(length), '\0');
  pageTakeSharedRun(&text[0]);
  GameOptions options = kDefaultGameOptions;
  int sound = 1;
  std::string version, reason;
  const int loaded = loadPageReplay(text, &options, &sound, &version, &reason);
  if (loaded != kReplayLoaded) {
    pageShareRefused(loaded, version.c_str(), reason.c_str());
    return pageGameOptions();
  }
  if (!sound) refuseWebSound();
  pageReplayStarts(pageReplayLastFrame());
  return options;
}
}  // namespace

int main() {
  const GameOptions options = sharedOrPageOptions();
  openRecording(kRecordingPath);
  if (pageGameRecords()) {
    openLiveTrace(kTracePath);
    pageOfferFiles(kRecordingPath, kTracePath);
  }
  applyGameOptions(options);
  recordGameOptions(options);
  setKeyboardPlay(1);
  openPage();
  windowProcedure(kWmCreate, 0, 0);

  const int exitCode = runGame(nullptr);
  finishRecording(exitCode);
  pageGameEnded(exitCode);
  return exitCode;
}
