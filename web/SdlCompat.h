#pragma once
// Forced into every source of the browser's build: the SDL 1.2 and SDL_mixer calls the game makes
// that Emscripten's headers leave undeclared. web/ defines them or Emscripten's JavaScript does.

#include <SDL.h>
#include <SDL_mixer.h>

#ifdef __cplusplus
extern "C" {
#endif
Uint8* SDL_GetKeyState(int* numkeys);
#ifdef __cplusplus
}
#endif
