#pragma once
// Asset files: pictures in sprites/*.dat and sounds in sounds/*.dat, each a BMP or WAV whose
// byte at offset i is XORed with (i mod 256). Paths are relative to the working directory.

#include "media/MediaHandles.h"

#include <cstdint>
#include <memory>
#include <string>

using FileBuffer = std::unique_ptr<uint8_t[]>;

// Reads a whole .dat file and descrambles it. Returns false, leaving the out-arguments alone, when
// the file cannot be opened; a file of 0 bytes gives no buffer and size 0. A failure after the open
// (sizing, a short read, closing) throws EInOutError.
bool LoadDatFile(const std::string& name, FileBuffer& buffer, int32_t& size);

// The unsigned number of count bytes (1 to 4), lowest first, as the asset files store them.
uint32_t LittleEndian(const uint8_t* bytes, int count);

// Undoes (and, being its own inverse, applies) the position-keyed XOR, in place.
inline void Descramble(uint8_t* buffer, int32_t size) {
  for (int32_t i = 0; i < size; ++i) buffer[i] ^= static_cast<uint8_t>(i);
}

// The picture in its BMP file's own pixel format, or null when SDL cannot decode the bytes or
// they claim more than four bytes a pixel.
// Throws EInOutError naming the file when it cannot be opened: a missing asset is never drawn.
SurfacePtr LoadBitmapDat(const char* name);

// The sound converted to the mixer's output format, or null when the audio device is not open, the
// mixer cannot decode it, or it is no WAV that SDL 1.2's converter takes safely (1 to 8 channels,
// at a rate within a factor of 16 of the output's). Throws EInOutError naming a file it cannot open.
SoundPtr LoadSoundDat(const char* name);
