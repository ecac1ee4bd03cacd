// The page's sound device: the shared software mixer, pulled by Web Audio
// on the page's one thread, so nothing needs a lock. Browsers hold audio
// back until the player's first gesture; without Web Audio there is no
// device and the game runs silent.
#include <emscripten.h>

#include "gfx/resources.h"
#include "sound/device.h"
#include "sound/device_web.h"
#include "sound/mixer.h"
#include "sound/request_log.h"
#include "sound/synth.h"

namespace {
constexpr int kSamplesPerFrame = 441;  // 20 ms
// Samples per pull: about 46 ms at 22050 Hz, short enough to follow the
// game and long enough for a busy page.
constexpr int kPullSamples = 1024;
// Room for one pull at any rate the page's audio may run at (from 8000 Hz).
constexpr int kMixCapacity = 4096;
// A second of silence parks the audio: a running context pulls the mixer
// on the browser's audio thread even when nothing plays, which is most of
// a match.
constexpr int kParkAfterSilentFrames = 50;

uint8_t mixed[kMixCapacity];
int deviceOpen = 0;
int deviceRefused = 0;  // a shared run that had none plays without one
int silentFrames = 0;
SoundRequestLog frameRequests;
}  // namespace

// A context at the game's own rate where the browser allows one; otherwise
// each output sample takes the latest of ours (a step resampler). The mix
// is played by an audio worklet (pinwick-audio.js), fed from here as it
// asks; a browser without one, or a page that cannot load it (file://),
// pulls it through the older script processor on this thread instead.
// Both play every sample mixed exactly once, in order. What was handed to
// the worklet is counted and digested as it keeps what it played.
EM_JS(int, webAudioOpen, (int sampleRate, int pullSamples), {
  var Context = window.AudioContext || window.webkitAudioContext;
  if (!Context) return 0;
  var ctx;
  try {
    ctx = new Context({sampleRate : sampleRate});
  } catch (e) {
    try {
      ctx = new Context();
    } catch (e2) {
      return 0;
    }
  }
  var worklet = ctx.audioWorklet && typeof AudioWorkletNode != "undefined";
  if (!worklet && !ctx.createScriptProcessor) {
    ctx.close();
    return 0;
  }
  var gain = ctx.createGain();
  gain.connect(ctx.destination);
  var step = sampleRate / ctx.sampleRate;
  var kDigestStart = 2166136261, kDigestPrime = 16777619;
  // parked: suspended by us while silent, after the player's gesture let it
  // run; waking: resumed by us and not yet running.
  var audio = {ctx : ctx, node : null, gain : gain, parked : false, waking : false,
               handed : 0, handedDigest : kDigestStart, report : null};
  var useScriptProcessor = function() {
    var node = ctx.createScriptProcessor(pullSamples, 1, 1);
    var phase = 0;
    node.onaudioprocess = function(e) {
      var out = e.outputBuffer.getChannelData(0);
      var count = Math.floor(phase + out.length * step);
      var at = _webMixSound(count);
      for (var i = 0; i < out.length; i++)
        out[i] = (HEAPU8[at + Math.min(count - 1, Math.floor(phase + i * step))] - 128) / 128;
      phase += out.length * step - count;
    };
    node.connect(gain);
    audio.node = node;
  };
  var useWorklet = function() {
    var node = new AudioWorkletNode(ctx, "pinwick-mixer", {numberOfInputs : 0, numberOfOutputs : 1,
                                                           outputChannelCount : [1],
                                                           processorOptions : {gameRate : sampleRate}});
    node.port.onmessage = function(e) {
      if (e.data.report) {
        audio.report = e.data.report;
        return;
      }
      var at = _webMixSound(e.data.ask);
      var samples = HEAPU8.slice(at, at + e.data.ask);
      for (var i = 0; i < samples.length; i++)
        audio.handedDigest = Math.imul(audio.handedDigest ^ samples[i], kDigestPrime) >>> 0;
      audio.handed += samples.length;
      node.port.postMessage({samples : samples}, [samples.buffer]);
    };
    node.connect(gain);
    audio.node = node;
  };
  if (worklet) {
    ctx.audioWorklet.addModule("pinwick-audio.js").then(function() {
      if (Pinwick.audio === audio) useWorklet();
    }).catch(function(e) {
      console.warn("pinwick: the sound plays through the older script processor: " + e);
      if (Pinwick.audio === audio && ctx.createScriptProcessor) useScriptProcessor();
    });
  } else {
    useScriptProcessor();
  }
  var resume = function() {
    if (ctx.state != "running" && Pinwick.audio && !Pinwick.audio.parked) ctx.resume();
  };
  ["pointerdown", "keydown", "touchend"].forEach(function(type) { window.addEventListener(type, resume, true); });
  Pinwick.audio = audio;
  Pinwick.applyVolume();
  return 1;
});

