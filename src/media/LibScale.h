#pragma once
// How the game's picture fits a window or a display: in whole multiples only, so that each game
// pixel shows as a square of display pixels and nothing blurs; and how a point of the window maps
// back onto the picture.

struct TPoint {
  int X, Y;
  bool operator==(const TPoint&) const = default;
};
struct TSize {
  int W, H;
  bool operator==(const TSize&) const = default;
};

// Where a picture sits in a surface: each of its pixels a Scale by Scale square, its top-left
// corner at Corner.
struct TPicturePlace {
  int Scale;
  TPoint Corner;
  bool operator==(const TPicturePlace&) const = default;
};

// The largest whole multiple of the picture (at least 1) that fits the area, centred in it. A
// picture larger than the area sits at its top left.
TPicturePlace FitPicture(TSize picture, TSize area);
// The scale of a new window on a display of that size: the largest whole multiple of the picture
// that fits within two thirds of the display's width and height, at least 1; 1 when the display's
// size is unknown (0 by 0), as on the web, where the page scales the canvas.
int WindowScale(TSize picture, TSize display);
// The picture's pixel under a point of the surface; a point on the border around the picture
// clamps to the picture's edge.
TPoint PicturePoint(const TPicturePlace& place, TSize picture, TPoint point);
