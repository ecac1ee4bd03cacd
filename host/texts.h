// Every text the player sees, in one place, as UTF-8 (the Win32 build is
// compiled to Shift-JIS for the narrow calls).
#pragma once

extern const char kTextWindowTitle[];      // caption of the window and of every box
extern const char kTextInstanceName[];     // the single-instance lock
extern const char kTextCloseQuestion[];
extern const char kTextYes[];
extern const char kTextNo[];
extern const char kTextVolumeFailed[];
extern const char kTextGraphicsFailed[];     // the graphics device could not be started
extern const char kTextVersionFormat[];    // major, minor, build; year, month, day
extern const char kTextMenuGame[];
extern const char kTextMenuReset[];
extern const char kTextMenuExit[];
extern const char kTextMenuSetting[];
extern const char kTextMenuVolume[];
extern const char kTextMenuVer[];

// The language of the texts and pictures. Japanese is the original's and
// the Windows program's only one; the other shells may choose English.
enum TextLanguage { kLanguageJapanese = 0, kLanguageEnglish = 1 };

// The texts that differ by language, for shownText.
enum ShownText { kShownCloseQuestion, kShownYes, kShownNo, kShownVolumeFailed, kShownGraphicsFailed, kShownTextCount };

// Anything but kLanguageEnglish is Japanese.
void setTextLanguage(int language);
int textLanguage();
// The text in the language in use; "" for a number outside ShownText.
const char* shownText(int which);
