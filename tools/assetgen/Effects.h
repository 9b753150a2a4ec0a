#pragma once
// The short effects, each made from code alone.

#include "Wave.h"

namespace assetgen {

Sound MakePop();     // a round "blip" for clicks and picks, under 0.1 s
Sound MakeHit();     // a low thump with a gong ring, about half a second
Sound MakeGhost();   // a wavering "wooo" that drifts from left to right, 2 s
Sound MakeScore();   // a bright three-note chime, about half a second
Sound MakeSqueak();  // three quick bat chirps, 0.3 s

}  // namespace assetgen
