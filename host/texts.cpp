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
