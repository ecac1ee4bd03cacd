#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/replay_script.h"
#include "app/version.h"
#include "host/window_proc.h"

namespace {

std::vector<ScriptEvent> parse(const std::string& text) {
  std::vector<ScriptEvent> events;
  std::string error;
  EXPECT_EQ(parseReplayScript(text, "s.txt", events, error), 1) << error;
  return events;
}

std::string errorOf(const std::string& text) {
  std::vector<ScriptEvent> events;
  std::string error;
  EXPECT_EQ(parseReplayScript(text, "s.txt", events, error), 0) << text;
  return error;
}

// The lines the writer makes of events, each ended.
std::string writeBack(const std::vector<ScriptEvent>& events) {
  std::string text;
  char line[kScriptLineSize];
  for (const ScriptEvent& e : events) {
    EXPECT_EQ(formatScriptEvent(e, line, sizeof line), 1) << e.kind;
    text += std::string(line) + "\n";
  }
  return text;
}

std::string versionLine() {
  return "0 version " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
         std::to_string(kVersionBuild) + "." + std::to_string(kVersionRevision) + "\n";
}

TEST(ReplayScript, WhatTheWriterWritesReadsBackAsTheSameText) {
  const std::string everyKind = versionLine() +
      "0 sound off\n0 level 2\n0 two-players\n0 mute\n0 lang en\n0 lang ja\n0 seconds 5\n0 pos 1 -2\n"
      "1 mouse -3 4\n1 down left\n1 up right\n1 key esc down\n1 key f2 up\n1 menu ver\n1 answer yes\n"
      "1 close\n1 minimise\n1 restore\n1 size minimised\n1 other\n";
  EXPECT_EQ(writeBack(parse(everyKind)), everyKind);
  // Every golden script: its shorthands and comments aside, the same events.
  int scripts = 0;
  for (const auto& entry : std::filesystem::directory_iterator(PINWICK_REPLAY_DIR)) {
    if (entry.path().extension() != ".txt") continue;
    ++scripts;
    std::ifstream in(entry.path());
    std::ostringstream script;
    script << in.rdbuf();
    const std::string text = writeBack(parse(script.str()));
    EXPECT_EQ(writeBack(parse(text)), text) << entry.path();
  }
  EXPECT_GE(scripts, 7);
}

TEST(ReplayScript, ShorthandsExpandOverTwoFramesAndKeepTheirOrder) {
  auto e = parse(
      "\xEF\xBB\xBF# a comment line, after the byte-order mark an editor may write\n"
      "\n"
      "10 click 60 -3   # trailing comment\n"
      "10 press esc\n"
      "5 answer yes\n"
      "11 menu ver\n");
  ASSERT_EQ(e.size(), 7u);
  EXPECT_EQ(e[0].frame, 5);
  EXPECT_EQ(e[0].kind, kEventAnswer);
  EXPECT_EQ(e[1].kind, kEventMouse);
  EXPECT_EQ(e[1].b, -3);
  EXPECT_EQ(e[2].kind, kEventButton);
  EXPECT_EQ(e[2].b, 1);
  EXPECT_EQ(e[3].kind, kEventKey);
  EXPECT_EQ(e[3].a, static_cast<int32_t>(kVkEscape));
  EXPECT_EQ(e[4].frame, 11);  // the click's release
  EXPECT_EQ(e[4].kind, kEventButton);
  EXPECT_EQ(e[4].b, 0);
  EXPECT_EQ(e[5].kind, kEventKey);  // the press's release
  EXPECT_EQ(e[5].b, 0);
  EXPECT_EQ(e[6].a, static_cast<int32_t>(kCommandVersion));
}

TEST(ReplayScript, MalformedLinesNameTheFileLineAndReason) {
  EXPECT_EQ(errorOf("1 mouse 1 1\n2 jump\n"), "s.txt:2: unknown event 'jump'");
  EXPECT_EQ(errorOf("0 close\n"), "s.txt:1: only version, sound, level, two-players, mute, lang, seconds and pos may stand at frame 0, the start-up");
  EXPECT_EQ(errorOf("0 lang fr\n"), "s.txt:1: 'lang' takes en or ja, not 'fr'");
  EXPECT_EQ(errorOf("4 lang en\n"), "s.txt:1: 'lang' belongs to frame 0");
  EXPECT_EQ(errorOf("5 sound off\n"), "s.txt:1: 'sound' belongs to frame 0");
  EXPECT_EQ(errorOf("x close\n"), "s.txt:1: the frame must be a number from 0 on, not 'x'");
  EXPECT_EQ(errorOf("# a recording\n0 version 0.9.0.0\n").substr(0, 46), "s.txt:2: recorded by Pinwick 0.9.0.0, but this");
  EXPECT_EQ(errorOf("3 size small\n"), "s.txt:1: 'size' takes minimised or restored, not 'small'");
  EXPECT_EQ(errorOf("3\n"), "s.txt:1: an event is missing after the frame");
  EXPECT_EQ(errorOf("3 mouse 1\n"), "s.txt:1: 'mouse' takes 2 arguments, not 1");
  EXPECT_EQ(errorOf("3 mouse 1 y\n"), "s.txt:1: 'mouse' takes two whole-number coordinates");
  EXPECT_EQ(errorOf("3 key q down\n"), "s.txt:1: unknown key 'q'");
  EXPECT_EQ(errorOf("3 key z sideways\n"), "s.txt:1: 'key' takes down or up, not 'sideways'");
  EXPECT_EQ(errorOf("3 down middle\n"), "s.txt:1: 'down' takes left or right, not 'middle'");
  EXPECT_EQ(errorOf("3 menu quit\n"), "s.txt:1: unknown menu command 'quit' (reset, exit, volume or ver)");
  EXPECT_EQ(errorOf("3 seconds 60\n"), "s.txt:1: 'seconds' takes 0..59, not '60'");
  EXPECT_EQ(errorOf("3 close now\n"), "s.txt:1: 'close' takes 0 arguments, not 1");
  EXPECT_EQ(errorOf("99999999999999999999 close\n").substr(0, 9), "s.txt:1: ");
}

TEST(ReplayScript, WhatNoScriptHoldsIsRefusedByLineAndReportedShort) {
  const std::string megabyte(1 << 20, 'x');
  EXPECT_EQ(errorOf("1 mouse 1 1\n5 mouse 1 1 # " + megabyte + "\n"),
            "s.txt:2: the line is 1048590 bytes long, more than a script line may be (4096)");
  EXPECT_EQ(errorOf(std::string("1 mouse 1 1\n2 cl\0ick\n", 22)),
            "s.txt:2: the line holds a NUL byte: this is not a text file");
  EXPECT_EQ(errorOf("99999999999999999999 close\n"),
            "s.txt:1: frame 99999999999999999999 lies past the last frame a run can reach (2147483646)");
  EXPECT_EQ(errorOf("+2147483647 close\n"),  // a sign hides nothing
            "s.txt:1: frame +2147483647 lies past the last frame a run can reach (2147483646)");
  // A long word is cut short in the reason; what a terminal would act on is
  // shown escaped: C0 and C1 controls, bytes of no UTF-8 character, and the
  // backslash that escapes them.
  const std::string reason = errorOf("3 " + std::string(3000, 'w') + "\x1b[2J\n");
  EXPECT_EQ(reason.substr(0, 27), "s.txt:1: unknown event 'www");
  EXPECT_LT(reason.size(), 200u);
  EXPECT_EQ(reason.find('\x1b'), std::string::npos);
  EXPECT_EQ(errorOf("3 a\x1b[2J\xC2\x85\xC2\xA0\xE3\x81\x82\\\xFF\xE3\x81\n"),
            "s.txt:1: unknown event 'a\\x1b[2J\\u0085\xC2\xA0\xE3\x81\x82\\\\\\xff\\xe3\\x81'");
}

TEST(ReplayScript, TheCommandLineMayAddToAScriptsChoicesButARecordingNamesThemAll) {
  const std::string recording = versionLine();
  auto conflict = [](const std::string& script, GameOptions commandLine) {
    return scriptOptionsConflict(parse(script), "s.txt", commandLine);
  };
  const GameOptions level1 = {1, 0, 0, kGivenLevel, 0}, level3 = {3, 0, 0, kGivenLevel, 0};
  const GameOptions twoPlayersMuted = {3, 1, 1, kGivenTwoPlayers | kGivenMute, 0};
  const GameOptions english = {3, 0, 0, kGivenLanguage, kLanguageEnglish};
  const GameOptions japanese = {3, 0, 0, kGivenLanguage, kLanguageJapanese};
  EXPECT_EQ(conflict("0 level 2\n", level1),
            "s.txt: the script plays at level 2, but the command line asks for --level 1");
  EXPECT_EQ(conflict("0 level 1\n", level1), "");
  EXPECT_EQ(conflict("0 level 1\n", twoPlayersMuted), "");
  EXPECT_EQ(conflict(recording + "0 level 1\n0 two-players\n0 mute\n", level1), "");
  EXPECT_EQ(conflict(recording, level3), "");
  EXPECT_EQ(conflict(recording, level1).substr(0, 39), "s.txt: the recording plays at level 3 (");
  EXPECT_EQ(conflict(recording + "0 mute\n", twoPlayersMuted).substr(0, 50),
            "s.txt: the recording is of a game against the comp");
  EXPECT_EQ(conflict(recording + "0 two-players\n", twoPlayersMuted).substr(0, 45),
            "s.txt: the recording is of a game with sound,");
  // A recording without a language was made in Japanese, the default.
  EXPECT_EQ(conflict(recording, japanese), "");
  EXPECT_EQ(conflict(recording + "0 lang en\n", english), "");
  EXPECT_EQ(conflict(recording, english),
            "s.txt: the recording is in ja (it names none: the default), but the command line asks for --lang en");
  EXPECT_EQ(conflict(recording + "0 lang en\n", japanese),
            "s.txt: the recording is in en, but the command line asks for --lang ja");
  EXPECT_EQ(conflict("0 lang ja\n", english), "s.txt: the script is in ja, but the command line asks for --lang en");
  EXPECT_EQ(conflict("0 lang en\n", level1), "");
}

TEST(GameOptions, TheFirstLocaleVariableSetDecidesTheLanguage) {
  const int ja = kLanguageJapanese, en = kLanguageEnglish;
  EXPECT_EQ(languageOfLocale(nullptr, nullptr, nullptr), ja);
  EXPECT_EQ(languageOfLocale(nullptr, nullptr, "en_US.UTF-8"), en);
  EXPECT_EQ(languageOfLocale(nullptr, nullptr, "ja_JP.UTF-8"), ja);
  EXPECT_EQ(languageOfLocale("", "", "de"), en);               // empty is not set
  EXPECT_EQ(languageOfLocale("ja", "en_GB", "en_GB"), ja);     // LC_ALL first
  EXPECT_EQ(languageOfLocale(nullptr, "fr_FR@euro", "ja"), en);  // then LC_MESSAGES
  for (const char* plain : {"C", "POSIX", "C.UTF-8", "ja@x"}) EXPECT_EQ(languageOfLocale(plain, nullptr, nullptr), ja);
  // No language at all is the default, as no locale is.
  for (const char* odd : {"_JP", "x", "EN_us", "english", "\xff\xfe", ".UTF-8"})
    EXPECT_EQ(languageOfLocale(odd, nullptr, "en_US"), ja) << odd;
}

}  // namespace
