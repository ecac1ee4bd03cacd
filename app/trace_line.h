// One line of the per-frame trace, the same from the headless replay and the
// live SDL game:
// f=FRAME [t=MS] sc=SCENE ms=MATCHSTATE side=SIDE hc=HUMAN mood=MOOD pass=P end=E b=64DIGITS snd=SOUNDS wipe=WX act=N
// [cur=CARD|SQUARE], the last only once keyboard play has shown its mark.
#pragma once
#include <cstdint>

constexpr int kTraceLineSize = 512;
constexpr int kTraceSoundFieldSize = 256;

// The line of the current state, without its line break; sounds is the snd
// field as the sound device formatted it, t= appears only withTime.
void formatTraceLine(char* line, int size, int32_t frame, int sceneCode, int32_t elapsedMs, int withTime,
                     const char* sounds);
