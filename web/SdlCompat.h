#pragma once
// Forced into every source of the browser's build: the one SDL 1.2 call of the game that
// Emscripten's headers leave undeclared, though its JavaScript has it (the puzzle's key state;
// Emscripten's key codes are SDL 1.2's indexes into it).

#include <SDL.h>

extern "C" Uint8* SDL_GetKeyState(int* numkeys);
