#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/headless/clock_headless.h"
#include "game/random.h"
#include "scenes/actors.h"

namespace {

class ActorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    clearActors();
    setHeadlessSeconds(0);
  }
  void TearDown() override {
    clearActors();
    setHeadlessSeconds(-1);
  }
};

// Updates a spawned actor until it frees itself; returns the update in
// which it ended, counting the one inside spawnActor as the first.
int updatesUntilFreed(int slot, int limit) {
  int updates = 1;
  while (actorTable[slot].inUse && updates < limit) {
    updateActors();
    ++updates;
  }
  return actorTable[slot].inUse ? -1 : updates;
}

TEST_F(ActorTest, BurstsEndOnTime) {
  ASSERT_EQ(spawnActor(kRingBurst, 0, 1000, 2000), 1);
  EXPECT_EQ(actorTable[0].anchorX, 9 * 512);
  EXPECT_EQ(updatesUntilFreed(0, 100), 15);
  EXPECT_EQ(actorTable[0].x, 1000) << "param 0 never moves";

  clearActors();
  spawnActor(kSmallRingBurst, 0, 0, 0);
  int frames[5] = {0, 0, 0, 0, 0};
  int updates = 1;
  while (actorTable[0].inUse) {
    ++frames[actorTable[0].src.left / 12];
    EXPECT_EQ(actorTable[0].src.top, 18);
    updateActors();
    ++updates;
  }
  EXPECT_EQ(updates, 20);
  // The spawn's own update already counts towards frame 0.
  const int shown[5] = {3, 4, 4, 4, 4};
  for (int f = 0; f < 5; ++f) EXPECT_EQ(frames[f], shown[f]) << "frame " << f;
}

TEST_F(ActorTest, DriftingBurstMovesEightPixelsAnUpdate) {
  spawnActor(kRingBurst, 4096, 0, 0);
  EXPECT_EQ(actorTable[0].x, 4096);
  updateActors();
  EXPECT_EQ(actorTable[0].x, 8192);
  EXPECT_EQ(updatesUntilFreed(0, 100), 14);  // one update already made above
}

TEST_F(ActorTest, FullTableRefusesAndTheFreedSlotIsReused) {
  for (int i = 0; i < kActorSlots; ++i) ASSERT_EQ(spawnActor(kTitleEmblem, 0, i, 0), 1);
  Actor before[kActorSlots];
  for (int i = 0; i < kActorSlots; ++i) before[i] = actorTable[i];
  EXPECT_EQ(spawnActor(kRingBurst, 0, 0, 0), 0);
  for (int i = 0; i < kActorSlots; ++i) EXPECT_EQ(actorTable[i].x, before[i].x);
  EXPECT_EQ(liveActorCount(), kActorSlots);
  actorTable[37].inUse = 0;
  EXPECT_EQ(spawnActor(kCreditCaption, 0, 5, 6), 1);
  EXPECT_EQ(actorTable[37].kind, kCreditCaption);
  EXPECT_EQ(actorTable[37].src.top, 56);
}

TEST_F(ActorTest, StaticKindsTakeTheirPicturesAndStay) {
  spawnActor(kTitleEmblem, 0, 40960, 15360);
  spawnActor(kGameOverBanner, 0, 40960, 15360);
  spawnActor(kCreditCaption, 0, 40960, 24576);
  for (int i = 0; i < 300; ++i) updateActors();
  EXPECT_EQ(actorTable[0].surfaceSlot, 14);
  EXPECT_EQ(actorTable[0].anchorX, 16 * 512);
  EXPECT_EQ(actorTable[1].surfaceSlot, 2);
  EXPECT_EQ(actorTable[1].anchorY, 8 * 512);
  EXPECT_EQ(actorTable[2].src.left, 272);
  EXPECT_EQ(actorTable[2].src.bottom, 64);
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(actorTable[i].inUse);
    EXPECT_EQ(actorTable[i].x, 40960);
  }
}

TEST_F(ActorTest, FlyingStoneStartsAgainPastTheRightEdge) {
  seedRandom(99);
  spawnActor(kFlyingStone, 1, 0, 0);
  const Actor& stone = actorTable[0];
  EXPECT_EQ(stone.src.left, 12) << "param 1 is the red stone";
  ASSERT_TRUE(actorTable[1].inUse);
  EXPECT_EQ(actorTable[1].kind, kRingBurst);
  EXPECT_EQ(actorTable[1].vx, 4096);
  int restarts = 0;
  for (int i = 0; i < 2000 && restarts < 3; ++i) {
    bool passed = stone.x > 84992;
    updateActors();
    if (passed) {
      ++restarts;
      // Re-initialised in this update, then moved once.
      EXPECT_GE(stone.x, -320 * 512 + 64);
      EXPECT_LE(stone.x, 166 * 512 + 64);
      EXPECT_EQ(stone.vx, 64);
      EXPECT_GE(stone.homeY, -6 * 512);
      EXPECT_LE(stone.homeY, 66 * 512);
      EXPECT_EQ(stone.homeY % 512, 0);
      EXPECT_EQ(stone.state, 1);
    }
  }
  EXPECT_EQ(restarts, 3);
}

