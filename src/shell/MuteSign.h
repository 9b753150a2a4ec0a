#pragma once
// Where the sign that the sound is off stands on every screen, its top-left corner in screen
// pixels: the bottom right corner, below the board's plate and the back sign. Shared by the
// controller, which draws it, and the asset generator, which blends its edges into the background.

constexpr int MuteSignX = 608, MuteSignY = 459;
