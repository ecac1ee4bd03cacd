// Which sound slot holds which of the game's eight sounds, for every module
// that makes or plays one.
#pragma once

constexpr int kSoundPlaced = 1;      // a stone is put down
constexpr int kSoundTurned = 2;      // a captured stone turns
constexpr int kSoundMustPass = 3;    // the player has no move: Pass lights up
constexpr int kSoundIllegal = 4;     // a click on a square that captures nothing
constexpr int kSoundGathered = 5;    // a step of the end count
constexpr int kSoundLeaveScene = 6;  // the wipe to the next scene
constexpr int kSoundEndingTune = 7;  // loops through the ending
constexpr int kSoundBannerHit = 8;   // the end banner strikes the figure
