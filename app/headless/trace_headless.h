// What a headless run keeps of each completed frame: the trace line, the
// screenshots asked for and the mixed audio.
#pragma once

// The audio starts at the current tick, with no sound requested yet.
void startRunOutput();

// Mixes the audio up to now, then writes the frame's trace line and keeps its
// screenshot.
void recordFrame(int sceneCode);
