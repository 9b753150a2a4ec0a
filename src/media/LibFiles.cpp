#include "media/LibFiles.h"

#include "media/LibErrors.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <span>
#include <utility>
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

// SDL 1.2's audio converter keeps its steps in a fixed table of ten. Sample format and channels
// take up to four of them (8-bit samples in eight channels), the end mark one, so a rate within a
// factor of 16 of the output's (at most four halvings or doublings and a fine step, measured for
// every output rate, 8- and 16-bit, 1 to 8 channels) fits; a farther one overruns the table and
// jumps through garbage, and no channels at all loops for ever. SDL 2 converts 1 to 8 channels.
constexpr uint32_t RateFactor = 16;
constexpr uint32_t MostChannels = 8;
constexpr uint32_t PcmEncoding = 1;
constexpr uint32_t MsAdpcmEncoding = 2;
constexpr uint32_t ImaAdpcmEncoding = 0x11;
constexpr size_t ImaAdpcmFormatBytes = 20;  // up to the samples a block
constexpr size_t MsAdpcmFormatBytes = 50;   // and seven coefficient pairs, which SDL 1.2 reads unchecked
constexpr uint8_t MsAdpcmPredictors = 7;    // the coefficient pairs SDL knows
constexpr uint32_t ExtensibleEncoding = 0xFFFE;
constexpr uint32_t ExtensibleFormatBytes = 40;  // up to the sub-format, whose first two bytes are its code
constexpr int SubFormatAt = 24;

