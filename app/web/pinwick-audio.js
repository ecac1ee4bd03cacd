// The page's sound output on the browser's audio thread (an audio worklet):
// the game's mix arrives from the page's thread in order, asked for ahead
// of need, and every sample that arrives is played once, in order, each
// output sample taking the latest of ours (a step resampler). When the page
// is late the output is silent for a block and nothing is skipped: the
// sound comes late, never cut. It also keeps a digest of what it played
// and holds, so that the page can show it played exactly what it mixed.
var kAskSamples = 512;    // per request: about 23 ms at 22050 Hz
var kAheadSamples = 1536; // held or asked for ahead of the output
var kDigestStart = 2166136261;
var kDigestPrime = 16777619;

function digestOf(digest, bytes, from, to) {
  for (var i = from; i < to; i++) digest = Math.imul(digest ^ bytes[i], kDigestPrime) >>> 0;
  return digest;
}

class PinwickMixerOutput extends AudioWorkletProcessor {
  constructor(options) {
    super();
    this.step = options.processorOptions.gameRate / sampleRate;
    this.phase = 0;
    this.chunks = [];  // the mix not yet played, oldest first
    this.head = 0;     // the next sample's place in chunks[0]
    this.held = 0;
    this.asked = 0;
    this.scratch = new Uint8Array(kAskSamples);
    this.played = 0;
    this.playedDigest = kDigestStart;
    this.port.onmessage = (e) => this.receive(e.data);
  }

  receive(message) {
    if (message.samples) {
      this.chunks.push(message.samples);
      this.held += message.samples.length;
      this.asked -= message.samples.length;
    } else if (message.report) {
      var digest = this.playedDigest;
      this.chunks.forEach((chunk, i) => { digest = digestOf(digest, chunk, i == 0 ? this.head : 0, chunk.length); });
      this.port.postMessage({report : {played : this.played, held : this.held, playedDigest : this.playedDigest,
                                       digest : digest}});
    }
  }

  // The next count samples of the mix, taken from what is held.
  take(count) {
    if (this.scratch.length < count) this.scratch = new Uint8Array(count);
    for (var at = 0; at < count;) {
      var chunk = this.chunks[0];
      var n = Math.min(count - at, chunk.length - this.head);
      this.scratch.set(chunk.subarray(this.head, this.head + n), at);
      this.playedDigest = digestOf(this.playedDigest, chunk, this.head, this.head + n);
      at += n;
      this.head += n;
      if (this.head == chunk.length) {
        this.chunks.shift();
        this.head = 0;
      }
    }
    this.held -= count;
    this.played += count;
    return this.scratch;
  }

  process(inputs, outputs) {
    var out = outputs[0][0];
    var count = Math.floor(this.phase + out.length * this.step);
    if (count <= this.held) {
      var samples = this.take(count);
      for (var i = 0; i < out.length; i++)
        out[i] = (samples[Math.min(count - 1, Math.floor(this.phase + i * this.step))] - 128) / 128;
      this.phase += out.length * this.step - count;
    }
    while (this.held + this.asked < kAheadSamples) {
      this.asked += kAskSamples;
      this.port.postMessage({ask : kAskSamples});
    }
    return true;
  }
}

registerProcessor('pinwick-mixer', PinwickMixerOutput);
