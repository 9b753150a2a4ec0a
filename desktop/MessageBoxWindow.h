#pragma once
// The desktop's message box: the box of LibMessageBox in the game's window, or in a window of its own
// when the game's is not open yet, waiting for the player.

#include <SDL.h>

#include <string>

// Whether an event closes a box with that OK button: OK, Enter, Escape or the close request.
bool ClosesMessageBox(const SDL_Event& event, const SDL_Rect& okButton);
// Waits for events until one closes the box; the window must be open.
void RunMessageBox(const std::string& title, const std::string& text);
