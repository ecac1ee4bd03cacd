// The voice records of the game's eight sounds, in slot order.
#include "sound/voices.h"

#include "sound/sound_slots.h"

// Columns: length; carrier wave, cycles, level, phase; pitch modulator wave,
// cycles, depth, phase; amplitude modulator wave, cycles, depth, phase;
// envelope level0, point1, level1, point2, level2, point3, level3.
const VoiceDef kShippedVoices[kShippedVoiceCount] = {
    // 1: a stone is placed
    {1000, 5, 239, 18, 0, 5, 1, 32, 0, 0, 0, 32, 0, 0, 64, 63, 128, 63, 255, 63},
    {10000, 5, 4, 32, 0, 5, 1, 32, 0, 3, 2, 32, 0, 0, 26, 48, 38, 17, 87, 10},
    {1000, 0, 5, 32, 0, 3, 1, 32, 0, 0, 0, 32, 0, 63, 64, 63, 128, 63, 255, 0},
    // 2: a captured stone turns
    {10000, 0, 480, 28, 0, 2, 2, 29, 0, 0, 0, 32, 0, 39, 45, 63, 87, 17, 255, 0},
    {5000, 5, 347, 32, 0, 5, 1, 32, 0, 0, 3, 32, 0, 0, 51, 46, 51, 10, 255, 0},
    // 3: the human must pass
    {6000, 0, 440, 19, 0, 2, 2, 63, 0, 0, 0, 32, 0, 0, 64, 63, 128, 63, 255, 0},
    // 4: a click on a square that is no legal move
    {4000, 2, 10, 32, 0, 3, 1, 54, 0, 0, 0, 32, 0, 0, 0, 63, 236, 63, 255, 0},
    // 5: a step of the end-of-game count
    {10000, 1, 261, 32, 0, 3, 3, 49, 205, 4, 1, 17, 0, 0, 6, 63, 102, 22, 255, 0},
    // 6: a button that leaves the scene
    {10000, 0, 452, 32, 0, 2, 1, 49, 0, 0, 11, 32, 0, 63, 6, 63, 102, 22, 255, 0},
    {500, 0, 6, 32, 0, 5, 1, 32, 0, 1, 4, 32, 0, 63, 64, 63, 128, 31, 255, 0},
    // 7: the looping ending tune
    {22050, 5, 3, 20, 0, 5, 1, 32, 0, 3, 4, 32, 0, 63, 53, 63, 187, 0, 198, 0},
    {22050, 5, 87, 20, 0, 5, 1, 32, 0, 4, 4, 32, 0, 0, 104, 0, 128, 63, 255, 0},
    {22050, 5, 440, 11, 0, 5, 1, 32, 0, 4, 8, 32, 0, 63, 64, 63, 128, 17, 255, 63},
    {22050, 0, 110, 32, 0, 3, 8, 32, 0, 0, 0, 32, 0, 63, 64, 0, 193, 8, 191, 46},
    // 8: the end banner arrives
    {22000, 5, 8, 32, 0, 3, 1, 63, 239, 0, 0, 32, 0, 63, 64, 30, 128, 33, 255, 0},
};

const SoundRun kShippedSounds[kShippedSoundCount] = {
    {kSoundPlaced, 0, 3},      {kSoundTurned, 3, 2},     {kSoundMustPass, 5, 1},   {kSoundIllegal, 6, 1},
    {kSoundGathered, 7, 1},    {kSoundLeaveScene, 8, 2}, {kSoundEndingTune, 10, 4}, {kSoundBannerHit, 14, 1},
};