void PutLittleEndian(std::vector<uint8_t>& out, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutChunk(std::vector<uint8_t>& out, const char* tag, std::span<const uint8_t> bytes) {
  out.insert(out.end(), tag, tag + 4);
  PutLittleEndian(out, static_cast<uint32_t>(bytes.size()), 4);
  out.insert(out.end(), bytes.begin(), bytes.end());
  if (bytes.size() % 2 != 0) out.push_back(0);
}

// A WAV file of these two chunks alone, which either SDL reads as it is written.
std::vector<uint8_t> WavFile(std::span<const uint8_t> format, std::span<const uint8_t> data) {
  std::vector<uint8_t> chunks{'W', 'A', 'V', 'E'};
  PutChunk(chunks, "fmt ", format);
  PutChunk(chunks, "data", data);
  std::vector<uint8_t> out;
  PutChunk(out, "RIFF", chunks);
  return out;
}

// The WAV's first format and data chunks, both whole inside the file; empty when it has none.
std::pair<std::span<const uint8_t>, std::span<const uint8_t>> WavChunks(const uint8_t* wav, int32_t size) {
  std::span<const uint8_t> format, data;
  if (size < 12 || std::memcmp(wav, "RIFF", 4) != 0 || std::memcmp(wav + 8, "WAVE", 4) != 0) return {};
  for (int64_t at = 12; at + 8 <= size && (format.empty() || data.empty());) {
    const uint32_t length = LittleEndian(wav + at + 4, 4);
    const bool whole = at + 8 + int64_t{length} <= size;
    if (std::memcmp(wav + at, "fmt ", 4) == 0 && format.empty()) {
      if (length < 16 || !whole) return {};
      format = {wav + at + 8, length};
    } else if (std::memcmp(wav + at, "data", 4) == 0 && data.empty()) {
      if (!whole) return {};
      data = {wav + at + 8, length};
    }
    at += 8 + int64_t{length} + (length & 1);
  }
  return {format, data};
}

// SDL 1.2's ADPCM decoders trust the samples a block that the format states, and an MS block's
// predictors (its first byte a channel): where the samples do not follow from the block alignment
// as encoders write them (a header of 4 bytes a channel and groups of 4 bytes a channel for IMA, a
// header of 7 bytes a channel for MS, then two samples a byte), or a predictor is unknown, they
// leak or run past the block.
bool AdpcmBlocksAgree(std::span<const uint8_t> format, std::span<const uint8_t> data, uint32_t encoding,
                      uint32_t channels, uint32_t bits) {
  const bool ima = encoding == ImaAdpcmEncoding;
  if (format.size() < (ima ? ImaAdpcmFormatBytes : MsAdpcmFormatBytes) || bits != 4) return false;
  const uint32_t align = LittleEndian(&format[12], 2), samples = LittleEndian(&format[18], 2);
  const uint32_t header = (ima ? 4 : 7) * channels, group = ima ? 4 * channels : channels;
  if (align <= header || (align - header) % group != 0 || samples != (align - header) * 2 / channels + (ima ? 1 : 2)) {
    return false;
  }
  for (size_t block = 0; !ima && block + align <= data.size(); block += align) {
    if (std::any_of(&data[block], &data[block] + channels, [](uint8_t p) { return p >= MsAdpcmPredictors; }))
      return false;
  }
  return true;
}

// The WAV rebuilt of its format and its sound alone, for a mixer playing at outputRate; empty when
// it has no sound, or SDL's converter could not take it safely. Plain PCM of 8 or 16 bits (also
// under the extensible header) gets a header made from its fields alone, with the block alignment
// that follows from them: SDL 2 refuses any other, classic SDL 1.2 ignores it. Anything else keeps
// its format chunk for the mixer's own decoders (ADPCM) to read, or refuse.
std::vector<uint8_t> PlayableWav(const uint8_t* wav, int32_t size, uint32_t outputRate) {
  const auto [format, data] = WavChunks(wav, size);
  if (format.empty() || data.empty()) return {};
  const uint32_t encoding = LittleEndian(&format[0], 2), channels = LittleEndian(&format[2], 2);
  const uint32_t rate = LittleEndian(&format[4], 4), bits = LittleEndian(&format[14], 2);
  if (channels < 1 || channels > MostChannels || uint64_t{rate} * RateFactor < outputRate ||
      rate > uint64_t{outputRate} * RateFactor) {
    return {};
  }
  const bool extensiblePcm = encoding == ExtensibleEncoding && format.size() >= ExtensibleFormatBytes &&
                             LittleEndian(&format[SubFormatAt], 2) == PcmEncoding;
  if ((encoding == ImaAdpcmEncoding || encoding == MsAdpcmEncoding) &&
      !AdpcmBlocksAgree(format, data, encoding, channels, bits)) {
    return {};
  }
  if ((encoding != PcmEncoding && !extensiblePcm) || (bits != 8 && bits != 16)) return WavFile(format, data);
  const uint32_t frameBytes = channels * bits / 8;
  const size_t soundBytes = data.size() - data.size() % frameBytes;
  if (soundBytes == 0) return {};
  std::vector<uint8_t> pcm;
  PutLittleEndian(pcm, PcmEncoding, 2);
  PutLittleEndian(pcm, channels, 2);
  PutLittleEndian(pcm, rate, 4);
  PutLittleEndian(pcm, rate * frameBytes, 4);
  PutLittleEndian(pcm, frameBytes, 2);
  PutLittleEndian(pcm, bits, 2);
  return WavFile(pcm, data.first(soundBytes));
}

}  // namespace

uint32_t LittleEndian(const uint8_t* bytes, int count) {
  uint32_t value = 0;
  for (int i = 0; i < count; ++i) value |= uint32_t{bytes[i]} << (8 * i);
  return value;
}

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
  int outputRate = 0, outputChannels = 0;
  Uint16 outputFormat = 0;
  if (!Mix_QuerySpec(&outputRate, &outputFormat, &outputChannels)) return nullptr;
  const uint32_t rate = static_cast<uint32_t>(outputRate);
  std::vector<uint8_t> wav = PlayableWav(buffer.get(), size, rate);
  if (wav.empty()) {
    SDL_SetError(
        "not a WAV file SDL takes safely: sound in 1 to %d channels at %d to %d Hz, ADPCM blocks as its header says",
        static_cast<int>(MostChannels), static_cast<int>((rate + RateFactor - 1) / RateFactor),
        static_cast<int>(rate * RateFactor));
    return nullptr;
  }
  SDL_SetError("SDL cannot convert it to the output's format");  // where SDL 1.2 fails without a word
  return SoundPtr(Mix_LoadWAV_RW(SDL_RWFromMem(wav.data(), static_cast<int>(wav.size())), 1));
}
