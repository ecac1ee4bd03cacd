// The empty recording of the programs that never record: the Windows
// program, the headless tool and the tests that do not test the recorder.
#include "host/clock.h"
#include "host/recording.h"

void recordMessage(const WindowMessage&, int) {}

void recordAnswer(int) {}

void recordCursorRead(int32_t, int32_t) {}

void recordFrameDone(int) {}

int secondsSeenByTheGame(int seconds) { return seconds; }

int localSeconds() { return shellLocalSeconds(); }
