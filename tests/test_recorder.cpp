// The recording of --record, on the headless clock: what it writes for each
// message, answer, cursor position and seconds read must replay as the same
// events at the same frames. The recorder keeps its frame count for the whole
// process, so each test reads the frame it is at from the live trace.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/recorder.h"
#include "app/replay_script.h"
#include "host/message_queue.h"
#include "host/recording.h"
#include "host/window_proc.h"
#include "scenes/driver.h"

namespace {

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class Recorder : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/pinwick-recorder-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    ASSERT_EQ(openRecording((dir_ + "/run.txt").c_str()), 1);
    ASSERT_EQ(openLiveTrace((dir_ + "/run.trace").c_str()), 1);
    // A frame of this test's own, so that no seconds read of an earlier one
    // counts for this one.
    recordFrameDone(kSceneTitle);
  }
  void TearDown() override {
    finishRecording(1);
    unlink((dir_ + "/run.txt").c_str());
    unlink((dir_ + "/run.trace").c_str());
    rmdir(dir_.c_str());
  }
  // The frames completed so far: the frame number of the trace's last line.
  int32_t framesDone() {
    flushRecording();
    const std::string trace = readFile(dir_ + "/run.trace");
    const size_t last = trace.rfind("f=");
    return last == std::string::npos ? 0 : std::atoi(trace.c_str() + last + 2);
  }
  // The recording as the replay reads it, without the start-up's events.
  // Its lines but the comments are what the writer makes of those events.
  std::vector<ScriptEvent> replayedEvents() {
    flushRecording();
    std::vector<ScriptEvent> events;
    std::string error;
    const std::string script = readFile(dir_ + "/run.txt");
    EXPECT_EQ(parseReplayScript(script, "run.txt", events, error), 1) << error;
    std::istringstream lines(script);
    std::string written, line;
    while (std::getline(lines, line))
      if (line[0] != '#') written += line + "\n";
    std::string back;
    char text[kScriptLineSize];
    for (const ScriptEvent& e : events)
      if (formatScriptEvent(e, text, sizeof text)) back += std::string(text) + "\n";
    EXPECT_EQ(back, written);
    std::vector<ScriptEvent> played;
    for (const ScriptEvent& e : events)
      if (e.frame > 0) played.push_back(e);
    return played;
  }
  std::string dir_;
};

void expectEvents(const std::vector<ScriptEvent>& got, const std::vector<ScriptEvent>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(got[i].frame, want[i].frame) << "event " << i;
    EXPECT_EQ(got[i].kind, want[i].kind) << "event " << i;
    EXPECT_EQ(got[i].a, want[i].a) << "event " << i;
    EXPECT_EQ(got[i].b, want[i].b) << "event " << i;
  }
}

TEST_F(Recorder, EveryMessageItWritesReplaysAsTheSameEventInTheSameFrame) {
  struct Message {
    uint32_t message;
    uint64_t wParam;
    int64_t lParam;
    int consumed;
    ScriptEvent event;  // frame filled in below
  };
  std::vector<Message> messages = {
      {kWmMouseMove, 0, packPoint(12, 34), 0, {0, kEventMouse, 12, 34}},
      {kWmMouseMove, 0, packPoint(-3, 70), 0, {0, kEventMouse, -3, 70}},  // dragged outside the window
      {kWmLButtonDown, 0, 0, 0, {0, kEventButton, 0, 1}},
      {kWmLButtonUp, 0, 0, 0, {0, kEventButton, 0, 0}},
      {kWmRButtonDown, 0, 0, 0, {0, kEventButton, 1, 1}},
      {kWmRButtonUp, 0, 0, 0, {0, kEventButton, 1, 0}},
      {kWmClose, 0, 0, 0, {0, kEventClose, 0, 0}},
      {kWmSize, kSizeMinimized, 0, 0, {0, kEventSize, 1, 0}},
      {kWmSize, kSizeRestored, 0, 0, {0, kEventSize, 0, 0}},
      {kWmSize, kSizeMaximized, 0, 0, {0, kEventOther, 0, 0}},
      {kWmKeyDown, kVkM, 0, 1, {0, kEventOther, 0, 0}},  // the accelerator took it
      {kWmKeyDown, kVkM, 0, 0, {0, kEventOther, 0, 0}},  // M with a modifier: no minimise
      {kWmSysKeyDown, 0, 0, 0, {0, kEventOther, 0, 0}},
  };
  for (uint32_t key : {kVkLeft, kVkRight, kVkUp, kVkDown, kVkSpace, kVkReturn, kVkX, kVkZ, kVkS, kVkA, kVkShift,
                       kVkF1, kVkF2, kVkEscape}) {
    messages.push_back({kWmKeyDown, key, 0, 0, {0, kEventKey, static_cast<int32_t>(key), 1}});
    messages.push_back({kWmKeyUp, key, 0, 0, {0, kEventKey, static_cast<int32_t>(key), 0}});
  }
  for (uint32_t command : {kCommandReset, kCommandExit, kCommandVolume, kCommandVersion})
    messages.push_back({kWmCommand, command, 0, 0, {0, kEventMenu, static_cast<int32_t>(command), 0}});

  // Each in a frame of its own, after a move of the cursor the frame read.
  std::vector<ScriptEvent> want;
  int32_t x = 100;
  for (Message& m : messages) {
    const int32_t frame = framesDone() + 1;
    recordCursorRead(++x, 5);
    want.push_back({frame, kEventPosition, x, 5});
    recordMessage({m.message, m.wParam, m.lParam}, m.consumed);
    m.event.frame = frame;
    want.push_back(m.event);
    recordFrameDone(kSceneMatch);
  }
  // The close question's answers come before the message that follows them;
  // the program's own ending is not written.
  const int32_t frame = framesDone() + 1;
  recordAnswer(0);
  recordAnswer(1);
  recordMessage({kWmClose, 0, 0}, 0);
  recordMessage({kWmDestroy, 0, 0}, 0);
  want.push_back({frame, kEventAnswer, 0, 0});
  want.push_back({frame, kEventAnswer, 1, 0});
  want.push_back({frame, kEventClose, 0, 0});
  expectEvents(replayedEvents(), want);
}

TEST_F(Recorder, TheSecondsAreReadOnceAFrameAndSetInTheWaitBeforeIt) {
  // The replay sets the seconds inside a frame's wait, for the frames after
  // it: a read made after the wait of frame F is set at frame F.
  const int32_t frame = framesDone();
  EXPECT_EQ(secondsSeenByTheGame(37), 37);
  EXPECT_EQ(secondsSeenByTheGame(38), 37) << "a second read in the same frame sees the first";
  recordFrameDone(kSceneMatch);
  EXPECT_EQ(secondsSeenByTheGame(38), 38);
  recordFrameDone(kSceneMatch);
  EXPECT_EQ(secondsSeenByTheGame(38), 38);  // unchanged: nothing written
  expectEvents(replayedEvents(), {{frame, kEventSeconds, 37, 0}, {frame + 1, kEventSeconds, 38, 0}});
}

}  // namespace
