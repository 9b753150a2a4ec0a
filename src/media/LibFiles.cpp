#include "media/LibFiles.h"

#include "media/LibErrors.h"

#include <cerrno>
#include <cstdio>

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
  return SurfacePtr(SDL_LoadBMP_RW(SDL_RWFromMem(buffer.get(), size), 1));
}

SoundPtr LoadSoundDat(const char* name) {
  FileBuffer buffer;
  int32_t size = 0;
  LoadAsset(name, buffer, size);
  return SoundPtr(Mix_LoadWAV_RW(SDL_RWFromMem(buffer.get(), size), 1));
}
