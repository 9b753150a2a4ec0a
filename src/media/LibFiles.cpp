#include "media/LibFiles.h"

#include "media/LibErrors.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

int32_t FileSize(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) throw EInOutError(IoCodeFromErrno(errno));
  const long size = std::ftell(file);
  if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) throw EInOutError(IoCodeFromErrno(errno));
  if (size > INT32_MAX) throw EInOutError(IoReadBeyondEnd);
  return static_cast<int32_t>(size);
}

// Opens an asset or throws an error naming it; an asset that cannot be read is fatal.
void LoadAsset(const char* name, FileBuffer& buffer, int32_t& size) {
  errno = 0;
  if (!LoadDatFile(name, buffer, size)) throw EInOutError(IoCodeFromErrno(errno ? errno : ENOENT), name);
}

constexpr uint32_t LowestSampleRate = 4000;
constexpr uint32_t HighestSampleRate = 192000;

uint32_t LittleEndian(const uint8_t* bytes, int count) {
  uint32_t value = 0;
  for (int i = 0; i < count; ++i) value |= uint32_t{bytes[i]} << (8 * i);
  return value;
}

void PutLittleEndian(std::vector<uint8_t>& out, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// The WAV shapes the game plays are decided here, not by the SDL underneath (classic SDL 1.2 and
// sdl12-compat's SDL 2 disagree on headers whose block alignment does not follow from the format):
// uncompressed PCM, 8- or 16-bit, mono or stereo, at an ordinary rate (SDL 1.2's audio converter
// overruns its fixed table of conversion steps on extreme rates and jumps through garbage), with a
// data chunk inside the file holding at least one whole frame. Only such WAVs reach the mixer, so
// none of its other decoders ever runs. The sound is handed on rebuilt from those fields alone,
// which either SDL reads alike. Empty when the file is no such WAV.
std::vector<uint8_t> PlayableWav(const uint8_t* wav, int32_t size) {
  if (size < 12 || std::memcmp(wav, "RIFF", 4) != 0 || std::memcmp(wav + 8, "WAVE", 4) != 0) return {};
  const uint8_t *format = nullptr, *data = nullptr;
  int64_t dataBytes = 0;
  for (int64_t at = 12; at + 8 <= size && !(format && data);) {
    const uint32_t length = LittleEndian(wav + at + 4, 4);
    if (std::memcmp(wav + at, "fmt ", 4) == 0 && !format) {
      if (length < 16 || at + 24 > size) return {};
      format = wav + at + 8;
    } else if (std::memcmp(wav + at, "data", 4) == 0 && !data) {
      if (at + 8 + int64_t{length} > size) return {};
      data = wav + at + 8;
      dataBytes = length;
    }
    at += 8 + int64_t{length} + (length & 1);
  }
  if (!format || !data) return {};
  const uint32_t encoding = LittleEndian(format, 2), channels = LittleEndian(format + 2, 2);
  const uint32_t rate = LittleEndian(format + 4, 4), bits = LittleEndian(format + 14, 2);
  if (encoding != 1 || (channels != 1 && channels != 2) || (bits != 8 && bits != 16) || rate < LowestSampleRate ||
      rate > HighestSampleRate) {
    return {};
  }
  const uint32_t frameBytes = channels * bits / 8;
  const uint32_t samples = static_cast<uint32_t>(dataBytes - dataBytes % frameBytes);
  if (samples == 0) return {};
  std::vector<uint8_t> out{'R', 'I', 'F', 'F'};
  PutLittleEndian(out, 36 + samples, 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0});
  PutLittleEndian(out, channels, 2);
  PutLittleEndian(out, rate, 4);
  PutLittleEndian(out, rate * frameBytes, 4);
  PutLittleEndian(out, frameBytes, 2);
  PutLittleEndian(out, bits, 2);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  PutLittleEndian(out, samples, 4);
  out.insert(out.end(), data, data + samples);
  return out;
}

}  // namespace

bool LoadDatFile(const std::string& name, FileBuffer& buffer, int32_t& size) {
  FilePtr file(std::fopen(name.c_str(), "rb"));
  if (!file) return false;
  const int32_t length = FileSize(file.get());
  FileBuffer block = length > 0 ? std::make_unique<uint8_t[]>(length) : nullptr;
  if (length > 0 && std::fread(block.get(), 1, length, file.get()) != static_cast<size_t>(length)) {
    throw EInOutError(std::ferror(file.get()) ? IoCodeFromErrno(errno) : IoReadBeyondEnd);
  }
  if (std::fclose(file.release()) != 0) throw EInOutError(IoCodeFromErrno(errno));
  Descramble(block.get(), length);
  buffer = std::move(block);
  size = length;
  return true;
}

SurfacePtr LoadBitmapDat(const char* name) {
  FileBuffer buffer;
  int32_t size = 0;
  LoadAsset(name, buffer, size);
  SurfacePtr picture(SDL_LoadBMP_RW(SDL_RWFromMem(buffer.get(), size), 1));
  // SDL accepts any bit count the header claims, but its pixels hold at most four bytes.
  if (picture && picture->format->BytesPerPixel > 4) {
    SDL_SetError("unsupported BMP depth of %d bits", picture->format->BitsPerPixel);
    return nullptr;
  }
  return picture;
}

SoundPtr LoadSoundDat(const char* name) {
  FileBuffer buffer;
  int32_t size = 0;
  LoadAsset(name, buffer, size);
  std::vector<uint8_t> wav = PlayableWav(buffer.get(), size);
  if (wav.empty()) {
    SDL_SetError("not a WAV file of 8- or 16-bit PCM, mono or stereo, at 4000 to 192000 Hz, with samples");
    return nullptr;
  }
  return SoundPtr(Mix_LoadWAV_RW(SDL_RWFromMem(wav.data(), static_cast<int>(wav.size())), 1));
}
