#pragma once
// Owning handles for the media library's objects. Only the media layer frees them.

#include "media/SdlCalls.h"

#include <memory>

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// A chunk that is still sounding when its owner lets go is kept until it has finished,
// so a screen's last sound is never cut off by the screen being left (see LibSound).
struct SoundDeleter {
  void operator()(Mix_Chunk* chunk) const;
};
using SoundPtr = std::unique_ptr<Mix_Chunk, SoundDeleter>;
