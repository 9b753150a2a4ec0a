#pragma once
// The modal message box that shows the fatal failure report inside the game's picture. It draws with
// SDL_gfx's built-in font, so it works even when the game's own font is what failed. Each platform
// shows it its own way: the desktop waits in a window for the player to close it, the page leaves
// it on the canvas beside its own text.

#include "media/LibScale.h"

#include "media/SdlCalls.h"

#include <string>

// Shows the box; on the desktop, waits until the player closes it. Returns at once when no window
// can show it (no video, or the dummy driver).
void ShowMessageBox(const std::string& title, const std::string& text);

// Draws the box centred in Screen and returns where its OK button is.
SDL_Rect DrawMessageBox(const std::string& title, const std::string& text);
// The box's size for that title and text: a window of its own when the game's is not open yet.
TSize MessageBoxSize(const std::string& title, const std::string& text);
