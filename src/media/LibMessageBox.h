#pragma once
// The modal message box that shows the fatal failure report inside the game's window, or in a window
// of its own when the game's is not open yet. It draws with SDL_gfx's built-in font, so it works even
// when the game's own font is what failed.

#include <SDL.h>

#include <string>

// Shows the box and waits until the player closes it with OK, Enter, Escape or the window's close
// request. Returns at once when no window can show it (no video, or the dummy driver).
void ShowMessageBox(const std::string& title, const std::string& text);

// The parts of ShowMessageBox, for tests. DrawMessageBox draws the box centred in Screen and returns
// where its OK button is; ClosesMessageBox tells whether an event closes a box with that button.
SDL_Rect DrawMessageBox(const std::string& title, const std::string& text);
bool ClosesMessageBox(const SDL_Event& event, const SDL_Rect& okButton);
// Waits for events until one closes the box; the window must be open.
void RunMessageBox(const std::string& title, const std::string& text);
