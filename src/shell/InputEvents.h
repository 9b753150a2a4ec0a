#pragma once
// The one door of input: the platform's mouse, touch and key events become the game's own input
// here, once, for the desktop and the page alike, so that a screen never learns where an input
// came from. Called by the event pump for each event, in arrival order.

#include "shell/LibGame.h"

#include "media/SdlCalls.h"

// The device of a mouse event that a finger made: the page delivers a touch as SDL 1.2 mouse events
// with this `which`, its press with no motion before it (a real mouse's events are device 0).
constexpr Uint8 TouchDevice = 1;

// The pointer moved, to a point in Screen's pixels; a real mouse's motion shows the hand again.
void PassMotion(TGame& game, const SDL_MouseMotionEvent& event);
// The left button's press or release with the left Ctrl and Shift as held now; the other buttons
// are nothing. A finger's press first moves the pointer to it and hides the hand.
void PassButton(TGame& game, const SDL_MouseButtonEvent& event);
// A key to the current screen, M to the sound unless the screen TakesLetters. A key counts once
// until it is let go (the browser repeats a held key, SDL 1.2 on the desktop does not); a modifier
// alone is no key at all.
void PassKey(TGame& game, const SDL_KeyboardEvent& event);
// The window lost the keyboard: the keys held now are let go, for the pump and for the screen, as
// their releases will never come.
void LetGoOfKeys(TGame& game);
