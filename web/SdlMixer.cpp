// The page's stand-in for SDL_mixer's channel calls (SdlCalls.h), as SDL_mixer documents them, over
// Web Audio. Each channel is a gain at its volume with at most one source: a new sound stops the
// channel's previous one, and loops plays the sound loops + 1 times (-1: for ever). The page's
// start tap creates the audio context, so sound may start; a hidden page suspends it (WebMain).

#include "media/LibFiles.h"
#include "media/LibSound.h"
#include "media/SdlCalls.h"

#include <emscripten.h>

#include <array>

namespace {

constexpr int ChannelCount = MIX_CHANNELS;

// A chunk of this mixer: the sound's buffer lives in the page, under this number.
struct TWebChunk : Mix_Chunk {
  int Buffer;
};

std::array<Mix_Chunk*, ChannelCount> Sounding{};

EM_JS(int, OpenPageAudio, (int channels), {
  try {
    const context = Module['audioContext'];
    Module['mixer'] = {buffers : [], channels : []};
    for (let i = 0; i < channels; ++i) {
      const gain = context.createGain();
      gain.connect(context.destination);
      Module['mixer'].channels.push({gain : gain, source : null});
    }
    return 0;
  } catch (e) {
    return -1;
  }
});

// 16- or 8-bit PCM samples, interleaved, into a new buffer of the page; its number.
EM_JS(int, MakePageBuffer, (const void* samples, int frames, int channels, int rate, int bits), {
  const context = Module['audioContext'];
  const buffer = context.createBuffer(channels, frames, rate);
  for (let c = 0; c < channels; ++c) {
    const out = buffer.getChannelData(c);
    for (let i = 0; i < frames; ++i) {
      const at = samples + (i * channels + c) * (bits / 8);
      out[i] = bits == 16 ? HEAP16[at >> 1] / 32768 : (HEAPU8[at] - 128) / 128;
    }
  }
  Module['mixer'].buffers.push(buffer);
  return Module['mixer'].buffers.length - 1;
});

EM_JS(void, PlayPageBuffer, (int channel, int id, int loops), {
  const mixer = Module['mixer'];
  const slot = mixer.channels[channel];
  if (slot.source) slot.source.stop();
  const source = Module['audioContext'].createBufferSource();
  source.buffer = mixer.buffers[id];
  source.loop = loops != 0;
  source.connect(slot.gain);
  source.onended = function() {
    if (slot.source == source) slot.source = null;
  };
  source.start();
  if (loops > 0) source.stop(Module['audioContext'].currentTime + source.buffer.duration * (loops + 1));
  slot.source = source;
});

EM_JS(void, StopPageChannel, (int channel), {
  const slot = Module['mixer'].channels[channel];
  if (slot.source) slot.source.stop();
  slot.source = null;
});

EM_JS(int, PagePlaying, (int channel), { return Module['mixer'].channels[channel].source ? 1 : 0; });

EM_JS(void, SetPageVolume, (int channel, double gain), { Module['mixer'].channels[channel].gain.gain.value = gain; });

EM_JS(void, FreePageBuffer, (int id), { Module['mixer'].buffers[id] = null; });

std::array<int, ChannelCount> Volumes;
bool Open = false;

bool Valid(int channel) { return Open && channel >= 0 && channel < ChannelCount; }

}  // namespace

extern "C" {

int Mix_OpenAudio(int, Uint16, int, int) {
  Open = OpenPageAudio(ChannelCount) == 0;
  Volumes.fill(MIX_MAX_VOLUME);
  if (!Open) SDL_SetError("this browser has no Web Audio");
  return Open ? 0 : -1;
}

void Mix_CloseAudio() {
  if (Open) Mix_HaltChannel(-1);
  Open = false;
}

int Mix_AllocateChannels(int) { return ChannelCount; }

// The page plays each buffer at its own rate; the loader's limits on a sound's rate follow from the
// output the game asked for, as on the desktop.
int Mix_QuerySpec(int* frequency, Uint16* format, int* channels) {
  if (!Open) return 0;
  *frequency = SoundFrequency;
  *format = SoundFormat;
  *channels = SoundChannels;
  return 1;
}

int Mix_Volume(int channel, int volume) {
  if (!Valid(channel)) return 0;
  const int previous = Volumes[channel];
  if (volume >= 0) {
    Volumes[channel] = volume > MIX_MAX_VOLUME ? MIX_MAX_VOLUME : volume;
    SetPageVolume(channel, Volumes[channel] / double{MIX_MAX_VOLUME});
  }
  return previous;
}

// The stream holds the PCM WAV that the game's loader rebuilt: its fields at their fixed places.
Mix_Chunk* Mix_LoadWAV_RW(SDL_RWops* stream, int freeStream) {
  const Uint8* wav = stream->hidden.mem.base;
  const long size = stream->hidden.mem.stop - wav;
  if (freeStream) delete stream;
  if (!Open || size < 44) return nullptr;
  const int channels = static_cast<int>(LittleEndian(wav + 22, 2)), bits = static_cast<int>(LittleEndian(wav + 34, 2));
  const int rate = static_cast<int>(LittleEndian(wav + 24, 4)), bytes = static_cast<int>(LittleEndian(wav + 40, 4));
  // Web Audio's own limits on a buffer; the game's loader hands only WAVs well inside them.
  const bool playable = LittleEndian(wav + 20, 2) == 1 && (channels == 1 || channels == 2) &&
                        (bits == 8 || bits == 16) && rate >= 3000 && rate <= 768000 && bytes >= channels * bits / 8 &&
                        bytes <= size - 44;
  if (!playable) {
    SDL_SetError("not a WAV of 8- or 16-bit PCM, mono or stereo, that Web Audio plays");
    return nullptr;
  }
  auto* chunk = new TWebChunk{};
  chunk->allocated = 1;
  chunk->volume = MIX_MAX_VOLUME;
  chunk->Buffer = MakePageBuffer(wav + 44, bytes / (channels * bits / 8), channels, rate, bits);
  return chunk;
}

void Mix_FreeChunk(Mix_Chunk* chunk) {
  if (chunk == nullptr) return;
  for (int channel = 0; channel < ChannelCount; ++channel) {
    if (Sounding[channel] == chunk) Mix_HaltChannel(channel);
  }
  FreePageBuffer(static_cast<TWebChunk*>(chunk)->Buffer);
  delete static_cast<TWebChunk*>(chunk);
}

int Mix_PlayChannelTimed(int channel, Mix_Chunk* chunk, int loops, int) {
  if (!Valid(channel) || chunk == nullptr) return -1;
  PlayPageBuffer(channel, static_cast<TWebChunk*>(chunk)->Buffer, loops);
  Sounding[channel] = chunk;
  return channel;
}

int Mix_HaltChannel(int channel) {
  for (int c = 0; c < ChannelCount; ++c) {
    if (Valid(c) && (channel == -1 || channel == c)) StopPageChannel(c);
  }
  return 0;
}

int Mix_Playing(int channel) { return Valid(channel) && PagePlaying(channel); }

Mix_Chunk* Mix_GetChunk(int channel) { return Valid(channel) ? Sounding[channel] : nullptr; }

}  // extern "C"