// A parked or waking context counts as running: it pulls what it missed
// once it runs, so the mix must not move on unheard meanwhile.
EM_JS(int, webAudioRunning, (), {
  var audio = Pinwick.audio;
  return audio && (audio.ctx.state == "running" || audio.parked || audio.waking) ? 1 : 0;
});

EM_JS(void, webAudioPark, (), {
  var audio = Pinwick.audio;
  if (!audio || audio.parked || audio.waking || audio.ctx.state != "running") return;
  audio.parked = true;
  audio.ctx.suspend();
});

EM_JS(void, webAudioWake, (), {
  var audio = Pinwick.audio;
  if (!audio || !audio.parked) return;
  audio.parked = false;
  audio.waking = true;
  var done = function() { audio.waking = false; };
  audio.ctx.resume().then(done, done);
});

EM_JS(void, webAudioClose, (), {
  if (!Pinwick.audio) return;
  if (Pinwick.audio.node) Pinwick.audio.node.disconnect();
  Pinwick.audio.ctx.close();
  Pinwick.audio = null;
});

// Web Audio's pull: count samples of the mix, advanced as they are heard.
extern "C" EMSCRIPTEN_KEEPALIVE const uint8_t* webMixSound(int count) {
  mixBuffers(mixed, count < kMixCapacity ? count : kMixCapacity);
  return mixed;
}

void refuseWebSound() { deviceRefused = 1; }

// A hidden page runs no frames, so the silence that parks the audio is
// never counted: hiding parks it at once, and showing wakes it only for a
// sound still playing.
void parkWebSoundWhileHidden(int hidden) {
  if (!deviceOpen) return;
  if (hidden) webAudioPark();
  else if (mixerBufferPlaying()) webAudioWake();
}

void keepWebSoundTime() {
  if (!deviceOpen) return;
  if (!webAudioRunning()) {
    mixBuffers(nullptr, kSamplesPerFrame);
    return;
  }
  if (mixerBufferPlaying()) silentFrames = 0;
  else if (++silentFrames >= kParkAfterSilentFrames) webAudioPark();
}

int openSoundDevice(void*) {
  if (!deviceOpen && !deviceRefused) deviceOpen = webAudioOpen(kSampleRate, kPullSamples);
  return deviceOpen;
}

void closeSoundDevice() {
  if (!deviceOpen) return;
  webAudioClose();
  deviceOpen = 0;
  releaseAllMixerBuffers();
}

DeviceBuffer* createDeviceBuffer(const uint8_t* samples, int count) {
  return deviceOpen ? addMixerBuffer(samples, count) : nullptr;
}

void releaseDeviceBuffer(DeviceBuffer* buffer) { releaseMixerBuffer(buffer); }

void stopDeviceBuffer(DeviceBuffer* buffer) { buffer->playing = 0; }

void rewindDeviceBuffer(DeviceBuffer* buffer) { rewindMixerBuffer(buffer); }

void playDeviceBuffer(DeviceBuffer* buffer, int looping) {
  buffer->playing = 1;
  buffer->looping = looping ? 1 : 0;
  silentFrames = 0;
  webAudioWake();
}

void setDeviceBufferFrequency(DeviceBuffer* buffer, int hertz) { setMixerBufferFrequency(buffer, hertz); }

void setDeviceBufferVolume(DeviceBuffer* buffer, int volume) { setMixerBufferVolume(buffer, volume); }

void setDeviceBufferPan(DeviceBuffer* buffer, int pan) { setMixerBufferPan(buffer, pan); }

// The page's embedded table, as the SDL build's.
const uint8_t* findSoundResource(const char* name, size_t* size) { return findResource(name, size); }

// Kept for the live trace (the page's ?record).
void noteSoundRequest(int slot, int mode) { noteRequest(&frameRequests, slot, mode); }

int soundDeviceIsOpen() { return deviceOpen; }

int takeSoundRequests(char* text, int size) {
  const int complete = formatRequests(frameRequests, text, size);
  clearRequests(&frameRequests);
  return complete;
}
