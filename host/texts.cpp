// The texts themselves.
#include "host/texts.h"

const char kTextWindowTitle[] = "Pinwick";
const char kTextInstanceName[] = "Pinwicker";
const char kTextCloseQuestion[] = "End？";
const char kTextYes[] = "はい";
const char kTextNo[] = "いいえ";
const char kTextVolumeFailed[] = "ボリューム設定を起動できませんでした";
const char kTextGraphicsFailed[] = "グラフィックを初期化できませんでした";
const char kTextVersionFormat[] = "Pinwick Version %d.%d.%d\nBuild %d/%02d/%02d";
const char kTextMenuGame[] = "Game";
const char kTextMenuReset[] = "Reset";
const char kTextMenuExit[] = "Exit";
const char kTextMenuSetting[] = "Setting";
const char kTextMenuVolume[] = "Volume";
const char kTextMenuVer[] = "Ver";

namespace {
int language = kLanguageJapanese;

// The English column keeps to printable ASCII, which the drawn dialogs' font
// has whole.
const char* const kShownTexts[kShownTextCount][2] = {
    {kTextCloseQuestion, "End?"},
    {kTextYes, "Yes"},
    {kTextNo, "No"},
    {kTextVolumeFailed, "Cannot start the volume control"},
    {kTextGraphicsFailed, "Cannot start the graphics"},
};
}  // namespace

void setTextLanguage(int chosen) { language = chosen == kLanguageEnglish ? kLanguageEnglish : kLanguageJapanese; }

int textLanguage() { return language; }

const char* shownText(int which) {
  if (which < 0 || which >= kShownTextCount) return "";
  return kShownTexts[which][language];
}
