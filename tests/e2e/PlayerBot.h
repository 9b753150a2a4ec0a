#pragma once
// The player's hands and eyes on the X server: finds the game's window by its title, grabs what
// it shows, and moves the pointer, presses the left button, holds keys and asks the window to
// close through the server alone (XTest and a WM_DELETE_WINDOW message), as a player's devices
// and window manager would.

#include "e2e/Image.h"

#include <X11/Xlib.h>

#include <optional>

class PlayerBot {
 public:
  explicit PlayerBot(::Display* display);

  // Looks for a mapped top-level window titled "Game"; false while there is none.
  bool FindGameWindow();
  // The window's place on the screen and its size (after FindGameWindow); empty once it is gone.
  Box Placement() const;

  // What the window shows now, grabbed from the screen; none once the window is gone.
  std::optional<Image> Grab() const;

  // Pointer and button; coordinates are the window's (the screen's for MoveOnScreen).
  void MoveTo(int x, int y) const;
  void MoveOnScreen(int x, int y) const;
  void Button(bool pressed) const;
  void Click(int x, int y) const;
  // Holds down or lets go of the key with this keysym (XK_Control_L, XK_Shift_L).
  void Key(unsigned long keysym, bool down) const;

  // The close request a window manager sends when the player closes the window.
  void RequestClose() const;
  // True when the pointer's image that the server shows now has no visible pixel.
  bool PointerInvisible() const;

 private:
  ::Display* X;
  ::Window Game = 0;
};
