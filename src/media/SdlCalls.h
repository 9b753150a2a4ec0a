#pragma once
// The SDL 1.2, SDL_mixer and SDL_gfx of the shared game: the one header of theirs it includes, and
// the list of their functions it may call. Each platform provides exactly these: the desktop through
// Debian's libraries, the page through web/'s stand-ins. The build reads the list and fails, on
// either platform, when the shared game calls a function outside it (tools/check-sdl-calls.cmake).
// SDL's macros count as the function they call: SDL_BlitSurface is SDL_UpperBlit.

#include <SDL.h>
#include <SDL_gfxPrimitives.h>
#include <SDL_mixer.h>

// clang-format off
#define BOGLINGS_SDL_CALLS(X) \
  X(SDL_PollEvent) X(SDL_GetAppState) X(SDL_GetMouseState) X(SDL_GetModState) X(SDL_Delay) X(SDL_Quit) \
  X(SDL_GetError) X(SDL_SetError) X(SDL_RWFromMem) X(SDL_LoadBMP_RW) X(SDL_FreeSurface) X(SDL_SetColorKey) \
  X(SDL_MapRGB) X(SDL_FillRect) X(SDL_UpperBlit) \
  X(filledCircleRGBA) X(boxRGBA) X(rectangleRGBA) X(stringRGBA) \
  X(Mix_OpenAudio) X(Mix_QuerySpec) X(Mix_AllocateChannels) X(Mix_Volume) X(Mix_LoadWAV_RW) X(Mix_FreeChunk) \
  X(Mix_PlayChannelTimed) X(Mix_Playing) X(Mix_GetChunk) X(Mix_HaltChannel) X(Mix_CloseAudio)
// clang-format on