TEST_F(ActorTest, FigureCaptionsCycleAndTheBannerKnocksItOver) {
  spawnActor(kEndingFigure, 0, 0, 0);
  EXPECT_EQ(actorTable[0].x, 122880 - 16) << "placed off screen, then one step of pacing left";
  std::vector<std::pair<int, int>> captions;  // (figure age, caption line)
  int spawned = 0;
  for (int update = 2; update <= 520; ++update) {
    updateActors();
    if (actorTable[0].captionsShown == spawned) continue;
    spawned = actorTable[0].captionsShown;
    for (int s = 1; s < kActorSlots; ++s)
      if (actorTable[s].inUse && actorTable[s].kind == kFigureCaption)
        captions.push_back({actorTable[0].age, actorTable[s].src.top / 8});
  }
  ASSERT_EQ(captions.size(), 4u);
  EXPECT_EQ(captions[0], std::make_pair(201, 0));
  EXPECT_EQ(captions[1], std::make_pair(301, 1));
  EXPECT_EQ(captions[2], std::make_pair(401, 2));
  EXPECT_EQ(captions[3], std::make_pair(501, 0));
  EXPECT_GE(actorTable[0].vx, -512);
  EXPECT_LE(actorTable[0].vx, 512);

  // The banner arrives in its 18th update and sets the figure to state 10;
  // the figure's next update removes the old caption and screams.
  int bannerSlot = -1;
  spawnActor(kEndBanner, 0, 0, 0);
  for (int s = 0; s < kActorSlots; ++s)
    if (actorTable[s].inUse && actorTable[s].kind == kEndBanner) bannerSlot = s;
  ASSERT_GE(bannerSlot, 0);
  EXPECT_EQ(actorTable[bannerSlot].x, -24576);
  int updates = 1;
  while (actorTable[bannerSlot].state != 2) {
    updateActors();
    ++updates;
  }
  EXPECT_EQ(updates, 18);
  EXPECT_EQ(actorTable[bannerSlot].x, 40960);
  EXPECT_EQ(actorTable[0].state, 10) << "the figure was updated before the banner in that pass";
  updateActors();
  EXPECT_EQ(actorTable[0].state, 11);
  int screams = 0, others = 0;
  for (int s = 0; s < kActorSlots; ++s) {
    if (!actorTable[s].inUse || actorTable[s].kind != kFigureCaption) continue;
    (actorTable[s].param == 3 ? screams : others) += 1;
  }
  EXPECT_EQ(screams, 1);
  EXPECT_EQ(others, 0);
  int guard = 0;
  while (actorTable[0].inUse && guard++ < 1000) updateActors();
  EXPECT_FALSE(actorTable[0].inUse) << "the tumbling figure leaves on the right";
}

TEST_F(ActorTest, CaptionRisesEightPixelsAndEndsInItsFiftyFirstUpdate) {
  spawnActor(kFigureCaption, 2, 0, 10000);
  EXPECT_EQ(actorTable[0].src.top, 16);
  EXPECT_EQ(actorTable[0].anchorX, 24 * 512);
  EXPECT_EQ(updatesUntilFreed(0, 100), 51);
  EXPECT_EQ(actorTable[0].y, 10000 - 8 * 512);
}

TEST_F(ActorTest, StateAndRemovalOnlyTouchTheLiveActorsOfAKind) {
  spawnActor(kFigureCaption, 0, 0, 0);
  spawnActor(kTitleEmblem, 0, 0, 0);
  setActorsState(kEndBanner, 7);
  removeActors(kEndBanner);
  EXPECT_EQ(liveActorCount(), 2);
  removeActors(kFigureCaption);
  EXPECT_FALSE(actorTable[0].inUse);
  EXPECT_EQ(actorTable[0].age, 0) << "removal zeroes the record";
  setActorsState(kTitleEmblem, 5);
  EXPECT_EQ(actorTable[1].state, 5);
}

TEST_F(ActorTest, UnknownKindsLiveWithoutBehaviour) {
  ASSERT_EQ(spawnActor(42, 0, 7, 8), 1);
  updateActors();
  EXPECT_TRUE(actorTable[0].inUse);
  EXPECT_EQ(actorTable[0].x, 7);
}

}  // namespace

#include "gfx/gfx_soft.h"
#include "scenes/picture_slots.h"

namespace {

// Counts the non-black pixels of one back-buffer row.
int litPixelsInRow(int row) {
  int32_t w = 0, h = 0;
  const uint32_t* pixels = backBufferPixels(&w, &h);
  int lit = 0;
  for (int x = 0; x < w; ++x) lit += pixels[row * w + x] != 0;
  return lit;
}

TEST(ActorDrawing, PositionsTruncateTowardZero) {
  ASSERT_EQ(initGraphics(nullptr, kScreenWidth, kScreenHeight), 1);
  // A white picture in the Face slot, made from the back buffer itself.
  fillRect(kScreenRect, toNativeColor(0x00FFFFFF));
  ASSERT_EQ(createBlankSurface(kScreenWidth, kScreenHeight, kSlotFace), 1);
  grabBackBuffer(kSlotFace, kScreenRect);

  struct Case {
    int32_t x;
    int visible;
  } cases[] = {{-513, 3}, {-511, 4}, {-512, 3}, {512 * 157, 3}, {-512 * 4, 0}};
  for (const Case& c : cases) {
    clearActors();
    fillRect(kScreenRect, 0);
    Actor& a = actorTable[0];
    a.inUse = 1;
    a.kind = 99;  // no behaviour: the test places it
    a.x = c.x;
    a.y = 0;
    a.surfaceSlot = kSlotFace;
    a.src = {0, 0, 4, 4};
    drawActors(0, 0);
    EXPECT_EQ(litPixelsInRow(0), c.visible) << "x = " << c.x;
    EXPECT_EQ(litPixelsInRow(4), 0);
  }
  clearActors();
  shutdownGraphics();
}

}  // namespace
