// The turn controller: the match as a state machine advanced once a frame.
#pragma once
#include <cstdint>

enum MatchState : int32_t {
  kAwaitingMove = 1,
  kStonesTurning = 2,
  kEndPause = 3,
  kEndCount = 4,
  kMatchFinished = 5,
};

// Read by the board drawing and the face.
extern int32_t matchState;
extern int32_t sideToMove;     // 0 once the end count begins
extern int32_t humanColor;     // 1 white, 2 black, 0 two humans
extern int32_t computerLevel;
extern int32_t thinkCounter;   // survives resetMatch
extern int32_t endPauseCounter;
extern int32_t endStepTimer;   // survives resetMatch

// The player's choices for every match from now on, outside the faithful
// game: the computer's level (0..3; 3 unless chosen) and two humans sharing
// the mouse (then the title's card picks no side: white moves first, as in
// every match). A level out of range is taken as 3.
constexpr int32_t kMatchLevel = 3;
void setMatchOptions(int level, int twoPlayers);

int resetMatch(int human);
void stepMatch();
int humanMove();
int computerMove();
int advanceFlips();
void switchSide();
int endCountStep();
// What the face beside the board shows: each mood is a pair of poses in
// the face picture.
enum FaceMood : int32_t {
  kMoodHumanToMove = 0,
  kMoodHumanStonesTurn = 1,
  kMoodComputerThinks = 2,  // also through the end pause and count
  kMoodComputerStonesTurn = 3,
  kMoodHumanWon = 4,
  kMoodHumanLost = 5,
  kMoodDraw = 6,
};
constexpr int kMoodCount = 7;
int faceMood();
int isMatchFinished();
int finalMargin();
