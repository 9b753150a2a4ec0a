#pragma once
// The mixer and its three fixed channels. Every sound of the game is played with PlaySound.

#include "media/MediaHandles.h"

// Each channel cuts off only its own previous sound, so music, signals and effects never clash.
constexpr int ChannelGame = 0;     // the puzzle's signals: a life lost, a level begun
constexpr int ChannelEffects = 1;  // everything else
constexpr int ChannelMusic = 2;    // the menu music, looped for ever at a lower volume

constexpr int SoundFrequency = 44100;
constexpr Uint16 SoundFormat = AUDIO_S16LSB;
constexpr int SoundChannels = 2;
constexpr int SoundChunkSize = 4096;
constexpr int MusicVolume = 48;

// Opens the audio output and sets the channel volumes. A device that cannot be opened is no
// failure: the game then runs silently.
void InitSound();
// True once InitSound has opened the device.
bool SoundIsOpen();

// A sound for PlaySound. Throws an error naming the file when it cannot be opened, or cannot be
// decoded while the device is open; with no device it gives an empty handle, which plays nothing.
SoundPtr LoadSound(const char* name);

// loops: extra repeats, -1 for ever. An empty handle plays nothing; while muted, nothing is heard.
void PlaySound(int channel, const SoundPtr& chunk, int loops);

// Turns all sound off or back on. Muted, every channel plays on at volume 0, so the music keeps its
// place and is heard again from where it has got to. Lasts until ShutdownSound.
void ToggleMute();
bool IsMuted();

// Frees the chunks kept past their owners, halting what still plays, and closes the device.
// Called once at the end, before SDL_Quit.
void ShutdownSound();
