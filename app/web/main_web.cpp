// The page's entry point: the player's choices from the address, the
// recording when asked for, the page's menus, callbacks and canvas, then the
// game. A page has no second copy to guard against and no files of its own:
// the recording lives in the page's memory until it is saved.
#include <emscripten.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/game_main.h"
#include "app/game_options.h"
#include "app/recorder.h"
#include "app/web/web_shell.h"
#include "app/window_proc.h"

namespace {
constexpr int kAddressBytes = 512;
constexpr int kAddressWords = 16;
const char kRecordWord[] = "--record";
const char kRecordingPath[] = "/pinwick-run.txt";
const char kTracePath[] = "/pinwick-run.trace";

// The address's parameters as command-line words: ?level=2&two-players&record
// is "--level 2 --two-players --record", after the program's name. The
// page keeps mute to itself (the volume's mute, which can change at once).
char addressText[kAddressBytes];
char* addressWords[kAddressWords];
}  // namespace

EM_JS(int, pageAddressWords, (char* text, int size), {
  var words = [];
  new URLSearchParams(Pinwick.gameSearch()).forEach(function(value, key) {
    words.push("--" + key);
    if (value.length > 0) words.push(value);
  });
  var joined = words.join(String.fromCharCode(0));
  if (lengthBytesUTF8(joined) + 1 > size) return 0;
  stringToUTF8(joined, text, size);
  return words.length;
});

EM_JS(void, pageOfferFiles, (const char* recording, const char* trace),
      { Pinwick.offerFiles(UTF8ToString(recording), UTF8ToString(trace)); });

EM_JS(void, pageGameEnded, (int exitCode), { Pinwick.gameEnded(exitCode); });

namespace {
// The words of the address, in addressWords from index 1; their count.
int readAddress() {
  const int count = pageAddressWords(addressText, kAddressBytes);
  int argc = 1;
  char* word = addressText;
  for (int i = 0; i < count && argc < kAddressWords; ++i) {
    addressWords[argc++] = word;
    word += std::strlen(word) + 1;
  }
  return argc;
}

// The game's options from the address; a bad one leaves them all at their
// defaults, as the desktop would refuse the command line. 1 when the
// address asks for a recording.
int takeAddressOptions(GameOptions* options) {
  const int argc = readAddress();
  GameOptions parsed = kDefaultGameOptions;
  int record = 0, bad = 0;
  std::string problem;
  for (int i = 1; i < argc;) {
    const int result = parseGameOption(argc, addressWords, &i, &parsed, bad ? nullptr : &problem);
    if (result == kGameOptionTaken) continue;
    if (result == kGameOptionBad) bad = 1;
    else if (std::strcmp(addressWords[i], kRecordWord) == 0) record = 1;
    ++i;
  }
  if (bad)
    std::fprintf(stderr, "pinwick: the address's options are not understood (%s); the game plays as it is\n",
                 problem.c_str());
  else *options = parsed;
  return record;
}
}  // namespace

int main() {
  GameOptions options = kDefaultGameOptions;
  if (takeAddressOptions(&options)) {
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
