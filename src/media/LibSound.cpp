#include "media/LibSound.h"

#include "media/LibErrors.h"
#include "media/LibFiles.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

bool DeviceOpen = false;
bool Muted = false;
// Chunks whose owners are gone but which were still sounding then.
std::vector<Mix_Chunk*> Lingering;

bool IsSounding(Mix_Chunk* chunk) {
  if (!DeviceOpen) return false;
  const int channels = Mix_AllocateChannels(-1);
  for (int channel = 0; channel < channels; ++channel) {
    if (Mix_Playing(channel) && Mix_GetChunk(channel) == chunk) return true;
  }
  return false;
}

void FreeFinishedSounds() {
  std::erase_if(Lingering, [](Mix_Chunk* chunk) {
    if (IsSounding(chunk)) return false;
    Mix_FreeChunk(chunk);
    return true;
  });
}

void SetVolumes() {
  Mix_Volume(ChannelGame, Muted ? 0 : MIX_MAX_VOLUME);
  Mix_Volume(ChannelEffects, Muted ? 0 : MIX_MAX_VOLUME);
  Mix_Volume(ChannelMusic, Muted ? 0 : MusicVolume);
}

}  // namespace

void SoundDeleter::operator()(Mix_Chunk* chunk) const {
  if (IsSounding(chunk)) {
    Lingering.push_back(chunk);
  } else {
    Mix_FreeChunk(chunk);
  }
}

void InitSound() {
  DeviceOpen = Mix_OpenAudio(SoundFrequency, SoundFormat, SoundChannels, SoundChunkSize) == 0;
  SetVolumes();
}

bool SoundIsOpen() { return DeviceOpen; }

SoundPtr LoadSound(const char* name) {
  SoundPtr chunk = LoadSoundDat(name);
  if (!chunk && DeviceOpen) throw EMediaError(std::string("Cannot load sound ") + name + ": " + Mix_GetError());
  return chunk;
}

void PlaySound(int channel, const SoundPtr& chunk, int loops) {
  FreeFinishedSounds();
  if (chunk) Mix_PlayChannelTimed(channel, chunk.get(), loops, -1);
}

void ToggleMute() {
  Muted = !Muted;
  SetVolumes();
}

bool IsMuted() { return Muted; }

void ShutdownSound() {
  Muted = false;
  if (DeviceOpen) Mix_HaltChannel(-1);
  FreeFinishedSounds();
  if (DeviceOpen) Mix_CloseAudio();
  DeviceOpen = false;
}
